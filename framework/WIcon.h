#pragma once
// An icon loaded from the resources at a chosen size. Copies share the icon;
// it is destroyed with the last copy.

#include "WModuleHandle.h"
#include "WResourceID.h"

#include <memory>

class WIcon : public WObject {
    W_DECLARE_CLASS(WIcon, WObject)
public:
    WIcon();
    WIcon(const WIcon& other);
    WIcon& operator=(const WIcon& other);
    ~WIcon() override;

    // Width and height 0: the system's default icon size.
    bool Load(const WResourceID& id, const WModuleHandle& module = WModuleHandle(), int32_t width = 0,
              int32_t height = 0);
    HICON GetHandle() const { return handle ? handle.get() : nullptr; }
    bool IsEmpty() const { return !handle; }
    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }

private:
    std::shared_ptr<HICON__> handle;
    int32_t width = 0;
    int32_t height = 0;
};
