#include "CommandReceiver.h"

std::vector<std::string> CommandReceiver::Feed(const char* bytes, size_t count)
{
    std::vector<std::string> lines;
    for (size_t i = 0; i < count; ++i) {
        const char byte = bytes[i];
        if (byte == '\r' || byte == '\n') {
            if (!pending.empty())
                lines.push_back(pending);
            pending.clear();
        } else if (pending.size() <= MaxLineLength) {
            pending.push_back(byte);
        }
    }
    return lines;
}
