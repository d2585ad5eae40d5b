#include "WToolbar.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr int32_t StandardPictureCount = 15;
constexpr int32_t StripPictureCount = 3;

TBBUTTON ButtonOf(const WToolbarItemInfo& item, int32_t picture)
{
    TBBUTTON button{};
    button.iBitmap = item.separator ? 0 : (picture >= 0 ? picture : I_IMAGENONE);
    button.idCommand = item.commandId;
    button.fsState =
        static_cast<BYTE>((item.enabled ? TBSTATE_ENABLED : 0) | (item.visible ? 0 : TBSTATE_HIDDEN));
    button.fsStyle = static_cast<BYTE>(item.separator ? BTNS_SEP : BTNS_BUTTON);
    button.iString = -1;
    return button;
}

}  // namespace

const char* WToolbar::GetWindowClass() const
{
    return TOOLBARCLASSNAMEA;
}

void WToolbar::WindowAttached()
{
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
}

void WToolbar::ParentResized()
{
    Send(TB_AUTOSIZE);
}

void WToolbar::AddPictures(const WModuleHandle& module, uint16_t pictureStrip, int32_t& standardBase,
                           int32_t& stripBase)
{
    TBADDBITMAP standard{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    standardBase =
        static_cast<int32_t>(Send(TB_ADDBITMAP, StandardPictureCount, reinterpret_cast<LPARAM>(&standard)));
    stripBase = -1;
    if (FindResourceA(module.GetHandle(), MAKEINTRESOURCEA(pictureStrip), RT_BITMAP)) {
        TBADDBITMAP strip{module.GetHandle(), pictureStrip};
        stripBase =
            static_cast<int32_t>(Send(TB_ADDBITMAP, StripPictureCount, reinterpret_cast<LPARAM>(&strip)));
    }
}

bool WToolbar::Apply(const WToolbarDescription& description, const WModuleHandle& module, uint16_t pictureStrip)
{
    if (!GetHandle())
        return false;
    Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(description.imageWidth, description.imageHeight));
    int32_t standardBase = -1;
    int32_t stripBase = -1;
    AddPictures(module, pictureStrip, standardBase, stripBase);

    std::vector<TBBUTTON> buttons;
    toolTips.clear();
    for (const WToolbarItemInfo& item : description.items) {
        buttons.push_back(ButtonOf(item, ToolbarPicturePosition(item.image, standardBase, stripBase)));
        if (!item.separator && description.showToolTips)
            toolTips[item.commandId] = item.toolTip;
    }
    const bool added =
        buttons.empty() || Send(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(description.buttonWidth, description.buttonHeight));
    Send(TB_SETINDENT, description.indent);
    Send(TB_AUTOSIZE);
    return added;
}

int32_t WToolbar::GetButtonCount() const
{
    return static_cast<int32_t>(Send(TB_BUTTONCOUNT));
}

const char* WToolbar::GetToolTip(int32_t commandId) const
{
    const auto found = toolTips.find(commandId);
    return found == toolTips.end() ? nullptr : found->second.GetText();
}

bool WToolbar::ReflectCommand(WORD, WORD id, LRESULT&)
{
    WToolbarEventData data;
    data.commandId = Send(TB_COMMANDTOINDEX, id) >= 0 ? id : -1;
    return ProcessEvent(ClickEvent, this, &data);
}

bool WToolbar::SupplyToolTipText(NMHDR* header)
{
    const char* text = GetToolTip(static_cast<int32_t>(header->idFrom));
    if (!text)
        return false;
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        info->lpszText = const_cast<char*>(text);
        info->hinst = nullptr;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        MultiByteToWideChar(CP_ACP, 0, text, -1, info->szText, ARRAYSIZE(info->szText));
        info->lpszText = info->szText;
        info->hinst = nullptr;
    }
    return true;
}
