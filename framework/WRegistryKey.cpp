#include "WRegistryKey.h"

#include "WErrors.h"

#include <cstring>
#include <vector>

namespace {

// Type and size of a value, or false with the framework's query error set.
bool QueryValue(HKEY key, const WString& name, DWORD* type, BYTE* data, DWORD* size)
{
    if (RegQueryValueExA(key, name.GetText(), nullptr, type, data, size) == ERROR_SUCCESS)
        return true;
    WSetLastError(WErrorRegistryQuery);
    return false;
}

}  // namespace

WRegistryKey::~WRegistryKey()
{
    Close(false);
}

// A key that is open is given up first, also when closing it fails: the
// object then holds either the new key or none.
bool WRegistryKey::Open(HKEY parent, const WString& subKey, REGSAM access)
{
    if (key != nullptr) {
        RegCloseKey(key);
        key = nullptr;
    }
    HKEY opened = nullptr;
    LONG result = RegCreateKeyExA(parent, subKey.GetText(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                  nullptr, &opened, nullptr);
    if (result != ERROR_SUCCESS)
        return false;
    key = opened;
    return true;
}

bool WRegistryKey::Close(bool flush)
{
    if (key == nullptr)
        return true;
    if (flush)
        RegFlushKey(key);
    if (RegCloseKey(key) != ERROR_SUCCESS)
        return false;
    key = nullptr;
    return true;
}

bool WRegistryKey::HasValueOfType(const WString& name, DWORD type)
{
    DWORD storedType = REG_NONE;
    DWORD size = 0;
    return QueryValue(key, name, &storedType, nullptr, &size) && storedType == type;
}

bool WRegistryKey::HasValue(const WString& name)
{
    DWORD size = 0;
    return QueryValue(key, name, nullptr, nullptr, &size);
}

WBuffer& WRegistryKey::GetValue(WBuffer& buffer, const WString& name, DWORD type)
{
    buffer.SetSize(0);
    DWORD size = 0;
    if (!QueryValue(key, name, &type, nullptr, &size) || !buffer.SetSize(size))
        return buffer;
    DWORD read = size;
    if (QueryValue(key, name, &type, static_cast<BYTE*>(buffer.Lock()), &read) && read < size) {
        WBuffer exact;
        exact.SetSize(read, const_cast<void*>(buffer.GetData()));
        buffer = exact;
    }
    return buffer;
}

// The stored text need not end with a zero: one is always added after it.
WString& WRegistryKey::GetString(WString& text, const WString& name)
{
    text = "";
    DWORD size = 0;
    if (!QueryValue(key, name, nullptr, nullptr, &size))
        return text;
    std::vector<char> characters(size + 1, '\0');
    DWORD read = size;
    if (QueryValue(key, name, nullptr, reinterpret_cast<BYTE*>(characters.data()), &read))
        text = characters.data();
    return text;
}

bool WRegistryKey::SetValue(const WString& name, DWORD type, const WBuffer& buffer)
{
    return RegSetValueExA(key, name.GetText(), 0, type, static_cast<const BYTE*>(buffer.GetData()),
                          buffer.GetSize())
           == ERROR_SUCCESS;
}

bool WRegistryKey::SetString(const WString& name, const WString& text)
{
    const char* characters = text.GetText();
    DWORD bytes = static_cast<DWORD>(std::strlen(characters) + 1);
    return RegSetValueExA(key, name.GetText(), 0, REG_SZ, reinterpret_cast<const BYTE*>(characters), bytes)
           == ERROR_SUCCESS;
}
