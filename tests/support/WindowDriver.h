#pragma once
// Driving real windows from tests: pumping this thread's messages until a
// condition holds, pressing and releasing the left mouse button on a window
// with real button messages, and watching for a top-level window (a message
// box) from another thread, reading its text and dismissing it.

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

// The centre of the window's client area, in client coordinates.
POINT ClientCentre(HWND window);
// Posts the button message at the client position and dispatches it.
void PressLeftButton(HWND window, POINT at);
void ReleaseLeftButton(HWND window, POINT at);
// Press and release at the centre of the client area.
void ClickWindow(HWND window);

// A visible top-level window of this process with that title and class (null:
// any), or null when none appears within the time-out. Any thread.
HWND FindTopLevelWindow(const char* title, const char* className, DWORD timeoutMilliseconds);
// The text of a message box (its static text), "" when there is none.
std::string ReadMessageBoxText(HWND messageBox);
// Answers the dialog with the button of that id (IDOK, IDYES, ...).
void DismissDialog(HWND dialog, int buttonId);

// Waits on its own thread for a message box with the title, reads its text and
// answers it with the button. The test's thread meanwhile shows the box.
class MessageBoxWatcher {
public:
    MessageBoxWatcher(std::string title, int buttonId, DWORD timeoutMilliseconds = 10000);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Waits for the watcher to end; true when it found and answered a box.
    bool Finish();
    std::string GetText();

private:
    void Watch(std::string title, int buttonId, DWORD timeoutMilliseconds);

    std::thread thread;
    std::mutex mutex;
    std::string text;
    std::atomic<bool> found{false};
};
