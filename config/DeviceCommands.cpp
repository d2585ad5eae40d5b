#include "DeviceCommands.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace DeviceCommands {

namespace {

// Index order (upper before lower) to device numbering (lower before upper).
constexpr int32_t thresholdNumbers[ThresholdCount] = {
    Comparator1Upper, Comparator1Lower, Comparator2Upper, Comparator2Lower};

bool FormLine(WString& line, const char* format, ...)
{
    char buffer[LineBufferSize];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length < 0 || length >= LineBufferSize) {
        line = "";
        return false;
    }
    line = WString(buffer, length);
    return true;
}

WString FormFixedLine(const char* format, int32_t argument)
{
    WString line;
    FormLine(line, format, argument);
    return line;
}

}

int32_t ThresholdNumberOfIndex(int32_t index)
{
    if (index < 0 || index >= ThresholdCount)
        return -1;
    return thresholdNumbers[index];
}

int32_t IndexOfThresholdNumber(int32_t number)
{
    for (int32_t index = 0; index < ThresholdCount; ++index) {
        if (thresholdNumbers[index] == number)
            return index;
    }
    return -1;
}

bool SetThreshold(int32_t number, const char* text, WString& line)
{
    return FormLine(line, "st %d %s\r\n", number, text ? text : "");
}

WString SetErrorHandling(bool enabled)
{
    return FormFixedLine("ee %d\r\n", enabled ? 1 : 0);
}

WString SetErrorMemory(bool enabled)
{
    return FormFixedLine("em %d\r\n", enabled ? 1 : 0);
}

bool SetClearCycle(const char* cycleText, WString& line)
{
    // No selection at all means no cyclic clearing as well; "cf \r\n" would be
    // a line the device cannot read.
    if (!cycleText || cycleText[0] == '\0' || std::strcmp(cycleText, "-") == 0) {
        line = "cf 0\r\n";
        return true;
    }
    // The page offers nothing else; a configuration file may hold anything.
    for (const char* entry : ClearCycleEntries) {
        if (std::strcmp(cycleText, entry) == 0)
            return FormLine(line, "cf %s\r\n", cycleText);
    }
    line = "";
    return false;
}

WString SetCalibration(CalibrationChannel channel, int32_t offset)
{
    return FormFixedLine(channel == ReceiverChannel ? "sc 1 %d\r\n" : "sc 2 %d\r\n", offset);
}

WString ClearErrors()
{
    return WString("rf\r\n");
}

}
