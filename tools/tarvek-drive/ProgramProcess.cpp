#include "ProgramProcess.h"

ProgramProcess::~ProgramProcess()
{
    if (information.hThread)
        CloseHandle(information.hThread);
    if (information.hProcess)
        CloseHandle(information.hProcess);
}

bool ProgramProcess::Start(const std::string& path)
{
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &information)
           != FALSE;
}

bool ProgramProcess::WaitForExit(DWORD milliseconds, DWORD& exitCode) const
{
    return WaitForSingleObject(information.hProcess, milliseconds) == WAIT_OBJECT_0
           && GetExitCodeProcess(information.hProcess, &exitCode) != FALSE;
}

void ProgramProcess::Terminate()
{
    TerminateProcess(information.hProcess, 1);
    WaitForSingleObject(information.hProcess, INFINITE);
}
