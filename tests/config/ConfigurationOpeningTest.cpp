#include "ConfigurationOpening.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using Outcome = ConfigurationOpening::Outcome;
using Need = ConfigurationOpening::Need;

const ConfigurationRecord Before{1.0, 2.0, 3.0, 4.0, true, true, 30, 8, 9};
const char* const Thresholds = "[Threshold 1 Upper]\r\nPercent=80\r\n[Threshold 1 Lower]\r\nPercent=20\r\n"
                               "[Threshold 2 Upper]\r\nPercent=90\r\n[Threshold 2 Lower]\r\nPercent=10\r\n";

struct OpeningCase {
    const char* name;
    const char* contents;  // null: the name is a device's, no file is written
    Outcome forProgram;
    Outcome forSender;
};

const OpeningCase OpeningCases[] = {
    {"Empty", "", Outcome::NoConfiguration, Outcome::NoConfiguration},
    {"OtherProgram", "[General]\r\nPercent=5\r\n[Window]\r\nEnabled=1\r\n", Outcome::NoConfiguration,
     Outcome::NoConfiguration},
    {"Picture", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR", Outcome::NoConfiguration, Outcome::NoConfiguration},
    {"OnlyCalibration", "[Calibration]\r\nReceiver=3\r\n", Outcome::Loaded, Outcome::Incomplete},
    {"NoErrorSection", Thresholds, Outcome::Loaded, Outcome::Incomplete},
    {"NUL", nullptr, Outcome::NotAPlainFile, Outcome::NotAPlainFile},
    {"COM5", nullptr, Outcome::NotAPlainFile, Outcome::NotAPlainFile},
};

std::string PathFor(const OpeningCase& test)
{
    if (!test.contents)
        return test.name;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "opening-" + test.name + ".tci";
    std::ofstream(path, std::ios::binary) << test.contents;
    return path;
}

class Opening : public ::testing::TestWithParam<OpeningCase> {};

}  // namespace

// A refused file leaves the record as it was: the pages and the device must
// not get zeros from a file that holds no configuration.
TEST_P(Opening, TakesOrRefusesTheFileAndARefusalChangesNothing)
{
    const OpeningCase& test = GetParam();
    const std::string path = PathFor(test);
    for (const auto& [need, expected] :
         {std::pair{Need::AnySection, test.forProgram}, std::pair{Need::SentSections, test.forSender}}) {
        ConfigurationRecord record = Before;
        const ConfigurationOpening opening = ConfigurationOpening::Open(path.c_str(), need, record);
        EXPECT_EQ(opening.GetOutcome(), expected);
        EXPECT_EQ(opening.GetMessage().IsEmpty(), expected == Outcome::Loaded);
        if (expected != Outcome::Loaded)
            EXPECT_EQ(record, Before);
        else
            EXPECT_NE(record, Before);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, Opening, ::testing::ValuesIn(OpeningCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OpeningMessage, NamesTheFileAndTheSectionsTheSenderMisses)
{
    const OpeningCase test{"Incomplete", Thresholds, Outcome::Loaded, Outcome::Incomplete};
    const std::string path = PathFor(test);
    ConfigurationRecord record = Before;
    const ConfigurationOpening opening = ConfigurationOpening::Open(path.c_str(), Need::SentSections, record);
    EXPECT_EQ(std::string(opening.GetMessage().GetText()),
              "Die Datei \"" + path
                  + "\" enthält keine vollständige Tarvek-Konfiguration.\r\nEs fehlt: [Error]");
}
