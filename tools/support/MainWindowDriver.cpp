#include "MainWindowDriver.h"

#include "Clock.h"
#include "ProcessWindows.h"
#include "resource.h"

#include <commctrl.h>

namespace {

constexpr DWORD PollInterval = 1;
// Looking for message boxes costs more than looking at a control, and a box
// that stops the program from getting idle only has to be found at all.
constexpr double MessageBoxLookInterval = 50.0;
constexpr DWORD BoxGoneTimeout = 2000;

struct ChildSearch {
    int id;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<ChildSearch*>(parameter);
    if (GetDlgCtrlID(window) != search.id || lstrcmpiA(WindowClassName(window).c_str(), search.className) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

MainWindowDriver::MainWindowDriver(HWND mainWindow, MessageBoxReport report)
    : mainWindow(mainWindow), report(std::move(report))
{
    GetWindowThreadProcessId(mainWindow, &processId);
}

// The interface list lies on a page inside the main window, not directly on it.
bool MainWindowDriver::FindControls()
{
    transferButton = GetDlgItem(mainWindow, IDC_TARVEK_CONNECT);
    ChildSearch search{IDC_TABFORM1_COMBO_COM, "ComboBox", nullptr};
    EnumChildWindows(mainWindow, MatchChild, reinterpret_cast<LPARAM>(&search));
    interfaceList = search.found;
    statusBar = FindWindowExA(mainWindow, nullptr, STATUSCLASSNAMEA, nullptr);
    return transferButton && interfaceList && statusBar;
}

bool MainWindowDriver::Press(DWORD timeoutMilliseconds)
{
    PostLeftButtonDown(transferButton, ClientCentre(transferButton));
    const double deadline = Milliseconds() + timeoutMilliseconds;
    while (IsIdle() || !IsDrawn(mainWindow)) {
        if (DismissMessageBoxes() > 0 || Milliseconds() >= deadline)
            return false;
        Sleep(PollInterval);
    }
    return true;
}

void MainWindowDriver::Release()
{
    PostLeftButtonUp(transferButton, ClientCentre(transferButton));
}

bool MainWindowDriver::WaitUntilIdle(DWORD timeoutMilliseconds, double& at)
{
    const double deadline = Milliseconds() + timeoutMilliseconds;
    double nextBoxLook = Milliseconds() + MessageBoxLookInterval;
    int boxes = 0;
    while (!IsIdle()) {
        const double now = Milliseconds();
        if (now >= deadline)
            return false;
        if (now >= nextBoxLook) {
            boxes += DismissMessageBoxes();
            nextBoxLook = now + MessageBoxLookInterval;
        }
        Sleep(PollInterval);
    }
    at = Milliseconds();
    return boxes == 0;
}

int MainWindowDriver::StatusTextLength() const
{
    return ::StatusTextLength(statusBar);
}

int MainWindowDriver::DismissMessageBoxes()
{
    int boxes = 0;
    for (HWND box : FindProcessWindows(processId, nullptr, "#32770")) {
        if (box == mainWindow)
            continue;
        DismissMessageBox(box);
        ++boxes;
    }
    return boxes;
}

// Waiting for the box to go keeps it from being counted twice.
void MainWindowDriver::DismissMessageBox(HWND box)
{
    if (report)
        report(WindowText(box), ReadMessageBoxText(box));
    DismissDialog(box, DefaultButtonOf(box));
    PollUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); }, BoxGoneTimeout, PollInterval);
}
