#pragma once
// Drives a running Tarvek program from outside, as a person at the mouse
// would: finds the main window of its process, presses and releases the
// transfer button with real mouse messages, waits until the window is idle
// again, and closes it. Message boxes the program shows on the way are read,
// reported and dismissed; any of them means the transfer did not go through.

#include <windows.h>

#include <functional>
#include <string>

class TransferDriver {
public:
    TransferDriver(DWORD processId, DWORD timeoutMilliseconds);

    bool FindMainWindow();
    bool RunTransfer();
    bool CloseMainWindow();
    HWND MainWindow() const { return mainWindow; }

private:
    bool WaitUntil(const std::function<bool()>& condition, const char* what);
    bool Poll(const std::function<bool()>& condition, const char* what) const;
    bool DismissMessageBoxes();
    void DismissMessageBox(HWND box);
    void PostMouse(UINT message, WPARAM keys);
    int StatusTextLength() const;

    DWORD processId;
    DWORD timeout;
    HWND mainWindow = nullptr;
    HWND transferButton = nullptr;
    HWND statusBar = nullptr;
    bool messageBoxSeen = false;
};

// Writes a line to standard output in UTF-8; text comes in the ANSI code page.
void Report(const std::string& text);
