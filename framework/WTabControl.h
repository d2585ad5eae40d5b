#pragma once
// A tab control whose items carry pages: forms that the control places over
// its display area and shows only while their item is selected. When the
// selection is about to change the control raises SelectChangingEvent (a
// handler that sets the record's returnValue to non-zero keeps the current
// tab); when it has changed, SelectEvent, and then, unless a handler claimed
// that event, it hides the previous page and shows the new one. The record's
// newIndex of SelectChangingEvent is the tab under the pointer, since the host
// names the new tab only once it is selected.

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
    bool movePage = false;              // place the page at the display area's corner
    bool sizePage = false;              // give the page the display area's size
    bool ownsPage = false;              // the page is deleted with the tab control
};

class WTabControl : public WControl {
    W_DECLARE_CLASS(WTabControl, WControl)
public:
    ~WTabControl() override;

    // The new item's index, -1 when it could not be inserted.
    int32_t InsertItem(int32_t index, const char* text, int32_t image = -1);
    bool SetItemSize(int32_t width, int32_t height);
    // Binds the page to the item, places it over the display area (move: at
    // its corner, size: to its size) and shows it only when the item is
    // selected. ownsPage: the tab control deletes the page when it is deleted.
    bool SetItemPage(int32_t index, WForm* page, bool move = true, bool size = true,
                     bool ownsPage = true);
    int32_t GetItemCount() const;
    WTabControlItem* GetItem(int32_t index) const;
    int32_t GetSelected() const;
    // Selects the item and shows its page.
    bool SetSelected(int32_t index);

protected:
    const char* GetWindowClass() const override;
    bool ReflectNotify(NMHDR* header, LRESULT& result) override;

private:
    RECT DisplayArea(HWND page) const;
    void PlacePage(const WTabControlItem& item) const;
    void ShowSelectedPage() const;
    int32_t ItemUnderCursor() const;
    bool OnSelectionChanging(LRESULT& result);
    bool OnSelectionChanged();

    std::vector<std::unique_ptr<WTabControlItem>> items;    // in insertion order
    int32_t previousSelection = -1;
};
