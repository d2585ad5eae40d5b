#pragma once
// Watchers on threads of their own for the modal windows the program shows
// while the test's thread is inside the program's handlers: message boxes,
// found by title, and the file dialogs the main window owns. Only windows of
// this process count: other test programs may share the display.

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What a message box looked like when it was found.
struct MessageBoxLook {
    std::string text;
    ULONGLONG seenAt = 0;  // GetTickCount64 when it became visible
    bool hasOwner = false;
    bool hasStopIcon = false;
    bool hasOnlyOkButton = false;
    bool taskWindowWasDisabled = false;
};

// Waits for one message box with the title, notes how it looks and answers it
// with the button. The test's thread meanwhile shows the box.
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

// Answers every message box with the title while it runs and keeps the texts.
// Without a title it answers every window this process shows, for a test of
// something that must show none. The first box can be photographed before it
// is answered.
class MessageBoxCollector {
public:
    explicit MessageBoxCollector(const char* title, int answer = IDOK, std::string screenshot = "");
    ~MessageBoxCollector();
    MessageBoxCollector(const MessageBoxCollector&) = delete;
    MessageBoxCollector& operator=(const MessageBoxCollector&) = delete;

    // Stops watching; the texts of the boxes seen, in order.
    std::vector<std::string> Stop();
    std::vector<std::string> Texts();

private:
    std::string title;
    bool anyWindow;
    int answer;
    std::string screenshot;
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    std::vector<std::string> texts;
    std::thread thread;

    void Watch();
};

// Fills in the file name of the next file dialog the owner shows and accepts
// it, or cancels it when the name is empty.
class FileDialogDriver {
public:
    FileDialogDriver(HWND owner, std::string fileName, DWORD timeoutMilliseconds = 10000);
    ~FileDialogDriver();
    FileDialogDriver(const FileDialogDriver&) = delete;
    FileDialogDriver& operator=(const FileDialogDriver&) = delete;

    // Waits for the driver; true when it found and answered a dialog.
    bool Finish();

private:
    std::atomic<bool> found{false};
    std::thread thread;

    void Drive(HWND owner, std::string fileName, DWORD timeoutMilliseconds);
};

// Waits for the next host dialog of this process (a common dialog, or the
// notice the host shows in its place), lets the showing thread act inside
// the dialog's loop (`interrupt` posts what it is to do), waits until `done`
// holds and cancels the dialog. The test's thread meanwhile shows it.
class HostDialogInterrupter {
public:
    HostDialogInterrupter(std::function<void()> interrupt, std::function<bool()> done,
                          DWORD timeoutMilliseconds = 10000);
    ~HostDialogInterrupter();
    HostDialogInterrupter(const HostDialogInterrupter&) = delete;
    HostDialogInterrupter& operator=(const HostDialogInterrupter&) = delete;

    // Waits for the interrupter; true when it found, interrupted and cancelled a dialog.
    bool Finish();

private:
    std::atomic<bool> cancelled{false};
    std::thread thread;
};

// A visible dialog owned by the window, or null.
HWND FindOwnedDialog(HWND owner);
// The same, waiting for it until the time-out has passed.
HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMilliseconds);

// Closes every dialog the owner shows while it runs (a close request, as the
// close box gives it) and counts them.
class OwnedDialogCounter {
public:
    explicit OwnedDialogCounter(HWND owner);
    ~OwnedDialogCounter();
    OwnedDialogCounter(const OwnedDialogCounter&) = delete;
    OwnedDialogCounter& operator=(const OwnedDialogCounter&) = delete;

    int Stop();

private:
    HWND owner;
    std::atomic<bool> stopping{false};
    std::atomic<int> count{0};
    std::thread thread;

    void Watch();
};
