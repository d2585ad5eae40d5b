#pragma once
// The simulator's main loop: receive command lines, let the device carry them
// out, answer as the options say, and log all of it.

#include "AnswerShaper.h"
#include "CommandReceiver.h"
#include "Device.h"
#include "SimLog.h"
#include "SimOptions.h"
#include "SimPort.h"

class Simulator {
public:
    enum ExitCode { Stopped = 0, BadStart = 1, PortLost = 2 };

    Simulator(const SimOptions& options, SimPort& port, SimLog& log);

    // Runs until the stop event is set or the port goes away.
    ExitCode Run(HANDLE stopEvent);

private:
    // One character at 19200 baud: a start bit, 8 data bits and a stop bit.
    static constexpr double ByteSeconds = 10.0 / 19200.0;

    const SimOptions& options;
    SimPort& port;
    SimLog& log;
    Device device;
    CommandReceiver receiver;
    AnswerShaper shaper;
    int answered = 0;
    double lineStart = 0.0;   // when the first byte of the current line arrived
    double wireFreeAt = 0.0;  // when the last line seen was complete on a real line

    bool Answer(const std::string& line, HANDLE stopEvent);
    bool ShouldAnswer() const;
    bool WaitBeforeAnswer(const std::string& line, HANDLE stopEvent);
    bool Send(const std::string& bytes, HANDLE stopEvent);
};
