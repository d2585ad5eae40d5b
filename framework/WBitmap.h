#pragma once
// A bitmap loaded from the resources. Copies share the bitmap; it is deleted
// with the last copy.

#include "WModuleHandle.h"
#include "WResourceID.h"

#include <memory>

class WBitmap : public WObject {
    W_DECLARE_CLASS(WBitmap, WObject)
public:
    WBitmap();
    WBitmap(const WBitmap& other);
    WBitmap& operator=(const WBitmap& other);
    ~WBitmap() override;

    bool Load(const WResourceID& id, const WModuleHandle& module = WModuleHandle());
    HBITMAP GetHandle() const { return handle ? handle.get() : nullptr; }
    bool IsEmpty() const { return !handle; }
    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }

private:
    std::shared_ptr<HBITMAP__> handle;
    int32_t width = 0;
    int32_t height = 0;
};
