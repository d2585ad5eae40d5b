#pragma once
// Driving real windows from tests: pumping this thread's messages until a
// condition holds, pressing and releasing the left mouse button on a window
// with real button messages, and watching for a top-level window (a message
// box) from another thread, reading its text and dismissing it. Windows are
// found, read and answered as those of any process are (ProcessWindows.h).

#include "ProcessWindows.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// Dispatches this thread's messages through the framework's message filters
// until the condition holds or the time-out has passed; the condition's last value.
bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds = 5000);
// Dispatches the messages that are waiting now.
void PumpWaitingMessages();

// Posts the button message at the client position and dispatches it.
void PressLeftButton(HWND window, POINT at);
void ReleaseLeftButton(HWND window, POINT at);
// Press and release at the centre of the client area.
void ClickWindow(HWND window);

// A visible top-level window of this process with that title and class (null:
// any), or null when none appears within the time-out. Any thread.
HWND FindTopLevelWindow(const char* title, const char* className, DWORD timeoutMilliseconds);

// What a message box looked like when it was found.
struct MessageBoxLook {
    std::string text;
    ULONGLONG seenAt = 0;           // GetTickCount64 when it became visible
    bool hasOwner = false;
    bool hasStopIcon = false;
    bool hasOnlyOkButton = false;
    bool taskWindowWasDisabled = false;
};

// Waits on its own thread for a message box with the title, notes how it looks
// and answers it with the button. The test's thread meanwhile shows the box.
// taskWindow: a window of the showing thread that a task-modal box disables.
class MessageBoxWatcher {
public:
    MessageBoxWatcher(std::string title, int buttonId = IDOK, DWORD timeoutMilliseconds = 10000,
                      HWND taskWindow = nullptr);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Waits for the watcher to end; true when it found and answered a box.
    bool Finish();
    std::string GetText();
    // Valid after Finish returned true.
    const MessageBoxLook& GetLook() const { return look; }

private:
    void Watch(std::string title, int buttonId, DWORD timeoutMilliseconds, HWND taskWindow);

    std::thread thread;
    std::mutex mutex;
    MessageBoxLook look;
    std::atomic<bool> found{false};
};
