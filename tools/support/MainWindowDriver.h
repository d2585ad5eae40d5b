#pragma once
// Drives the configuration tool's main window from another process, as a
// person at the mouse would: the transfer button pressed and released with
// real button messages, the idle look awaited, and every message box the
// program shows on the way answered with the button Enter presses. A message
// box means that what was driven did not go through.

#include <windows.h>

#include <functional>
#include <string>

class MainWindowDriver {
public:
    // Told the title and text of each message box the driver answers.
    using MessageBoxReport = std::function<void(const std::string& title, const std::string& text)>;

    explicit MainWindowDriver(HWND mainWindow, MessageBoxReport report = nullptr);

    // False when the window lacks the transfer button, the interface list or
    // the status bar.
    bool FindControls();
    HWND MainWindow() const { return mainWindow; }
    HWND TransferButton() const { return transferButton; }

    // Presses the transfer button and waits until the window shows the open
    // connection, drawn: as a person, who sees it before letting go. False
    // when it does not come (a message box came instead).
    bool Press(DWORD timeoutMilliseconds);
    // Releases the button over itself: the click that runs the transfer.
    void Release();
    // The exchange is over when the interface list is enabled again.
    bool IsIdle() const { return IsWindowEnabled(interfaceList) != FALSE; }
    // Waits, looking every millisecond, until the window is idle; `at` is when
    // it was first seen so. Message boxes shown meanwhile are answered, so that
    // the window gets idle, but make the result false.
    bool WaitUntilIdle(DWORD timeoutMilliseconds, double& at);
    int StatusTextLength() const;

    // Answers every message box the program shows; how many there were.
    int DismissMessageBoxes();

private:
    HWND mainWindow;
    DWORD processId = 0;
    MessageBoxReport report;
    HWND transferButton = nullptr;
    HWND interfaceList = nullptr;
    HWND statusBar = nullptr;

    void DismissMessageBox(HWND box);
};
