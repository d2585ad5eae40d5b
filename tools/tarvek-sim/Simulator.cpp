#include "Simulator.h"

Simulator::Simulator(const SimOptions& options, SimPort& port, SimLog& log)
    : options(options), port(port), log(log), shaper(options.shape)
{
}

Simulator::ExitCode Simulator::Run(HANDLE stopEvent)
{
    char buffer[512];
    for (;;) {
        DWORD count = 0;
        const SimPort::ReadResult result = port.Read(buffer, sizeof buffer, count, stopEvent);
        if (result == SimPort::ReadResult::Stopped)
            return Stopped;
        if (result == SimPort::ReadResult::Lost) {
            log.Line("port " + options.portName + " went away");
            return PortLost;
        }
        if (!receiver.HasPartialLine())
            lineStart = SimClockSeconds();
        for (const std::string& line : receiver.Feed(buffer, count)) {
            if (!Answer(line, stopEvent))
                return WaitForSingleObject(stopEvent, 0) == WAIT_OBJECT_0 ? Stopped : PortLost;
        }
    }
}

bool Simulator::Answer(const std::string& line, HANDLE stopEvent)
{
    log.Line("<- " + Printable(line));
    const std::string answer = device.Execute(line);
    if (answer == Device::Accepted)
        log.Line("   " + device.Describe());
    if (!ShouldAnswer()) {
        log.Line("   (no answer)");
        return true;
    }
    if (!WaitBeforeAnswer(line, stopEvent))
        return false;
    const std::string bytes = shaper.Shape(answer);
    if (!Send(bytes, stopEvent))
        return false;
    ++answered;
    log.Line("-> " + Printable(bytes));
    return true;
}

bool Simulator::ShouldAnswer() const
{
    return !options.silent && (options.silentAfter < 0 || answered < options.silentAfter);
}

// At the line rate a command is complete only when all its bytes, with their
// CR LF, could have crossed the line, counted from the arrival of its first
// byte or from the end of the line before it, whichever is later.
bool Simulator::WaitBeforeAnswer(const std::string& line, HANDLE stopEvent)
{
    if (options.lineRate) {
        const double from = lineStart > wireFreeAt ? lineStart : wireFreeAt;
        wireFreeAt = from + static_cast<double>(line.size() + 2) * ByteSeconds;
        if (!SimWaitUntil(wireFreeAt, stopEvent))
            return false;
    }
    return options.lateMilliseconds == 0
           || SimWaitUntil(SimClockSeconds() + options.lateMilliseconds / 1000.0, stopEvent);
}

bool Simulator::Send(const std::string& bytes, HANDLE stopEvent)
{
    return options.lineRate ? port.WritePaced(bytes, ByteSeconds, stopEvent) : port.Write(bytes);
}
