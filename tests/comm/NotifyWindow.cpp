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
