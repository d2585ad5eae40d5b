#include "WMenu.h"

WMenuItem::WMenuItem(WMenu* menu, int32_t id) : menu(menu), id(id) {}

bool WMenuItem::SetEnabled(bool enabled)
{
    const UINT flags = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    return EnableMenuItem(menu->GetHandle(), static_cast<UINT>(id), flags) != -1;
}

bool WMenuItem::SetChecked(bool checked)
{
    const UINT flags = MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED);
    return CheckMenuItem(menu->GetHandle(), static_cast<UINT>(id), flags) != static_cast<DWORD>(-1);
}

WMenu::WMenu() = default;

WMenu::WMenu(const WResourceID& id, const WModuleHandle& module)
{
    Load(id, module);
}

WMenu::WMenu(HMENU popup) : handle(popup)
{
    ReadEntries();
}

WMenu::~WMenu()
{
    Clear();
}

void WMenu::Clear()
{
    popups.clear();
    items.clear();
    if (handle && ownsHandle)
        DestroyMenu(handle);
    handle = nullptr;
    ownsHandle = false;
}

bool WMenu::Load(const WResourceID& id, const WModuleHandle& module)
{
    Clear();
    handle = LoadMenuA(module.GetHandle(), id.GetResourceName());
    if (!handle)
        return false;
    ownsHandle = true;
    ReadEntries();
    return true;
}

void WMenu::ReadEntries()
{
    const int count = GetMenuItemCount(handle);
    popups.resize(count > 0 ? static_cast<size_t>(count) : 0);
    for (int position = 0; position < count; ++position) {
        if (HMENU popup = GetSubMenu(handle, position)) {
            popups[position] = std::make_unique<WPopupMenu>(popup);
            continue;
        }
        const UINT id = GetMenuItemID(handle, position);
        const bool separator = (GetMenuState(handle, position, MF_BYPOSITION) & MF_SEPARATOR) != 0;
        if (!separator && id != static_cast<UINT>(-1))
            items.push_back(std::make_unique<WMenuItem>(this, static_cast<int32_t>(id)));
    }
}

WPopupMenu* WMenu::GetPopup(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= popups.size())
        return nullptr;
    return popups[index].get();
}

WMenuItem* WMenu::FindItem(int32_t id, bool searchPopups) const
{
    for (const auto& item : items) {
        if (item->GetId() == id)
            return item.get();
    }
    if (!searchPopups)
        return nullptr;
    for (const auto& popup : popups) {
        WMenuItem* found = popup ? popup->FindItem(id, true) : nullptr;
        if (found)
            return found;
    }
    return nullptr;
}

WMenu* WMenu::FindMenu(HMENU menuHandle)
{
    if (menuHandle && menuHandle == handle)
        return this;
    for (const auto& popup : popups) {
        WMenu* found = popup ? popup->FindMenu(menuHandle) : nullptr;
        if (found)
            return found;
    }
    return nullptr;
}

void WMenu::UpdateItems()
{
    for (const auto& item : items)
        item->ProcessEvent(UpdateEvent, item.get());
}

WPopupMenu::WPopupMenu(HMENU popup) : WMenu(popup) {}
