#pragma once
// Assembles the bytes the device sends into answer lines, one byte at a time.
//
// A line ends at CR or LF. The byte right after a line end is dropped when it
// is CR or LF too, so CR LF, LF CR, CR CR and LF LF each end exactly one line,
// and CR LF CR LF ends a line and then an empty one. That also holds when the
// two bytes arrive in different portions, or when the second comes at the
// head of the next answer. Bytes of 0x80 and above are no part of the
// protocol and are ignored, and so is NUL, the fill byte some devices send
// after a line end. A line keeps its first 255 characters; the rest
// are dropped. A line that never ends is continued by whatever comes next.

#include <cstdint>

class LineAssembler {
public:
    static constexpr int32_t MaxLineLength = 255;

    // Takes one received byte; true when it ended a line, whose text
    // CompletedLine then gives.
    bool Take(uint8_t byte);

    // The line the last Take ended, without its line end. Valid until the
    // next Take.
    const char* CompletedLine() const { return lineBuffer; }

private:
    char lineBuffer[MaxLineLength + 1] = {};
    int32_t lineLength = 0;
    bool afterLineEnd = false;
};
