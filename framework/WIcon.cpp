#include "WIcon.h"

namespace {

// Asks the host for the icon's bitmaps, which it copies for the asking.
SIZE IconSize(HICON icon)
{
    SIZE size{0, 0};
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap{};
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight};
    } else if (info.hbmMask && GetObjectA(info.hbmMask, sizeof bitmap, &bitmap)) {
        // A monochrome icon keeps its AND and XOR masks one above the other.
        size = {bitmap.bmWidth, bitmap.bmHeight / 2};
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return size;
}

}  // namespace

bool WIcon::Load(const WResourceID& id, const WModuleHandle& module, int32_t wantedWidth, int32_t wantedHeight)
{
    const UINT flags = (wantedWidth == 0 && wantedHeight == 0) ? LR_DEFAULTSIZE : 0;
    const auto icon = static_cast<HICON>(
        LoadImageA(module.GetHandle(), id.GetResourceName(), IMAGE_ICON, wantedWidth, wantedHeight, flags));
    if (!icon)
        return Hold(nullptr, nullptr, SIZE{});
    // The host makes the icon as large as it was asked to, or as large as the
    // system's icons when no size was given; only else is it the resource's own.
    const SIZE size = (wantedWidth > 0 && wantedHeight > 0) ? SIZE{wantedWidth, wantedHeight}
                      : (flags & LR_DEFAULTSIZE)
                          ? SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)}
                          : IconSize(icon);
    return Hold(
        icon, [](HICON owned) { DestroyIcon(owned); }, size);
}
