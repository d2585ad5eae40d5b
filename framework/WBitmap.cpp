#include "WBitmap.h"

WBitmap::WBitmap() = default;

WBitmap::WBitmap(const WBitmap& other) = default;

WBitmap& WBitmap::operator=(const WBitmap& other) = default;

WBitmap::~WBitmap() = default;

bool WBitmap::Load(const WResourceID& id, const WModuleHandle& module)
{
    HBITMAP bitmap =
        static_cast<HBITMAP>(LoadImageA(module.GetHandle(), id.GetResourceName(), IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap) {
        handle.reset();
        width = height = 0;
        return false;
    }
    handle = std::shared_ptr<HBITMAP__>(bitmap, [](HBITMAP owned) { DeleteObject(owned); });
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}
