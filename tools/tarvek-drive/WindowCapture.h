#pragma once
// A picture of a top-level window of any process, as the window draws itself
// into a memory bitmap (PrintWindow): what is seen does not depend on other
// windows lying over it.

#include "PngEncoder.h"

#include <windows.h>

bool CaptureWindow(HWND window, RgbImage& image);
