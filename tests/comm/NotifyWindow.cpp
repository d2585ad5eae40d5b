#include "NotifyWindow.h"

#include "WEventData.h"

NotifyWindow::NotifyWindow(std::function<void()> onUserEvent) : onUserEvent(std::move(onUserEvent))
{
    AddHandler(UserEvent, this, &NotifyWindow::OnUserEvent);
    Create(nullptr, RECT{0, 0, 240, 120}, "notify target", WS_OVERLAPPEDWINDOW);
}

bool NotifyWindow::OnUserEvent(WObject*, WEventData* data)
{
    ++userEventCount;
    lastValue = static_cast<WUserEventData*>(data)->value;
    if (onUserEvent)
        onUserEvent();
    return true;
}

bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                  QS_ALLINPUT);
    }
}
