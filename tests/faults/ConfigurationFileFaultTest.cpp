// Configuration files nobody should write but somebody will: generated files
// full of near misses, random bytes, zero bytes, very long lines, very large
// and very many sections. Load must set exactly what the rules say and
// nothing else; Save must leave everything outside its six sections alone.

#include "ConfigurationFile.h"

#include "ConfigurationFilesTest.h"
#include "LoadSavePrint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

// A value as it may stand behind "=", and the number the rules read from it.
struct ValueText {
    const char* text;
    double number;
};

const ValueText ValueTexts[] = {
    {"50", 50.0},
    {"-12.35", -12.35},
    {"1e2", 100.0},
    {"0.9", 0.9},
    {"-2", -2.0},
    {"'10'", 10.0},
    {"\"-4.5\"", -4.5},
    {"7,8", 7.0},
    {"abc", 0.0},
    {"", 0.0},
    {"=3", 0.0},
    {"12abc", 12.0},
    {"99999999999", 99999999999.0},
    {"0x10", 0.0},
    {"inf", 0.0},
    {"1.5e", 1.5},
    {".5", 0.5},
    {"+6", 6.0},
    {"'7", 7.0},
};

// A key as it may stand before "=", and the key of the rules it means ("" for
// none): trailing digits are cut off, letter case counts.
struct KeyText {
    const char* text;
    const char* key;
};

const KeyText KeyTexts[] = {
    {"Percent", "Percent"},
    {"Percent2", "Percent"},
    {"Percent12", "Percent"},
    {"percent", ""},
    {"2Percent", ""},
    {"Per2cent", ""},
    {"Enabled", "Enabled"},
    {"Memory", "Memory"},
    {"Memory1", "Memory"},
    {"Cycle", "Cycle"},
    {"CYCLE", ""},
    {"Receiver", "Receiver"},
    {"Receiver3", "Receiver"},
    {"Transmitter", "Transmitter"},
    {"Transmitter0", "Transmitter"},
    {"Foo", ""},
};

// Lines that are no key=value entry at all.
const char* const JunkLines[] = {
    "junk", "==,,==", ",", "=", "'\"'", "=5", "\"Percent=5\"", "Percent", "[not closed",
};

struct Entry {
    std::string line;
    std::string key;  // the rules' key; "" when the line sets nothing
    double number = 0.0;
};

struct GeneratedSection {
    std::string name;    // as written in the file
    int32_t known = -1;  // ConfigurationFile::Section, -1 for a foreign one
    std::vector<Entry> entries;
};

std::string RandomCase(std::mt19937& random, const std::string& name)
{
    std::string varied = name;
    for (char& character : varied) {
        if (random() % 3 == 0)
            character = static_cast<char>(std::isupper(static_cast<unsigned char>(character))
                                              ? std::tolower(static_cast<unsigned char>(character))
                                              : std::toupper(static_cast<unsigned char>(character)));
    }
    return varied;
}

std::string Blanks(std::mt19937& random)
{
    return std::string(random() % 3, random() % 2 ? ' ' : '\t');
}

Entry RandomEntry(std::mt19937& random)
{
    if (random() % 5 == 0)
        return {JunkLines[random() % std::size(JunkLines)], "", 0.0};
    const KeyText& key = KeyTexts[random() % std::size(KeyTexts)];
    const ValueText& value = ValueTexts[random() % std::size(ValueTexts)];
    const std::string line = Blanks(random) + key.text + Blanks(random) + "=" + Blanks(random) + value.text;
    return {line, key.key, value.number};
}

// Up to nine sections in random order: each of the six with a chance, in a
// random letter case, and foreign ones whose names come close.
std::vector<GeneratedSection> RandomSections(std::mt19937& random)
{
    std::vector<GeneratedSection> sections;
    for (int32_t known = 0; known < ConfigurationFile::SectionCount; ++known) {
        if (random() % 5 != 0)
            sections.push_back({RandomCase(random, ConfigurationFile::GetSectionName(
                                                       static_cast<ConfigurationFile::Section>(known))),
                                known,
                                {}});
    }
    for (const char* foreign : {"Notes", "Threshold 1", "Error 2", "Calibrations"}) {
        if (random() % 2 == 0)
            sections.push_back({foreign, -1, {}});
    }
    std::shuffle(sections.begin(), sections.end(), random);
    for (GeneratedSection& section : sections) {
        const int32_t count = static_cast<int32_t>(random() % 7);
        for (int32_t index = 0; index < count; ++index)
            section.entries.push_back(RandomEntry(random));
    }
    return sections;
}

std::string FileText(const std::vector<GeneratedSection>& sections)
{
    std::string text;
    for (const GeneratedSection& section : sections) {
        text += "[" + section.name + "]\r\n";
        for (const Entry& entry : section.entries)
            text += entry.line + "\r\n";
    }
    return text;
}

