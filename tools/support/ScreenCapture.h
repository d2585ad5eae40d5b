#pragma once
// Pictures of windows, copied from the screen: what a window of any process
// shows, frame included or its client area only, as pixels to inspect or to
// save (PngFile.h). Asking a window to draw itself into a bitmap (PrintWindow)
// does not reach a window of another process on every host; the screen does,
// so the window must be on top and painted when it is taken.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row from the top

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool IsEmpty() const { return pixels.empty(); }
};

// Empty when the window cannot be copied.
Image CaptureWindow(HWND window);
Image CaptureClientArea(HWND window);

// Has the window paint itself afresh and waits until the painting is on the
// screen; the window may belong to any thread of any process.
void PaintForCapture(HWND window);
