#include "SimulatorLog.h"

#include <windows.h>

#include <cstdio>
#include <sstream>

namespace {

constexpr size_t StampLength = 13;  // "hh:mm:ss.mmm "
constexpr int CommandLineEnd = 2;   // CR LF, which the log leaves out

struct LogLine {
    double milliseconds;    // since midnight
    std::string direction;  // "<- ", "-> " or something else
    std::string printed;
};

std::vector<LogLine> ReadLines(const std::string& logText)
{
    std::vector<LogLine> result;
    std::istringstream lines(logText);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        int hours = 0, minutes = 0, seconds = 0, milliseconds = 0;
        if (line.size() < StampLength + 3
            || std::sscanf(line.c_str(), "%d:%d:%d.%d", &hours, &minutes, &seconds, &milliseconds) != 4)
            continue;
        result.push_back({((hours * 60.0 + minutes) * 60.0 + seconds) * 1000.0 + milliseconds,
                          line.substr(StampLength, 3), line.substr(StampLength + 3)});
    }
    return result;
}

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
    for (const LogLine& line : ReadLines(logText)) {
        if (line.direction == "<- ")
            received.push_back(PrintedBytes(line.printed) + CommandLineEnd);
        else if (line.direction == "-> ")
            sent.push_back(PrintedBytes(line.printed));
    }
    if (received.size() < static_cast<size_t>(exchanges) || sent.size() < static_cast<size_t>(exchanges))
        return -1;
    int bytes = 0;
    for (int index = 1; index <= exchanges; ++index)
        bytes += received[received.size() - index] + sent[sent.size() - index];
    return bytes;
}

std::vector<double> TurnaroundsWithinTransfers(const std::string& logText, const std::string& firstCommand)
{
    return TurnaroundsWithinTransfers(logText, firstCommand, {{0.0, 24 * 3600 * 1000.0}});
}

std::vector<double> TurnaroundsWithinTransfers(const std::string& logText, const std::string& firstCommand,
                                               const std::vector<std::pair<double, double>>& periods)
{
    const auto within = [&](double stamp) {
        for (const auto& [from, to] : periods) {
            if (stamp >= from && stamp <= to)
                return true;
        }
        return false;
    };
    std::vector<double> turnarounds;
    double answeredAt = -1.0;
    for (const LogLine& line : ReadLines(logText)) {
        if (line.direction == "-> ") {
            answeredAt = line.milliseconds;
        } else if (line.direction == "<- ") {
            if (answeredAt >= 0.0 && line.printed.rfind(firstCommand, 0) != 0 && within(line.milliseconds))
                turnarounds.push_back(line.milliseconds - answeredAt);
            answeredAt = -1.0;
        }
    }
    return turnarounds;
}

std::vector<double> LineStamps(const std::string& logText, const std::string& direction,
                               const std::string& prefix)
{
    std::vector<double> stamps;
    for (const LogLine& line : ReadLines(logText)) {
        if (line.direction == direction && line.printed.rfind(prefix, 0) == 0)
            stamps.push_back(line.milliseconds);
    }
    return stamps;
}

double LocalClockMilliseconds()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ((now.wHour * 60.0 + now.wMinute) * 60.0 + now.wSecond) * 1000.0 + now.wMilliseconds;
}
