#pragma once
// The values the program keeps between runs: the number of the serial
// interface last used and the flag "KVLActive", under one registry key. They are
// read when the object is made and written when it is deleted.
//
// The key lives under HKEY_LOCAL_MACHINE. Ordinary users may not write there;
// then the same key under HKEY_CURRENT_USER is read and written instead, so the
// interface chosen is still remembered. Registry failures are never shown:
// missing values give the defaults, refused writes are dropped.

#include "WRegistryKey.h"

class RegistrySettings {
public:
    static constexpr const char* KeyPath = "SOFTWARE\\Holmfeldt\\Kalvento";
    static constexpr int32_t DefaultComPort = 2;

    RegistrySettings();
    // The key is opened under `preferredRoot` when it can be written there,
    // else under `fallbackRoot`.
    RegistrySettings(HKEY preferredRoot, HKEY fallbackRoot);
    ~RegistrySettings();
    RegistrySettings(const RegistrySettings&) = delete;
    RegistrySettings& operator=(const RegistrySettings&) = delete;

    // 1-based: 1 = COM1.
    int32_t GetComPort() const { return comPort; }
    void SetComPort(int32_t port) { comPort = port; }

private:
    int32_t comPort = DefaultComPort;
    WRegistryKey key;
    bool activeFlag = false;

    bool OpenKey(HKEY preferredRoot, HKEY fallbackRoot);
    void Read();
    void Write();
};

// The one settings object of the process; null while none exists.
extern RegistrySettings* registrySettings;
