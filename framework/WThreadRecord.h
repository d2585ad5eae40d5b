#pragma once
// The framework's per-thread record: what the event model and the message loop
// keep for each thread that uses them. It is created on the thread's first use
// and freed when the thread ends (a fiber-local slot with a clean-up callback,
// which the host calls for every ending thread, however it was started).
// Nothing in it is shared between threads, so nothing in it needs a lock.

#include "WEventData.h"
#include "WMessageFilter.h"

#include <vector>

class WEventGenerator;

// One running ProcessEvent on this thread. A generator destroyed by one of its
// own handlers clears `generatorAlive` in every frame that walks it, so the
// walk ends without touching the freed generator. `running` is the handler
// this dispatch is calling now: kept per thread, because several threads may
// dispatch on one generator at once.
struct WDispatchFrame {
    WEventGenerator* generator;
    bool generatorAlive;
    WDispatchFrame* outer;
    WEventHandler running;
};

// One message on its way through a framework window's dispatcher on this
// thread. A window object deleted meanwhile (by one of its own handlers, or
// while a message loop below runs) clears `windowAlive` in every frame that
// routes a message to it, so that the dispatcher does not touch it again.
// `handling`: the window's event handlers for the message are running.
struct WMessageFrame {
    const WObject* window;
    bool windowAlive;
    bool handling;
    WMessageFrame* outer;
};

struct WMessageFilter {
    WObject* owner;
    WMessageFilterRoutine filter;
    uint32_t userData;
    int32_t priority;
    bool hooked;
};

struct WThreadRecord {
    int32_t dispatchDepth = 0;
    bool deletionPending = false;            // DeleteLater was called while an event was dispatched
    WDispatchFrame* frames = nullptr;        // innermost first
    WMessageFrame* messageFrames = nullptr;  // innermost first
    std::vector<HWND> closesWaiting;         // close requests waiting until no handler runs
    std::vector<WMessageFilter> filters;     // higher priority first
    HHOOK getMessageHook = nullptr;
    bool insidePump = false;
    int32_t loopNesting = 0;         // RunMessageLoop calls running on this thread
    std::vector<WObject*> deferred;  // DeleteLater objects, oldest first

    ~WThreadRecord();
    bool HasHookedFilter() const;
};

// The calling thread's record, created on first use.
WThreadRecord& WCurrentThreadRecord();
// The calling thread's record, or null when the thread has none yet.
WThreadRecord* WExistingThreadRecord();
// Whether the handlers of the frame's message, or of a message outside it,
// are running.
bool WHandlersRunning(const WMessageFrame* from);
