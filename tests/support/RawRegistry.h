#pragma once
// The registry as the raw host API sees it, for tests that check what the
// program's settings wrote or read: values with their type and exact bytes,
// scratch keys, and access lists that make a key read-only or closed.

#include <windows.h>

#include <string>

struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const RawValue&) const = default;
};

RawValue Dword(DWORD value);
// REG_SZ with its terminating zero counted, as the program writes text.
RawValue Text(const char* text);

// Creates (or opens) the key with all access; null on failure.
HKEY CreateKey(HKEY root, const char* path);
bool SetRawValue(HKEY root, const char* keyPath, const char* name, const RawValue& value);
// The value as stored, without expansion; REG_NONE and no bytes when absent.
RawValue GetRawValue(HKEY root, const char* keyPath, const char* name);
// Replaces the key's access list with one given in the host's descriptor text
// ("D:(A;;KR;;;WD)" read-only for everyone, "D:" no access at all).
void SetKeyAccess(HKEY root, const char* keyPath, const char* descriptorText);
