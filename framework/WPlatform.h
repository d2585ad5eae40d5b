#pragma once
// The host platform family, asked once and cached.

#include "WObject.h"

struct WPlatformInfo {
    DWORD majorVersion = 0;
    DWORD minorVersion = 0;
    DWORD buildNumber = 0;
    char servicePack[128] = "";
};

enum WPlatformFamily : int32_t { WPlatformNT = 1, WPlatform9x = 2, WPlatformWin32s = 3 };

int32_t GetPlatform(WPlatformInfo* info = nullptr);
