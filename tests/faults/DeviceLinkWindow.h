#pragma once
// A hidden window standing in for the main form as the device link's notify
// target: it hands every notification of the reader to the link, has the
// link's time-outs shown in the program's boxes, and handles probes that a
// test posts from another thread, noting how long each waited in the queue.

#include "Clock.h"
#include "DeviceLinkMessages.h"
#include "TarvekComm.h"
#include "WWindow.h"

#include <vector>

class DeviceLinkWindow : public WWindow {
    W_DECLARE_CLASS(DeviceLinkWindow, WWindow)
public:
    explicit DeviceLinkWindow(TarvekComm& link);

    // Any thread: posts a probe stamped with the present time.
    void PostProbe();
    // Milliseconds each handled probe waited, in order of handling.
    const std::vector<double>& ProbeDelays() const { return probeDelays; }

private:
    // A probe carries the low bits of the clock in its value; the reader
    // posts 0.
    static constexpr uint32_t ProbeBit = 0x80000000u;

    TarvekComm& link;
    DeviceLinkMessages boxes;
    std::vector<double> probeDelays;

    bool OnUserEvent(WObject* source, WEventData* data);
};

// Milliseconds on a steady high-resolution clock.
inline double MillisecondClock()
{
    return Milliseconds();
}
