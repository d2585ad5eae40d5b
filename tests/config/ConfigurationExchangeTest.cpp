#include "ConfigurationExchange.h"

#include <gtest/gtest.h>

TEST(ConfigurationExchange, PagesReachTheRecordAsFarAsTheyReadAsNumbers)
{
    PageValues values;
    const char* const texts[] = {" 12,5", "abc", "", "-7.25 %"};
    for (int index = 0; index < 4; ++index)
        values.thresholdTexts[index] = texts[index];
    values.errorHandlingEnabled = true;
    values.cycleText = "90";
    values.receiverCalibration = -127;
    values.transmitterCalibration = 5;
    ConfigurationRecord record{};
    ConfigurationExchange::CopyPagesToRecord(values, record);
    EXPECT_EQ(record, (ConfigurationRecord{12.0, 0.0, 0.0, -7.25, true, false, 90, -127, 5}));
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
    EXPECT_STREQ(ConfigurationExchange::FormatRecordForPages(ConfigurationRecord{}).cycleText, "-");
}
