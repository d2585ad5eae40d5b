#include "WApplication.h"

#include "WThreadRecord.h"

#include <algorithm>
#include <atomic>

namespace {

std::atomic<WApplication*> currentApplication{nullptr};
std::atomic<WApplication::ExitHook> exitHook{nullptr};

// Sees the messages that loops outside the framework take (those of modal
// host dialogs, for instance) and gives them to the hooked filters. Messages
// the framework's own GetMessage takes are filtered there instead.
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        WThreadRecord* thread = WExistingThreadRecord();
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (thread != nullptr && !thread->insidePump && message->message != WM_QUIT
            && WApplication::PreTranslateMessage(message, true))
            message->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The hook exists exactly while the thread has a hooked filter.
void SyncGetMessageHook(WThreadRecord& thread)
{
    bool needed = thread.HasHookedFilter();
    if (needed && thread.getMessageHook == nullptr) {
        thread.getMessageHook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
    } else if (!needed && thread.getMessageHook != nullptr) {
        UnhookWindowsHookEx(thread.getMessageHook);
        thread.getMessageHook = nullptr;
    }
}

// Where the filter of that owner and routine stands in the list, or its end.
std::vector<WMessageFilter>::iterator FindFilter(WThreadRecord& thread, const WObject* owner,
                                                 const WMessageFilterRoutine& filter)
{
    return std::find_if(thread.filters.begin(), thread.filters.end(),
                        [&](const WMessageFilter& f) { return f.owner == owner && f.filter == filter; });
}

bool IsRegistered(WThreadRecord& thread, const WMessageFilter& entry)
{
    return FindFilter(thread, entry.owner, entry.filter) != thread.filters.end();
}

// Deletes the thread's deferred objects, also those deferred by the
// destructors that run here; `keep` (the application, which the message loop
// and Execute still run in) is only taken off the list.
void DeleteDeferred(WThreadRecord& thread, WObject* keep)
{
    while (!thread.deferred.empty()) {
        WObject* object = thread.deferred.front();
        thread.deferred.erase(thread.deferred.begin());
        if (object != keep)
            delete object;
    }
}

// Returns false when the host reports an error or, without waiting, when no
// message is there.
bool TakeMessage(MSG& message, bool wait, bool remove, HWND window, UINT first, UINT last)
{
    if (wait && remove)
        return ::GetMessageA(&message, window, first, last) != -1;
    if (wait) {
        while (!PeekMessageA(&message, window, first, last, PM_NOREMOVE))
            WaitMessage();
        return true;
    }
    return PeekMessageA(&message, window, first, last, remove ? PM_REMOVE : PM_NOREMOVE) != FALSE;
}

}  // namespace

WApplication* GetApplication()
{
    return currentApplication.load();
}

WApplication::WApplication()
{
    WApplication* none = nullptr;
    currentApplication.compare_exchange_strong(none, this);
}

WApplication::~WApplication()
{
    WApplication* self = this;
    currentApplication.compare_exchange_strong(self, nullptr);
}

int32_t WApplication::Execute(HINSTANCE moduleInstance, HINSTANCE, LPSTR arguments, int)
{
    instance = moduleInstance;
    commandLine = arguments;
    // Gives the thread its message queue now, so that a Quit from another
    // thread can reach it even before the loop runs.
    MSG peeked;
    PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE);
    mainThreadId = GetCurrentThreadId();

    eventData.abort = false;
    eventData.exitCode = 0;
    ProcessEvent(StartEvent, this, &eventData);
    if (!eventData.abort) {
        mainThreadId = GetCurrentThreadId();
        ProcessEvent(RunEvent, this, &eventData);
    }
    ProcessEvent(EndEvent, this, &eventData);
    DeleteDeferred(WCurrentThreadRecord(), this);
    if (const ExitHook hook = exitHook.load())
        hook(-1);
    return eventData.exitCode;
}

void WApplication::SetExitHook(ExitHook hook)
{
    exitHook = hook;
}

bool WApplication::SetLeftToRightOnly(int32_t setting)
{
    if (setting < 0 || setting > DecidedBySystem)
        return false;
    leftToRightOnly = setting;
    return true;
}

bool WApplication::IsLeftToRightOnly() const
{
    if (leftToRightOnly == DecidedBySystem)
        return GetSystemMetrics(SM_MIDEASTENABLED) == 0;
    return leftToRightOnly == 1;
}

WStringArray WApplication::GetArguments() const
{
    WStringArray arguments;
    commandLine.Tokenize(arguments, " \t", false, "\"\"", true);
    return arguments;
}

