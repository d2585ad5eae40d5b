#pragma once
// A picture of a top-level window of any process, copied from the screen.
// Asking the window to draw itself into a bitmap of ours (PrintWindow) does
// not reach a window of another process on every host, the screen does; the
// window is brought to the top first, so that the picture shows it alone.

#include "PngEncoder.h"

#include <windows.h>

bool CaptureWindow(HWND window, RgbImage& image);
