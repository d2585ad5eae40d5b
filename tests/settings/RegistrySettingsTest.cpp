#include "RegistrySettings.h"

#include "RawRegistry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const RawValue None;

// Two scratch keys under HKEY_CURRENT_USER stand in for the machine's and the
// user's root; the scratch tree goes when the test ends.
class RegistrySettingsTest : public ::testing::Test {
protected:
    std::string scratch = "Software\\TarvekTest-" + std::to_string(GetCurrentProcessId());
    HKEY preferred = CreateKey(HKEY_CURRENT_USER, (scratch + "\\Preferred").c_str());
    HKEY fallback = CreateKey(HKEY_CURRENT_USER, (scratch + "\\Fallback").c_str());

    void TearDown() override
    {
        SetAccess(preferred, "D:(A;;KA;;;WD)");
        SetAccess(fallback, "D:(A;;KA;;;WD)");
        RegCloseKey(preferred);
        RegCloseKey(fallback);
        RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str());
    }

    static void SetRaw(HKEY root, const char* name, const RawValue& value)
    {
        SetRawValue(root, RegistrySettings::KeyPath, name, value);
    }

    static RawValue GetRaw(HKEY root, const char* name)
    {
        return GetRawValue(root, RegistrySettings::KeyPath, name);
    }

    // What ordinary users meet under HKEY_LOCAL_MACHINE: the key exists and
    // may be read, but not written.
    static void MakeReadOnly(HKEY root)
    {
        RegCloseKey(CreateKey(root, RegistrySettings::KeyPath));
        SetAccess(root, "D:(A;;KR;;;WD)");
    }

    static void SetAccess(HKEY root, const char* descriptorText)
    {
        SetKeyAccess(root, RegistrySettings::KeyPath, descriptorText);
    }
};

}  // namespace

TEST_F(RegistrySettingsTest, MissingKeyIsCreatedAndTheChosenPortSurvives)
{
    auto* settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), 2);
    EXPECT_EQ(GetRaw(preferred, "COM"), None);
    delete settings;
    EXPECT_EQ(GetRaw(preferred, "COM"), Dword(2));
    EXPECT_EQ(GetRaw(preferred, "KVLActive"), Text("FALSE"));

    settings = new RegistrySettings(preferred, fallback);
    settings->SetComPort(5);
    delete settings;
    settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), 5);
    delete settings;
}

// Any port number is kept, also one above COM8 whose adapter is unplugged.
TEST_F(RegistrySettingsTest, ComValueOfNoPortNumberGivesTheDefaultAndIsRewrittenAsNumber)
{
    const struct {
        RawValue stored;
        int32_t port;
    } cases[] = {
        {Text("5"), 2},
        {Dword(0), 2},
        {Dword(256), 2},
        {Dword(0xFFFFFFFF), 2},
        {RawValue{REG_DWORD, "\5"}, 2},
        {Dword(1), 1},
        {Dword(9), 9},
        {Dword(255), 255},
    };
    for (const auto& check : cases) {
        SetRaw(preferred, "COM", check.stored);
        delete new RegistrySettings(preferred, fallback);
        EXPECT_EQ(GetRaw(preferred, "COM"), Dword(check.port)) << check.port;
    }
}

TEST_F(RegistrySettingsTest, ActiveFlagIsTrueOnlyForExactlyTRUE)
{
    SetRaw(preferred, "KVLActive", Text("true"));
    delete new RegistrySettings(preferred, fallback);
    EXPECT_EQ(GetRaw(preferred, "KVLActive"), Text("FALSE"));
    SetRaw(preferred, "KVLActive", Text("TRUE"));
    delete new RegistrySettings(preferred, fallback);
    EXPECT_EQ(GetRaw(preferred, "KVLActive"), Text("TRUE"));
}

TEST_F(RegistrySettingsTest, ReadOnlyPreferredKeyFallsBackToTheOtherRoot)
{
    SetRaw(preferred, "COM", Dword(4));
    MakeReadOnly(preferred);
    SetRaw(fallback, "COM", Dword(6));
    auto* settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), 6);
    settings->SetComPort(3);
    delete settings;
    EXPECT_EQ(GetRaw(fallback, "COM"), Dword(3));
    EXPECT_EQ(GetRaw(preferred, "COM"), Dword(4));
}

// An administrator's choice in the machine's key stands for a user who has
// none of his own, and is kept when the user's key is written.
TEST_F(RegistrySettingsTest, ReadOnlyPreferredKeyGivesTheValuesTheOtherRootLacks)
{
    SetRaw(preferred, "COM", Dword(4));
    SetRaw(preferred, "KVLActive", Text("TRUE"));
    MakeReadOnly(preferred);
    auto* settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), 4);
    delete settings;
    EXPECT_EQ(GetRaw(fallback, "COM"), Dword(4));
    EXPECT_EQ(GetRaw(fallback, "KVLActive"), Text("TRUE"));
}

TEST_F(RegistrySettingsTest, KeyRemovedWhileTheProgramRunsIsMadeAgainForTheChoice)
{
    auto* settings = new RegistrySettings(preferred, fallback);
    ASSERT_EQ(RegDeleteKeyA(preferred, RegistrySettings::KeyPath), ERROR_SUCCESS);
    settings->SetComPort(5);
    delete settings;
    EXPECT_EQ(GetRaw(preferred, "COM"), Dword(5));
}

TEST_F(RegistrySettingsTest, NoWritableRootKeepsDefaultsSilently)
{
    MakeReadOnly(preferred);
    MakeReadOnly(fallback);
    auto* settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), 2);
    settings->SetComPort(7);
    delete settings;
    EXPECT_EQ(GetRaw(preferred, "COM"), None);
    EXPECT_EQ(GetRaw(fallback, "COM"), None);
}
