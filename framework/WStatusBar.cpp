#include "WStatusBar.h"

#include <commctrl.h>

const char* WStatusBar::GetWindowClass() const
{
    return STATUSCLASSNAMEA;
}

bool WStatusBar::SetStatusText(int32_t part, const char* text, int32_t style)
{
    return Send(SB_SETTEXTA, static_cast<WPARAM>(part | style), reinterpret_cast<LPARAM>(text)) != 0;
}

bool WStatusBar::RemoveSizeGrip()
{
    if (!GetHandle())
        return false;
    return SetStyle(GetStyle() & ~SBARS_SIZEGRIP);
}

void WStatusBar::ParentResized()
{
    Send(WM_SIZE);
}
