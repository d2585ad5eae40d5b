#pragma once
// The application object and the message loop. One application per process
// drives the program's life: Execute raises StartEvent, RunEvent (unless a start
// handler set the abort flag) and EndEvent on it, and returns the exit code that
// the handlers left in its event data. GetMessage is the one place where the
// framework takes messages from the host's queue; message filters registered per
// thread see every message first and may consume it.

#include "WEventGenerator.h"
#include "WMessageFilter.h"
#include "WString.h"

class WModuleHandle;

// What DispatchWaitingMessage found in the queue.
enum class WWaitingMessage { None, Dispatched, QuitRequested };

class WApplication : public WEventGenerator {
    W_DECLARE_CLASS(WApplication, WEventGenerator)
public:
    // The priority forms give their dialog-message filter.
    static constexpr int32_t FormFilterPriority = 64;

    // Whether the program's texts run left to right only: 0 no (texts of
    // right-to-left languages may occur), 1 yes, or DecidedBySystem: no when
    // the host supports Middle-East languages, else yes.
    static constexpr int32_t DecidedBySystem = 2;

    // Called with -1 at the very end of Execute, once the end handlers ran and
    // the deferred objects are deleted; null: none.
    using ExitHook = void (*)(int32_t code);
    static void SetExitHook(ExitHook hook);

    WApplication();
    ~WApplication() override;

    // The body of WinMain.
    int32_t Execute(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showState);

    // Ends the message loop with the exit code; from another thread it posts
    // WM_QUIT to the main thread.
    void Quit(int32_t exitCode);

    // The arguments of the command line Execute was given (the program's name
    // is not among them): split at blanks and tabs, double quotes holding an
    // argument with blanks together and dropped from it.
    WStringArray GetArguments() const;

    // False, setting kept, for a value other than 0, 1 and DecidedBySystem.
    bool SetLeftToRightOnly(int32_t setting);
    int32_t GetLeftToRightOnlySetting() const { return leftToRightOnly; }
    // The setting with the system's decision taken.
    bool IsLeftToRightOnly() const;

    WApplicationEventData& GetEventData() { return eventData; }
    HINSTANCE GetInstance() const { return instance; }
    DWORD GetMainThreadId() const { return mainThreadId; }

    // 1 for an ordinary message, 0 for WM_QUIT, -1 for an error or no message.
    // `dispatch` is cleared when the message must not be dispatched (a filter
    // consumed it, or there is none). With `filter` set, every message taken
    // off the queue (wait or not) goes through PreTranslateMessage first. A
    // thread that calls it while handling a message sent by another thread
    // answers that message with 1 first, so the sender does not wait on it.
    static int32_t GetMessage(MSG* message, bool wait, bool remove, HWND window, UINT first, UINT last,
                              bool filter, bool* dispatch);
    // Takes at most one waiting message of this thread, never waiting for one,
    // and dispatches it unless a filter consumed it. A quit request is not
    // dispatched: it goes back into the queue for the loop it was meant for,
    // and whoever waits here must stop waiting and let that loop run.
    static WWaitingMessage DispatchWaitingMessage();
    // Runs until WM_QUIT (true) or a host error (false); the last message goes to
    // finalMessage when given.
    static bool RunMessageLoop(MSG* finalMessage = nullptr);

    // Filters of higher priority run first. hooked: the filter also sees
    // messages taken by message loops the framework does not run (a get-message
    // hook of the thread), such as those of modal host dialogs. A member
    // routine needs its owner.
    static bool AddMessageFilter(WObject* owner, WMessageFilterRoutine filter, uint32_t userData,
                                 int32_t priority, bool hooked = false);
    static bool RemoveMessageFilter(WObject* owner, WMessageFilterRoutine filter);
    template <class Owner>
    static bool AddMessageFilter(Owner* owner, bool (Owner::*filter)(MSG*, uint32_t), uint32_t userData,
                                 int32_t priority, bool hooked = false)
    {
        return AddMessageFilter(owner, W_FILTER(filter), userData, priority, hooked);
    }
    template <class Owner>
    static bool RemoveMessageFilter(Owner* owner, bool (Owner::*filter)(MSG*, uint32_t))
    {
        return RemoveMessageFilter(owner, W_FILTER(filter));
    }
    // Runs the filters (the hooked ones only, when hooked is set) until one
    // consumes the message. Given a filter (owner and routine), it starts
    // after that one, so that a filter can let those after it see a message
    // first; when that filter is not registered, none runs.
    static bool PreTranslateMessage(MSG* message, bool hooked = false, WObject* afterOwner = nullptr,
                                    WMessageFilterRoutine afterFilter = {});

    // Deletes the object once no event of this thread is being dispatched, and
    // at the latest at the end of Execute.
    static void DeleteLater(WObject* object);
    // Deletes the deferred objects of this thread now, when no dispatch runs.
    // The outermost RunMessageLoop of a thread also deletes them between messages.
    static void DeleteDeferredObjects();
    // True when DeleteLater was called during the dispatch now running on this
    // thread (cleared when the dispatch depth falls back below 2).
    static bool IsDeletionPending();

private:
    WApplicationEventData eventData;
    HINSTANCE instance = nullptr;
    DWORD mainThreadId = 0;
    WString commandLine;
    int32_t leftToRightOnly = DecidedBySystem;
};

class WExeApplication : public WApplication {
    W_DECLARE_CLASS(WExeApplication, WApplication)
};

// The current application, or null.
WApplication* GetApplication();
