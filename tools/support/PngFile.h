#pragma once
// Pictures saved as PNG files for a person to look at, encoded by the host's
// imaging component.

#include "ScreenCapture.h"

#include <string>

// Writes the picture to the file (a path in the ANSI code page); false when
// the picture is empty or the file cannot be written.
bool SavePng(const Image& image, const std::string& path);
// Paints the window afresh, copies it from the screen and writes the picture.
bool SaveWindowPicture(HWND window, const std::string& path);
