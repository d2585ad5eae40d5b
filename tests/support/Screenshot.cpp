#include "Screenshot.h"

#include "TestArtifacts.h"

#include <cstdio>

namespace {

constexpr DWORD DisplayFlushInterval = 60;

Image CaptureFrom(HDC source, int x, int y, int width, int height)
{
    Image image;
    if (width <= 0 || height <= 0)
        return image;
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    image.width = width;
    image.height = height;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    image.pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : image.pixels)
        pixel &= 0x00FFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return image;
}

}  // namespace

// The PNG encoding is the one the program's driver tool writes its pictures with.
std::vector<uint8_t> EncodePng(const Image& image)
{
    RgbImage rgb{image.width, image.height, {}};
    rgb.pixels.reserve(image.pixels.size() * 3);
    for (const uint32_t pixel : image.pixels)
        rgb.pixels.insert(rgb.pixels.end(), {static_cast<uint8_t>(pixel >> 16),
                                             static_cast<uint8_t>(pixel >> 8),
                                             static_cast<uint8_t>(pixel)});
    return EncodePng(rgb);
}

bool SavePng(const Image& image, const std::string& path)
{
    const std::vector<uint8_t> png = EncodePng(image);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

Image CaptureWindow(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    HDC screen = GetDC(nullptr);
    Image image = CaptureFrom(screen, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    ReleaseDC(nullptr, screen);
    return image;
}

Image CaptureClientArea(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    Image image = CaptureFrom(screen, origin.x, origin.y, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    return image;
}

bool SaveWindowScreenshot(HWND window, const char* fileName)
{
    // A window that has just appeared may not have painted yet (a message box
    // found by a watcher thread the moment it is visible): paint it first.
    // Wine hands what a thread painted to the display only from that thread's
    // message loop, at most every 50 ms, and the picture is copied from the
    // display: give each loop that time. Only what a person looks at depends
    // on it, no test result does.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int round = 0; round < 3; ++round) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        Sleep(DisplayFlushInterval);
    }
    return SavePng(CaptureWindow(window), TestArtifactPath(fileName));
}
