#pragma once
// Times command round trips through the device link: the command written,
// the answer line assembled from the reader's portions. The floor is what the
// bytes alone take on a 19200-baud line, 10 bits per character both ways.
// Each round trip is also split where the software could lose time: until the
// reader thread announces the answer, and from there until the link hands the
// answer back, which takes the reader's portion over to the waiting thread.

#include "TarvekComm.h"

#include <atomic>
#include <vector>

// The device link, stamped when its reader announces a portion.
class TimedLink : public TarvekComm {
    W_DECLARE_CLASS(TimedLink, TarvekComm)
public:
    explicit TimedLink(int32_t portIndex) : TarvekComm(portIndex) {}
    ~TimedLink() override { Close(); }

    // Reader thread.
    void DataReceived() override;

    // Milliseconds on the host's clock.
    std::atomic<double> notifiedAt{0.0};
};

struct RoundTripFigures {
    double medianMilliseconds = 0.0;          // one round of all commands
    double floorMilliseconds = 0.0;           // their bytes on the wire at 19200 baud
    double medianToNotification = 0.0;        // per command: written until announced
    double medianNotificationToAnswer = 0.0;  // per command: announced until handed back
    int32_t commands = 0;
    int32_t failures = 0;  // rounds with an answer other than the expected one

    double Ratio() const { return medianMilliseconds / floorMilliseconds; }
    double OverheadPerCommand() const { return (medianMilliseconds - floorMilliseconds) / commands; }
};

class RoundTripBench {
public:
    RoundTripBench(TimedLink& link, const char* expectedAnswer);

    // Sends the command lines one after the other, `rounds` times.
    RoundTripFigures Measure(const std::vector<WString>& commands, int32_t rounds);

private:
    TimedLink& link;
    WString expectedAnswer;

    double FloorMilliseconds(const std::vector<WString>& commands) const;
};
