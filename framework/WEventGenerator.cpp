#include "WEventGenerator.h"

#include "WSemaphore.h"
#include "WThreadRecord.h"

#include <new>

struct WEventNode {
    WEventNode* previous;
    WEventNode* next;
    WEventID eventId;
    WObject* target;
    WEventHandler handler;
    uint32_t userData;
    bool removed;  // waiting to be unlinked by the last dispatch to leave
};

namespace {

// Freed nodes are kept for reuse, so that forms attaching and detaching their
// tables do not go to the heap each time. The pool has its own lock; it is
// taken only while the handler-list lock is not held.
class NodePool {
public:
    WEventNode* Take()
    {
        {
            WSemaphoreLock guard(&lock);
            if (first != nullptr) {
                WEventNode* node = first;
                first = node->next;
                --count;
                return node;
            }
        }
        return new (std::nothrow) WEventNode;
    }

    // Gives back a chain of nodes linked through `next`.
    void GiveChain(WEventNode* chain)
    {
        WEventNode* overflow = nullptr;
        {
            WSemaphoreLock guard(&lock);
            while (chain != nullptr) {
                WEventNode* node = chain;
                chain = chain->next;
                if (count < MaxFree) {
                    node->next = first;
                    first = node;
                    ++count;
                } else {
                    node->next = overflow;
                    overflow = node;
                }
            }
        }
        while (overflow != nullptr) {
            WEventNode* node = overflow;
            overflow = overflow->next;
            delete node;
        }
    }

private:
    static constexpr int32_t MaxFree = 50;
    WCriticalSection lock;
    WEventNode* first = nullptr;
    int32_t count = 0;
};

// Both locks live as long as the process: generators with static storage may
// still change their lists while the runtime destroys other statics at exit.
NodePool& Pool()
{
    static NodePool& pool = *new NodePool;
    return pool;
}

WCriticalSection& HandlerListLock()
{
    static WCriticalSection& lock = *new WCriticalSection;
    return lock;
}

uint32_t MaskBit(WEventID id)
{
    return 1u << (static_cast<uint32_t>(id) % 32u);
}

WObject* RowTarget(const WEventTableEntry& row, WEventGenerator* generator, WObject* defaultTarget)
{
    if (row.target != nullptr)
        return row.target;
    return defaultTarget != nullptr ? defaultTarget : generator;
}

// Keeps the thread's dispatch depth and its list of running dispatches right
// on every way out of a dispatch.
class DispatchScope {
public:
    explicit DispatchScope(WEventGenerator* generator)
        : thread(WCurrentThreadRecord()), frame{generator, true, thread.frames, WEventHandler{}}
    {
        ++thread.dispatchDepth;
        thread.frames = &frame;
    }

    ~DispatchScope()
    {
        thread.frames = frame.outer;
        if (--thread.dispatchDepth < 2)
            thread.deletionPending = false;
    }

    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

    WDispatchFrame& Frame() { return frame; }

private:
    WThreadRecord& thread;
    WDispatchFrame frame;
};

}  // namespace

WEventGenerator::WEventGenerator() = default;

// Handlers of a generator that dies are dropped without the hook: a derived
// class that would listen to it is already gone.
WEventGenerator::~WEventGenerator()
{
    WEventNode* nodes = nullptr;
    {
        WSemaphoreLock guard(&HandlerListLock());
        nodes = head;
        head = tail = nullptr;
    }
    if (WThreadRecord* thread = WExistingThreadRecord()) {
        for (WDispatchFrame* frame = thread->frames; frame != nullptr; frame = frame->outer) {
            if (frame->generator == this)
                frame->generatorAlive = false;
        }
    }
    Pool().GiveChain(nodes);
}

bool WEventGenerator::ProcessEvent(WEventID id, WObject* source, WEventData* data, int32_t* returnValue,
                                   int32_t skip)
{
    if ((eventMask.load(std::memory_order_relaxed) & MaskBit(id)) == 0)
        return false;
    return Dispatch(id, nullptr, source, data, returnValue, skip);
}

bool WEventGenerator::ProcessEventFrom(WEventNode* node, WObject* source, WEventData* data,
                                       int32_t* returnValue, int32_t skip)
{
    if (node == nullptr)
        return false;
    WEventID id;
    {
        WSemaphoreLock guard(&HandlerListLock());
        if (!IsLiveNodeLocked(node))
            return false;
        id = node->eventId;
    }
    return Dispatch(id, node, source, data, returnValue, skip);
}

bool WEventGenerator::Dispatch(WEventID id, WEventNode* start, WObject* source, WEventData* data,
                               int32_t* returnValue, int32_t skip)
{
    DispatchScope scope(this);
    WEventData localRecord;
    WEventData* record = data != nullptr ? data : &localRecord;
    if (returnValue != nullptr)
        record->returnValue = *returnValue;
    record->eventId = id;

    bool handled = CallHandlers(id, start, source != nullptr ? source : this, record, skip, scope.Frame());
    if (returnValue != nullptr)
        *returnValue = record->returnValue;
    return handled;
}

