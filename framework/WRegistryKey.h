#pragma once
// One open key of the host's registry. Failed queries set the thread's last
// error to WErrorRegistryQuery; nothing is ever shown.

#include "WBuffer.h"
#include "WString.h"

class WRegistryKey : public WObject {
    W_DECLARE_CLASS(WRegistryKey, WObject)
public:
    WRegistryKey() = default;
    ~WRegistryKey() override;  // Close without flushing
    WRegistryKey(const WRegistryKey&) = delete;
    WRegistryKey& operator=(const WRegistryKey&) = delete;

    // Creates the sub-key when it does not exist. access: the rights asked for.
    bool Open(HKEY parent, const WString& subKey, REGSAM access = KEY_ALL_ACCESS);
    bool Close(bool flush = false);
    bool IsOpen() const { return key != nullptr; }
    HKEY GetHandle() const { return key; }

    bool HasValueOfType(const WString& name, DWORD type);
    bool HasValue(const WString& name);
    WBuffer& GetValue(WBuffer& buffer, const WString& name, DWORD type);
    WString& GetString(WString& text, const WString& name);
    bool SetValue(const WString& name, DWORD type, const WBuffer& buffer);
    bool SetString(const WString& name, const WString& text);

private:
    HKEY key = nullptr;
};
