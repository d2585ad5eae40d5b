#include "LoadSavePrint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace {

const ConfigurationRecord Saved{-12.3456, 0.0, 100.0, -100.0, true, false, 15, -5, 127};
const ConfigurationRecord Before{1.0, 2.0, 3.0, 4.0, true, true, 30, 8, 9};

const char* const SavedSections =
    "[Threshold 1 Upper]\r\nPercent=-12.35\r\n"
    "[Threshold 1 Lower]\r\nPercent=0.00\r\n"
    "[Threshold 2 Upper]\r\nPercent=100.00\r\n"
    "[Threshold 2 Lower]\r\nPercent=-100.00\r\n"
    "[Error]\r\nEnabled=1\r\nMemory=0\r\nCycle=15\r\n"
    "[Calibration]\r\nReceiver=-5\r\nTransmitter=127\r\n";

// Each test works in a folder of its own under the temporary folder, so that
// the host's cache of profile files never mixes two tests' files.
class LoadSavePrintTest : public ::testing::Test {
protected:
    std::string folder;

    void SetUp() override
    {
        char temporary[MAX_PATH];
        GetTempPathA(MAX_PATH, temporary);
        folder = std::string(temporary) + "tarvek-config-" + std::to_string(GetCurrentProcessId()) + "-"
            + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
    }

    void TearDown() override
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*.tci").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            DeleteFileA((folder + found.cFileName).c_str());
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        RemoveDirectoryA(folder.c_str());
    }

    std::string Write(const char* name, const std::string& bytes)
    {
        const std::string path = folder + name;
        FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        return path;
    }

    std::string Read(const std::string& path)
    {
        std::string bytes;
        if (FILE* file = std::fopen(path.c_str(), "rb")) {
            for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
                bytes.push_back(static_cast<char>(c));
            std::fclose(file);
        }
        return bytes;
    }

    // Loads `bytes` followed by a calibration section into a copy of Before.
    ConfigurationRecord LoadedFrom(const char* name, const std::string& bytes)
    {
        const std::string path = Write(name, bytes + "\r\n[Calibration]\r\nReceiver=7\r\n");
        ConfigurationRecord record = Before;
        EXPECT_TRUE(LoadSavePrint::Load(path.c_str(), record)) << name;
        EXPECT_EQ(record.receiverCalibration, 7) << name;
        return record;
    }
};

}

TEST_F(LoadSavePrintTest, SaveWritesTheSixSectionsInOrder)
{
    const std::string path = folder + "new.tci";
    EXPECT_TRUE(LoadSavePrint::Save(path.c_str(), Saved));
    EXPECT_EQ(Read(path), SavedSections);
}

TEST_F(LoadSavePrintTest, SaveKeepsOtherContentInPlace)
{
    const std::string path =
        Write("old.tci", "[Notes]\r\nhello=world\r\n[error]\r\nEnabled=0\r\n[Other]\r\nx=1,2\r\n");
    EXPECT_TRUE(LoadSavePrint::Save(path.c_str(), Saved));
    EXPECT_EQ(Read(path), std::string("[Notes]\r\nhello=world\r\n[Other]\r\nx=1,2\r\n") + SavedSections);
}

TEST_F(LoadSavePrintTest, LoadGivesBackWhatSaveWrote)
{
    const std::string path = folder + "round.tci";
    ASSERT_TRUE(LoadSavePrint::Save(path.c_str(), Saved));
    ConfigurationRecord record{};
    EXPECT_TRUE(LoadSavePrint::Load(path.c_str(), record));
    ConfigurationRecord expected = Saved;
    expected.threshold1Upper = -12.35;
    EXPECT_EQ(record, expected);
}

TEST_F(LoadSavePrintTest, LoadFindsSectionsInAnyCaseAndKeysOnlyExactly)
{
    const ConfigurationRecord record = LoadedFrom("hand.tci",
        "[threshold 1 UPPER]\r\n  Percent  =  50 \r\n"
        "[Threshold 1 Lower]\r\npercent=50\r\n"
        "[ERROR]\r\nEnabled=0.9\r\nMemory=-2\r\nCycle=5\r\nCycle='10'\r\n");
    EXPECT_EQ(record.threshold1Upper, 50.0);
    EXPECT_EQ(record.threshold1Lower, Before.threshold1Lower);
    EXPECT_FALSE(record.errorEnabled);
    EXPECT_TRUE(record.errorMemory);
    EXPECT_EQ(record.errorCycle, 10);
}

TEST_F(LoadSavePrintTest, LoadWithoutCalibrationReadsTheRestAndReturnsFalse)
{
    const std::string path = Write("nocal.tci", "[Threshold 2 Lower]\r\nPercent=150\r\n[Calibration]\r\n");
    ConfigurationRecord record = Before;
    EXPECT_FALSE(LoadSavePrint::Load(path.c_str(), record));
    ConfigurationRecord expected = Before;
    expected.threshold2Lower = 150.0;
    EXPECT_EQ(record, expected);
}

TEST_F(LoadSavePrintTest, NoFileChangesNothing)
{
    ConfigurationRecord record = Before;
    EXPECT_FALSE(LoadSavePrint::Load((folder + "missing.tci").c_str(), record));
    EXPECT_FALSE(LoadSavePrint::Load("", record));
    EXPECT_FALSE(LoadSavePrint::Load(nullptr, record));
    EXPECT_EQ(record, Before);
    EXPECT_FALSE(LoadSavePrint::Save("", record));
    EXPECT_FALSE(LoadSavePrint::Save((folder + "no\\such\\folder.tci").c_str(), record));
}

TEST_F(LoadSavePrintTest, NameWithoutFolderIsInTheCurrentFolder)
{
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    const bool saved = LoadSavePrint::Save("relative.tci", Saved);
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(saved);
    EXPECT_EQ(Read(folder + "relative.tci"), SavedSections);
}

TEST_F(LoadSavePrintTest, LoadSurvivesHostileFiles)
{
    std::mt19937 generator(20240611);
    std::string noise = "[Notes]\r\n";
    for (int count = 0; count < 20000; ++count)
        noise.push_back(static_cast<char>(generator()));
    EXPECT_EQ(LoadedFrom("noise.tci", noise).threshold1Upper, Before.threshold1Upper);

    const char zeros[] = "[Threshold 1 Upper]\r\nPer\0cent=5\r\n\0\0\0\r\n";
    EXPECT_EQ(LoadedFrom("zeros.tci", std::string(zeros, sizeof zeros - 1)).threshold1Upper, Before.threshold1Upper);

    const std::string longLine = "[Threshold 1 Upper]\r\nPercent=5" + std::string(100000, 'x') + "\r\n"
        + std::string(100000, 'k') + "=1\r\n";
    EXPECT_EQ(LoadedFrom("long.tci", longLine).threshold1Upper, 5.0);

    std::string huge = "[Threshold 2 Upper]\r\n";
    for (int count = 0; count < 5000; ++count)
        huge += "Percent=1\r\n";
    huge += "Percent=9\r\n";
    ASSERT_GT(huge.size(), 32767u);
    EXPECT_EQ(LoadedFrom("huge.tci", huge).threshold2Upper, 9.0);
}