// The list lock is held only between calls, to find the next node and read
// it. The current node stays linked while its handler
// runs because removals are only marks until the last dispatch leaves.
bool WEventGenerator::CallHandlers(WEventID id, WEventNode* start, WObject* source, WEventData* record,
                                   int32_t skip, WDispatchFrame& frame)
{
    WEventNode* node = nullptr;
    int32_t index = 0;
    {
        WSemaphoreLock guard(&HandlerListLock());
        ++activeDispatches;
        if (start == nullptr)
            node = FirstLiveNodeLocked(id, head);
        else if (IsLiveNodeLocked(start))
            node = FirstLiveNodeLocked(id, start);
        for (; node != nullptr && index < skip; ++index)
            node = FirstLiveNodeLocked(id, node->next);
    }
    // The walk ends on every way out, unless a handler destroyed the generator.
    struct WalkEnd {
        WEventGenerator& generator;
        const WDispatchFrame& frame;
        ~WalkEnd()
        {
            if (frame.generatorAlive)
                generator.EndWalk();
        }
    } walkEnd{*this, frame};

    WEventHandler previous;
    bool handled = false;
    for (; node != nullptr && !handled; ++index) {
        WObject* target = nullptr;
        WEventHandler handler;
        {
            WSemaphoreLock guard(&HandlerListLock());
            target = node->target;
            handler = node->handler;
            record->userData = node->userData;
        }
        frame.running = handler;
        record->source = source;
        record->handlerIndex = index;
        if (record->chain != nullptr)
            *record->chain = previous;
        handled = (target->*handler.function)(source, record);
        if (!frame.generatorAlive)
            return handled;
        frame.running = WEventHandler{};
        previous = handler;

        WSemaphoreLock guard(&HandlerListLock());
        node = FirstLiveNodeLocked(id, node->next);
    }
    return handled;
}

// The last walk to leave unlinks the nodes removed while walks were running.
void WEventGenerator::EndWalk()
{
    WEventNode* freed = nullptr;
    {
        WSemaphoreLock guard(&HandlerListLock());
        if (--activeDispatches == 0)
            freed = UnlinkRemovedLocked();
    }
    Pool().GiveChain(freed);
}

// A node handed out by FirstEventNode is read only when it is still a live
// node of this list: without the lock, another thread may have removed it
// since, and the pool may have given it to another list or freed it.
bool WEventGenerator::IsLiveNodeLocked(const WEventNode* node) const
{
    for (const WEventNode* linked = head; linked != nullptr; linked = linked->next) {
        if (linked == node)
            return !linked->removed;
    }
    return false;
}

// From `from` on, the first node of the id that is not marked as removed;
// null at a greater id or the end of the list.
WEventNode* WEventGenerator::FirstLiveNodeLocked(WEventID id, WEventNode* from) const
{
    for (WEventNode* node = from; node != nullptr; node = node->next) {
        if (node->eventId > id)
            return nullptr;
        if (node->eventId == id && !node->removed)
            return node;
    }
    return nullptr;
}

bool WEventGenerator::HasEventHandler(WEventID id)
{
    return FirstEventNode(id) != nullptr;
}

WEventNode* WEventGenerator::FirstEventNode(WEventID id)
{
    WSemaphoreLock guard(&HandlerListLock());
    return FirstLiveNodeLocked(id, head);
}

// Between two handlers of a nested dispatch, the handler that raised it is
// still running.
WEventHandler WEventGenerator::GetRunningHandler() const
{
    const WThreadRecord* thread = WExistingThreadRecord();
    for (const WDispatchFrame* frame = thread != nullptr ? thread->frames : nullptr; frame != nullptr;
         frame = frame->outer) {
        if (frame->generator == this && frame->generatorAlive && !frame->running.IsEmpty())
            return frame->running;
    }
    return WEventHandler{};
}

// A handler without target or function could never be called; it is refused
// rather than stored, so every node in a list is callable.
bool WEventGenerator::AddEventHandler(WEventID id, WObject* target, WEventHandlerFn handler, uint32_t userData,
                                      const int32_t* position)
{
    if (target == nullptr || handler == nullptr)
        return false;
    WEventNode* node = Pool().Take();
    if (node == nullptr)
        return false;
    *node = WEventNode{nullptr, nullptr, id, target, WEventHandler{handler}, userData, false};
    {
        WSemaphoreLock guard(&HandlerListLock());
        InsertLocked(node, position);
        eventMask.fetch_or(MaskBit(id), std::memory_order_relaxed);
    }
    EventHandlersChanged(id, HandlersAdded);
    return true;
}

// Newest first within an id unless a position is given; removed nodes do not
// count as places.
void WEventGenerator::InsertLocked(WEventNode* node, const int32_t* position)
{
    WEventID id = node->eventId;
    WEventNode* before = head;
    while (before != nullptr && before->eventId < id)
        before = before->next;
    if (position != nullptr) {
        int32_t place = 0;
        while (before != nullptr && before->eventId == id && (before->removed || place < *position)) {
            if (!before->removed)
                ++place;
            before = before->next;
        }
    }
    node->next = before;
    node->previous = before != nullptr ? before->previous : tail;
    if (node->previous != nullptr)
        node->previous->next = node;
    else
        head = node;
    if (before != nullptr)
        before->previous = node;
    else
        tail = node;
}

