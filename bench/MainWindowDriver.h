#pragma once
// Drives the configuration tool's main window from another process, as a
// person at the mouse would, and times what it does: the transfer button
// pressed and released with real button messages, the idle look awaited, and
// probes of how soon the window reacts while it waits for the device.

#include <windows.h>


class MainWindowDriver {
public:
    MainWindowDriver(HWND mainWindow, DWORD processId);

    // False when the window lacks the transfer button, the interface list or
    // the status bar.
    bool FindControls();

    // Presses the transfer button and waits until the window shows the open
    // connection, drawn: as a person, who sees it before letting go. False
    // when it does not come (a message box came instead).
    bool Press(DWORD timeoutMilliseconds);
    // Releases the button over itself: the click that runs the transfer.
    void Release();
    // The transfer has ended when the interface list is enabled again.
    bool IsIdle() const { return IsWindowEnabled(interfaceList) != FALSE; }
    // Waits, looking every millisecond, until the window is idle; `at` is
    // when it was first seen so.
    bool WaitUntilIdle(DWORD timeoutMilliseconds, double& at);
    bool HasStatusText() const;

    // Answers every message box the program shows; how many there were.
    int DismissMessageBoxes();

    // How long until the window's thread takes a message sent to it: it is
    // taken at the same look at the queue at which a posted one would be.
    double MessageDelay();
    // How long until the window has repainted itself after being invalidated.
    double RepaintDelay(DWORD timeoutMilliseconds);

private:
    HWND mainWindow;
    DWORD processId;
    HWND transferButton = nullptr;
    HWND interfaceList = nullptr;
    HWND statusBar = nullptr;

    void PostMouse(UINT message, WPARAM keys);
    // The window, the button and the status bar have nothing left to paint.
    bool IsDrawn() const;
};