// Which field each section's key sets, and how its number is stored.
void Store(int32_t section, const Entry& entry, ConfigurationRecord& record)
{
    using namespace ConfigurationFile;
    auto integer = [&] {
        const double truncated = std::trunc(entry.number);
        return truncated >= INT32_MAX   ? INT32_MAX
               : truncated <= INT32_MIN ? INT32_MIN
                                        : static_cast<int32_t>(truncated);
    };
    double* thresholds[] = {&record.threshold1Upper, &record.threshold1Lower, &record.threshold2Upper,
                            &record.threshold2Lower};
    if (section >= 0 && section <= Threshold2LowerSection && entry.key == "Percent")
        *thresholds[section] = entry.number;
    else if (section == ErrorSection && entry.key == "Enabled")
        record.errorEnabled = integer() != 0;
    else if (section == ErrorSection && entry.key == "Memory")
        record.errorMemory = integer() != 0;
    else if (section == ErrorSection && entry.key == "Cycle")
        record.errorCycle = integer();
    else if (section == CalibrationSection && entry.key == "Receiver")
        record.receiverCalibration = integer();
    else if (section == CalibrationSection && entry.key == "Transmitter")
        record.transmitterCalibration = integer();
}

struct Expected {
    ConfigurationRecord record;
    bool result;
};

Expected ExpectedLoad(const std::vector<GeneratedSection>& sections)
{
    Expected expected{Before, false};
    for (const GeneratedSection& section : sections) {
        for (const Entry& entry : section.entries)
            Store(section.known, entry, expected.record);
        if (section.known == ConfigurationFile::CalibrationSection)
            expected.result = !section.entries.empty();
    }
    return expected;
}

class ConfigurationFileFaultTest : public ConfigurationFilesTest {
protected:
    // What the host's own section reading gives for every section of the
    // file, each entry without the blanks the host may or may not strip
    // around it and around its "=" (its blanks include the old end-of-file
    // byte 0x1A).
    static std::map<std::string, std::vector<std::string>> HostView(const std::string& path)
    {
        std::map<std::string, std::vector<std::string>> view;
        std::vector<char> names(1 << 20);
        const DWORD length =
            GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), path.c_str());
        std::vector<char> body(1 << 21);
        for (const char* name = names.data(); name < names.data() + length && *name;
             name += std::strlen(name) + 1) {
            const DWORD bodyLength =
                GetPrivateProfileSectionA(name, body.data(), static_cast<DWORD>(body.size()), path.c_str());
            for (const char* entry = body.data(); entry < body.data() + bodyLength;
                 entry += std::strlen(entry) + 1)
                view[name].push_back(WithoutBlanks(entry));
        }
        return view;
    }

    static std::string WithoutBlanks(const std::string& entry)
    {
        const char* const blanks = " \t\n\v\f\r\x1a";
        auto trim = [blanks](const std::string& text) {
            const size_t first = text.find_first_not_of(blanks);
            return first == std::string::npos ? std::string()
                                              : text.substr(first, text.find_last_not_of(blanks) + 1 - first);
        };
        const size_t separator = entry.find('=');
        if (separator == std::string::npos)
            return trim(entry);
        return trim(entry.substr(0, separator)) + "=" + trim(entry.substr(separator + 1));
    }

    static void RemoveKnownSections(std::map<std::string, std::vector<std::string>>& view)
    {
        for (auto it = view.begin(); it != view.end();) {
            bool known = false;
            for (int32_t section = 0; section < ConfigurationFile::SectionCount; ++section) {
                known = known
                        || lstrcmpiA(it->first.c_str(), ConfigurationFile::GetSectionName(
                                                            static_cast<ConfigurationFile::Section>(section)))
                               == 0;
            }
            it = known ? view.erase(it) : std::next(it);
        }
    }
};

// Foreign sections that are hard on a reader but written the way profile
// files are written: the host keeps them as they are.
std::vector<std::string> HostileForeignSections()
{
    std::string big = "[Big]\r\n";
    while (big.size() < 40000)
        big += "key" + std::to_string(big.size()) + "=" + std::string(20, 'v') + "\r\n";
    std::string many;
    for (int index = 0; index < 3000; ++index)
        many += "[Many " + std::to_string(index) + "]\r\nk=" + std::to_string(index) + "\r\n";
    return {
        "before the first section=1\r\nno section line\r\n",
        "[Duplicated]\r\nPercent=1\r\nPercent=2\r\nPercent=3\r\n",
        big,
        "[Long]\r\nx=" + std::string(100000, 'y') + "\r\n" + std::string(100000, 'z') + "\r\n",
        "[Quotes]\r\nq=\"a=b\"\r\n'='\r\n\"\r\nPercent='5\r\n",
        "[Separators]\r\n==,,==\r\n,\r\n=\r\n",
        "[High]\r\n\x81\x8d\x8f\x90\x9d=\xe4\xf6\xfc\xdf\x80\xff\r\n",
        many,
        "[Duplicated]\r\nlater=1\r\n",
    };
}

}  // namespace

