#pragma once
// The rules by which the device's bytes become answer lines, stated over the
// whole stream instead of byte by byte, as a yardstick for the line assembler:
// drop every byte that is no text (0x80 and above, and NUL, the classic fill
// byte); then a line end is one CR or LF together with one CR or LF right
// behind it, if there is one. Lines are the text between line ends, cut to
// 255 characters.

#include <string>
#include <vector>

class LineModel {
public:
    // Every line the stream completed so far, in order.
    std::vector<std::string> lines;

    void Append(const std::string& bytes);

private:
    std::string text;             // text not yet split into lines
    bool owesSecondHalf = false;  // the last line end may still get its second byte

    void Split();
};
