#include "WSemaphore.h"

WBaseSemaphore::~WBaseSemaphore()
{
    if (handle != nullptr)
        CloseHandle(handle);
}

bool WBaseSemaphore::Adopt(HANDLE created)
{
    handle = created;
    return handle != nullptr;
}

bool WCountSemaphore::Create(const char* name, LONG initialCount, LONG maximumCount)
{
    return handle == nullptr && Adopt(CreateSemaphoreA(nullptr, initialCount, maximumCount, name));
}

bool WCountSemaphore::Wait(DWORD timeout)
{
    if (handle == nullptr)
        return false;
    return WaitForSingleObject(handle, timeout) == WAIT_OBJECT_0;
}

// Callers of Lock only want to have waited their time; whether the count was
// taken does not matter to them, so any wait result counts as success.
bool WCountSemaphore::Lock(DWORD timeout)
{
    if (handle == nullptr)
        return false;
    WaitForSingleObject(handle, timeout);
    return true;
}

bool WCountSemaphore::Unlock()
{
    if (handle == nullptr)
        return false;
    return ReleaseSemaphore(handle, 1, nullptr) != FALSE;
}

bool WEventSemaphore::Create(const char* name, bool manualReset, bool initiallySet)
{
    return handle == nullptr && Adopt(CreateEventA(nullptr, manualReset, initiallySet, name));
}

bool WEventSemaphore::Set()
{
    return handle != nullptr && SetEvent(handle) != FALSE;
}

bool WEventSemaphore::Reset()
{
    return handle != nullptr && ResetEvent(handle) != FALSE;
}

bool WEventSemaphore::Lock(DWORD timeout)
{
    return handle != nullptr && WaitForSingleObject(handle, timeout) == WAIT_OBJECT_0;
}

bool WEventSemaphore::Unlock()
{
    return Set();
}

bool WMutexSemaphore::Create(const char* name, bool initiallyOwned)
{
    return handle == nullptr && Adopt(CreateMutexA(nullptr, initiallyOwned, name));
}

// An abandoned mutex is still ours once the wait returns.
bool WMutexSemaphore::Lock(DWORD timeout)
{
    if (handle == nullptr)
        return false;
    DWORD result = WaitForSingleObject(handle, timeout);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

bool WMutexSemaphore::Unlock()
{
    return handle != nullptr && ReleaseMutex(handle) != FALSE;
}

WCriticalSection::WCriticalSection()
{
    InitializeCriticalSection(&section);
}

WCriticalSection::~WCriticalSection()
{
    DeleteCriticalSection(&section);
}

bool WCriticalSection::Lock(DWORD)
{
    EnterCriticalSection(&section);
    return true;
}

bool WCriticalSection::Unlock()
{
    LeaveCriticalSection(&section);
    return true;
}

WSemaphoreLock::WSemaphoreLock(WBaseSemaphore* lock) : lock(lock)
{
    if (lock != nullptr)
        lock->Lock(WBaseSemaphore::Infinite);
}

WSemaphoreLock::~WSemaphoreLock()
{
    if (lock != nullptr)
        lock->Unlock();
}
