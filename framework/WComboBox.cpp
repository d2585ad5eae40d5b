#include "WComboBox.h"

#include <vector>

int32_t WComboBox::GetSelected() const
{
    return GetHandle() ? static_cast<int32_t>(Send(CB_GETCURSEL)) : -1;
}

bool WComboBox::SetSelected(int32_t index)
{
    return GetHandle() && static_cast<int32_t>(Send(CB_SETCURSEL, static_cast<WPARAM>(index))) == index;
}

int32_t WComboBox::AddString(const char* text, int32_t index)
{
    if (!GetHandle())
        return -1;
    const LPARAM entry = reinterpret_cast<LPARAM>(text);
    if (index < 0)
        return static_cast<int32_t>(Send(CB_ADDSTRING, 0, entry));
    return static_cast<int32_t>(Send(CB_INSERTSTRING, static_cast<WPARAM>(index), entry));
}

int32_t WComboBox::SelectString(const char* text)
{
    if (!GetHandle())
        return -1;
    const auto found =
        static_cast<int32_t>(Send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
    if (found >= 0)
        Send(CB_SETCURSEL, static_cast<WPARAM>(found));
    return found;
}

int32_t WComboBox::GetCount() const
{
    return GetHandle() ? static_cast<int32_t>(Send(CB_GETCOUNT)) : 0;
}

WString WComboBox::GetText() const
{
    const int32_t selected = GetSelected();
    if (selected < 0)
        return WString();
    const auto length = static_cast<int32_t>(Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(selected)));
    if (length < 0)
        return WString();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    Send(CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
    return WString(text.data());
}

// The host's window text of a drop-down list is not what it shows, so for a
// list the text names the entry to select, as GetText names the selected one.
bool WComboBox::SetText(const WString& text)
{
    if (!GetHandle())
        return false;
    if ((GetStyle() & 0x3) != CBS_DROPDOWNLIST)
        return WControl::SetText(text);
    const auto found = static_cast<int32_t>(
        Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.GetText())));
    return found >= 0 && SetSelected(found);
}

bool WComboBox::SetHeight(int32_t height)
{
    HWND window = GetHandle();
    RECT current{};
    if (!window || !GetWindowRect(window, &current))
        return false;
    return SetWindowPos(window, nullptr, 0, 0, current.right - current.left, height,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
           != FALSE;
}
