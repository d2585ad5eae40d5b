#pragma once
// Pictures of windows for tests: what a window shows, as pixels a test can
// inspect and as a PNG file in the artifacts folder for a person to look at.

#include "PngEncoder.h"
#include "ZlibStream.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;       // 0x00RRGGBB, row by row from the top

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// What the window shows now, frame included (whole) or its client area only.
Image CaptureWindow(HWND window);
Image CaptureClientArea(HWND window);

// Writes the picture as a PNG file; false when the file cannot be written.
bool SavePng(const Image& image, const std::string& path);
// Captures the window and saves it as TestArtifactPath(fileName).
bool SaveWindowScreenshot(HWND window, const char* fileName);

std::vector<uint8_t> EncodePng(const Image& image);
