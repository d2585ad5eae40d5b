#include "DeviceLinkWindow.h"

#include "WEventData.h"

namespace {

constexpr size_t ExpectedProbes = 100000;
// Stamps wrap after about two and a half days; delays are taken modulo.
constexpr uint32_t StampMask = 0x7FFFFFFFu;

}  // namespace

DeviceLinkWindow::DeviceLinkWindow(TarvekComm& link) : link(link)
{
    // Reserved at once, so that handling probes allocates nothing while a
    // test measures the heap.
    probeDelays.reserve(ExpectedProbes);
    AddHandler(UserEvent, this, &DeviceLinkWindow::OnUserEvent);
    link.SetListener(&boxes);
    Create(nullptr, RECT{0, 0, 240, 120}, "device link", WS_OVERLAPPEDWINDOW);
}

// The stamp is kept in tenths of a millisecond.
void DeviceLinkWindow::PostProbe()
{
    const auto stamp = static_cast<uint32_t>(static_cast<uint64_t>(MillisecondClock() * 10.0) & StampMask);
    PostUserEvent(ProbeBit | stamp);
}

bool DeviceLinkWindow::OnUserEvent(WObject*, WEventData* data)
{
    const uint32_t value = static_cast<WUserEventData*>(data)->value;
    if (value & ProbeBit) {
        const auto now = static_cast<uint32_t>(static_cast<uint64_t>(MillisecondClock() * 10.0) & StampMask);
        if (probeDelays.size() < probeDelays.capacity())
            probeDelays.push_back(((now - (value & StampMask)) & StampMask) / 10.0);
        return true;
    }
    link.OnDataReceived();
    return true;
}
