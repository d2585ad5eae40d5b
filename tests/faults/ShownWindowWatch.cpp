#include "ShownWindowWatch.h"

namespace {

constexpr DWORD pollInterval = 5;

}  // namespace

ShownWindowWatch::ShownWindowWatch()
{
    watcher = std::thread([this] { Watch(); });
}

ShownWindowWatch::~ShownWindowWatch()
{
    Finish();
}

bool ShownWindowWatch::Finish()
{
    stopping = true;
    if (watcher.joinable())
        watcher.join();
    return seen;
}

void ShownWindowWatch::Watch()
{
    while (!stopping) {
        if (HWND window = FindShownWindow()) {
            if (!seen) {
                char text[256] = "";
                GetWindowTextA(window, text, sizeof text);
                title = text;
                seen = true;
            }
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
        Sleep(pollInterval);
    }
}

HWND ShownWindowWatch::FindShownWindow() const
{
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != GetCurrentProcessId() || !IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<HWND*>(parameter) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}
