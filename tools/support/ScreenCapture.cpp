#include "ScreenCapture.h"

#include "Clock.h"
#include "ProcessWindows.h"

namespace {

constexpr DWORD PaintTimeout = 2000;
constexpr DWORD PaintPollInterval = 1;
constexpr DWORD DisplayFlushInterval = 60;
constexpr int DisplayFlushRounds = 3;
constexpr UINT LoopTimeout = 1000;

// A top-down 32-bit section: rows in screen order, each pixel a 0x00RRGGBB word.
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

Image CaptureScreen(int x, int y, int width, int height)
{
    Image image;
    if (width <= 0 || height <= 0)
        return image;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP section = CreateTopDownSection(screen, width, height, bits);
    if (memory && section) {
        HGDIOBJ previous = SelectObject(memory, section);
        if (BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY | CAPTUREBLT)) {
            GdiFlush();
            const auto* pixels = static_cast<const uint32_t*>(bits);
            image.width = width;
            image.height = height;
            image.pixels.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
            for (uint32_t& pixel : image.pixels)
                pixel &= 0x00FFFFFF;
        }
        SelectObject(memory, previous);
    }
    if (section)
        DeleteObject(section);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

// Sends the window's thread once through its message loop: the calling thread
// looks at its own queue, another thread is sent a message that does nothing.
void RunMessageLoopOf(HWND window)
{
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        return;
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, LoopTimeout, &result);
}

}  // namespace

Image CaptureWindow(HWND window)
{
    RECT frame{};
    if (!GetWindowRect(window, &frame))
        return Image{};
    return CaptureScreen(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
}

Image CaptureClientArea(HWND window)
{
    RECT client{};
    POINT origin{0, 0};
    if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin))
        return Image{};
    return CaptureScreen(origin.x, origin.y, client.right, client.bottom);
}

// Wine hands what a thread painted to the display only from that thread's
// message loop, at most every 50 ms, and the picture is copied from the
// display: the loop runs a few times, that time apart, after the painting.
void PaintForCapture(HWND window)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PollUntil([window] { return IsDrawn(window); }, PaintTimeout, PaintPollInterval);
    for (int round = 0; round < DisplayFlushRounds; ++round) {
        Sleep(DisplayFlushInterval);
        RunMessageLoopOf(window);
    }
}
