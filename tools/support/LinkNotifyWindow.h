#pragma once
// The device link's notify target in a program without windows. The link's
// reader thread tells of every portion it received by posting a UserEvent to
// a window, as it tells the program's main form; this window takes that
// event, as the main form does, and hands the portion to the link. It is a
// message-only window: nobody sees it, it has no place on the desktop or in
// the task bar, and broadcasts pass it by.

#include "TarvekComm.h"
#include "WWindow.h"

class LinkNotifyWindow : public WWindow {
    W_DECLARE_CLASS(LinkNotifyWindow, WWindow)
public:
    explicit LinkNotifyWindow(TarvekComm& link);
    // Closes the link's port: its reader posts to this window for as long as
    // the port is open, and a device that goes on talking after its last
    // answer would otherwise reach a window that is gone.
    ~LinkNotifyWindow() override;

private:
    TarvekComm& link;

    bool OnUserEvent(WObject* source, WEventData* data);
};
