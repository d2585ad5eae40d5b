#pragma once
// What the main window and its pages look like where the program sets it
// itself rather than through their templates: the styles of the tool bar and
// the status bar, the pages' templates and tab captions, the size of the
// transfer button's pictures and the height of the drop-down lists. The
// start-up benchmark builds the same windows from these.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace WindowLook {

constexpr DWORD StatusBarStyle = WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM;
static_assert(StatusBarStyle == 0x50000103);
// TBSTYLE_AUTOSIZE is a style of buttons, not of the bar; the bar has been
// made with that bit from the start, and nothing about it is to change here.
constexpr DWORD ToolbarStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | TBSTYLE_TOOLTIPS
                               | TBSTYLE_AUTOSIZE | CCS_ADJUSTABLE | CCS_TOP;
static_assert(ToolbarStyle == 0x50000B31);

struct PageTab {
    const char* templateName;
    const char* caption;
};

constexpr PageTab PageTabs[] = {
    {"ID_TabForm1", "Einstellungen"},
    {"ID_TabForm2", "Komparatoren"},
    {"ID_TabForm3", "Offsetabgleich"},
    {"ID_TabForm4", "Fehlerbehandlung"},
};
constexpr int32_t PageCount = sizeof PageTabs / sizeof PageTabs[0];

// The transfer button's pictures, in pixels.
constexpr int32_t ConnectIconSize = 48;
// The interface and the clearing-period lists, their drop-down part included.
constexpr int32_t DropDownHeight = 125;

}  // namespace WindowLook
