#pragma once
// A tab control whose items carry pages: forms that the control places over
// its display area and shows only while their item is selected. When the
// selection is about to change the control raises SelectChangingEvent (a
// handler that sets the record's returnValue to non-zero keeps the current
// tab); when it has changed, SelectEvent, and then, unless a handler claimed
// that event, it hides the previous page and shows the new one. The record's
// newIndex of SelectChangingEvent is the tab being chosen: the neighbour for
// the arrow keys, the next (with Shift the previous) tab for Ctrl+Tab pressed
// anywhere in the control's window, and otherwise the tab under the pointer,
// since the host names the new tab only once it is selected.

#include "WApplication.h"
#include "WControl.h"
#include "WForm.h"

#include <memory>
#include <vector>

class WTabControlItem : public WObject {
    W_DECLARE_CLASS(WTabControlItem, WObject)
public:
    WString text;
    int32_t image = -1;
    WForm* page = nullptr;
    bool movePage = false;  // place the page at the display area's corner
    bool sizePage = false;  // give the page the display area's size
    bool ownsPage = false;  // the page is deleted with the tab control
};

class WTabControl : public WControl {
    W_DECLARE_CLASS(WTabControl, WControl)
public:
    // Ctrl+Tab must reach the control before the form's dialog keys take it.
    static constexpr int32_t FilterPriority = WApplication::FormFilterPriority + 1;

    WTabControl();
    ~WTabControl() override;

    // The new item's index, -1 when it could not be inserted.
    int32_t InsertItem(int32_t index, const char* text, int32_t image = -1);
    bool SetItemSize(int32_t width, int32_t height);
    // Binds the page to the item, places it over the display area (move: at
    // its corner, size: to its size) and shows it only when the item is
    // selected. ownsPage: the tab control deletes the page when it is deleted.
    bool SetItemPage(int32_t index, WForm* page, bool move = true, bool size = true, bool ownsPage = true);
    int32_t GetItemCount() const;
    WTabControlItem* GetItem(int32_t index) const;
    int32_t GetSelected() const;
    // Selects the item and shows its page.
    bool SetSelected(int32_t index);

protected:
    const char* GetWindowClass() const override;
    bool ReflectNotify(NMHDR* header, LRESULT& result) override;
    void MessageProcessed(const Message& message) override;

private:
    RECT DisplayArea(HWND page) const;
    void PlacePage(const WTabControlItem& item) const;
    void ShowSelectedPage() const;
    int32_t ItemUnderCursor() const;
    int32_t ItemForKey(WORD key) const;
    // Raises SelectChangingEvent; true when no handler kept the current tab.
    bool MayChangeTo(int32_t newIndex);
    // Raises SelectEvent and, unless a handler claimed it, shows the new page.
    void SelectionChanged();
    bool FilterControlTab(MSG* message, uint32_t userData);

    std::vector<std::unique_ptr<WTabControlItem>> items;  // in insertion order
    int32_t previousSelection = -1;
    int32_t keyChoice = -1;  // the tab the key now being handled chooses
};
