#include "WThread.h"

#include <new>

namespace {

struct ThreadStart {
    WThread::Function function;
    void* argument;
};

// The host's start routine has its own calling convention; this adapts it to
// the plain function a WThread runs.
DWORD WINAPI RunThreadFunction(void* parameter)
{
    ThreadStart start = *static_cast<ThreadStart*>(parameter);
    delete static_cast<ThreadStart*>(parameter);
    return start.function(start.argument);
}

}  // namespace

void WCurrentThread::Sleep(DWORD milliseconds)
{
    ::Sleep(milliseconds);
}

WThread::~WThread()
{
    if (handle == nullptr)
        return;
    Wait(INFINITE);
    CloseHandle(handle);
}

bool WThread::Start(Function function, void* argument)
{
    if (handle != nullptr || function == nullptr)
        return false;
    auto* start = new (std::nothrow) ThreadStart{function, argument};
    if (start == nullptr)
        return false;
    handle = CreateThread(nullptr, 0, RunThreadFunction, start, 0, &id);
    if (handle == nullptr) {
        delete start;
        id = 0;
        return false;
    }
    return true;
}

bool WThread::Wait(DWORD timeout)
{
    if (handle == nullptr)
        return true;
    return WaitForSingleObject(handle, timeout) == WAIT_OBJECT_0;
}

DWORD WThread::GetExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (handle != nullptr)
        GetExitCodeThread(handle, &code);
    return code;
}
