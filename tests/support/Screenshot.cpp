#include "Screenshot.h"

#include "TestArtifacts.h"

#include <algorithm>

namespace {

uint32_t FaceColour()
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return static_cast<uint32_t>(GetRValue(face)) << 16 | static_cast<uint32_t>(GetGValue(face)) << 8
           | GetBValue(face);
}

}  // namespace

// A window that has just appeared may not have painted yet (a message box
// found by a watcher thread the moment it is visible). Only what a person
// looks at depends on the picture, no test result does.
bool SaveWindowScreenshot(HWND window, const char* fileName)
{
    return SaveWindowPicture(window, TestArtifactPath(fileName));
}

::testing::AssertionResult PhotographsPaintedWindow(HWND window, const char* fileName)
{
    const Image picture = CaptureWindow(window);
    SavePng(picture, TestArtifactPath(fileName));
    RECT frame{};
    GetWindowRect(window, &frame);
    if (picture.width != frame.right - frame.left || picture.height != frame.bottom - frame.top)
        return ::testing::AssertionFailure()
               << fileName << ": picture " << picture.width << "x" << picture.height << ", window "
               << frame.right - frame.left << "x" << frame.bottom - frame.top;
    const uint32_t face = FaceColour();
    const auto& pixels = picture.pixels;
    if (std::find(pixels.begin(), pixels.end(), face) == pixels.end())
        return ::testing::AssertionFailure()
               << fileName << ": no pixel of the face colour " << std::hex << face;
    if (std::all_of(pixels.begin(), pixels.end(), [face](uint32_t pixel) { return pixel == face; }))
        return ::testing::AssertionFailure() << fileName << ": nothing drawn on the face colour";
    return ::testing::AssertionSuccess();
}