void WEventGenerator::Unlink(WEventNode* node)
{
    if (node->previous != nullptr)
        node->previous->next = node->next;
    else
        head = node->next;
    if (node->next != nullptr)
        node->next->previous = node->previous;
    else
        tail = node->previous;
}

void WEventGenerator::RemoveLocked(WEventNode* node, WEventNode*& freed)
{
    if (activeDispatches > 0) {
        node->removed = true;
        return;
    }
    Unlink(node);
    node->next = freed;
    freed = node;
}

WEventNode* WEventGenerator::UnlinkRemovedLocked()
{
    WEventNode* freed = nullptr;
    WEventNode* node = head;
    while (node != nullptr) {
        WEventNode* next = node->next;
        if (node->removed) {
            Unlink(node);
            node->next = freed;
            freed = node;
        }
        node = next;
    }
    return freed;
}

bool WEventGenerator::RemoveEventHandler(WEventID id, WObject* target, WEventHandlerFn handler, int32_t* index)
{
    int32_t found = -1;
    WEventNode* freed = nullptr;
    {
        WSemaphoreLock guard(&HandlerListLock());
        int32_t place = 0;
        for (WEventNode* node = head; node != nullptr && node->eventId <= id; node = node->next) {
            if (node->eventId != id || node->removed)
                continue;
            if (node->target == target && node->handler.function == handler) {
                found = place;
                RemoveLocked(node, freed);
                break;
            }
            ++place;
        }
    }
    Pool().GiveChain(freed);
    if (index != nullptr)
        *index = found;
    if (found < 0)
        return false;
    EventHandlersChanged(id, HandlersRemoved);
    return true;
}

int32_t WEventGenerator::RemoveMatchingLocked(WEventID id, bool all, WEventNode*& freed)
{
    int32_t removed = 0;
    WEventNode* node = head;
    while (node != nullptr && node->eventId <= id) {
        WEventNode* next = node->next;
        if (node->eventId == id && !node->removed) {
            RemoveLocked(node, freed);
            ++removed;
            if (!all)
                break;
        }
        node = next;
    }
    return removed;
}

void WEventGenerator::RemoveEventHandlers(WEventID id, bool all, int32_t* index)
{
    int32_t removed;
    WEventNode* freed = nullptr;
    {
        WSemaphoreLock guard(&HandlerListLock());
        removed = RemoveMatchingLocked(id, all, freed);
    }
    Pool().GiveChain(freed);
    if (index != nullptr)
        *index = (removed > 0 && !all) ? 0 : -1;
    if (removed > 0)
        EventHandlersChanged(id, HandlersRemoved);
}

void WEventGenerator::RemoveAllEventHandlers()
{
    WEventNode* freed = nullptr;
    {
        WSemaphoreLock guard(&HandlerListLock());
        WEventNode* node = head;
        while (node != nullptr) {
            WEventNode* next = node->next;
            if (!node->removed)
                RemoveLocked(node, freed);
            node = next;
        }
    }
    Pool().GiveChain(freed);
    EventHandlersChanged(NullEvent, AllHandlersRemoved);
}

bool WEventGenerator::FindEventHandler(WEventID id, WObject** target, WEventHandlerFn* handler,
                                       uint32_t* userData, WObject* afterTarget)
{
    WSemaphoreLock guard(&HandlerListLock());
    WEventNode* node = FirstLiveNodeLocked(id, head);
    if (afterTarget != nullptr) {
        while (node != nullptr && node->target != afterTarget)
            node = FirstLiveNodeLocked(id, node->next);
        if (node != nullptr)
            node = FirstLiveNodeLocked(id, node->next);
    }
    if (node == nullptr)
        return false;
    if (target != nullptr)
        *target = node->target;
    if (handler != nullptr)
        *handler = node->handler.function;
    if (userData != nullptr)
        *userData = node->userData;
    return true;
}

void WEventGenerator::EventHandlersChanged(WEventID, int32_t) {}

bool AttachEventTable(WEventGenerator* generator, const WEventTableEntry* table, WObject* defaultTarget)
{
    if (generator == nullptr || table == nullptr)
        return true;
    for (const WEventTableEntry* row = table; row->handler != nullptr; ++row) {
        generator->AddEventHandler(row->eventId, RowTarget(*row, generator, defaultTarget), row->handler,
                                   row->userData);
    }
    return true;
}

bool DetachEventTable(WEventGenerator* generator, const WEventTableEntry* table, WObject* defaultTarget)
{
    if (generator == nullptr || table == nullptr)
        return true;
    for (const WEventTableEntry* row = table; row->handler != nullptr; ++row) {
        generator->RemoveEventHandler(row->eventId, RowTarget(*row, generator, defaultTarget), row->handler);
    }
    return true;
}

int32_t WEventDispatchDepth()
{
    WThreadRecord* thread = WExistingThreadRecord();
    return thread != nullptr ? thread->dispatchDepth : 0;
}
