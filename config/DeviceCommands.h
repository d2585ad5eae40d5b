#pragma once
// Every command line the program puts on the wire is formed here, so that the
// protocol lives in one place. A line is formed in a buffer of 256 bytes, as the
// device's own line buffer allows: 255 characters and the terminating zero.
// A line that would not fit is refused, never cut short, because a truncated
// line would lose its "\r\n" and the device would take it for something else.

#include "WString.h"

namespace DeviceCommands {

constexpr int32_t LineBufferSize = 256;
constexpr int32_t MaximumLineLength = LineBufferSize - 1;

// The device numbers its four thresholds lower before upper.
enum ThresholdNumber : int32_t {
    Comparator1Lower = 1,
    Comparator1Upper = 2,
    Comparator2Lower = 3,
    Comparator2Upper = 4,
};

// The comparator page and the configuration record list the thresholds upper
// before lower: 0 = comparator 1 upper, 1 = comparator 1 lower,
// 2 = comparator 2 upper, 3 = comparator 2 lower.
enum ThresholdIndex : int32_t {
    Threshold1UpperIndex = 0,
    Threshold1LowerIndex = 1,
    Threshold2UpperIndex = 2,
    Threshold2LowerIndex = 3,
};
constexpr int32_t ThresholdCount = 4;

// -1 when the argument is outside 0..3 (or 1..4).
int32_t ThresholdNumberOfIndex(int32_t index);
int32_t IndexOfThresholdNumber(int32_t number);

enum CalibrationChannel : int32_t { ReceiverChannel = 1, TransmitterChannel = 2 };

// The longest threshold text that still fits an "st" line.
constexpr int32_t MaximumThresholdTextLength = MaximumLineLength - 7;

// Each function forms one command line, "\r\n" included; an empty line
// means the values cannot be sent.

// "st %d %s\r\n"; empty when the line would not fit.
WString ThresholdLine(int32_t number, const char* text);
// "ee %d\r\n" and "em %d\r\n" with 1 or 0.
WString ErrorHandlingLine(bool enabled);
WString ErrorMemoryLine(bool enabled);
// The periods of cyclic error clearing the device knows, in seconds, as the
// error handling page offers them; "-" clears no errors cyclically. No 65 to
// 85: the last step goes from 60 to 90.
constexpr const char* ClearCycleEntries[] = {
    "-", "5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60", "90",
};

// "cf 0\r\n" for the entry "-" (and for no entry at all), else "cf %s\r\n";
// empty for a text that is none of the entries.
WString ClearCycleLine(const char* cycleText);
// "sc 1 %d\r\n" for the receiver, "sc 2 %d\r\n" for the transmitter.
WString CalibrationLine(CalibrationChannel channel, int32_t offset);
// "rf\r\n".
WString ClearErrorsLine();

}  // namespace DeviceCommands
