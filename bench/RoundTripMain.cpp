// bench-roundtrip: how long the device link takes for one command and for the
// seven commands of a transfer, against a device (tarvek-sim) on the other
// end of the line.
//
//   bench-roundtrip COMn [ROUNDS]
//
// Prints the median round trip, the floor the bytes alone take at 19200 baud,
// their ratio, what the software adds per command beyond the floor, and where
// a command's time goes.

#include "ConfigurationTransfer.h"
#include "LinkNotifyWindow.h"
#include "RoundTripBench.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::vector<WString> TransferLines()
{
    PageValues values;
    values.thresholdTexts[DeviceCommands::Threshold1UpperIndex] = "100.0";
    values.thresholdTexts[DeviceCommands::Threshold1LowerIndex] = "0.0";
    values.thresholdTexts[DeviceCommands::Threshold2UpperIndex] = "75.50";
    values.thresholdTexts[DeviceCommands::Threshold2LowerIndex] = "-25.00";
    values.errorHandlingEnabled = true;
    values.errorMemoryEnabled = true;
    values.cycleText = "30";
    const ConfigurationTransfer transfer(values);
    std::vector<WString> lines;
    for (int32_t step = 0; step < ConfigurationTransfer::StepCount; ++step)
        lines.push_back(transfer.GetCommandLine(step));
    return lines;
}

void Report(const char* name, const RoundTripFigures& figures)
{
    std::printf("  %-22s median %7.2f ms   floor %6.2f ms   ratio %5.2f   software %+6.2f ms/command", name,
                figures.medianMilliseconds, figures.floorMilliseconds, figures.Ratio(),
                figures.OverheadPerCommand());
    if (figures.failures > 0)
        std::printf("   (%d rounds without the expected answers)", figures.failures);
    std::printf("\n  %-22s per command: %.2f ms until the reader announced the answer, "
                "%.2f ms more until the link handed it back\n",
                "", figures.medianToNotification, figures.medianNotificationToAnswer);
}

int PortIndexOf(const char* name)
{
    return (_strnicmp(name, "COM", 3) == 0) ? std::atoi(name + 3) - 1 : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    const int portIndex = argc > 1 ? PortIndexOf(argv[1]) : -1;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 50;
    if (portIndex < 0 || rounds < 1) {
        std::fprintf(stderr, "usage: bench-roundtrip COMn [ROUNDS]\n");
        return 1;
    }
    TimedLink link(portIndex);
    LinkNotifyWindow window(link);
    link.SetNotifyTarget(&window);
    if (!link.Open()) {
        std::fprintf(stderr, "bench-roundtrip: cannot open %s\n", argv[1]);
        return 1;
    }
    RoundTripBench bench(link, "OK");
    bench.Measure({"ee 1\r\n"}, 5);
    Report("one command", bench.Measure({"ee 1\r\n"}, rounds));
    Report("transfer (7 commands)", bench.Measure(TransferLines(), rounds));
    link.Close();
    return 0;
}
