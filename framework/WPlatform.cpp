#include "WPlatform.h"

#include <cstdio>

namespace {

struct PlatformRecord {
    int32_t family;
    WPlatformInfo info;
};

int32_t FamilyOf(DWORD platformId)
{
    switch (platformId) {
    case VER_PLATFORM_WIN32_NT:
        return WPlatformNT;
    case VER_PLATFORM_WIN32_WINDOWS:
        return WPlatform9x;
    default:
        return WPlatformWin32s;
    }
}

PlatformRecord QueryPlatform()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    PlatformRecord record{};
    // A 64-bit program runs on the NT family only; that is the answer when
    // the host declines to tell.
    if (!GetVersionExA(&version)) {
        record.family = WPlatformNT;
        return record;
    }
    record.family = FamilyOf(version.dwPlatformId);
    record.info.majorVersion = version.dwMajorVersion;
    record.info.minorVersion = version.dwMinorVersion;
    record.info.buildNumber = version.dwBuildNumber;
    std::snprintf(record.info.servicePack, sizeof(record.info.servicePack), "%s", version.szCSDVersion);
    return record;
}

}  // namespace

// The platform cannot change while the program runs: it is asked once.
int32_t GetPlatform(WPlatformInfo* info)
{
    static const PlatformRecord record = QueryPlatform();
    if (info != nullptr)
        *info = record.info;
    return record.family;
}
