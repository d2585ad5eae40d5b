#pragma once
// The program under drive, started by the driver itself, so that the driver
// knows which windows are its own even when other programs show windows of the
// same title on the same desktop.

#include <windows.h>

#include <string>

class ProgramProcess {
public:
    ProgramProcess() = default;
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;
    ~ProgramProcess();

    bool Start(const std::string& path);
    // True when the program ended within the time; its exit code in exitCode.
    bool WaitForExit(DWORD milliseconds, DWORD& exitCode) const;
    void Terminate();
    DWORD Id() const { return information.dwProcessId; }

private:
    PROCESS_INFORMATION information{};
};
