#include "ChildProgram.h"

#include <psapi.h>

namespace {

constexpr double bytesPerMebibyte = 1024.0 * 1024.0;
constexpr DWORD pollInterval = 1;

struct WindowSearch {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char text[128] = "";
    GetWindowTextA(window, text, sizeof text);
    if (owner != search.processId || !IsWindowVisible(window) || lstrcmpA(text, search.title) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

MemoryFigures MemoryOf(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    MemoryFigures figures;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        return figures;
    figures.peakWorkingSet = static_cast<double>(counters.PeakWorkingSetSize) / bytesPerMebibyte;
    figures.workingSet = static_cast<double>(counters.WorkingSetSize) / bytesPerMebibyte;
    // The commit charge; Wine fills it from the process's anonymous memory.
    figures.privateBytes = static_cast<double>(counters.PagefileUsage) / bytesPerMebibyte;
    return figures;
}

}  // namespace

double Milliseconds()
{
    static const double ticksPerMillisecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMillisecond;
}

ChildProgram::~ChildProgram()
{
    if (information.hProcess && WaitForSingleObject(information.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(information.hProcess, 1);
        WaitForSingleObject(information.hProcess, INFINITE);
    }
    if (information.hThread)
        CloseHandle(information.hThread);
    if (information.hProcess)
        CloseHandle(information.hProcess);
}

bool ChildProgram::Start(const std::string& path)
{
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startedAt = Milliseconds();
    return CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &information)
           != FALSE;
}

bool ChildProgram::WaitUntilReady(const char* title, DWORD timeoutMilliseconds, double& at)
{
    const double deadline = Milliseconds() + timeoutMilliseconds;
    WaitForInputIdle(information.hProcess, timeoutMilliseconds);
    while (!(mainWindow = FindVisibleWindow(title))) {
        if (Milliseconds() >= deadline || WaitForSingleObject(information.hProcess, pollInterval) == WAIT_OBJECT_0)
            return false;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMilliseconds, &result))
        return false;
    at = Milliseconds();
    return true;
}

HWND ChildProgram::FindVisibleWindow(const char* title) const
{
    WindowSearch search{information.dwProcessId, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

MemoryFigures ChildProgram::Memory() const
{
    return MemoryOf(information.hProcess);
}

MemoryFigures OwnMemory()
{
    return MemoryOf(GetCurrentProcess());
}
bool ChildProgram::Close(DWORD timeoutMilliseconds)
{
    if (mainWindow)
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(information.hProcess, timeoutMilliseconds) == WAIT_OBJECT_0)
        return true;
    TerminateProcess(information.hProcess, 1);
    WaitForSingleObject(information.hProcess, INFINITE);
    return false;
}
