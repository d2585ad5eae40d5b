#include "RegistrySettings.h"

#include <cstring>

RegistrySettings* registrySettings = nullptr;

namespace {

const char* const ComPortValue = "COM";
const char* const ActiveFlagValue = "KVLActive";
constexpr int32_t HighestComPort = 8;
// Reading and writing values is all the settings need.
constexpr REGSAM SettingsAccess = KEY_QUERY_VALUE | KEY_SET_VALUE;

bool IsKnownComPort(int32_t port)
{
    return port >= 1 && port <= HighestComPort;
}

}

RegistrySettings::RegistrySettings()
    : RegistrySettings(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER)
{
}

RegistrySettings::RegistrySettings(HKEY preferredRoot, HKEY fallbackRoot)
{
    if (OpenKey(preferredRoot, fallbackRoot))
        Read();
}

RegistrySettings::~RegistrySettings()
{
    if (key.IsOpen())
        Write();
    key.Close();
}

bool RegistrySettings::OpenKey(HKEY preferredRoot, HKEY fallbackRoot)
{
    return key.Open(preferredRoot, KeyPath, SettingsAccess) || key.Open(fallbackRoot, KeyPath, SettingsAccess);
}

void RegistrySettings::Read()
{
    // A number outside the interfaces the program offers (COM1 to COM8) would
    // select no interface at all; the default serves better.
    if (key.HasValueOfType(ComPortValue, REG_DWORD)) {
        WBuffer buffer;
        key.GetValue(buffer, ComPortValue, REG_DWORD);
        int32_t stored = 0;
        if (buffer.GetSize() == sizeof stored) {
            std::memcpy(&stored, buffer.GetData(), sizeof stored);
            if (IsKnownComPort(stored))
                comPort = stored;
        }
    }
    WString active;
    key.GetString(active, ActiveFlagValue);
    activeFlag = active == "TRUE";
}

void RegistrySettings::Write()
{
    WBuffer buffer;
    int32_t stored = comPort;
    buffer.SetSize(sizeof stored, &stored);
    key.SetValue(ComPortValue, REG_DWORD, buffer);
    key.SetString(ActiveFlagValue, activeFlag ? "TRUE" : "FALSE");
}
