#include "ConfigurationFile.h"

#include <gtest/gtest.h>

#include <string>

using namespace ConfigurationFile;

namespace {

const ConfigurationRecord Before{1.0, 2.0, 3.0, 4.0, true, true, 30, 8, 9};

WStringArray Entries(std::initializer_list<const char*> lines)
{
    WStringArray entries;
    entries.SetCount(static_cast<int32_t>(lines.size()));
    int32_t index = 0;
    for (const char* line : lines)
        entries[index++] = line;
    return entries;
}

ConfigurationRecord Applied(Section section, std::initializer_list<const char*> lines)
{
    ConfigurationRecord record = Before;
    ApplyEntries(section, Entries(lines), record);
    return record;
}

}  // namespace

TEST(ConfigurationFile, SectionBodyLeavesOutEntriesBeyondTheLimit)
{
    const WStringArray entries = Entries({"a=1", "bb=2", "c=3"});
    EXPECT_EQ(BuildSectionBody(entries), std::string("a=1\0bb=2\0c=3\0\0", 14));
    // 1 + (3 + 1) + (4 + 1) = 10 fits; the third entry would make 14.
    EXPECT_EQ(BuildSectionBody(entries, 13), std::string("a=1\0bb=2\0\0", 10));
    EXPECT_EQ(BuildSectionBody(entries, 14), BuildSectionBody(entries));
}

TEST(ConfigurationFile, SplitDropsAnEntryTheHostCutShort)
{
    const char body[] = "a=1\0\0b=2\0c=3";
    EXPECT_EQ(SplitSectionBody(body, sizeof body - 1).GetCount(), 3);
    const WStringArray cut = SplitSectionBody(body, sizeof body - 1, true);
    ASSERT_EQ(cut.GetCount(), 2);
    EXPECT_STREQ(cut[1], "b=2");
    EXPECT_EQ(SplitSectionBody("abc", 3, true).GetCount(), 0);
}

TEST(ConfigurationFile, KeyLosesAsManyCharactersAsItHasDigits)
{
    EXPECT_STREQ(GetEntryKey("Receiver3"), "Receiver");
    EXPECT_STREQ(GetEntryKey("1Percent"), "1Percen");
    EXPECT_STREQ(GetEntryKey("42"), "");
}

TEST(ConfigurationFile, EntriesSetTheFieldsByTheRules)
{
    EXPECT_EQ(Applied(Threshold2LowerSection, {"Percent=150,5"}).threshold2Lower, 150.0);
    EXPECT_EQ(Applied(Threshold1UpperSection, {"Percent=x"}).threshold1Upper, 0.0);
    EXPECT_EQ(Applied(Threshold1UpperSection, {"Percent=5", "Percent=7"}).threshold1Upper, 7.0);
    EXPECT_FALSE(Applied(ErrorSection, {"Enabled=0.9"}).errorEnabled);
    EXPECT_TRUE(Applied(ErrorSection, {"Enabled=0", "Memory=-2"}).errorMemory);
    EXPECT_EQ(Applied(ErrorSection, {"Cycle=1e30"}).errorCycle, INT32_MAX);
    EXPECT_EQ(Applied(CalibrationSection, {"Receiver3=7"}).receiverCalibration, 7);
    EXPECT_EQ(Applied(CalibrationSection, {"Transmitter=\"-4\""}).transmitterCalibration, -4);
    EXPECT_EQ(Applied(CalibrationSection, {"Receiver='5,6'=7"}).receiverCalibration, 5);
    EXPECT_EQ(Applied(CalibrationSection, {"Receiver==5"}).receiverCalibration, 0);
}

TEST(ConfigurationFile, EntriesThatAreNotUnderstoodChangeNothing)
{
    for (const char* entry : {"percent=50", "Cycle=50", "Percent", "=5", "Percent50"})
        EXPECT_EQ(Applied(Threshold1UpperSection, {entry}), Before) << entry;
}
