#include "RoundTripBench.h"

#include "WEventData.h"

#include <algorithm>

namespace {

constexpr double bitsPerCharacter = 10.0;   // start bit, 8 data bits, stop bit
constexpr double baudRate = 19200.0;

}  // namespace

double BenchClockSeconds()
{
    static const double ticksPerSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerSecond;
}

void TimedLink::DataReceived()
{
    notifiedAt = BenchClockSeconds();
    TarvekComm::DataReceived();
}

LinkWindow::LinkWindow(TimedLink& link) : link(link)
{
    AddHandler(UserEvent, this, &LinkWindow::OnUserEvent);
    Create(nullptr, RECT{0, 0, 200, 100}, "bench-roundtrip", WS_OVERLAPPEDWINDOW);
}

bool LinkWindow::OnUserEvent(WObject*, WEventData*)
{
    link.OnDataReceived();
    return true;
}

RoundTripBench::RoundTripBench(TimedLink& link, const char* expectedAnswer)
    : link(link), expectedAnswer(expectedAnswer)
{
}

RoundTripFigures RoundTripBench::Measure(const std::vector<WString>& commands, int32_t rounds)
{
    RoundTripFigures figures;
    figures.commands = static_cast<int32_t>(commands.size());
    figures.floorMilliseconds = FloorMilliseconds(commands);
    std::vector<double> durations, toNotification, toAnswer;
    for (int32_t round = 0; round < rounds; ++round) {
        const double roundStart = BenchClockSeconds();
        bool answered = true;
        for (const WString& command : commands) {
            const double start = BenchClockSeconds();
            answered = link.SendCommand(command) == expectedAnswer && answered;
            const double end = BenchClockSeconds();
            toNotification.push_back((link.notifiedAt - start) * 1000.0);
            toAnswer.push_back((end - link.notifiedAt) * 1000.0);
        }
        durations.push_back((BenchClockSeconds() - roundStart) * 1000.0);
        if (!answered)
            ++figures.failures;
    }
    figures.medianMilliseconds = Median(durations);
    figures.medianToNotification = Median(toNotification);
    figures.medianNotificationToAnswer = Median(toAnswer);
    return figures;
}

double RoundTripBench::Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// The command and its answer line with CR LF, for every command.
double RoundTripBench::FloorMilliseconds(const std::vector<WString>& commands) const
{
    double characters = 0.0;
    for (const WString& command : commands)
        characters += command.GetLength() + expectedAnswer.GetLength() + 2;
    return characters * bitsPerCharacter / baudRate * 1000.0;
}
