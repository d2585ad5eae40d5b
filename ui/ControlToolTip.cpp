#include "ControlToolTip.h"

#include "WEventData.h"

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

bool ControlToolTip::Attach(WWindow& target, const char* toolText)
{
    Remove();
    if (!target.GetHandle())
        return false;
    awaited = &target;
    control = target.GetHandle();
    text = toolText;
    return awaited->AddHandler(MouseMoveEvent, this, &ControlToolTip::OnFirstMouseMove);
}

// The tool tip follows the mouse from here on by itself; the move that made
// it is handed on so that its wait for the mouse to rest starts now.
bool ControlToolTip::OnFirstMouseMove(WObject*, WEventData* data)
{
    const auto& move = *static_cast<WMouseEventData*>(data);
    if (MakeToolTip()) {
        MSG message{move.window,
                    WM_MOUSEMOVE,
                    move.keys & ~static_cast<WPARAM>(MK_ALT),
                    MAKELPARAM(move.x, move.y),
                    static_cast<DWORD>(GetMessageTime()),
                    {}};
        SendMessageA(toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    }
    StopAwaiting();
    return false;
}

bool ControlToolTip::MakeToolTip()
{
    toolTip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(control), nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!toolTip)
        return false;
    TTTOOLINFOA tool = ToolOf(control, text);
    if (!SendMessageA(toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        DestroyWindow(toolTip);
        toolTip = nullptr;
        return false;
    }
    return true;
}

// A control object deleted while the mouse never came took its handlers along.
void ControlToolTip::StopAwaiting()
{
    if (awaited && WWindow::FromHandle(control) == awaited)
        awaited->RemoveHandler(MouseMoveEvent, this, &ControlToolTip::OnFirstMouseMove);
    awaited = nullptr;
}

void ControlToolTip::Remove()
{
    StopAwaiting();
    if (toolTip && IsWindow(toolTip)) {
        TTTOOLINFOA tool = ToolOf(control, nullptr);
        SendMessageA(toolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        DestroyWindow(toolTip);
    }
    toolTip = nullptr;
    control = nullptr;
}
