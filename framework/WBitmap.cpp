#include "WBitmap.h"

bool WBitmap::Load(const WResourceID& id, const WModuleHandle& module)
{
    const auto bitmap =
        static_cast<HBITMAP>(LoadImageA(module.GetHandle(), id.GetResourceName(), IMAGE_BITMAP, 0, 0, 0));
    BITMAP info{};
    if (bitmap)
        GetObjectA(bitmap, sizeof info, &info);
    return Hold(
        bitmap, [](HBITMAP owned) { DeleteObject(owned); }, SIZE{info.bmWidth, info.bmHeight});
}
