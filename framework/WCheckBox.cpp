#include "WCheckBox.h"

bool WCheckBox::GetChecked() const
{
    return Send(BM_GETCHECK) == BST_CHECKED;
}

bool WCheckBox::SetChecked(bool checked)
{
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
    return GetChecked() == checked && GetHandle();
}

// A check box paints its text on its parent's background, without filling
// the box first where its colour handler answers a hollow brush; a shorter
// text would leave the end of the longer one standing. The parent's area
// under the box is repainted, the box with it.
bool WCheckBox::SetText(const WString& text)
{
    if (!WButton::SetText(text))
        return false;
    HWND box = GetHandle();
    HWND parentWindow = ::GetParent(box);
    if (!parentWindow)
        return true;
    RECT area{};
    GetWindowRect(box, &area);
    MapWindowPoints(nullptr, parentWindow, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parentWindow, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return true;
}
