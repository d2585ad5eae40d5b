#include "WTabControl.h"

#include <commctrl.h>

WTabControl::WTabControl()
{
    WApplication::AddMessageFilter(this, &WTabControl::FilterControlTab, 0, FilterPriority);
}

WTabControl::~WTabControl()
{
    WApplication::RemoveMessageFilter(this, &WTabControl::FilterControlTab);
    for (const auto& item : items) {
        if (item->ownsPage)
            delete item->page;
    }
}

const char* WTabControl::GetWindowClass() const
{
    return WC_TABCONTROLA;
}

int32_t WTabControl::InsertItem(int32_t index, const char* text, int32_t image)
{
    if (!GetHandle())
        return -1;
    auto item = std::make_unique<WTabControlItem>();
    item->text = text;
    item->image = image;
    TCITEMA entry{};
    entry.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    entry.pszText = const_cast<char*>(item->text.GetText());
    entry.iImage = image;
    entry.lParam = reinterpret_cast<LPARAM>(item.get());
    const auto inserted = static_cast<int32_t>(
        Send(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry)));
    if (inserted >= 0)
        items.push_back(std::move(item));
    return inserted;
}

bool WTabControl::SetItemSize(int32_t width, int32_t height)
{
    if (!GetHandle())
        return false;
    Send(TCM_SETITEMSIZE, 0, MAKELPARAM(width, height));
    return true;
}

int32_t WTabControl::GetItemCount() const
{
    return static_cast<int32_t>(Send(TCM_GETITEMCOUNT));
}

WTabControlItem* WTabControl::GetItem(int32_t index) const
{
    TCITEMA entry{};
    entry.mask = TCIF_PARAM;
    if (!GetHandle() || !Send(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry)))
        return nullptr;
    return reinterpret_cast<WTabControlItem*>(entry.lParam);
}

int32_t WTabControl::GetSelected() const
{
    return GetHandle() ? static_cast<int32_t>(Send(TCM_GETCURSEL)) : -1;
}

bool WTabControl::SetSelected(int32_t index)
{
    if (!GetHandle() || index < 0 || index >= GetItemCount())
        return false;
    Send(TCM_SETCURSEL, static_cast<WPARAM>(index));
    ShowSelectedPage();
    return true;
}

bool WTabControl::SetItemPage(int32_t index, WForm* page, bool move, bool size, bool ownsPage)
{
    WTabControlItem* item = GetItem(index);
    if (!item)
        return false;
    item->page = page;
    item->movePage = move;
    item->sizePage = size;
    item->ownsPage = ownsPage;
    PlacePage(*item);
    if (page && page->GetHandle())
        ShowWindow(page->GetHandle(), index == GetSelected() ? SW_SHOWNA : SW_HIDE);
    return true;
}

RECT WTabControl::DisplayArea(HWND page) const
{
    RECT area{};
    GetClientRect(GetHandle(), &area);
    Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(GetHandle(), ::GetParent(page), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void WTabControl::PlacePage(const WTabControlItem& item) const
{
    HWND page = item.page ? item.page->GetHandle() : nullptr;
    if (!page)
        return;
    const RECT area = DisplayArea(page);
    // The page stays just above the tab control in the stacking order, so that
    // the control's own painting never covers it.
    HWND above = GetWindow(GetHandle(), GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE;
    if (!item.movePage)
        flags |= SWP_NOMOVE;
    if (!item.sizePage)
        flags |= SWP_NOSIZE;
    if (above == page)
        flags |= SWP_NOZORDER;
    SetWindowPos(page, above ? above : HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, flags);
}

void WTabControl::ShowSelectedPage() const
{
    const int32_t selected = GetSelected();
    const int32_t count = GetItemCount();
    for (int32_t index = 0; index < count; ++index) {
        WTabControlItem* item = GetItem(index);
        if (item && item->page && item->page->GetHandle() && index != selected)
            ShowWindow(item->page->GetHandle(), SW_HIDE);
    }
    WTabControlItem* shown = GetItem(selected);
    if (shown && shown->page && shown->page->GetHandle()) {
        PlacePage(*shown);
        ShowWindow(shown->page->GetHandle(), SW_SHOW);
    }
}

int32_t WTabControl::ItemUnderCursor() const
{
    const DWORD position = GetMessagePos();
    TCHITTESTINFO hit{};
    hit.pt = {static_cast<int16_t>(LOWORD(position)), static_cast<int16_t>(HIWORD(position))};
    ScreenToClient(GetHandle(), &hit.pt);
    return static_cast<int32_t>(Send(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

// The arrow keys move to the neighbour of the focused tab.
int32_t WTabControl::ItemForKey(WORD key) const
{
    const auto focused = static_cast<int32_t>(Send(TCM_GETCURFOCUS));
    int32_t chosen = -1;
    if (key == VK_LEFT)
        chosen = focused - 1;
    else if (key == VK_RIGHT)
        chosen = focused + 1;
    return chosen >= 0 && chosen < GetItemCount() ? chosen : -1;
}

// The host tells which key it is about to handle before it changes the
// selection for it.
bool WTabControl::ReflectNotify(NMHDR* header, LRESULT& result)
{
    if (header->code == TCN_KEYDOWN) {
        keyChoice = ItemForKey(reinterpret_cast<NMTCKEYDOWN*>(header)->wVKey);
        return false;
    }
    if (header->code == TCN_SELCHANGING) {
        const int32_t chosen = keyChoice >= 0 ? keyChoice : ItemUnderCursor();
        keyChoice = -1;
        result = !MayChangeTo(chosen);
        return true;
    }
    if (header->code == TCN_SELCHANGE) {
        SelectionChanged();
        return true;
    }
    return false;
}

// A key that changed nothing leaves no choice behind for the next change.
void WTabControl::MessageProcessed(const Message& message)
{
    if (message.message == WM_KEYDOWN)
        keyChoice = -1;
}

bool WTabControl::MayChangeTo(int32_t newIndex)
{
    previousSelection = GetSelected();
    WSelectEventData data;
    data.previousIndex = previousSelection;
    data.newIndex = newIndex;
    int32_t veto = 0;
    ProcessEvent(SelectChangingEvent, this, &data, &veto);
    return veto == 0;
}

void WTabControl::SelectionChanged()
{
    WSelectEventData data;
    data.previousIndex = previousSelection;
    data.newIndex = GetSelected();
    if (!ProcessEvent(SelectEvent, this, &data))
        ShowSelectedPage();
}

// Ctrl+Tab and Ctrl+Shift+Tab pressed anywhere in the control's top-level
// window step through the tabs, as in the host's property sheets; the host's
// tab control has no key for that of its own.
bool WTabControl::FilterControlTab(MSG* message, uint32_t)
{
    HWND control = GetHandle();
    if (!control || message->message != WM_KEYDOWN || message->wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0)
        return false;
    if (!message->hwnd || GetAncestor(message->hwnd, GA_ROOT) != GetAncestor(control, GA_ROOT)
        || !IsWindowVisible(control) || !IsWindowEnabled(control))
        return false;
    const int32_t count = GetItemCount();
    if (count < 2)
        return false;
    const int32_t step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
    const int32_t current = GetSelected();
    const int32_t chosen = current < 0 ? 0 : (current + step) % count;
    if (MayChangeTo(chosen)) {
        Send(TCM_SETCURSEL, static_cast<WPARAM>(chosen));
        SelectionChanged();
    }
    return true;
}
