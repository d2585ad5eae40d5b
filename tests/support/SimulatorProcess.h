#pragma once
// tarvek-sim started by a test on the partner end of a null-modem pair. Its
// log goes to a file in the artifacts folder, which the test reads while the
// simulator runs and a person reads afterwards.
//
// The test's CMake passes the simulator's path in TARVEK_SIM.

#include "ChildProcess.h"

#include <windows.h>

#include <cstdint>
#include <string>

class SimulatorProcess {
public:
    SimulatorProcess() = default;
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts the simulator on the partner of COM(portIndex + 1) with the given
    // extra options and waits until it listens. logName names the log file.
    bool Start(int32_t portIndex, const std::string& options, const std::string& logName);
    // The same on the port of that name ("COM3").
    bool Start(const std::string& portName, const std::string& options, const std::string& logName);
    void Stop();

    std::string ReadLog() const;
    // Waits until the log holds the text; false at the deadline.
    bool WaitForLog(const std::string& text, DWORD timeoutMilliseconds) const;

private:
    ChildProcess process;
    std::string logPath;
};

// A path that the test's CMake put into an environment variable, as this host
// names it: a Unix path becomes one on Wine's drive Z:. Empty when unset.
std::string PathFromEnvironment(const char* variable);
