#pragma once
// Pictures of windows for tests: what a window shows, as pixels a test can
// inspect, and as a PNG file in the artifacts folder for a person to look at.

#include "PngFile.h"
#include "ScreenCapture.h"

#include <windows.h>

#include <gtest/gtest.h>

// Captures the window and saves it as TestArtifactPath(fileName).
bool SaveWindowScreenshot(HWND window, const char* fileName);

// Captures the window, keeps the picture as TestArtifactPath(fileName) and
// checks what was painted: the picture has the window's size, and it shows the
// face colour of dialogs beside other colours, as a drawn form does.
::testing::AssertionResult PhotographsPaintedWindow(HWND window, const char* fileName);
