// The persistent settings against registry values of every wrong type and
// size, and against keys that cannot be opened: the defaults are used, nothing
// is shown, and the next write leaves exactly the values the program writes.

#include "DialogWatchers.h"
#include "RawRegistry.h"
#include "RegistrySettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct WrongValue {
    const char* what;
    RawValue value;
};

// Values of "COM" that are not a 4-byte REG_DWORD; some would read as 5 if
// their type or size were not looked at.
std::vector<WrongValue> WrongComValues()
{
    const std::string five("\5\0\0\0", 4);
    return {
        {"REG_SZ", Text("5")},
        {"REG_EXPAND_SZ", {REG_EXPAND_SZ, five}},
        {"REG_BINARY of 0 bytes", {REG_BINARY, ""}},
        {"REG_BINARY of 2 bytes", {REG_BINARY, std::string("\5\0", 2)}},
        {"REG_BINARY of 4 bytes", {REG_BINARY, five}},
        {"REG_BINARY of 8 bytes", {REG_BINARY, five + five}},
        {"REG_QWORD", {REG_QWORD, five + std::string(4, '\0')}},
        {"REG_MULTI_SZ", {REG_MULTI_SZ, std::string("5\0\0", 3)}},
        {"REG_DWORD_BIG_ENDIAN", {REG_DWORD_BIG_ENDIAN, std::string("\0\0\0\5", 4)}},
        {"REG_DWORD of 0 bytes", {REG_DWORD, ""}},
        {"REG_DWORD of 8 bytes", {REG_DWORD, five + five}},
        {"REG_NONE", {REG_NONE, five}},
    };
}

// Values of "KVLActive" and whether they read as set. Only the text TRUE
// counts, of whatever type the value is; a text need not carry its zero.
struct FlagValue {
    const char* what;
    RawValue value;
    bool readsAsSet;
};

std::vector<FlagValue> FlagValues()
{
    const std::string megabyte(size_t{1024} * 1024, 'T');
    return {
        {"REG_DWORD", Dword(1), false},
        {"REG_DWORD spelling TRUE", {REG_DWORD, "TRUE"}, true},
        {"REG_BINARY TRUE", {REG_BINARY, "TRUE"}, true},
        {"REG_BINARY of 0 bytes", {REG_BINARY, ""}, false},
        {"REG_SZ without its zero", {REG_SZ, "TRUE"}, true},
        {"REG_SZ TRUEX without its zero", {REG_SZ, "TRUEX"}, false},
        {"REG_SZ of a megabyte", {REG_SZ, megabyte + '\0'}, false},
        {"REG_SZ of a megabyte without its zero", {REG_SZ, megabyte}, false},
        {"REG_SZ TRUE, a zero, then a megabyte", {REG_SZ, std::string("TRUE\0", 5) + megabyte}, true},
        {"REG_MULTI_SZ", {REG_MULTI_SZ, std::string("TRUE\0\0", 6)}, true},
        {"REG_SZ empty", {REG_SZ, std::string(1, '\0')}, false},
    };
}

// A scratch tree under HKEY_CURRENT_USER stands in for the machine's root and
// the user's; it goes when the test ends.
class RegistryFaultTest : public ::testing::Test {
protected:
    std::string scratch = "Software\\TarvekFaults-" + std::to_string(GetCurrentProcessId());
    HKEY preferred = CreateKey(HKEY_CURRENT_USER, (scratch + "\\Preferred").c_str());
    HKEY fallback = CreateKey(HKEY_CURRENT_USER, (scratch + "\\Fallback").c_str());

    void TearDown() override
    {
        AllowAllAccess(preferred);
        RegCloseKey(preferred);
        RegCloseKey(fallback);
        RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str());
    }

    static void DenyAllAccess(HKEY root) { SetAccess(root, "D:"); }
    static void AllowAllAccess(HKEY root) { SetAccess(root, "D:(A;;KA;;;WD)"); }

    static void SetAccess(HKEY root, const char* descriptorText)
    {
        SetKeyAccess(root, RegistrySettings::KeyPath, descriptorText);
    }

    void SetRaw(const char* name, const RawValue& value)
    {
        ASSERT_TRUE(SetRawValue(preferred, RegistrySettings::KeyPath, name, value));
    }

    RawValue GetRaw(const char* name) { return RawFrom(preferred, name); }

    static RawValue RawFrom(HKEY root, const char* name)
    {
        return GetRawValue(root, RegistrySettings::KeyPath, name);
    }
};

}  // namespace

TEST_F(RegistryFaultTest, ComValueOfAWrongTypeOrSizeGivesTheDefaultSilentlyAndIsRewrittenRight)
{
    for (const WrongValue& wrong : WrongComValues()) {
        SCOPED_TRACE(wrong.what);
        SetRaw("COM", wrong.value);
        MessageBoxCollector shown(nullptr);
        auto* settings = new RegistrySettings(preferred, fallback);
        EXPECT_EQ(settings->GetComPort(), RegistrySettings::DefaultComPort);
        settings->SetComPort(6);
        delete settings;
        EXPECT_EQ(shown.Stop(), std::vector<std::string>{});
        EXPECT_EQ(GetRaw("COM"), Dword(6));
    }
}

TEST_F(RegistryFaultTest, ActiveFlagIsSetOnlyByTheTextTRUEOfAnyTypeAndRewrittenAsText)
{
    for (const FlagValue& flag : FlagValues()) {
        SCOPED_TRACE(flag.what);
        SetRaw("KVLActive", flag.value);
        MessageBoxCollector shown(nullptr);
        delete new RegistrySettings(preferred, fallback);
        EXPECT_EQ(shown.Stop(), std::vector<std::string>{});
        EXPECT_EQ(GetRaw("KVLActive"), Text(flag.readsAsSet ? "TRUE" : "FALSE"));
        EXPECT_EQ(GetRaw("COM"), Dword(RegistrySettings::DefaultComPort));
    }
}

TEST_F(RegistryFaultTest, KeysThatCannotBeOpenedGiveTheDefaultsAndTheNextSettingsWriteRight)
{
    SetRaw("COM", Dword(4));
    HKEY unusable[] = {nullptr, reinterpret_cast<HKEY>(static_cast<intptr_t>(0x7FFFFFF0))};
    for (HKEY root : unusable) {
        MessageBoxCollector shown(nullptr);
        auto* settings = new RegistrySettings(root, root);
        EXPECT_EQ(settings->GetComPort(), RegistrySettings::DefaultComPort);
        settings->SetComPort(7);
        delete settings;
        EXPECT_EQ(shown.Stop(), std::vector<std::string>{});
    }
    EXPECT_EQ(GetRaw("COM"), Dword(4));

    auto* settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), 4);
    settings->SetComPort(8);
    delete settings;
    EXPECT_EQ(GetRaw("COM"), Dword(8));
    EXPECT_EQ(GetRaw("KVLActive"), Text("FALSE"));
}

TEST_F(RegistryFaultTest, KeyThatAllowsNoAccessAtAllFallsBackSilently)
{
    SetRaw("COM", Dword(4));
    DenyAllAccess(preferred);
    MessageBoxCollector shown(nullptr);
    auto* settings = new RegistrySettings(preferred, fallback);
    EXPECT_EQ(settings->GetComPort(), RegistrySettings::DefaultComPort);
    settings->SetComPort(5);
    delete settings;
    EXPECT_EQ(shown.Stop(), std::vector<std::string>{});
    AllowAllAccess(preferred);
    EXPECT_EQ(GetRaw("COM"), Dword(4));
    EXPECT_EQ(RawFrom(fallback, "COM"), Dword(5));
}
