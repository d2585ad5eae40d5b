#pragma once
// A bitmap loaded from the resources. Copies share the bitmap; it is deleted
// with the last copy.

#include "WLoadedPicture.h"
#include "WModuleHandle.h"
#include "WResourceID.h"

class WBitmap : public WLoadedPicture<HBITMAP> {
    W_DECLARE_CLASS(WBitmap, WLoadedPicture<HBITMAP>)
public:
    bool Load(const WResourceID& id, const WModuleHandle& module = WModuleHandle());
};
