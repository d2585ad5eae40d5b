#pragma once
// Menus. A WMenu loads a menu bar from a menu resource and keeps one object per
// entry: a WPopupMenu for each drop-down menu and a WMenuItem for each command.
// When the user chooses a command, the window that shows the menu makes the
// item raise its ClickEvent; raising that event directly with ProcessEvent runs
// the same handlers, which lets tool bar buttons share the menu's handlers.
//
// The menu objects own the host menu of a loaded WMenu; a window that shows it
// only borrows it (WWindow::SetMenu).

#include "WEventGenerator.h"
#include "WModuleHandle.h"
#include "WResourceID.h"

#include <memory>
#include <vector>

class WMenu;

class WMenuItem : public WEventGenerator {
    W_DECLARE_CLASS(WMenuItem, WEventGenerator)
public:
    WMenuItem(WMenu* menu, int32_t id);
    int32_t GetId() const { return id; }
    WMenu* GetMenu() const { return menu; }
    bool SetEnabled(bool enabled);
    bool SetChecked(bool checked);

private:
    WMenu* menu;
    int32_t id;
};

class WPopupMenu;

class WMenu : public WObject {
    W_DECLARE_CLASS(WMenu, WObject)
public:
    WMenu();
    WMenu(const WResourceID& id, const WModuleHandle& module = WModuleHandle());
    ~WMenu() override;
    WMenu(const WMenu&) = delete;
    WMenu& operator=(const WMenu&) = delete;

    bool Load(const WResourceID& id, const WModuleHandle& module = WModuleHandle());
    HMENU GetHandle() const { return handle; }
    // The drop-down menu at that position of the menu, or null.
    WPopupMenu* GetPopup(int32_t index) const;
    // The command with that id; searchPopups also looks into the drop-down menus.
    WMenuItem* FindItem(int32_t id, bool searchPopups = true) const;
    // This menu or the drop-down menu within it that has the host handle, or null.
    WMenu* FindMenu(HMENU menuHandle);
    // The commands of this menu (not those of its drop-down menus) raise
    // UpdateEvent, so that their handlers can enable or check them.
    void UpdateItems();

protected:
    // Wraps a drop-down menu that belongs to its parent menu.
    explicit WMenu(HMENU popup);
    // Builds the entry objects from the host menu.
    void ReadEntries();
    void Clear();

private:
    HMENU handle = nullptr;
    bool ownsHandle = false;
    std::vector<std::unique_ptr<WPopupMenu>> popups;  // indexed by position, null for commands
    std::vector<std::unique_ptr<WMenuItem>> items;
};

class WPopupMenu : public WMenu {
    W_DECLARE_CLASS(WPopupMenu, WMenu)
public:
    explicit WPopupMenu(HMENU popup);
};
