#include "DeviceCommands.h"

#include <gtest/gtest.h>

#include <string>

using namespace DeviceCommands;

TEST(DeviceCommands, FormsEveryLineByteForByte)
{
    EXPECT_STREQ(SetErrorHandling(true), "ee 1\r\n");
    EXPECT_STREQ(SetErrorHandling(false), "ee 0\r\n");
    EXPECT_STREQ(SetErrorMemory(true), "em 1\r\n");
    EXPECT_STREQ(SetErrorMemory(false), "em 0\r\n");
    EXPECT_STREQ(SetCalibration(ReceiverChannel, 127), "sc 1 127\r\n");
    EXPECT_STREQ(SetCalibration(ReceiverChannel, -5), "sc 1 -5\r\n");
    EXPECT_STREQ(SetCalibration(TransmitterChannel, -127), "sc 2 -127\r\n");
    EXPECT_STREQ(ClearErrors(), "rf\r\n");
    WString line;
    ASSERT_TRUE(SetThreshold(2, "100.0", line));
    EXPECT_STREQ(line, "st 2 100.0\r\n");
}

TEST(DeviceCommands, ClearCycleSendsZeroForNoCyclicClearing)
{
    WString line;
    ASSERT_TRUE(SetClearCycle("-", line));
    EXPECT_STREQ(line, "cf 0\r\n");
    ASSERT_TRUE(SetClearCycle("", line));
    EXPECT_STREQ(line, "cf 0\r\n");
    ASSERT_TRUE(SetClearCycle("90", line));
    EXPECT_STREQ(line, "cf 90\r\n");
}

TEST(DeviceCommands, ThresholdLineFillsTheBufferButNeverOverflowsIt)
{
    const std::string longest(MaximumThresholdTextLength, '0');
    WString line;
    ASSERT_TRUE(SetThreshold(1, longest.c_str(), line));
    EXPECT_EQ(line.GetLength(), MaximumLineLength);
    EXPECT_STREQ(line.GetText() + MaximumLineLength - 2, "\r\n");

    const std::string tooLong = longest + "0";
    EXPECT_FALSE(SetThreshold(1, tooLong.c_str(), line));
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_FALSE(SetClearCycle(std::string(300, '5').c_str(), line));
}

TEST(DeviceCommands, NumbersThresholdsLowerBeforeUpper)
{
    const int32_t numbers[ThresholdCount] = {Comparator1Upper, Comparator1Lower, Comparator2Upper, Comparator2Lower};
    for (int32_t index = 0; index < ThresholdCount; ++index) {
        EXPECT_EQ(ThresholdNumberOfIndex(index), numbers[index]);
        EXPECT_EQ(IndexOfThresholdNumber(numbers[index]), index);
    }
    EXPECT_EQ(ThresholdNumberOfIndex(Threshold1LowerIndex), 1);
    EXPECT_EQ(ThresholdNumberOfIndex(Threshold2UpperIndex), 4);
    EXPECT_EQ(ThresholdNumberOfIndex(4), -1);
    EXPECT_EQ(IndexOfThresholdNumber(0), -1);
}
