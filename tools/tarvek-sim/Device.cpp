#include "Device.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

// A decimal integer as the tool writes it: an optional minus sign and digits,
// nothing else.
bool ParseInteger(const std::string& text, int minimum, int maximum, int& value)
{
    size_t digitsFrom = (!text.empty() && text[0] == '-') ? 1 : 0;
    if (text.size() == digitsFrom || text.size() - digitsFrom > 6)
        return false;
    for (size_t i = digitsFrom; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    const long number = std::strtol(text.c_str(), nullptr, 10);
    if (number < minimum || number > maximum)
        return false;
    value = static_cast<int>(number);
    return true;
}

// A percentage: blanks, then a decimal number with a point, nothing after it.
bool ParsePercent(const std::string& text, double& value)
{
    const char* start = text.c_str();
    while (*start == ' ')
        ++start;
    if (*start == '\0')
        return false;
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(start, &end);
    if (*end != '\0' || errno != 0 || number < -100.0 || number > 100.0)
        return false;
    value = number;
    return true;
}

// Splits "first rest" at the first blank; false when there is no blank.
bool SplitFirst(const std::string& text, std::string& first, std::string& rest)
{
    const size_t blank = text.find(' ');
    if (blank == std::string::npos)
        return false;
    first = text.substr(0, blank);
    rest = text.substr(blank + 1);
    return true;
}

}  // namespace

std::string Device::Execute(const std::string& line)
{
    if (Apply(line))
        return Accepted;
    if (state.errorMemory)
        ++state.storedErrors;
    return Rejected;
}

bool Device::Apply(const std::string& line)
{
    // The command word alone, or the word, one blank and the arguments.
    const bool framed = line.size() == 2 || (line.size() > 3 && line[2] == ' ');
    if (!framed)
        return false;
    const std::string command = line.substr(0, 2);
    const std::string arguments = line.size() > 3 ? line.substr(3) : std::string();
    if (command == "st")
        return SetThreshold(arguments);
    if (command == "ee")
        return SetFlag(arguments, state.errorHandling);
    if (command == "em")
        return SetFlag(arguments, state.errorMemory);
    if (command == "cf")
        return SetClearingCycle(arguments);
    if (command == "sc")
        return SetOffset(arguments);
    if (command == "rf")
        return ClearErrors(arguments);
    return false;
}

bool Device::SetThreshold(const std::string& arguments)
{
    std::string number, percent;
    int index = 0;
    double value = 0.0;
    if (!SplitFirst(arguments, number, percent) || !ParseInteger(number, 1, 4, index)
        || !ParsePercent(percent, value))
        return false;
    state.thresholds[index - 1] = value;
    return true;
}

bool Device::SetFlag(const std::string& arguments, bool& flag)
{
    int value = 0;
    if (!ParseInteger(arguments, 0, 1, value))
        return false;
    flag = value == 1;
    return true;
}

bool Device::SetClearingCycle(const std::string& arguments)
{
    return ParseInteger(arguments, 0, 3600, state.clearingCycle);
}

bool Device::SetOffset(const std::string& arguments)
{
    std::string channelText, valueText;
    int channel = 0;
    int value = 0;
    if (!SplitFirst(arguments, channelText, valueText) || !ParseInteger(channelText, 1, 2, channel)
        || !ParseInteger(valueText, -127, 127, value))
        return false;
    state.offsets[channel - 1] = value;
    return true;
}

bool Device::ClearErrors(const std::string& arguments)
{
    if (!arguments.empty())
        return false;
    state.storedErrors = 0;
    return true;
}

std::string Device::Describe() const
{
    char clearing[32] = "off";
    if (state.clearingCycle != 0)
        std::snprintf(clearing, sizeof clearing, "every %d s", state.clearingCycle);
    char text[256];
    std::snprintf(text, sizeof text,
                  "thresholds %.2f/%.2f %.2f/%.2f, error handling %s, error memory %s, "
                  "clearing %s, offsets rcv %d trm %d, stored errors %d",
                  state.thresholds[0], state.thresholds[1], state.thresholds[2], state.thresholds[3],
                  state.errorHandling ? "on" : "off", state.errorMemory ? "on" : "off", clearing,
                  state.offsets[0], state.offsets[1], state.storedErrors);
    return text;
}
