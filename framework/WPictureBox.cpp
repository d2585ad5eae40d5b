#include "WPictureBox.h"

bool WPictureBox::SetBitmap(const WBitmap& newBitmap)
{
    if (!GetHandle())
        return false;
    bitmap = newBitmap;
    const DWORD style = GetStyle();
    if ((style & SS_TYPEMASK) != SS_BITMAP)
        SetStyle((style & ~SS_TYPEMASK) | SS_BITMAP);
    Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.GetHandle()));
    return true;
}
