#include "DeviceCommands.h"

#include <gtest/gtest.h>

#include <string>

using namespace DeviceCommands;

TEST(DeviceCommands, FormsThePageLinesByteForByte)
{
    EXPECT_STREQ(SetCalibration(ReceiverChannel, 127), "sc 1 127\r\n");
    EXPECT_STREQ(SetCalibration(ReceiverChannel, -5), "sc 1 -5\r\n");
    EXPECT_STREQ(SetCalibration(TransmitterChannel, -127), "sc 2 -127\r\n");
    EXPECT_STREQ(ClearErrors(), "rf\r\n");
    EXPECT_STREQ(SetErrorHandling(true), "ee 1\r\n");
    EXPECT_STREQ(SetErrorMemory(false), "em 0\r\n");
}

TEST(DeviceCommands, RefusesALineLongerThanTheBuffer)
{
    const std::string longest(MaximumThresholdTextLength, '0');
    WString line;
    ASSERT_TRUE(SetThreshold(1, longest.c_str(), line));
    EXPECT_EQ(line.GetLength(), MaximumLineLength);
    EXPECT_STREQ(line.GetText() + MaximumLineLength - 2, "\r\n");
    EXPECT_FALSE(SetThreshold(1, (longest + "0").c_str(), line));
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_FALSE(SetClearCycle(std::string(300, '5').c_str(), line));
    EXPECT_TRUE(SetClearCycle("", line));
    EXPECT_STREQ(line, "cf 0\r\n");
}

// A configuration file can hold any cycle; the device knows only the entries.
TEST(DeviceCommands, RefusesACycleThatIsNoEntry)
{
    WString line;
    for (const char* cycle : {"7", "3", "05", "90 "})
        EXPECT_FALSE(SetClearCycle(cycle, line)) << cycle;
    ASSERT_TRUE(SetClearCycle("55", line));
    EXPECT_STREQ(line, "cf 55\r\n");
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
