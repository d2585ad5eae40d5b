#pragma once
// Cuts the bytes the device receives into command lines. A command line ends
// at CR or LF; the empty "line" between the CR and the LF of one line end, or
// any other empty line, carries no command and is skipped. A line longer than
// the device keeps is cut, one character past the limit, so that the device can
// still tell that it was too long.

#include <cstddef>
#include <string>
#include <vector>

class CommandReceiver {
public:
    static constexpr size_t MaxLineLength = 255;

    // Feeds received bytes; returns the command lines they completed, in order.
    std::vector<std::string> Feed(const char* bytes, size_t count);

    // True while the start of a line has arrived but not its end.
    bool HasPartialLine() const { return !pending.empty(); }

private:
    std::string pending;
};
