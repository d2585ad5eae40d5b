#pragma once
// The program's boxes for the two messages a user sees when the device cannot
// be reached: the time-out, which the device link reports while a command
// waits, and the port that cannot be opened, which the exchange that opens it
// reports. Both are modal, without owner window, task-modal, with the stop
// icon, so that the user has to take note before the window goes on.

#include "TarvekComm.h"

class DeviceLinkMessages : public TarvekComm::Listener {
public:
    // "Tarvek Timeout".
    void ReplyTimedOut() override;
    // "Tarvek Fehler", naming COM(portIndex + 1).
    static void ShowOpenError(int32_t portIndex);
};
