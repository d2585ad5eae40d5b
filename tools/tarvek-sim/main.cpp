// tarvek-sim: plays the Tarvek device on a serial port (see --help).

#include "SimLog.h"
#include "SimOptions.h"
#include "SimPort.h"
#include "Simulator.h"

#include <cstdio>

namespace {

HANDLE stopEvent = nullptr;

// Runs on a thread of its own that the console starts; it only asks the main
// loop to stop, which then closes the port itself.
BOOL WINAPI OnConsoleControl(DWORD)
{
    SetEvent(stopEvent);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv)
{
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "tarvek-sim: %s\n\n%s", error.c_str(), SimHelpText());
        return Simulator::BadStart;
    }
    if (options.help) {
        std::fputs(SimHelpText(), stdout);
        return Simulator::Stopped;
    }
    SimLog log;
    if (!options.logFile.empty() && !log.AlsoWriteTo(options.logFile)) {
        std::fprintf(stderr, "tarvek-sim: cannot write the log file %s\n", options.logFile.c_str());
        return Simulator::BadStart;
    }
    SimPort port;
    if (!port.Open(options.portName)) {
        log.Line("cannot open " + options.portName);
        return Simulator::BadStart;
    }
    stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    log.Line("playing the Tarvek device on " + options.portName);
    Simulator simulator(options, port, log);
    const Simulator::ExitCode result = simulator.Run(stopEvent);
    port.Close();
    if (result == Simulator::Stopped)
        log.Line("stopped");
    return result;
}
