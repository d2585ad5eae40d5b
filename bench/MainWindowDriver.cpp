#include "MainWindowDriver.h"

#include "ChildProgram.h"

#include <commctrl.h>

#include <vector>

namespace {

// Control ids of the program's dialog templates.
constexpr int transferButtonId = 106;
constexpr int interfaceListId = 102;
constexpr DWORD pollInterval = 1;
constexpr UINT queryTimeout = 5000;

struct ChildSearch {
    int id;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<ChildSearch*>(parameter);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (GetDlgCtrlID(window) != search.id || lstrcmpiA(className, search.className) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

struct BoxSearch {
    DWORD processId;
    HWND except;
    std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBox(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<BoxSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner == search.processId && window != search.except && IsWindowVisible(window)
        && lstrcmpA(className, "#32770") == 0)
        search.boxes.push_back(window);
    return TRUE;
}

}  // namespace

MainWindowDriver::MainWindowDriver(HWND mainWindow, DWORD processId)
    : mainWindow(mainWindow), processId(processId)
{
}

bool MainWindowDriver::FindControls()
{
    transferButton = GetDlgItem(mainWindow, transferButtonId);
    ChildSearch search{interfaceListId, "ComboBox", nullptr};
    EnumChildWindows(mainWindow, MatchChild, reinterpret_cast<LPARAM>(&search));
    interfaceList = search.found;
    statusBar = FindWindowExA(mainWindow, nullptr, STATUSCLASSNAMEA, nullptr);
    return transferButton && interfaceList && statusBar;
}

bool MainWindowDriver::Press(DWORD timeoutMilliseconds)
{
    PostMouse(WM_LBUTTONDOWN, MK_LBUTTON);
    const double deadline = Milliseconds() + timeoutMilliseconds;
    while (IsIdle() || !IsDrawn()) {
        if (DismissMessageBoxes() > 0 || Milliseconds() >= deadline)
            return false;
        Sleep(pollInterval);
    }
    return true;
}

bool MainWindowDriver::IsDrawn() const
{
    for (HWND window : {mainWindow, transferButton, statusBar}) {
        if (GetUpdateRect(window, nullptr, FALSE))
            return false;
    }
    return true;
}

void MainWindowDriver::Release()
{
    PostMouse(WM_LBUTTONUP, 0);
}

bool MainWindowDriver::WaitUntilIdle(DWORD timeoutMilliseconds, double& at)
{
    const double deadline = Milliseconds() + timeoutMilliseconds;
    while (!IsIdle()) {
        if (Milliseconds() >= deadline)
            return false;
        Sleep(pollInterval);
    }
    at = Milliseconds();
    return true;
}

// The text itself cannot be fetched from another process; its length can.
bool MainWindowDriver::HasStatusText() const
{
    DWORD_PTR length = 0;
    return !SendMessageTimeoutA(statusBar, SB_GETTEXTLENGTHA, 0, 0, SMTO_NORMAL, queryTimeout, &length)
           || LOWORD(length) != 0;
}

int MainWindowDriver::DismissMessageBoxes()
{
    BoxSearch search{processId, mainWindow, {}};
    EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&search));
    for (HWND box : search.boxes)
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return static_cast<int>(search.boxes.size());
}

double MainWindowDriver::MessageDelay()
{
    const double start = Milliseconds();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, queryTimeout, &result);
    return Milliseconds() - start;
}

// Painting validates the window; its update region is empty again once the
// window's thread has handled the paint message.
double MainWindowDriver::RepaintDelay(DWORD timeoutMilliseconds)
{
    const double start = Milliseconds();
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    const double deadline = start + timeoutMilliseconds;
    while (GetUpdateRect(mainWindow, nullptr, FALSE) && Milliseconds() < deadline)
        Sleep(pollInterval);
    return Milliseconds() - start;
}

void MainWindowDriver::PostMouse(UINT message, WPARAM keys)
{
    RECT client{};
    GetClientRect(transferButton, &client);
    PostMessageA(transferButton, message, keys, MAKELPARAM(client.right / 2, client.bottom / 2));
}
