#pragma once
// The framework's own last-error codes: 0x20000000 plus the number of the
// message text in the string table (entries 1 to 7 of the program's resources).

#include "WObject.h"

enum WFrameworkError : DWORD {
    WErrorWindowNotCreated = 0x20000001,      // "The window could not successfully be created."
    WErrorWindowAlreadyCreated = 0x20000002,  // "The window has already been created."
    WErrorUserEventNotPosted = 0x20000003,    // "The user event could not be posted."
    WErrorNoWindow = 0x20000004,        // "The window has not been created or has already been destroyed."
    WErrorInvalidTarget = 0x20000005,   // "The target window specified was invalid."
    WErrorDragNotStarted = 0x20000006,  // "The drag-and-drop operation could not be started."
    WErrorRegistryQuery = 0x20000007,   // "The registry query was unsuccessful."
};

// The English text of a framework error code; "" for other codes.
const char* WErrorText(DWORD code);
// Sets the thread's last error to a framework code.
void WSetLastError(WFrameworkError code);
