#pragma once
// The host calls through which a serial port is opened, set up, read,
// written and closed. A port makes every call on its device through this
// table; the program leaves it bound to the host. Tests bind it to a model of
// a driver that does what the host's emulation never does (drops an event,
// refuses a call, vanishes), so the signatures are exactly the host's.

#include <windows.h>

struct SerialCalls {
    decltype(&::CreateFileA) openDevice = ::CreateFileA;
    decltype(&::SetCommMask) setEventMask = ::SetCommMask;
    decltype(&::SetupComm) setQueueSizes = ::SetupComm;
    decltype(&::SetCommTimeouts) setTimeouts = ::SetCommTimeouts;
    decltype(&::GetCommState) getLineSettings = ::GetCommState;
    decltype(&::SetCommState) setLineSettings = ::SetCommState;
    decltype(&::WaitCommEvent) waitForEvent = ::WaitCommEvent;
    decltype(&::ClearCommError) clearErrors = ::ClearCommError;
    decltype(&::ReadFile) read = ::ReadFile;
    decltype(&::WriteFile) write = ::WriteFile;
    decltype(&::GetOverlappedResult) getResult = ::GetOverlappedResult;
    decltype(&::PurgeComm) purge = ::PurgeComm;
    decltype(&::EscapeCommFunction) escape = ::EscapeCommFunction;
    decltype(&::CloseHandle) closeDevice = ::CloseHandle;
};
