#pragma once
// Probes of how soon a window of another process reacts: to a message sent
// to it, and to being told to repaint.

#include <windows.h>

// Milliseconds until the window's thread takes a message sent to it, which it
// does at the same look at its queue at which it would take a posted one;
// negative when it does not within the time.
double MessageDelay(HWND window, DWORD timeoutMilliseconds);
// Milliseconds until the window has repainted itself after being invalidated.
double RepaintDelay(HWND window, DWORD timeoutMilliseconds);
