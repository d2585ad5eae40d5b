#include "WPictureButton.h"

namespace {

// The host draws a button's picture by the picture flag of its style, so the
// flag must name the kind of picture the button is given.
DWORD WithPictureKind(DWORD style, DWORD kind)
{
    return (style & ~(BS_ICON | BS_BITMAP)) | kind;
}

}  // namespace

bool WPictureButton::SetIcon(const WIcon& newIcon)
{
    icon = newIcon;
    bitmap = WBitmap();
    return ShowPicture(BS_ICON, IMAGE_ICON, icon.GetHandle());
}

bool WPictureButton::SetBitmap(const WBitmap& newBitmap)
{
    bitmap = newBitmap;
    icon = WIcon();
    return ShowPicture(BS_BITMAP, IMAGE_BITMAP, bitmap.GetHandle());
}

bool WPictureButton::ShowPicture(DWORD kind, WPARAM imageType, HANDLE picture)
{
    if (!GetHandle())
        return false;
    if ((GetStyle() & (BS_ICON | BS_BITMAP)) != kind)
        SetStyle(WithPictureKind(GetStyle(), kind));
    Send(BM_SETIMAGE, imageType, reinterpret_cast<LPARAM>(picture));
    return true;
}

// The host only marks the button for repainting. Classes that draw over the
// picture (a caption beside the icon) draw right after a change; unless the
// button was repainted first, the new text would land on the old one.
bool WPictureButton::SetText(const WString& text)
{
    return WButton::SetText(text) && Update(true);
}
