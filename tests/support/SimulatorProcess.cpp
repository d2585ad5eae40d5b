#include "SimulatorProcess.h"

#include "Clock.h"
#include "PartnerPort.h"
#include "TestArtifacts.h"

#include <fstream>
#include <sstream>

namespace {

constexpr DWORD StartTimeout = 10000;
constexpr DWORD LogPollInterval = 10;

}  // namespace

SimulatorProcess::~SimulatorProcess()
{
    Stop();
}

// The simulator's own output would only clutter the test's; its log file has it all.
bool SimulatorProcess::Start(int32_t portIndex, const std::string& options, const std::string& logName)
{
    return Start(PartnerPortName(portIndex), options, logName);
}

bool SimulatorProcess::Start(const std::string& portName, const std::string& options,
                             const std::string& logName)
{
    Stop();
    logPath = TestArtifactPath(logName.c_str());
    DeleteFileA(logPath.c_str());
    const std::string arguments = "--log \"" + logPath + "\" " + options + " " + portName;
    if (!process.Start(PathFromEnvironment("TARVEK_SIM"), arguments, ChildProcess::Streams::Discarded))
        return false;
    return WaitForLog("playing the Tarvek device", StartTimeout);
}

void SimulatorProcess::Stop()
{
    process.Stop();
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
    const bool found =
        PollUntil([&] { return ReadLog().find(text) != std::string::npos || process.HasEnded(); },
                  timeoutMilliseconds, LogPollInterval);
    return found && ReadLog().find(text) != std::string::npos;
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
