#include "ConfigurationExchange.h"

#include <gtest/gtest.h>

TEST(ConfigurationExchange, PagesReachTheRecordAsFarAsTheyReadAsNumbers)
{
    PageValues values;
    values.thresholdTexts[0] = " 12,5";
    values.thresholdTexts[1] = "abc";
    values.thresholdTexts[2] = "";
    values.thresholdTexts[3] = "-7.25 %";
    values.errorHandlingEnabled = true;
    values.cycleText = "90";
    values.receiverCalibration = -127;
    values.transmitterCalibration = 5;
    ConfigurationRecord record{};
    record.errorMemory = true;
    ConfigurationExchange::CopyPagesToRecord(values, record);
    EXPECT_EQ(record.threshold1Upper, 12.0);
    EXPECT_EQ(record.threshold1Lower, 0.0);
    EXPECT_EQ(record.threshold2Upper, 0.0);
    EXPECT_EQ(record.threshold2Lower, -7.25);
    EXPECT_TRUE(record.errorEnabled);
    EXPECT_FALSE(record.errorMemory);
    EXPECT_EQ(record.errorCycle, 90);
    EXPECT_EQ(record.receiverCalibration, -127);
    EXPECT_EQ(record.transmitterCalibration, 5);

    values.cycleText = "-";
    ConfigurationExchange::CopyPagesToRecord(values, record);
    EXPECT_EQ(record.errorCycle, 0);
}

TEST(ConfigurationExchange, RecordIsShownWithTwoDecimalsAndWholeOffsets)
{
    const ConfigurationRecord record{-12.3456, 150.0, 0.0, 99.999, true, false, 5, -5, 127};
    const PageTexts texts = ConfigurationExchange::FormatRecordForPages(record);
    EXPECT_STREQ(texts.thresholdTexts[0], "-12.35");
    EXPECT_STREQ(texts.thresholdTexts[1], "150.00");
    EXPECT_STREQ(texts.thresholdTexts[2], "0.00");
    EXPECT_STREQ(texts.thresholdTexts[3], "100.00");
    EXPECT_TRUE(texts.errorHandlingEnabled);
    EXPECT_FALSE(texts.errorMemoryEnabled);
    EXPECT_STREQ(texts.cycleText, "5");
    EXPECT_STREQ(texts.receiverText, "-5");
    EXPECT_STREQ(texts.transmitterText, "127");
}

TEST(ConfigurationExchange, CycleZeroSelectsNoCyclicClearing)
{
    ConfigurationRecord record{};
    EXPECT_STREQ(ConfigurationExchange::FormatRecordForPages(record).cycleText, "-");
}
