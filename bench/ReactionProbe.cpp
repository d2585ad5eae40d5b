#include "ReactionProbe.h"

#include "Clock.h"

namespace {

constexpr DWORD PollInterval = 1;

}  // namespace

double MessageDelay(HWND window, DWORD timeoutMilliseconds)
{
    const double start = Milliseconds();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMilliseconds, &result))
        return -1.0;
    return Milliseconds() - start;
}

// Painting validates the window; its update region is empty again once the
// window's thread has handled the paint message.
double RepaintDelay(HWND window, DWORD timeoutMilliseconds)
{
    const double start = Milliseconds();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    const double deadline = start + timeoutMilliseconds;
    while (GetUpdateRect(window, nullptr, FALSE) && Milliseconds() < deadline)
        Sleep(PollInterval);
    return Milliseconds() - start;
}
