#pragma once
// Driving real windows from tests: pumping this thread's messages until a
// condition holds, pressing and releasing the left mouse button on a window
// with real button messages, and finding a top-level window of this process.
// Windows are found, read and answered as those of any process are
// (ProcessWindows.h); the watchers that answer them are in DialogWatchers.h.

#include "ProcessWindows.h"

#include <windows.h>

#include <functional>

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
