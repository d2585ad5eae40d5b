#pragma once
// An icon loaded from the resources at a chosen size. Copies share the icon;
// it is destroyed with the last copy.

#include "WLoadedPicture.h"
#include "WModuleHandle.h"
#include "WResourceID.h"

class WIcon : public WLoadedPicture<HICON> {
    W_DECLARE_CLASS(WIcon, WLoadedPicture<HICON>)
public:
    // Width and height 0: the system's default icon size.
    bool Load(const WResourceID& id, const WModuleHandle& module = WModuleHandle(), int32_t width = 0,
              int32_t height = 0);
};
