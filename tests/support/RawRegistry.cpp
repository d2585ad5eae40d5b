#include "RawRegistry.h"

#include <sddl.h>

#include <cstring>

RawValue Dword(DWORD value)
{
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

RawValue Text(const char* text)
{
    return {REG_SZ, std::string(text, std::strlen(text) + 1)};
}

HKEY CreateKey(HKEY root, const char* path)
{
    HKEY key = nullptr;
    RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

bool SetRawValue(HKEY root, const char* keyPath, const char* name, const RawValue& value)
{
    return RegSetKeyValueA(root, keyPath, name, value.type, value.bytes.data(),
                           static_cast<DWORD>(value.bytes.size()))
           == ERROR_SUCCESS;
}

RawValue GetRawValue(HKEY root, const char* keyPath, const char* name)
{
    constexpr DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
    RawValue value;
    DWORD size = 0;
    if (RegGetValueA(root, keyPath, name, flags, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    value.bytes.resize(size);
    if (RegGetValueA(root, keyPath, name, flags, &value.type, value.bytes.data(), &size) != ERROR_SUCCESS)
        return RawValue{};
    value.bytes.resize(size);
    return value;
}

void SetKeyAccess(HKEY root, const char* keyPath, const char* descriptorText)
{
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (RegOpenKeyExA(root, keyPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptorText, SDDL_REVISION_1, &descriptor,
                                                             nullptr)) {
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
    RegCloseKey(key);
}
