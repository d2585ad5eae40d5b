#include "RegistrySettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
};

std::string Dword(DWORD value)
{
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// Two scratch roots under HKEY_CURRENT_USER stand in for the machine's and the
// user's root; the whole scratch tree goes when the test ends.
class RegistrySettingsTest : public ::testing::Test {
protected:
    std::string scratchPath;
    HKEY preferred = nullptr;
    HKEY fallback = nullptr;

    void SetUp() override
    {
        scratchPath = "Software\\TarvekTest-" + std::to_string(GetCurrentProcessId()) + "-"
            + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        preferred = CreateKey(HKEY_CURRENT_USER, (scratchPath + "\\Preferred").c_str());
        fallback = CreateKey(HKEY_CURRENT_USER, (scratchPath + "\\Fallback").c_str());
    }

    void TearDown() override
    {
        AllowWriting(preferred);
        AllowWriting(fallback);
        RegCloseKey(preferred);
        RegCloseKey(fallback);
        RegDeleteTreeA(HKEY_CURRENT_USER, scratchPath.c_str());
    }

    static HKEY CreateKey(HKEY root, const char* path)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        return key;
    }

    static void SetRaw(HKEY root, const char* name, DWORD type, const std::string& bytes)
    {
        HKEY key = CreateKey(root, RegistrySettings::KeyPath);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }

    static RawValue GetRaw(HKEY root, const char* name)
    {
        RawValue value;
        char data[64];
        DWORD size = sizeof data;
        if (RegGetValueA(root, RegistrySettings::KeyPath, name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, data,
                         &size) == ERROR_SUCCESS)
            value.bytes.assign(data, size);
        return value;
    }

    // What ordinary users meet under HKEY_LOCAL_MACHINE: the key exists and
    // may be read, but not written.
    static void MakeReadOnly(HKEY root)
    {
        HKEY key = CreateKey(root, RegistrySettings::KeyPath);
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
        alignas(DWORD) char aclBuffer[256];
        ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
        InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
        AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
        SetDescriptor(key, acl);
        FreeSid(everyone);
        RegCloseKey(key);
    }

    static void AllowWriting(HKEY root)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, RegistrySettings::KeyPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
            return;
        SetDescriptor(key, nullptr);
        RegCloseKey(key);
    }

    static void SetDescriptor(HKEY key, ACL* acl)
    {
        SECURITY_DESCRIPTOR descriptor;
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    }
};

}

TEST_F(RegistrySettingsTest, MissingKeyIsCreatedAndDefaultsAreWritten)
{
    auto* settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), 2);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(preferred, RegistrySettings::KeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    delete settings;
    const RawValue com = GetRaw(preferred, "COM");
    EXPECT_EQ(com.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(com.bytes, Dword(2));
    const RawValue active = GetRaw(preferred, "KVLActive");
    EXPECT_EQ(active.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(active.bytes, std::string("FALSE", 6));
}

TEST_F(RegistrySettingsTest, ChosenPortSurvivesToTheNextSettings)
{
    auto* settings = new RegistrySettings(preferred, fallback);
    settings->SetComPort(5);
    delete settings;
    EXPECT_EQ(GetRaw(preferred, "COM").bytes, Dword(5));
    settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), 5);
    delete settings;
}

TEST_F(RegistrySettingsTest, UnusableComValueGivesTheDefaultAndIsRewrittenAsNumber)
{
    const std::string stored[] = {std::string("5", 2), Dword(0), Dword(9), std::string("\5\0", 2)};
    const DWORD types[] = {REG_SZ, REG_DWORD, REG_DWORD, REG_DWORD};
    for (int index = 0; index < 4; ++index) {
        SetRaw(preferred, "COM", types[index], stored[index]);
        delete new RegistrySettings(preferred, fallback);
        const RawValue com = GetRaw(preferred, "COM");
        EXPECT_EQ(com.type, static_cast<DWORD>(REG_DWORD)) << index;
        EXPECT_EQ(com.bytes, Dword(2)) << index;
    }
}

TEST_F(RegistrySettingsTest, ActiveFlagIsTrueOnlyForExactlyTRUE)
{
    SetRaw(preferred, "KVLActive", REG_SZ, std::string("true", 5));
    delete new RegistrySettings(preferred, fallback);
    EXPECT_EQ(GetRaw(preferred, "KVLActive").bytes, std::string("FALSE", 6));
    SetRaw(preferred, "KVLActive", REG_SZ, std::string("TRUE", 5));
    delete new RegistrySettings(preferred, fallback);
    EXPECT_EQ(GetRaw(preferred, "KVLActive").bytes, std::string("TRUE", 5));
}

TEST_F(RegistrySettingsTest, ReadOnlyPreferredKeyFallsBackToTheOtherRoot)
{
    SetRaw(preferred, "COM", REG_DWORD, Dword(4));
    MakeReadOnly(preferred);
    SetRaw(fallback, "COM", REG_DWORD, Dword(6));
    auto* settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), 6);
    settings->SetComPort(3);
    delete settings;
    EXPECT_EQ(GetRaw(fallback, "COM").bytes, Dword(3));
    EXPECT_EQ(GetRaw(preferred, "COM").bytes, Dword(4));
}

TEST_F(RegistrySettingsTest, NoWritableRootKeepsDefaultsSilently)
{
    MakeReadOnly(preferred);
    MakeReadOnly(fallback);
    auto* settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), 2);
    settings->SetComPort(7);
    delete settings;
    EXPECT_EQ(GetRaw(preferred, "COM").type, static_cast<DWORD>(REG_NONE));
    EXPECT_EQ(GetRaw(fallback, "COM").type, static_cast<DWORD>(REG_NONE));
}
