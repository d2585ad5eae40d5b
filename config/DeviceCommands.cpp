#include "DeviceCommands.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace DeviceCommands {

namespace {

// Index order (upper before lower) to device numbering (lower before upper).
constexpr int32_t ThresholdNumbers[ThresholdCount] = {Comparator1Upper, Comparator1Lower, Comparator2Upper,
                                                      Comparator2Lower};

// Empty when the line would not fit the device's buffer.
WString FormLine(const char* format, ...)
{
    char buffer[LineBufferSize];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length < 0 || length >= LineBufferSize)
        return WString();
    return WString(buffer, length);
}

}  // namespace

int32_t ThresholdNumberOfIndex(int32_t index)
{
    if (index < 0 || index >= ThresholdCount)
        return -1;
    return ThresholdNumbers[index];
}

int32_t IndexOfThresholdNumber(int32_t number)
{
    for (int32_t index = 0; index < ThresholdCount; ++index) {
        if (ThresholdNumbers[index] == number)
            return index;
    }
    return -1;
}

WString ThresholdLine(int32_t number, const char* text)
{
    return FormLine("st %d %s\r\n", number, text ? text : "");
}

WString ErrorHandlingLine(bool enabled)
{
    return FormLine("ee %d\r\n", enabled ? 1 : 0);
}

WString ErrorMemoryLine(bool enabled)
{
    return FormLine("em %d\r\n", enabled ? 1 : 0);
}

WString ClearCycleLine(const char* cycleText)
{
    // No selection at all means no cyclic clearing as well; "cf \r\n" would be
    // a line the device cannot read.
    if (!cycleText || cycleText[0] == '\0' || std::strcmp(cycleText, "-") == 0)
        return WString("cf 0\r\n");
    // The page offers nothing else; a configuration file may hold anything.
    for (const char* entry : ClearCycleEntries) {
        if (std::strcmp(cycleText, entry) == 0)
            return FormLine("cf %s\r\n", cycleText);
    }
    return WString();
}

WString CalibrationLine(CalibrationChannel channel, int32_t offset)
{
    return FormLine(channel == ReceiverChannel ? "sc 1 %d\r\n" : "sc 2 %d\r\n", offset);
}

WString ClearErrorsLine()
{
    return WString("rf\r\n");
}

}  // namespace DeviceCommands
