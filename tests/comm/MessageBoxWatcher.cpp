#include "MessageBoxWatcher.h"

namespace {

constexpr const char* dialogClass = "#32770";
// Item ids of the host's message box.
constexpr int textItem = 0xFFFF;
constexpr DWORD pollInterval = 5;

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(const char* title, HWND taskWindow, DWORD timeoutMilliseconds)
    : title(title), taskWindow(taskWindow), timeout(timeoutMilliseconds)
{
    watcher = std::thread([this] { Watch(); });
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    Finish();
}

void MessageBoxWatcher::Finish()
{
    if (watcher.joinable())
        watcher.join();
}

void MessageBoxWatcher::Watch()
{
    const ULONGLONG deadline = GetTickCount64() + timeout;
    HWND box = nullptr;
    while (!(box = FindOwnBox()) || !IsWindowVisible(box)) {
        if (GetTickCount64() >= deadline)
            return;
        Sleep(pollInterval);
    }
    seenAt = GetTickCount64();
    seen = true;
    Inspect(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    while (IsWindow(box) && GetTickCount64() < deadline)
        Sleep(pollInterval);
}

// Only this process's boxes: another test on the same display may show one
// with the same title.
HWND MessageBoxWatcher::FindOwnBox() const
{
    HWND box = nullptr;
    while ((box = FindWindowExA(nullptr, box, dialogClass, title.c_str())) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (process == GetCurrentProcessId())
            return box;
    }
    return nullptr;
}

void MessageBoxWatcher::Inspect(HWND box)
{
    char buffer[1024] = "";
    GetDlgItemTextA(box, textItem, buffer, sizeof buffer);
    text = buffer;
    hasOwner = GetWindow(box, GW_OWNER) != nullptr;
    // The icon's item id differs between hosts; it is the one static that shows an icon.
    const HICON stopIcon = LoadIcon(nullptr, IDI_HAND);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(className, "Button") == 0 && (style & WS_VISIBLE))
            ++buttonCount;
        if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON)
            hasStopIcon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == stopIcon;
    }
    hasOnlyOk = buttonCount == 1 && GetDlgItem(box, IDOK) != nullptr;
    taskWindowDisabled = taskWindow != nullptr && !IsWindowEnabled(taskWindow);
}
