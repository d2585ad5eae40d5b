#pragma once
// Watches, from a thread of its own, for a message box with a given title
// while the test's thread shows it; notes what the box looks like, then
// dismisses it with OK. What it noted may be read after Finish.

#include <windows.h>

#include <string>
#include <thread>

class MessageBoxWatcher {
public:
    // taskWindow: a window of the showing thread that a task-modal box disables.
    explicit MessageBoxWatcher(const char* title, HWND taskWindow = nullptr,
                               DWORD timeoutMilliseconds = 10000);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Waits until the box was dismissed or the watch timed out.
    void Finish();

    bool Seen() const { return seen; }
    ULONGLONG SeenAt() const { return seenAt; }
    const std::string& Text() const { return text; }
    bool HasOwner() const { return hasOwner; }
    bool HasStopIcon() const { return hasStopIcon; }
    bool HasOnlyOkButton() const { return hasOnlyOk; }
    bool TaskWindowWasDisabled() const { return taskWindowDisabled; }

private:
    std::string title;
    HWND taskWindow;
    DWORD timeout;
    std::thread watcher;
    bool seen = false;
    ULONGLONG seenAt = 0;
    std::string text;
    bool hasOwner = false;
    bool hasStopIcon = false;
    int buttonCount = 0;
    bool hasOnlyOk = false;
    bool taskWindowDisabled = false;

    void Watch();
    HWND FindOwnBox() const;
    void Inspect(HWND box);
};
