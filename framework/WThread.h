#pragma once
// Threads. WCurrentThread stands for the calling thread; WThread starts a new
// one that runs a function.

#include "WEventGenerator.h"

class WThreadBase : public WEventGenerator {
    W_DECLARE_CLASS(WThreadBase, WEventGenerator)
};

class WCurrentThread : public WThreadBase {
    W_DECLARE_CLASS(WCurrentThread, WThreadBase)
public:
    static void Sleep(DWORD milliseconds);
};

class WThread : public WThreadBase {
    W_DECLARE_CLASS(WThread, WThreadBase)
public:
    using Function = DWORD (*)(void* argument);

    WThread() = default;
    ~WThread() override;  // waits for the thread when it still runs

    bool Start(Function function, void* argument);
    // True when the thread has ended within the time-out.
    bool Wait(DWORD timeout = INFINITE);
    DWORD GetExitCode() const;
    DWORD GetId() const { return id; }

private:
    HANDLE handle = nullptr;
    DWORD id = 0;
};
