#include "RegistrySettings.h"

#include "PortNumbers.h"

#include <cstring>

RegistrySettings* registrySettings = nullptr;

namespace {

const char* const ComPortValue = "COM";
const char* const ActiveFlagValue = "KVLActive";
// Reading and writing values is all the settings need.
constexpr REGSAM SettingsAccess = KEY_QUERY_VALUE | KEY_SET_VALUE;

}  // namespace

// The user's key is shared by both views; only the machine's is redirected.
RegistrySettings::RegistrySettings() : RegistrySettings(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, KEY_WOW64_32KEY)
{
}

RegistrySettings::RegistrySettings(HKEY preferredRoot, HKEY fallbackRoot, REGSAM preferredView)
    : preferredRoot(preferredRoot), fallbackRoot(fallbackRoot), preferredView(preferredView)
{
    Read();
}

RegistrySettings::~RegistrySettings()
{
    Write();
}

// Where the preferred key takes writing, it alone holds the settings. Where it
// does not, the user's own values are read over the machine's, so that what
// the user chose wins and what an administrator set shows where the user
// chose nothing.
void RegistrySettings::Read()
{
    WRegistryKey key;
    if (key.Open(preferredRoot, KeyPath, SettingsAccess | preferredView)) {
        ReadFrom(key);
        return;
    }
    if (key.Open(preferredRoot, KeyPath, KEY_QUERY_VALUE | preferredView))
        ReadFrom(key);
    if (key.Open(fallbackRoot, KeyPath, KEY_QUERY_VALUE))
        ReadFrom(key);
}

// Sets only what the key holds. A number that no serial port can have would
// select no interface at all: it counts as none. Any port number counts, also
// one whose port is absent now: its adapter may be plugged in again.
void RegistrySettings::ReadFrom(WRegistryKey& key)
{
    if (key.HasValueOfType(ComPortValue, REG_DWORD)) {
        WBuffer buffer;
        key.GetValue(buffer, ComPortValue, REG_DWORD);
        int32_t stored = 0;
        if (buffer.GetSize() == sizeof stored) {
            std::memcpy(&stored, buffer.GetData(), sizeof stored);
            if (PortNumbers::IsPortNumber(stored))
                comPort = stored;
        }
    }
    if (key.HasValue(ActiveFlagValue)) {
        WString active;
        key.GetString(active, ActiveFlagValue);
        activeFlag = active == "TRUE";
    }
}

// The key is opened afresh: one removed while the program ran (by a clean-up
// tool, by an administrator) is made again rather than written to in vain.
void RegistrySettings::Write()
{
    WRegistryKey key;
    if (!key.Open(preferredRoot, KeyPath, SettingsAccess | preferredView)
        && !key.Open(fallbackRoot, KeyPath, SettingsAccess))
        return;
    WBuffer buffer;
    int32_t stored = comPort;
    buffer.SetSize(sizeof stored, &stored);
    key.SetValue(ComPortValue, REG_DWORD, buffer);
    key.SetString(ActiveFlagValue, activeFlag ? "TRUE" : "FALSE");
}
