#pragma once
// Which framework object stands for which window, kept in the process. The
// dispatcher looks the object up for every message a window gets; kept with
// the window itself (a window property), each look-up would be a request to
// the host's window manager, which on some hosts runs in another process.
// A window is entered when a framework object attaches it and taken out when
// the object lets it go, at the latest when the window is destroyed.

#include <windows.h>

class WWindow;

namespace WWindowDirectory {

// The object of the window, or null when none has attached it. Any thread.
WWindow* Find(HWND window);
void Enter(HWND window, WWindow* object);
void Remove(HWND window);

}  // namespace WWindowDirectory
