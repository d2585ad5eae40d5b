#include "SimulatorProcess.h"

#include "TestArtifacts.h"

#include <fstream>
#include <sstream>

namespace {

constexpr DWORD startTimeout = 10000;
constexpr DWORD logPollInterval = 10;

HANDLE OpenNullDevice()
{
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    return CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &inheritable, OPEN_EXISTING, 0, nullptr);
}

std::string Quoted(const std::string& text)
{
    std::string quoted(1, '"');
    quoted += text;
    quoted.push_back('"');
    return quoted;
}

}  // namespace

SimulatorProcess::~SimulatorProcess()
{
    Stop();
}

bool SimulatorProcess::Start(int32_t portIndex, const std::string& options,
                             const std::string& logName)
{
    Stop();
    logPath = TestArtifactPath(logName.c_str());
    DeleteFileA(logPath.c_str());
    std::string commandLine = Quoted(PathFromEnvironment("TARVEK_SIM"));
    commandLine += " --log " + Quoted(logPath) + " " + options;
    commandLine += " COM" + std::to_string(portIndex + 11);
    // The simulator's own output would only clutter the test's; its log file has it all.
    HANDLE nullDevice = OpenNullDevice();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullDevice;
    startup.hStdOutput = nullDevice;
    startup.hStdError = nullDevice;
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(nullDevice);
    if (!started) {
        process = PROCESS_INFORMATION{};
        return false;
    }
    return WaitForLog("playing the Tarvek device", startTimeout);
}

void SimulatorProcess::Stop()
{
    if (!process.hProcess)
        return;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, startTimeout);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    process = PROCESS_INFORMATION{};
}

std::string SimulatorProcess::ReadLog() const
{
    std::ifstream file(logPath, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool SimulatorProcess::WaitForLog(const std::string& text, DWORD timeoutMilliseconds) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    for (;;) {
        if (ReadLog().find(text) != std::string::npos)
            return true;
        const bool ended =
            process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
        if (ended)
            return ReadLog().find(text) != std::string::npos;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(logPollInterval);
    }
}

std::string PathFromEnvironment(const char* variable)
{
    char value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(variable, value, sizeof value);
    if (length == 0 || length >= sizeof value)
        return "";
    std::string path(value, length);
    if (path[0] != '/')
        return path;
    for (char& character : path) {
        if (character == '/')
            character = '\\';
    }
    return "Z:" + path;
}
