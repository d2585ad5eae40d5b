#include "DeviceCommands.h"

#include <gtest/gtest.h>

#include <string>

using namespace DeviceCommands;

TEST(DeviceCommands, FormsThePageLinesByteForByte)
{
    EXPECT_STREQ(CalibrationLine(ReceiverChannel, 127), "sc 1 127\r\n");
    EXPECT_STREQ(CalibrationLine(ReceiverChannel, -5), "sc 1 -5\r\n");
    EXPECT_STREQ(CalibrationLine(TransmitterChannel, -127), "sc 2 -127\r\n");
    EXPECT_STREQ(ClearErrorsLine(), "rf\r\n");
    EXPECT_STREQ(ErrorHandlingLine(true), "ee 1\r\n");
    EXPECT_STREQ(ErrorMemoryLine(false), "em 0\r\n");
}

TEST(DeviceCommands, RefusesALineLongerThanTheBuffer)
{
    const std::string longest(MaximumThresholdTextLength, '0');
    const WString line = ThresholdLine(1, longest.c_str());
    ASSERT_EQ(line.GetLength(), MaximumLineLength);
    EXPECT_STREQ(line.GetText() + MaximumLineLength - 2, "\r\n");
    EXPECT_TRUE(ThresholdLine(1, (longest + "0").c_str()).IsEmpty());
    EXPECT_TRUE(ClearCycleLine(std::string(300, '5').c_str()).IsEmpty());
    EXPECT_STREQ(ClearCycleLine(""), "cf 0\r\n");
}

// A configuration file can hold any cycle; the device knows only the entries.
TEST(DeviceCommands, RefusesACycleThatIsNoEntry)
{
    for (const char* cycle : {"7", "3", "05", "90 "})
        EXPECT_TRUE(ClearCycleLine(cycle).IsEmpty()) << cycle;
    EXPECT_STREQ(ClearCycleLine("55"), "cf 55\r\n");
}

TEST(DeviceCommands, NumbersThresholdsLowerBeforeUpper)
{
    const int32_t numbers[ThresholdCount] = {2, 1, 4, 3};
    for (int32_t index = 0; index < ThresholdCount; ++index) {
        EXPECT_EQ(ThresholdNumberOfIndex(index), numbers[index]);
        EXPECT_EQ(IndexOfThresholdNumber(numbers[index]), index);
    }
    EXPECT_EQ(ThresholdNumberOfIndex(4), -1);
    EXPECT_EQ(IndexOfThresholdNumber(0), -1);
}
