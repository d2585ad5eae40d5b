#include "ControlToolTip.h"

#include <commctrl.h>

namespace {

TTTOOLINFOA ToolOf(HWND control, const char* text)
{
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    return tool;
}

}  // namespace

ControlToolTip::~ControlToolTip()
{
    Remove();
}

bool ControlToolTip::Attach(const WWindow& window, const char* text)
{
    Remove();
    HWND target = window.GetHandle();
    if (!target)
        return false;
    toolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              GetParent(target), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!toolTip)
        return false;
    control = target;
    TTTOOLINFOA tool = ToolOf(control, text);
    if (!SendMessageA(toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        Remove();
        return false;
    }
    return true;
}

void ControlToolTip::Remove()
{
    if (toolTip && IsWindow(toolTip)) {
        TTTOOLINFOA tool = ToolOf(control, nullptr);
        SendMessageA(toolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        DestroyWindow(toolTip);
    }
    toolTip = nullptr;
    control = nullptr;
}
