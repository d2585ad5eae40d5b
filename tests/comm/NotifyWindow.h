#pragma once
// A hidden top-level window that stands in for the main form as the notify
// target of a port: it counts the UserEvents it receives and passes each one
// on, as the main form passes them to the device link.

#include "WWindow.h"

#include <functional>

class NotifyWindow : public WWindow {
    W_DECLARE_CLASS(NotifyWindow, WWindow)
public:
    explicit NotifyWindow(std::function<void()> onUserEvent = {});

    int32_t GetUserEventCount() const { return userEventCount; }
    uint32_t GetLastValue() const { return lastValue; }

private:
    std::function<void()> onUserEvent;
    int32_t userEventCount = 0;
    uint32_t lastValue = 0xFFFFFFFF;

    bool OnUserEvent(WObject* source, WEventData* data);
};

// Dispatches this thread's messages until the condition holds; false when it
// does not hold by the deadline.
bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds);
