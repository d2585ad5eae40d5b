#include "WindowDriver.h"

#include "Clock.h"
#include "WApplication.h"

namespace {

constexpr DWORD PollInterval = 10;

}  // namespace

void PumpWaitingMessages()
{
    while (WApplication::DispatchWaitingMessage() == WWaitingMessage::Dispatched) {
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
