#include "RoundTripBench.h"

#include "Clock.h"
#include "Statistics.h"

namespace {

constexpr double BitsPerCharacter = 10.0;  // start bit, 8 data bits, stop bit
constexpr double BaudRate = 19200.0;

}  // namespace

void TimedLink::DataReceived()
{
    notifiedAt = Milliseconds();
    TarvekComm::DataReceived();
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
        const double roundStart = Milliseconds();
        bool answered = true;
        for (const WString& command : commands) {
            const double start = Milliseconds();
            answered = link.SendCommand(command) == expectedAnswer && answered;
            const double end = Milliseconds();
            toNotification.push_back(link.notifiedAt - start);
            toAnswer.push_back(end - link.notifiedAt);
        }
        durations.push_back(Milliseconds() - roundStart);
        if (!answered)
            ++figures.failures;
    }
    figures.medianMilliseconds = Summarise(durations).median;
    figures.medianToNotification = Summarise(toNotification).median;
    figures.medianNotificationToAnswer = Summarise(toAnswer).median;
    return figures;
}

// The command and its answer line with CR LF, for every command.
double RoundTripBench::FloorMilliseconds(const std::vector<WString>& commands) const
{
    double characters = 0.0;
    for (const WString& command : commands)
        characters += command.GetLength() + expectedAnswer.GetLength() + 2;
    return characters * BitsPerCharacter / BaudRate * 1000.0;
}
