#include "WThreadRecord.h"

namespace {

void WINAPI FreeThreadRecord(void* record)
{
    delete static_cast<WThreadRecord*>(record);
}

DWORD RecordSlot()
{
    static const DWORD slot = FlsAlloc(FreeThreadRecord);
    return slot;
}

}  // namespace

// Objects still deferred when their thread ends are deleted then: no event of
// the thread can be running any more.
WThreadRecord::~WThreadRecord()
{
    if (getMessageHook != nullptr)
        UnhookWindowsHookEx(getMessageHook);
    while (!deferred.empty()) {
        WObject* object = deferred.front();
        deferred.erase(deferred.begin());
        delete object;
    }
}

bool WThreadRecord::HasHookedFilter() const
{
    for (const WMessageFilter& entry : filters) {
        if (entry.hooked)
            return true;
    }
    return false;
}

// The slot query resets the thread's last error; framework errors set just
// before an event is raised must survive it.
WThreadRecord* WExistingThreadRecord()
{
    DWORD lastError = GetLastError();
    auto* record = static_cast<WThreadRecord*>(FlsGetValue(RecordSlot()));
    SetLastError(lastError);
    return record;
}

WThreadRecord& WCurrentThreadRecord()
{
    WThreadRecord* record = WExistingThreadRecord();
    if (record == nullptr) {
        record = new WThreadRecord;
        FlsSetValue(RecordSlot(), record);
    }
    return *record;
}

bool WHandlersRunning(const WMessageFrame* from)
{
    for (const WMessageFrame* frame = from; frame != nullptr; frame = frame->outer) {
        if (frame->handling)
            return true;
    }
    return false;
}
