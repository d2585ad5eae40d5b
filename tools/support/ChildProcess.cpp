#include "ChildProcess.h"

#include "Clock.h"
#include "ProcessWindows.h"

namespace {

constexpr DWORD WindowPollInterval = 1;
constexpr DWORD StopTimeout = 10000;

HANDLE OpenNullDevice()
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    return CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                       OPEN_EXISTING, 0, nullptr);
}

}  // namespace

ChildProcess::~ChildProcess()
{
    Release();
}

bool ChildProcess::Start(const std::string& program, const std::string& arguments, Streams streams)
{
    Release();
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    HANDLE nullDevice = INVALID_HANDLE_VALUE;
    if (streams == Streams::Discarded) {
        nullDevice = OpenNullDevice();
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullDevice;
        startup.hStdOutput = nullDevice;
        startup.hStdError = nullDevice;
    }
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, streams == Streams::Discarded,
                                        0, nullptr, nullptr, &startup, &information);
    if (nullDevice != INVALID_HANDLE_VALUE)
        CloseHandle(nullDevice);
    if (!started)
        information = PROCESS_INFORMATION{};
    return started != FALSE;
}

bool ChildProcess::HasEnded() const
{
    return !information.hProcess || WaitForSingleObject(information.hProcess, 0) == WAIT_OBJECT_0;
}

HWND ChildProcess::WaitForWindow(const char* title, DWORD timeoutMilliseconds) const
{
    WaitForInputIdle(information.hProcess, timeoutMilliseconds);
    HWND window = nullptr;
    PollUntil(
        [&] {
            window = FindProcessWindow(information.dwProcessId, title, nullptr);
            return window || HasEnded();
        },
        timeoutMilliseconds, WindowPollInterval);
    return window;
}

bool ChildProcess::Close(HWND window, DWORD timeoutMilliseconds)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(information.hProcess, timeoutMilliseconds) == WAIT_OBJECT_0)
        return true;
    Stop();
    return false;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(information.hProcess, &exitCode);
    return exitCode;
}

void ChildProcess::Stop()
{
    if (HasEnded())
        return;
    TerminateProcess(information.hProcess, 1);
    WaitForSingleObject(information.hProcess, StopTimeout);
}

void ChildProcess::Release()
{
    Stop();
    if (information.hThread)
        CloseHandle(information.hThread);
    if (information.hProcess)
        CloseHandle(information.hProcess);
    information = PROCESS_INFORMATION{};
}
