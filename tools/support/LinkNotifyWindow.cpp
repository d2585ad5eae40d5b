#include "LinkNotifyWindow.h"

// Without its window the link still gets every answer, from its own look at
// the reader on every step of the wait, only later; so a failed creation
// needs no handling beyond leaving the object without window.
LinkNotifyWindow::LinkNotifyWindow(TarvekComm& link) : link(link)
{
    AddHandler(UserEvent, this, &LinkNotifyWindow::OnUserEvent);
    HWND window = CreateWindowExA(0, "Message", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window) {
        Attach(window);
        SetOwnsWindow(true);
    }
}

LinkNotifyWindow::~LinkNotifyWindow()
{
    link.Close();
}

bool LinkNotifyWindow::OnUserEvent(WObject*, WEventData*)
{
    link.OnDataReceived();
    return true;
}
