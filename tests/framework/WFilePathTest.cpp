#include "WFilePath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PathCase {
    const char* path;
    const char* name;
    const char* extension;
};

class FilePathParts : public ::testing::TestWithParam<PathCase> {};

TEST_P(FilePathParts, GivesBaseNameAndExtension)
{
    WFilePath path(GetParam().path);
    EXPECT_STREQ(path.GetFileName().GetText(), GetParam().name);
    EXPECT_STREQ(path.GetExtension().GetText(), GetParam().extension);
}

INSTANTIATE_TEST_SUITE_P(Cases, FilePathParts,
                         ::testing::Values(PathCase{"C:\\Tarvek\\file.tci", "file", ".tci"},
                                           PathCase{"C:/a.b/config.v2.tci", "config.v2", ".tci"},
                                           PathCase{"\\\\server\\share\\x.tci", "x", ".tci"},
                                           PathCase{"\\\\server\\share", "", ""},
                                           PathCase{"C:file.txt", "file", ".txt"}, PathCase{"file", "file", ""},
                                           PathCase{"dir.d\\file", "file", ""}, PathCase{"dir\\", "", ""},
                                           PathCase{".tci", "", ".tci"}, PathCase{"", "", ""}));

TEST(FilePath, SetExtensionReplacesOnlyTheExtension)
{
    WFilePath path("C:\\dir.x\\name.txt");
    EXPECT_TRUE(path.SetExtension(".tci"));
    EXPECT_STREQ(path.GetText(), "C:\\dir.x\\name.tci");
    EXPECT_TRUE(path.SetExtension("ini"));
    EXPECT_STREQ(path.GetText(), "C:\\dir.x\\name.ini");
    EXPECT_STREQ(path.GetExtension().GetText(), ".ini");
    EXPECT_TRUE(path.SetExtension(""));
    EXPECT_STREQ(path.GetText(), "C:\\dir.x\\name");

    WFilePath folder("C:\\dir\\");
    EXPECT_FALSE(folder.SetExtension(".tci"));
    EXPECT_STREQ(folder.GetText(), "C:\\dir\\");
}

TEST(FilePath, PartsFollowEveryChangeOfTheText)
{
    WFilePath path("a\\b.c");
    path = "x\\y\\long name.tci";
    EXPECT_STREQ(path.GetFileName().GetText(), "long name");
    path.Sprintf("%s\\%s", "C:\\dir", "z.ini");
    EXPECT_STREQ(path.GetFileName().GetText(), "z");
    EXPECT_STREQ(path.GetExtension().GetText(), ".ini");
    WString& asText = path;
    asText = "q.r";
    EXPECT_STREQ(path.GetExtension().GetText(), ".r");
}

TEST(FilePath, ProgramDirectoryIsTheExecutablesFolderWithABackslash)
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string expected(module);
    expected.erase(expected.find_last_of("\\/") + 1);

    WString directory = WFilePath::GetProgramDirectory();
    EXPECT_EQ(std::string(directory.GetText()), expected);
    EXPECT_EQ(directory.GetText()[directory.GetLength() - 1], '\\');
}

TEST(FilePath, ExistsAsksTheFileSystem)
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    DWORD attributes = 0;
    EXPECT_TRUE(WFilePath(module).Exists(&attributes));
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(WFilePath(WFilePath::GetProgramDirectory()).Exists(&attributes));
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_FALSE(WFilePath(std::string(module).append(".missing").c_str()).Exists(&attributes));
    EXPECT_EQ(attributes, INVALID_FILE_ATTRIBUTES);
}

}  // namespace
