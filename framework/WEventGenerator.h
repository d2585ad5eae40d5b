#pragma once
// Every framework object that can report something is a WEventGenerator. Code
// that wants to react registers a handler (event id, target object, member
// function of the target); raising the event calls the handlers of that id,
// newest first, until one of them returns true.
//
// Handler lists may be changed from any thread and from inside a running
// handler: changes happen under one process-wide lock, which is never held while
// a handler runs. While any dispatch walks a generator's list, a removed handler
// is only marked (and never called again); the last walk to leave unlinks it, so
// dispatch goes on safely with the next handler. A generator destroyed by one of
// its own handlers ends that dispatch at once.

#include "WEventData.h"

#include <atomic>

struct WEventNode;
struct WDispatchFrame;

// One row of a static handler table. A table ends with a row whose handler is
// null (by convention its id is NullEvent).
struct WEventTableEntry {
    WEventID eventId;
    WEventHandlerFn handler;
    WObject* target;  // null: the default target named when the table is attached
    uint32_t userData;
};

class WEventGenerator : public WObject {
    W_DECLARE_CLASS(WEventGenerator, WObject)
public:
    // Change codes given to EventHandlersChanged.
    enum { HandlersAdded = 0, HandlersRemoved = 1, AllHandlersRemoved = 2 };

    WEventGenerator();
    ~WEventGenerator() override;
    WEventGenerator(const WEventGenerator&) = delete;
    WEventGenerator& operator=(const WEventGenerator&) = delete;

    // Calls the handlers of the id, newest first, passing over the first `skip`
    // of them, until one returns true; returns whether one did. `data` may be
    // null (a local base record is used); `returnValue` is an optional in/out
    // value copied into the record before and back after dispatch. A null
    // source means the generator itself.
    virtual bool ProcessEvent(WEventID id, WObject* source = nullptr, WEventData* data = nullptr,
                              int32_t* returnValue = nullptr, int32_t skip = 0);
    virtual bool HasEventHandler(WEventID id);
    virtual void RemoveAllEventHandlers();
    // Removes the first handler of the id (index 0 reported), or all of them
    // when `all` is true (index -1 reported, as when there is none).
    virtual void RemoveEventHandlers(WEventID id, bool all, int32_t* index = nullptr);
    virtual bool RemoveEventHandler(WEventID id, WObject* target, WEventHandlerFn handler,
                                    int32_t* index = nullptr);
    // Without a position the new handler runs before the older ones of its id;
    // with one it is placed at that 0-based place among them. False when no
    // node can be had, or when the target or the function is null.
    virtual bool AddEventHandler(WEventID id, WObject* target, WEventHandlerFn handler, uint32_t userData = 0,
                                 const int32_t* position = nullptr);
    virtual bool FindEventHandler(WEventID id, WObject** target, WEventHandlerFn* handler, uint32_t* userData,
                                  WObject* afterTarget = nullptr);
    // The node may be removed by another thread once it is handed out;
    // ProcessEventFrom then calls nothing and returns false.
    virtual WEventNode* FirstEventNode(WEventID id);
    virtual bool ProcessEventFrom(WEventNode* node, WObject* source, WEventData* data,
                                  int32_t* returnValue = nullptr, int32_t skip = 0);
    // Hook after handlers were added or removed; windows use it to switch the
    // message handling of an id on.
    virtual void EventHandlersChanged(WEventID id, int32_t change);

    uint32_t GetEventMask() const { return eventMask.load(std::memory_order_relaxed); }
    // The handler of this generator that the calling thread is running now
    // (the innermost one when dispatches nest), or an empty handler.
    WEventHandler GetRunningHandler() const;

    // Typed convenience over AddEventHandler / RemoveEventHandler.
    template <class Target>
    bool AddHandler(WEventID id, Target* target, bool (Target::*handler)(WObject*, WEventData*),
                    uint32_t userData = 0)
    {
        return AddEventHandler(id, target, W_HANDLER(handler), userData);
    }
    template <class Target>
    bool RemoveHandler(WEventID id, Target* target, bool (Target::*handler)(WObject*, WEventData*))
    {
        return RemoveEventHandler(id, target, W_HANDLER(handler));
    }

private:
    // Read without the lock: a clear bit must cost no more than the test.
    std::atomic<uint32_t> eventMask{0};
    // The list and everything below are guarded by the process-wide handler-list lock.
    WEventNode* head = nullptr;
    WEventNode* tail = nullptr;
    // While a dispatch walks the list (on any thread), removed nodes are only
    // marked; the last dispatch to leave unlinks them, so a walk never meets a
    // freed node.
    int32_t activeDispatches = 0;

    bool Dispatch(WEventID id, WEventNode* start, WObject* source, WEventData* data, int32_t* returnValue,
                  int32_t skip);
    bool CallHandlers(WEventID id, WEventNode* start, WObject* source, WEventData* record, int32_t skip,
                      WDispatchFrame& frame);
    void EndWalk();
    WEventNode* FirstLiveNodeLocked(WEventID id, WEventNode* from) const;
    bool IsLiveNodeLocked(const WEventNode* node) const;
    void InsertLocked(WEventNode* node, const int32_t* position);
    void Unlink(WEventNode* node);
    void RemoveLocked(WEventNode* node, WEventNode*& freed);
    WEventNode* UnlinkRemovedLocked();
    int32_t RemoveMatchingLocked(WEventID id, bool all, WEventNode*& freed);
};

// Registers every row of a handler table on the generator; always true.
bool AttachEventTable(WEventGenerator* generator, const WEventTableEntry* table,
                      WObject* defaultTarget = nullptr);
// Removes the rows of a handler table again; always true.
bool DetachEventTable(WEventGenerator* generator, const WEventTableEntry* table,
                      WObject* defaultTarget = nullptr);

// Dispatch depth of the calling thread (how many ProcessEvent calls are running on it).
int32_t WEventDispatchDepth();
