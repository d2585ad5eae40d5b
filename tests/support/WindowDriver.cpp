#include "WindowDriver.h"

#include "WApplication.h"

#include <vector>

namespace {

constexpr DWORD PollInterval = 10;

ULONGLONG Deadline(DWORD timeoutMilliseconds)
{
    return GetTickCount64() + timeoutMilliseconds;
}

LPARAM PositionOf(POINT at)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<int16_t>(at.x)), static_cast<WORD>(static_cast<int16_t>(at.y)));
}

bool HasText(HWND window, const char* wanted, int (*getText)(HWND, char*, int))
{
    if (!wanted)
        return true;
    char text[256] = "";
    getText(window, text, sizeof text);
    return lstrcmpA(text, wanted) == 0;
}

// Other test programs may show windows on the same display: only the
// windows of this process count.
HWND FindOwnWindow(const char* title, const char* className)
{
    struct Search {
        const char* title;
        const char* className;
        HWND found;
    } search{title, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(parameter);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != GetCurrentProcessId() || !IsWindowVisible(window))
                return TRUE;
            if (!HasText(window, wanted->title, GetWindowTextA) || !HasText(window, wanted->className, GetClassNameA))
                return TRUE;
            wanted->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

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
    const ULONGLONG deadline = Deadline(timeoutMilliseconds);
    for (;;) {
        PumpWaitingMessages();
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, PollInterval, QS_ALLINPUT);
    }
}

POINT ClientCentre(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return POINT{(client.right - client.left) / 2, (client.bottom - client.top) / 2};
}

void PressLeftButton(HWND window, POINT at)
{
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, PositionOf(at));
    PumpWaitingMessages();
}

void ReleaseLeftButton(HWND window, POINT at)
{
    PostMessageA(window, WM_LBUTTONUP, 0, PositionOf(at));
    PumpWaitingMessages();
}

void ClickWindow(HWND window)
{
    const POINT centre = ClientCentre(window);
    PressLeftButton(window, centre);
    ReleaseLeftButton(window, centre);
}

HWND FindTopLevelWindow(const char* title, const char* className, DWORD timeoutMilliseconds)
{
    const ULONGLONG deadline = Deadline(timeoutMilliseconds);
    for (;;) {
        HWND window = FindOwnWindow(title, className);
        if (window)
            return window;
        if (GetTickCount64() >= deadline)
            return nullptr;
        Sleep(PollInterval);
    }
}

std::string ReadMessageBoxText(HWND messageBox)
{
    // A message box shows its text in the static item 0xFFFF; the icon is a
    // static too, but without text.
    std::string longest;
    for (HWND child = GetWindow(messageBox, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") != 0)
            continue;
        const int length = GetWindowTextLengthA(child);
        std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
        GetWindowTextA(child, text.data(), length + 1);
        if (static_cast<size_t>(length) > longest.size())
            longest.assign(text.data());
    }
    return longest;
}

void DismissDialog(HWND dialog, int buttonId)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

MessageBoxWatcher::MessageBoxWatcher(std::string title, int buttonId, DWORD timeoutMilliseconds)
    : thread(&MessageBoxWatcher::Watch, this, std::move(title), buttonId, timeoutMilliseconds)
{
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    if (thread.joinable())
        thread.join();
}

void MessageBoxWatcher::Watch(std::string title, int buttonId, DWORD timeoutMilliseconds)
{
    HWND box = FindTopLevelWindow(title.c_str(), "#32770", timeoutMilliseconds);
    if (!box)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        text = ReadMessageBoxText(box);
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
    return text;
}
