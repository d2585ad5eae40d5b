#include "SimulatorLog.h"

#include <sstream>
#include <vector>

namespace {

constexpr size_t stampLength = 13;          // "hh:mm:ss.mmm "
constexpr int commandLineEnd = 2;           // CR LF, which the log leaves out

// The log writes a byte outside the printable range as <XX>.
int PrintedBytes(const std::string& printed)
{
    int bytes = 0;
    for (size_t index = 0; index < printed.size(); ++bytes) {
        const bool escaped = printed[index] == '<' && index + 3 < printed.size() && printed[index + 3] == '>';
        index += escaped ? 4 : 1;
    }
    return bytes;
}

}  // namespace

int WireBytesOfLastExchanges(const std::string& logText, int exchanges)
{
    std::vector<int> received, sent;
    std::istringstream lines(logText);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() < stampLength + 3)
            continue;
        const std::string direction = line.substr(stampLength, 3);
        const std::string printed = line.substr(stampLength + 3);
        if (direction == "<- ")
            received.push_back(PrintedBytes(printed) + commandLineEnd);
        else if (direction == "-> ")
            sent.push_back(PrintedBytes(printed));
    }
    if (received.size() < static_cast<size_t>(exchanges) || sent.size() < static_cast<size_t>(exchanges))
        return -1;
    int bytes = 0;
    for (int index = 1; index <= exchanges; ++index)
        bytes += received[received.size() - index] + sent[sent.size() - index];
    return bytes;
}
