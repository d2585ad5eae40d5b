#include "LoadSavePrint.h"

#include "ConfigurationFilesTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

class LoadSavePrintTest : public ConfigurationFilesTest {
protected:
    // Loads `bytes`, followed by a calibration section, into a copy of Before.
    static ConfigurationRecord LoadedFrom(const char* name, const std::string& bytes)
    {
        const std::string path = Write(name, bytes + "\r\n[Calibration]\r\nReceiver=7\r\n");
        ConfigurationRecord record = Before;
        EXPECT_TRUE(LoadSavePrint::Load(path.c_str(), record)) << name;
        EXPECT_EQ(record.receiverCalibration, 7) << name;
        return record;
    }
};

}  // namespace

TEST_F(LoadSavePrintTest, SaveWritesTheSixSectionsInOrder)
{
    EXPECT_TRUE(LoadSavePrint::Save((folder + "new.tci").c_str(), Saved));
    EXPECT_EQ(Read(folder + "new.tci"), SavedSections);
}

TEST_F(LoadSavePrintTest, SaveKeepsOtherContentInPlace)
{
    const std::string path =
        Write("old.tci", "[Notes]\r\nhello=world\r\n[error]\r\nEnabled=0\r\n[Other]\r\nx=1,2\r\n");
    EXPECT_TRUE(LoadSavePrint::Save(path.c_str(), Saved));
    EXPECT_EQ(Read(path), std::string("[Notes]\r\nhello=world\r\n[Other]\r\nx=1,2\r\n") + SavedSections);
}

// Umlauts travel as single code page 1252 bytes: in the folder and file name
// the user typed, and in a foreign section that Save must keep byte for byte.
TEST_F(LoadSavePrintTest, UmlautsInNamesAndForeignSectionsSurviveSaveAndLoad)
{
    const std::string path = folder + "Prüfstand Größe.tci";
    const std::string notes = "[Notizen]\r\nOrt=Schrank Süd, Höhe 2\r\n";
    ASSERT_EQ(notes.find('\xFC'), 11u + 13u);
    Write("Prüfstand Größe.tci", notes);

    EXPECT_TRUE(LoadSavePrint::Save(path.c_str(), Saved));
    EXPECT_EQ(Read(path), notes + SavedSections);
    ConfigurationRecord record{};
    EXPECT_TRUE(LoadSavePrint::Load(path.c_str(), record));
    EXPECT_EQ(record.transmitterCalibration, 127);
}

TEST_F(LoadSavePrintTest, LoadGivesBackWhatSaveWrote)
{
    const std::string path = folder + "round.tci";
    ASSERT_TRUE(LoadSavePrint::Save(path.c_str(), Saved));
    ConfigurationRecord record{};
    EXPECT_TRUE(LoadSavePrint::Load(path.c_str(), record));
    EXPECT_EQ(record, (ConfigurationRecord{-12.35, 0.0, 100.0, -100.0, true, false, 15, -5, 127}));
}

TEST_F(LoadSavePrintTest, LoadFindsSectionsInAnyCaseAndKeysOnlyExactly)
{
    const ConfigurationRecord record = LoadedFrom(
        "hand.tci", "[threshold 1 UPPER]\r\n  Percent  =  50 \r\n[Threshold 1 Lower]\r\npercent=50\r\n"
                    "[ERROR]\r\nEnabled=0.9\r\nMemory=-2\r\nCycle=5\r\nCycle='10'\r\n");
    EXPECT_EQ(record, (ConfigurationRecord{50.0, 2.0, 3.0, 4.0, false, true, 10, 7, 9}));
}

TEST_F(LoadSavePrintTest, LoadWithoutCalibrationReadsTheRestAndReturnsFalse)
{
    const std::string path = Write("nocal.tci", "[Threshold 2 Lower]\r\nPercent=150\r\n[Calibration]\r\n");
    ConfigurationRecord record = Before;
    EXPECT_FALSE(LoadSavePrint::Load(path.c_str(), record));
    EXPECT_EQ(record, (ConfigurationRecord{1.0, 2.0, 3.0, 150.0, true, true, 30, 8, 9}));
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
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const bool saved = LoadSavePrint::Save("relative.tci", Saved);
    std::filesystem::current_path(previous);
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
    EXPECT_EQ(LoadedFrom("zeros.tci", std::string(zeros, sizeof zeros - 1)).threshold1Upper,
              Before.threshold1Upper);

    const std::string longLines = "[Threshold 1 Upper]\r\nPercent=5" + std::string(100000, 'x') + "\r\n"
                                  + std::string(100000, 'k') + "=1\r\n";
    EXPECT_EQ(LoadedFrom("long.tci", longLines).threshold1Upper, 5.0);

    // Far beyond the first read buffer; the host must be asked again, larger.
    std::string huge = "[Threshold 2 Upper]\r\n";
    for (int count = 0; count < 5000; ++count)
        huge += "Percent=1\r\n";
    EXPECT_EQ(LoadedFrom("huge.tci", huge + "Percent=9\r\n").threshold2Upper, 9.0);
}

namespace {

// The host's section writer, refusing the one section it is told to refuse,
// as a full disk or a file locked for a moment would.
const char* refusedSection = "";

BOOL WINAPI WriteRefusingOneSection(LPCSTR section, LPCSTR body, LPCSTR fileName)
{
    if (lstrcmpA(section, refusedSection) == 0)
        return FALSE;
    return WritePrivateProfileSectionA(section, body, fileName);
}

}  // namespace

// A save that fails half-way leaves the file exactly as it was, with no
// section removed and not written again and no copy left beside it; the next
// save that succeeds keeps the file's attributes.
TEST_F(LoadSavePrintTest, ASaveThatFailsHalfWayLeavesTheFileAsItWas)
{
    const std::string before = std::string("[Notes]\r\nkept=1\r\n") + SavedSections;
    const std::string path = Write("halfway.tci", before);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const ConfigurationRecord changed{1.0, 2.0, 3.0, 4.0, false, false, 5, 6, 7};
    for (const char* section : {"Threshold 1 Upper", "Error", "Calibration"}) {
        refusedSection = section;
        EXPECT_FALSE(LoadSavePrint::Save(path.c_str(), changed, WriteRefusingOneSection)) << section;
        EXPECT_EQ(Read(path), before) << section;
    }
    EXPECT_TRUE(LoadSavePrint::Save(path.c_str(), Saved));
    EXPECT_EQ(Read(path), before);
    EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}
