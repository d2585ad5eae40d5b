#include "Screenshot.h"

#include "TestArtifacts.h"

namespace {

constexpr DWORD DisplayFlushInterval = 60;

}  // namespace

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
