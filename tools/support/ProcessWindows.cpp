#include "ProcessWindows.h"

#include <commctrl.h>

namespace {

constexpr UINT QueryTimeout = 5000;

struct WindowSearch {
    DWORD processId;
    const char* title;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window)
        && (!search.title || WindowText(window) == search.title)
        && (!search.className || WindowClassName(window) == search.className))
        search.found.push_back(window);
    return TRUE;
}

LPARAM PositionOf(POINT at)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<int16_t>(at.x)),
                      static_cast<WORD>(static_cast<int16_t>(at.y)));
}

// Hidden windows (the pages not shown) paint nothing until they are shown.
BOOL CALLBACK FindUnpainted(HWND window, LPARAM parameter)
{
    if (!IsWindowVisible(window) || !GetUpdateRect(window, nullptr, FALSE))
        return TRUE;
    *reinterpret_cast<bool*>(parameter) = true;
    return FALSE;
}

}  // namespace

std::vector<HWND> FindProcessWindows(DWORD processId, const char* title, const char* className)
{
    WindowSearch search{processId, title, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindProcessWindow(DWORD processId, const char* title, const char* className)
{
    const std::vector<HWND> windows = FindProcessWindows(processId, title, className);
    return windows.empty() ? nullptr : windows.front();
}

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

std::string WindowClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

POINT ClientCentre(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return POINT{(client.right - client.left) / 2, (client.bottom - client.top) / 2};
}

void PostLeftButtonDown(HWND window, POINT at)
{
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, PositionOf(at));
}

void PostLeftButtonUp(HWND window, POINT at)
{
    PostMessageA(window, WM_LBUTTONUP, 0, PositionOf(at));
}

std::string ReadMessageBoxText(HWND messageBox)
{
    // A message box shows its text in a static; the icon is a static too,
    // but without text.
    std::string longest;
    for (HWND child = GetWindow(messageBox, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (lstrcmpiA(WindowClassName(child).c_str(), "Static") != 0)
            continue;
        std::string text = WindowText(child);
        if (text.size() > longest.size())
            longest = std::move(text);
    }
    return longest;
}

int DefaultButtonOf(HWND dialog)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(dialog, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, QueryTimeout, &result))
        return IDOK;
    return HIWORD(result) == DC_HASDEFID ? LOWORD(result) : IDOK;
}

void DismissDialog(HWND dialog, int buttonId)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

int StatusTextLength(HWND statusBar)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(statusBar, SB_GETTEXTLENGTHA, 0, 0, SMTO_ABORTIFHUNG, QueryTimeout, &result))
        return -1;
    return LOWORD(result);
}

bool IsDrawn(HWND window)
{
    bool unpainted = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!unpainted)
        EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}
