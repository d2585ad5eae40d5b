#include "WindowDriver.h"

#include "Clock.h"
#include "WApplication.h"

namespace {

constexpr DWORD PollInterval = 10;

}  // namespace

void PumpWaitingMessages()
{
    for (;;) {
        MSG message{};
        bool dispatch = true;
        const int32_t got = WApplication::GetMessage(&message, false, true, nullptr, 0, 0, true, &dispatch);
        if (got < 0)
            return;
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (dispatch) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    for (;;) {
        PumpWaitingMessages();
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, PollInterval, QS_ALLINPUT);
    }
}

void PressLeftButton(HWND window, POINT at)
{
    PostLeftButtonDown(window, at);
    PumpWaitingMessages();
}

void ReleaseLeftButton(HWND window, POINT at)
{
    PostLeftButtonUp(window, at);
    PumpWaitingMessages();
}

void ClickWindow(HWND window)
{
    const POINT centre = ClientCentre(window);
    PressLeftButton(window, centre);
    ReleaseLeftButton(window, centre);
}

// Other test programs may show windows on the same display: only the
// windows of this process count.
HWND FindTopLevelWindow(const char* title, const char* className, DWORD timeoutMilliseconds)
{
    HWND window = nullptr;
    PollUntil([&] { return (window = FindProcessWindow(GetCurrentProcessId(), title, className)) != nullptr; },
              timeoutMilliseconds, PollInterval);
    return window;
}

MessageBoxWatcher::MessageBoxWatcher(std::string title, int buttonId, DWORD timeoutMilliseconds,
                                     HWND taskWindow)
    : thread(&MessageBoxWatcher::Watch, this, std::move(title), buttonId, timeoutMilliseconds,
             taskWindow)
{
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    if (thread.joinable())
        thread.join();
}

namespace {

// The icon of a message box is a static showing an icon; its item id differs between hosts.
bool ShowsStopIcon(HWND messageBox)
{
    const HICON stopIcon = LoadIcon(nullptr, IDI_HAND);
    for (HWND child = GetWindow(messageBox, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON
            && reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == stopIcon)
            return true;
    }
    return false;
}

bool HasOnlyOkButton(HWND messageBox)
{
    int buttons = 0;
    for (HWND child = GetWindow(messageBox, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Button") == 0 && (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            ++buttons;
    }
    return buttons == 1 && GetDlgItem(messageBox, IDOK) != nullptr;
}

}  // namespace

void MessageBoxWatcher::Watch(std::string title, int buttonId, DWORD timeoutMilliseconds,
                              HWND taskWindow)
{
    HWND box = FindTopLevelWindow(title.c_str(), "#32770", timeoutMilliseconds);
    if (!box)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        look.seenAt = GetTickCount64();
        look.text = ReadMessageBoxText(box);
        look.hasOwner = GetWindow(box, GW_OWNER) != nullptr;
        look.hasStopIcon = ShowsStopIcon(box);
        look.hasOnlyOkButton = HasOnlyOkButton(box);
        look.taskWindowWasDisabled = taskWindow != nullptr && !IsWindowEnabled(taskWindow);
    }
    found = true;
    DismissDialog(box, buttonId);
}

bool MessageBoxWatcher::Finish()
{
    if (thread.joinable())
        thread.join();
    return found;
}

std::string MessageBoxWatcher::GetText()
{
    std::lock_guard<std::mutex> lock(mutex);
    return look.text;
}
