#include "MessageBoxWatcher.h"

namespace {

constexpr const char* dialogClass = "#32770";
// Item ids of the host's message box.
constexpr int textItem = 0xFFFF;
constexpr int iconItem = 0x0014;
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
    while (!(box = FindWindowA(dialogClass, title.c_str())) || !IsWindowVisible(box)) {
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

void MessageBoxWatcher::Inspect(HWND box)
{
    char buffer[1024] = "";
    GetDlgItemTextA(box, textItem, buffer, sizeof buffer);
    text = buffer;
    hasOwner = GetWindow(box, GW_OWNER) != nullptr;
    const HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, iconItem, STM_GETICON, 0, 0));
    hasStopIcon = icon != nullptr && icon == LoadIcon(nullptr, IDI_HAND);
    taskWindowDisabled = taskWindow != nullptr && !IsWindowEnabled(taskWindow);
}
