#pragma once
// The values the program keeps between runs: the number of the serial
// interface last used and the flag "KVLActive", under one registry key. They are
// read when the object is made and written when it is deleted.
//
// The key lives under HKEY_LOCAL_MACHINE, in the registry's 32-bit view: the
// programs that share it (the one that reads "KVLActive", tools that stored
// the interface before) are 32-bit programs, and on 64-bit Windows they see
// only that view. Ordinary users may not write there;
// then the same key under HKEY_CURRENT_USER is written instead, so the
// interface chosen is still remembered, and a value the user's key holds
// stands before the machine's, which an administrator may have set. Registry
// failures are never shown: missing values give the defaults, refused writes
// are dropped.

#include "WRegistryKey.h"

class RegistrySettings {
public:
    static constexpr const char* KeyPath = "SOFTWARE\\Holmfeldt\\Kalvento";
    static constexpr int32_t DefaultComPort = 2;

    RegistrySettings();
    // The settings are written under `preferredRoot` when it takes writing,
    // else under `fallbackRoot`. `preferredView` chooses the registry view of
    // the preferred root (KEY_WOW64_32KEY, KEY_WOW64_64KEY, or 0 for the
    // program's own).
    RegistrySettings(HKEY preferredRoot, HKEY fallbackRoot, REGSAM preferredView = 0);
    ~RegistrySettings();
    RegistrySettings(const RegistrySettings&) = delete;
    RegistrySettings& operator=(const RegistrySettings&) = delete;

    // 1-based: 1 = COM1.
    int32_t GetComPort() const { return comPort; }
    void SetComPort(int32_t port) { comPort = port; }

private:
    int32_t comPort = DefaultComPort;
    HKEY preferredRoot;
    HKEY fallbackRoot;
    REGSAM preferredView;
    bool activeFlag = false;

    void Read();
    void ReadFrom(WRegistryKey& key);
    void Write();
};

// The one settings object of the process; null while none exists.
extern RegistrySettings* registrySettings;