// Before Execute has run there is no main thread yet; the calling thread's
// loop is the one meant then.
void WApplication::Quit(int32_t exitCode)
{
    DWORD caller = GetCurrentThreadId();
    if (mainThreadId == 0 || mainThreadId == caller)
        PostQuitMessage(exitCode);
    else
        PostThreadMessageA(mainThreadId, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

int32_t WApplication::GetMessage(MSG* message, bool wait, bool remove, HWND window, UINT first, UINT last,
                                 bool filter, bool* dispatch)
{
    WThreadRecord& thread = WCurrentThreadRecord();
    bool outerInsidePump = thread.insidePump;
    thread.insidePump = filter;
    SyncGetMessageHook(thread);
    // A thread that waits here while it handles a message sent by another
    // thread would keep the sender blocked for as long as it waits.
    if (InSendMessage())
        ReplyMessage(1);

    MSG received{};
    bool taken = TakeMessage(received, wait, remove, window, first, last);
    bool consumed = taken && remove && filter && received.message != WM_QUIT && PreTranslateMessage(&received);
    thread.insidePump = outerInsidePump;

    if (message != nullptr)
        *message = taken ? received : MSG{};
    if (dispatch != nullptr)
        *dispatch = taken && !consumed;
    if (!taken)
        return -1;
    return received.message == WM_QUIT ? 0 : 1;
}

WWaitingMessage WApplication::DispatchWaitingMessage()
{
    MSG message{};
    bool dispatch = false;
    const int32_t result = GetMessage(&message, false, true, nullptr, 0, 0, true, &dispatch);
    if (result < 0)
        return WWaitingMessage::None;
    if (result == 0) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return WWaitingMessage::QuitRequested;
    }
    if (dispatch) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return WWaitingMessage::Dispatched;
}

bool WApplication::RunMessageLoop(MSG* finalMessage)
{
    WThreadRecord& thread = WCurrentThreadRecord();
    ++thread.loopNesting;
    MSG message{};
    int32_t result;
    for (;;) {
        bool dispatch = false;
        result = GetMessage(&message, true, true, nullptr, 0, 0, true, &dispatch);
        if (result <= 0)
            break;
        if (dispatch) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        // Between two messages of the outermost loop no handler of the
        // thread is on its way back into a deferred object.
        if (thread.loopNesting == 1)
            DeleteDeferred(thread, GetApplication());
    }
    --thread.loopNesting;
    if (finalMessage != nullptr)
        *finalMessage = message;
    return result == 0;
}

bool WApplication::AddMessageFilter(WObject* owner, WMessageFilterRoutine filter, uint32_t userData,
                                    int32_t priority, bool hooked)
{
    if (filter.IsEmpty() || (owner == nullptr && !filter.IsPlain()))
        return false;
    WThreadRecord& thread = WCurrentThreadRecord();
    WMessageFilter entry{owner, filter, userData, priority, hooked};
    if (IsRegistered(thread, entry))
        return false;
    // Before the first entry of the same or a lower priority: newest first among equals.
    auto place = std::find_if(thread.filters.begin(), thread.filters.end(),
                              [&](const WMessageFilter& f) { return f.priority <= priority; });
    thread.filters.insert(place, entry);
    SyncGetMessageHook(thread);
    return true;
}

bool WApplication::RemoveMessageFilter(WObject* owner, WMessageFilterRoutine filter)
{
    WThreadRecord& thread = WCurrentThreadRecord();
    auto found = FindFilter(thread, owner, filter);
    if (found == thread.filters.end())
        return false;
    thread.filters.erase(found);
    SyncGetMessageHook(thread);
    return true;
}

// Filters may add or remove filters (a form may even be destroyed by one), so
// the walk runs over a snapshot and passes over entries removed meanwhile.
bool WApplication::PreTranslateMessage(MSG* message, bool hooked, WObject* afterOwner,
                                       WMessageFilterRoutine afterFilter)
{
    WThreadRecord& thread = WCurrentThreadRecord();
    if (message == nullptr || thread.filters.empty())
        return false;
    auto first = thread.filters.begin();
    if (!afterFilter.IsEmpty()) {
        first = FindFilter(thread, afterOwner, afterFilter);
        if (first == thread.filters.end())
            return false;
        ++first;
    }
    std::vector<WMessageFilter> snapshot(first, thread.filters.end());
    for (const WMessageFilter& entry : snapshot) {
        if ((hooked && !entry.hooked) || !IsRegistered(thread, entry))
            continue;
        MSG copy = *message;
        if (entry.filter.Call(entry.owner, &copy, entry.userData)) {
            *message = copy;
            return true;
        }
    }
    return false;
}

void WApplication::DeleteLater(WObject* object)
{
    if (object == nullptr)
        return;
    WThreadRecord& thread = WCurrentThreadRecord();
    if (std::find(thread.deferred.begin(), thread.deferred.end(), object) == thread.deferred.end())
        thread.deferred.push_back(object);
    if (thread.dispatchDepth > 0)
        thread.deletionPending = true;
}

void WApplication::DeleteDeferredObjects()
{
    WThreadRecord& thread = WCurrentThreadRecord();
    if (thread.dispatchDepth == 0)
        DeleteDeferred(thread, GetApplication());
}

bool WApplication::IsDeletionPending()
{
    WThreadRecord* thread = WExistingThreadRecord();
    return thread != nullptr && thread->deletionPending;
}
