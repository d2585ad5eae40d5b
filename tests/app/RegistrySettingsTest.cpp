#include "RegistrySettings.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <cstring>
#include <string>

namespace {

struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const RawValue&) const = default;
};

RawValue Dword(DWORD value)
{
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

RawValue Text(const char* text)
{
    return {REG_SZ, std::string(text, std::strlen(text) + 1)};
}

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

    static HKEY CreateKey(HKEY root, const char* path)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return key;
    }

    static void SetRaw(HKEY root, const char* name, const RawValue& value)
    {
        RegSetKeyValueA(root, RegistrySettings::KeyPath, name, value.type, value.bytes.data(),
                        static_cast<DWORD>(value.bytes.size()));
    }

    static RawValue GetRaw(HKEY root, const char* name)
    {
        RawValue value;
        char data[64];
        DWORD size = sizeof data;
        if (RegGetValueA(root, RegistrySettings::KeyPath, name, RRF_RT_ANY, &value.type, data, &size) == 0)
            value.bytes.assign(data, size);
        return value;
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
        HKEY key = nullptr;
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (RegOpenKeyExA(root, RegistrySettings::KeyPath, 0, WRITE_DAC, &key) != 0)
            return;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptorText, SDDL_REVISION_1, &descriptor,
                                                                 nullptr)) {
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
            LocalFree(descriptor);
        }
        RegCloseKey(key);
    }
};

}

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

TEST_F(RegistrySettingsTest, UnusableComValueGivesTheDefaultAndIsRewrittenAsNumber)
{
    for (const RawValue& stored : {Text("5"), Dword(0), Dword(9), RawValue{REG_DWORD, "\5"}}) {
        SetRaw(preferred, "COM", stored);
        delete new RegistrySettings(preferred, fallback);
        EXPECT_EQ(GetRaw(preferred, "COM"), Dword(2));
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