TEST_F(ConfigurationFileFaultTest, GeneratedFilesLoadExactlyAsTheRulesSay)
{
    std::mt19937 random(8128);
    for (int32_t round = 0; round < 60; ++round) {
        const std::vector<GeneratedSection> sections = RandomSections(random);
        const std::string text = FileText(sections);
        SCOPED_TRACE(text);
        const std::string path = Write("generated" + std::to_string(round) + ".tci", text);
        ConfigurationRecord record = Before;
        const bool result = LoadSavePrint::Load(path.c_str(), record);
        const Expected expected = ExpectedLoad(sections);
        EXPECT_EQ(record, expected.record);
        EXPECT_EQ(result, expected.result);
    }
}

TEST_F(ConfigurationFileFaultTest, SaveKeepsHostileForeignSectionsByteForByte)
{
    const std::vector<std::string> foreign = HostileForeignSections();
    std::string original, kept;
    for (size_t index = 0; index < foreign.size(); ++index) {
        original += foreign[index];
        kept += foreign[index];
        if (index % 3 == 1)
            original += "[error]\r\nEnabled=0\r\nOld=1\r\n[Threshold 2 Lower]\r\nPercent=7\r\n";
    }
    const std::string path = Write("hostile.tci", original);
    ASSERT_TRUE(LoadSavePrint::Save(path.c_str(), Saved));
    EXPECT_TRUE(Read(path) == kept + SavedSections) << "the foreign sections changed";

    ConfigurationRecord record{};
    EXPECT_TRUE(LoadSavePrint::Load(path.c_str(), record));
    EXPECT_EQ(record, (ConfigurationRecord{-12.35, 0.0, 100.0, -100.0, true, false, 15, -5, 127}));
}

TEST_F(ConfigurationFileFaultTest, SaveLeavesNoStaleCopyOfASectionTheFileHeldSeveralTimes)
{
    const std::string path =
        Write("copies.tci",
              "[Error]\r\nEnabled=0\r\n[Notes]\r\nn=1\r\n[ERROR]\r\nCycle=99\r\n[error]\r\nMemory=1\r\n");
    ASSERT_TRUE(LoadSavePrint::Save(path.c_str(), Saved));
    EXPECT_EQ(Read(path), std::string("[Notes]\r\nn=1\r\n") + SavedSections);
}

TEST_F(ConfigurationFileFaultTest, LoadReadsTheSixSectionsAmongHostileForeignOnes)
{
    std::string text;
    for (const std::string& section : HostileForeignSections())
        text += section;
    text += "[threshold 2 upper]\r\nPercent=33\r\n[Calibration]\r\nTransmitter=-3\r\n";
    const std::string path = Write("hostile-load.tci", text);
    ConfigurationRecord record = Before;
    EXPECT_TRUE(LoadSavePrint::Load(path.c_str(), record));
    EXPECT_EQ(record, (ConfigurationRecord{1.0, 2.0, 33.0, 4.0, true, true, 30, 8, -3}));
}

// Random bytes, zero bytes, blanks around "=", blank lines and bare LF line
// ends: the host's profile writer may set such text anew in its own form, so
// what must survive Save is every foreign section as the host reads it.
TEST_F(ConfigurationFileFaultTest, SaveKeepsEveryForeignSectionOfAGarbledFileAsTheHostReadsIt)
{
    std::mt19937 random(31337);
    for (int32_t round = 0; round < 8; ++round) {
        std::string text = "[Noise]\r\n";
        for (int32_t count = 0; count < 30000; ++count)
            text.push_back(static_cast<char>(random()));
        text += "\r\n[Zeros]\r\nk=v\0w\r\n\0\0\0\r\n  spaced  =  out  \r\n\r\n\r\n"
                "[Unix]\nlf=only\n\n[Error]\nEnabled=0\n"s;
        const std::string name = "garbled" + std::to_string(round) + ".tci";
        const std::string path = Write(name, text);
        const std::string pristine = Write("pristine-" + name, text);
        std::map<std::string, std::vector<std::string>> before = HostView(pristine);
        RemoveKnownSections(before);

        ASSERT_TRUE(LoadSavePrint::Save(path.c_str(), Saved));
        const std::string after = Read(path);
        ASSERT_GE(after.size(), std::strlen(SavedSections));
        EXPECT_EQ(after.substr(after.size() - std::strlen(SavedSections)), SavedSections);
        std::map<std::string, std::vector<std::string>> view = HostView(path);
        RemoveKnownSections(view);
        EXPECT_TRUE(view == before) << "round " << round;

        ConfigurationRecord record{};
        EXPECT_TRUE(LoadSavePrint::Load(path.c_str(), record));
        EXPECT_EQ(record, (ConfigurationRecord{-12.35, 0.0, 100.0, -100.0, true, false, 15, -5, 127}));
    }
}
