#pragma once
// The program's message boxes. Each is modal, without owner window and
// task-modal, so that the user has to take note before any window of the
// program goes on; its kind gives its title, icon and buttons.

namespace TarvekBoxes {

// "Tarvek Fehler", stop icon, OK.
void ShowError(const char* text);
// "Tarvek Timeout", stop icon, OK.
void ShowTimeout(const char* text);
// "Info", information icon, Yes and No; the answer changes nothing.
void ShowInfo(const char* text);

}  // namespace TarvekBoxes
