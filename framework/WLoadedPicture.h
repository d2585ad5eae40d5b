#pragma once
// What a bitmap and an icon loaded from the resources share: the picture's
// handle, which copies share and the last of them releases, and its size. An
// empty picture has no handle and the size 0 x 0.

#include "WObject.h"

#include <memory>
#include <type_traits>

template <class Handle>
class WLoadedPicture : public WObject {
    W_DECLARE_CLASS(WLoadedPicture, WObject)
public:
    Handle GetHandle() const { return handle.get(); }
    bool IsEmpty() const { return !handle; }
    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }

protected:
    // Takes a freshly loaded picture, to be released with the last copy, in
    // place of the one held. A null one (the load failed) leaves the picture
    // empty, whatever the size. Tells whether a picture is held.
    bool Hold(Handle loaded, void (*release)(Handle), SIZE size)
    {
        if (!loaded) {
            handle.reset();
            width = height = 0;
            return false;
        }
        handle = std::shared_ptr<std::remove_pointer_t<Handle>>(loaded, release);
        width = size.cx;
        height = size.cy;
        return true;
    }

private:
    std::shared_ptr<std::remove_pointer_t<Handle>> handle;
    int32_t width = 0;
    int32_t height = 0;
};
