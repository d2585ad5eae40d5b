#include "WRegistryKey.h"

#include "WErrors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every test works below its own scratch key, which is removed afterwards;
// what the key object wrote is read back with the raw registry calls.
class RegistryKeyTest : public ::testing::Test {
protected:
    const std::string parentPath = "Software\\TarvekTest";
    const std::string path = parentPath + "\\Core";

    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, parentPath.c_str()); }

    void TearDown() override
    {
        key.Close();
        RegDeleteTreeA(HKEY_CURRENT_USER, parentPath.c_str());
    }

    bool KeyExists()
    {
        HKEY raw;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
            return false;
        RegCloseKey(raw);
        return true;
    }

    // Type and bytes of a value as the host stores it.
    bool ReadRaw(const char* name, DWORD& type, std::vector<BYTE>& bytes)
    {
        HKEY raw;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
            return false;
        DWORD size = 0;
        LONG result = RegQueryValueExA(raw, name, nullptr, &type, nullptr, &size);
        bytes.assign(size, 0xCC);
        if (result == ERROR_SUCCESS)
            result = RegQueryValueExA(raw, name, nullptr, &type, bytes.data(), &size);
        RegCloseKey(raw);
        return result == ERROR_SUCCESS;
    }

    bool OpenScratchKey() { return key.Open(HKEY_CURRENT_USER, WString(path.c_str())); }

    WRegistryKey key;
};

TEST_F(RegistryKeyTest, OpenCreatesAMissingKey)
{
    ASSERT_FALSE(KeyExists());
    EXPECT_TRUE(OpenScratchKey());
    EXPECT_TRUE(key.IsOpen());
    EXPECT_TRUE(KeyExists());
}

TEST_F(RegistryKeyTest, FailedOpenLeavesNoKeyOpen)
{
    ASSERT_TRUE(OpenScratchKey());
    EXPECT_FALSE(key.Open(nullptr, WString("Software")));
    EXPECT_FALSE(key.IsOpen());
}

TEST_F(RegistryKeyTest, SetStringWritesTextWithItsTerminatingZero)
{
    ASSERT_TRUE(OpenScratchKey());
    EXPECT_TRUE(key.SetString(WString("Text"), WString("Grün")));
    EXPECT_TRUE(key.SetString(WString("Empty"), WString("")));

    DWORD type = 0;
    std::vector<BYTE> bytes;
    ASSERT_TRUE(ReadRaw("Text", type, bytes));
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(bytes, (std::vector<BYTE>{'G', 'r', 0xFC, 'n', 0}));
    ASSERT_TRUE(ReadRaw("Empty", type, bytes));
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(bytes, (std::vector<BYTE>{0}));
}

TEST_F(RegistryKeyTest, NumberWrittenFromABufferReadsBack)
{
    ASSERT_TRUE(OpenScratchKey());
    DWORD number = 3;
    WBuffer buffer;
    buffer.SetSize(sizeof(number), &number);
    EXPECT_TRUE(key.SetValue(WString("COM"), REG_DWORD, buffer));

    DWORD type = 0;
    std::vector<BYTE> bytes;
    ASSERT_TRUE(ReadRaw("COM", type, bytes));
    EXPECT_EQ(type, DWORD{REG_DWORD});
    EXPECT_EQ(bytes, (std::vector<BYTE>{3, 0, 0, 0}));

    WBuffer read;
    key.GetValue(read, WString("COM"), REG_DWORD);
    ASSERT_EQ(read.GetSize(), 4u);
    EXPECT_EQ(*static_cast<const DWORD*>(read.GetData()), 3u);
}

TEST_F(RegistryKeyTest, HasValueOfTypeComparesTheStoredType)
{
    ASSERT_TRUE(OpenScratchKey());
    key.SetString(WString("Text"), WString("1"));

    EXPECT_TRUE(key.HasValueOfType(WString("Text"), REG_SZ));
    SetLastError(1234);
    EXPECT_FALSE(key.HasValueOfType(WString("Text"), REG_DWORD));
    EXPECT_EQ(GetLastError(), 1234u);
    EXPECT_FALSE(key.HasValueOfType(WString("Missing"), REG_SZ));
    EXPECT_EQ(GetLastError(), DWORD{WErrorRegistryQuery});
}

TEST_F(RegistryKeyTest, MissingValuesReadAsEmptyWithTheQueryError)
{
    ASSERT_TRUE(OpenScratchKey());
    WString text("old");
    SetLastError(0);
    EXPECT_STREQ(key.GetString(text, WString("Missing")).GetText(), "");
    EXPECT_EQ(GetLastError(), DWORD{WErrorRegistryQuery});

    WBuffer buffer;
    buffer.SetSize(8);
    SetLastError(0);
    key.GetValue(buffer, WString("Missing"), REG_DWORD);
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(GetLastError(), DWORD{WErrorRegistryQuery});

    SetLastError(0);
    EXPECT_FALSE(key.HasValue(WString("Missing")));
    EXPECT_EQ(GetLastError(), DWORD{WErrorRegistryQuery});
}

TEST_F(RegistryKeyTest, GetStringStopsAtTheZeroAndCopesWithoutOne)
{
    ASSERT_TRUE(OpenScratchKey());
    const char stored[] = {'a', 'b', 0, 'c'};
    RegSetValueExA(key.GetHandle(), "Embedded", 0, REG_SZ, reinterpret_cast<const BYTE*>(stored), 4);
    RegSetValueExA(key.GetHandle(), "Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>("xyz"), 3);

    WString text;
    EXPECT_STREQ(key.GetString(text, WString("Embedded")).GetText(), "ab");
    EXPECT_TRUE(key.HasValue(WString("Unterminated")));
    EXPECT_STREQ(key.GetString(text, WString("Unterminated")).GetText(), "xyz");
}

TEST_F(RegistryKeyTest, CloseTwiceIsFineAndQueriesFailAfterwards)
{
    ASSERT_TRUE(OpenScratchKey());
    EXPECT_TRUE(key.Close(true));
    EXPECT_TRUE(key.Close());
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.HasValue(WString("Anything")));
    EXPECT_FALSE(key.SetString(WString("Anything"), WString("x")));
}

}  // namespace
