#include "ChildProcess.h"

#include "Clock.h"
#include "ProcessWindows.h"

namespace {

constexpr DWORD WindowPollInterval = 1;
constexpr DWORD OutputPollInterval = 5;
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
    if (streams == Streams::Inherited)
        return StartWith(commandLine, startup);
    HANDLE nullDevice = OpenNullDevice();
    HANDLE childOutput = nullDevice;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    if (streams == Streams::Captured && CreatePipe(&outputPipe, &childOutput, &inheritable, 0))
        SetHandleInformation(outputPipe, HANDLE_FLAG_INHERIT, 0);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullDevice;
    startup.hStdOutput = childOutput;
    startup.hStdError = childOutput;
    const bool started = StartWith(commandLine, startup);
    // Only the child holds the pipe's other end now, so that the pipe ends
    // with the child.
    if (childOutput != nullDevice)
        CloseHandle(childOutput);
    if (nullDevice != INVALID_HANDLE_VALUE)
        CloseHandle(nullDevice);
    return started;
}

bool ChildProcess::StartWith(std::string commandLine, STARTUPINFOA startup)
{
    const bool inherit = (startup.dwFlags & STARTF_USESTDHANDLES) != 0;
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, inherit, 0, nullptr,
                                        nullptr, &startup, &information);
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

// The wait on the process itself ends the moment it ends, so that the time
// of its end is not rounded up to a polling interval.
bool ChildProcess::WaitForEnd(DWORD timeoutMilliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    bool ended = false;
    while (!ended) {
        TakeAvailableOutput();
        ended = !information.hProcess
                || WaitForSingleObject(information.hProcess, OutputPollInterval) == WAIT_OBJECT_0;
        if (!ended && GetTickCount64() >= deadline)
            break;
    }
    TakeAvailableOutput();
    if (!ended)
        Stop();
    return ended;
}

void ChildProcess::TakeAvailableOutput()
{
    char buffer[4096];
    DWORD available = 0;
    while (outputPipe && PeekNamedPipe(outputPipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        DWORD read = 0;
        if (!ReadFile(outputPipe, buffer, available < sizeof buffer ? available : sizeof buffer, &read,
                      nullptr))
            return;
        output.append(buffer, read);
    }
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
    if (outputPipe)
        CloseHandle(outputPipe);
    outputPipe = nullptr;
    output.clear();
}
