#pragma once
// What the two floor programs (bench-minimal and the program's windows made
// with bare calls) do alike: their main dialog ends the program when it is
// closed, and their message loop hands the dialog its keys.

#include <windows.h>

// The closing part of a main dialog's procedure: OK, Cancel, the close box
// and the end of the dialog. False for every other message.
bool HandleClosing(HWND dialog, UINT message, WPARAM wParam);

// Runs the message loop until the dialog is gone; the program's exit code.
int RunDialogLoop(HWND dialog);
