#pragma once
// Pictures of windows for tests: what a window shows, as pixels a test can
// inspect, and as a PNG file in the artifacts folder for a person to look at.

#include "PngFile.h"
#include "ScreenCapture.h"

#include <windows.h>

// Captures the window and saves it as TestArtifactPath(fileName).
bool SaveWindowScreenshot(HWND window, const char* fileName);
