#include "WindowCapture.h"

namespace {

// A top-down 32-bit section: rows in screen order, four bytes per pixel in
// blue, green, red order, the fourth unused.
HBITMAP CreateTopDownSection(HDC compatible, int width, int height, void*& bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

void CopyPixels(const uint8_t* bgrx, RgbImage& image)
{
    const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    image.pixels.resize(count * 3);
    for (size_t index = 0; index < count; ++index) {
        image.pixels[index * 3] = bgrx[index * 4 + 2];
        image.pixels[index * 3 + 1] = bgrx[index * 4 + 1];
        image.pixels[index * 3 + 2] = bgrx[index * 4];
    }
}

}  // namespace

bool CaptureWindow(HWND window, RgbImage& image)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT frame;
    if (!GetWindowRect(window, &frame))
        return false;
    image.width = frame.right - frame.left;
    image.height = frame.bottom - frame.top;
    if (image.width <= 0 || image.height <= 0)
        return false;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP section = CreateTopDownSection(screen, image.width, image.height, bits);
    bool captured = false;
    if (memory && section) {
        HGDIOBJ previous = SelectObject(memory, section);
        captured = BitBlt(memory, 0, 0, image.width, image.height, screen, frame.left, frame.top,
                          SRCCOPY | CAPTUREBLT)
                   != FALSE;
        GdiFlush();
        if (captured)
            CopyPixels(static_cast<const uint8_t*>(bits), image);
        SelectObject(memory, previous);
    }
    if (section)
        DeleteObject(section);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return captured;
}
