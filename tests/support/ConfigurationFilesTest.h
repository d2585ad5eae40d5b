#pragma once
// What the tests of configuration files share: a record and the six sections
// Save writes for it, byte for byte; a record that differs from it in every
// field; and a folder of the suite's own. Every test writes files of names of
// its own there: the host caches profile files by name.

#include "ConfigurationRecord.h"
#include "TestArtifacts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline const ConfigurationRecord Saved{-12.3456, 0.0, 100.0, -100.0, true, false, 15, -5, 127};
inline const ConfigurationRecord Before{1.0, 2.0, 3.0, 4.0, true, true, 30, 8, 9};

inline const char* const SavedSections = "[Threshold 1 Upper]\r\nPercent=-12.35\r\n"
                                         "[Threshold 1 Lower]\r\nPercent=0.00\r\n"
                                         "[Threshold 2 Upper]\r\nPercent=100.00\r\n"
                                         "[Threshold 2 Lower]\r\nPercent=-100.00\r\n"
                                         "[Error]\r\nEnabled=1\r\nMemory=0\r\nCycle=15\r\n"
                                         "[Calibration]\r\nReceiver=-5\r\nTransmitter=127\r\n";

class ConfigurationFilesTest : public ::testing::Test {
protected:
    static inline std::string folder;

    static void SetUpTestSuite() { folder = TestTemporaryFolder("tarvek-files-"); }

    static void TearDownTestSuite() { std::filesystem::remove_all(folder); }

    static std::string Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder + name, std::ios::binary) << bytes;
        return folder + name;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
};
