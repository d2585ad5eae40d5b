#pragma once
// Wrappers of the host's synchronisation objects. All of them offer Lock and
// Unlock, so that WSemaphoreLock can guard a scope with any of them.

#include "WObject.h"

class WBaseSemaphore : public WObject {
    W_DECLARE_CLASS(WBaseSemaphore, WObject)
public:
    static constexpr DWORD Infinite = INFINITE;

    WBaseSemaphore() = default;
    ~WBaseSemaphore() override;
    WBaseSemaphore(const WBaseSemaphore&) = delete;
    WBaseSemaphore& operator=(const WBaseSemaphore&) = delete;

    virtual bool Lock(DWORD timeout = Infinite) = 0;
    virtual bool Unlock() = 0;
    HANDLE GetHandle() const { return handle; }

protected:
    HANDLE handle = nullptr;

    // Takes the handle a Create just made; false when the host made none.
    bool Adopt(HANDLE created);
};

// A counting semaphore.
class WCountSemaphore : public WBaseSemaphore {
    W_DECLARE_CLASS(WCountSemaphore, WBaseSemaphore)
public:
    // False when the object already has a handle (nothing changes then).
    bool Create(const char* name, LONG initialCount, LONG maximumCount);
    // True only when the semaphore was signalled within the time-out.
    bool Wait(DWORD timeout);
    // Waits like Wait, but is true whenever a handle exists, whatever the wait gave.
    bool Lock(DWORD timeout = Infinite) override;
    // Count + 1; false without a handle or when the count is at its maximum.
    bool Unlock() override;
    bool Release() { return Unlock(); }
};

// An event object (manual or automatic reset).
class WEventSemaphore : public WBaseSemaphore {
    W_DECLARE_CLASS(WEventSemaphore, WBaseSemaphore)
public:
    bool Create(const char* name, bool manualReset, bool initiallySet);
    bool Set();
    bool Reset();
    bool Lock(DWORD timeout = Infinite) override;  // waits until set
    bool Unlock() override;                        // sets it
};

// A mutex.
class WMutexSemaphore : public WBaseSemaphore {
    W_DECLARE_CLASS(WMutexSemaphore, WBaseSemaphore)
public:
    bool Create(const char* name, bool initiallyOwned);
    bool Lock(DWORD timeout = Infinite) override;
    bool Unlock() override;
};

// A host critical section, ready from construction.
class WCriticalSection : public WBaseSemaphore {
    W_DECLARE_CLASS(WCriticalSection, WBaseSemaphore)
public:
    WCriticalSection();
    ~WCriticalSection() override;
    bool Lock(DWORD timeout = Infinite) override;  // the time-out is not used
    bool Unlock() override;

private:
    CRITICAL_SECTION section;
};

// Holds a lock for the lifetime of the guard; a null lock makes it do nothing.
class WSemaphoreLock {
public:
    explicit WSemaphoreLock(WBaseSemaphore* lock);
    ~WSemaphoreLock();
    WSemaphoreLock(const WSemaphoreLock&) = delete;
    WSemaphoreLock& operator=(const WSemaphoreLock&) = delete;

private:
    WBaseSemaphore* lock;
};
