#pragma once
// The top-level windows of a process and what a person does with them, from
// any thread of this or another process: finding a window by title and class,
// pressing and releasing the left mouse button on it with real button
// messages, reading a message box and answering it, asking a status bar, and
// seeing whether a window has painted. Several programs may show windows of
// the same title on one display; only those of the process named count.

#include <windows.h>

#include <string>
#include <vector>

// The visible top-level windows of the process, front to back, with the title
// and of the class; null stands for any.
std::vector<HWND> FindProcessWindows(DWORD processId, const char* title, const char* className);
// The front one of them, or null.
HWND FindProcessWindow(DWORD processId, const char* title, const char* className);

std::string WindowText(HWND window);
std::string WindowClassName(HWND window);

// The centre of the window's client area, in client coordinates.
POINT ClientCentre(HWND window);
// Posts the button message at the client position.
void PostLeftButtonDown(HWND window, POINT at);
void PostLeftButtonUp(HWND window, POINT at);

// The text of a message box (its static text), "" when there is none.
std::string ReadMessageBoxText(HWND messageBox);
// The button that Enter presses in the dialog: its default button, else OK.
int DefaultButtonOf(HWND dialog);
// Answers the dialog with the button of that id (IDOK, IDYES, ...).
void DismissDialog(HWND dialog, int buttonId);

// The length of the text in the status bar's first part; -1 when the bar does
// not answer. The text itself cannot be fetched from another process.
int StatusTextLength(HWND statusBar);
// True when the window and every window inside it have nothing left to paint.
bool IsDrawn(HWND window);
