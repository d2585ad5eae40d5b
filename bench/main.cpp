// tarvek-bench: measures the configuration tool from outside, as a user meets
// it, against a minimal program of its kind and against the physical floor of
// the serial line. scripts/bench runs it with the simulator in the right mode
// and writes the table.
//
//   tarvek-bench start RUNS SPACER SPACER_TITLE LABEL PROGRAM TITLE [LABEL PROGRAM TITLE ...]
//       start-up until the window is up and answering, and the peak working
//       set then, the programs started in turn; the program SPACER is
//       started and closed before each measured start
//   tarvek-bench trace RUNS SPACER SPACER_TITLE LABEL PROGRAM TITLE [LABEL PROGRAM TITLE ...]
//       the same with trace builds (bench/StartupTrace.cpp): the steps of the
//       start-up and what each kind of traced call cost in it
//   tarvek-bench transfer PROGRAM RUNS SIMULATOR_LOG
//       the seven-line transfer from the click to the idle look, and the
//       bytes that crossed the line for one transfer
//   tarvek-bench paired PROGRAM RUNS SIMULATOR_LOG
//       the same, each transfer of the program followed by the same seven
//       lines over the bare serial API, so that both meet the same load:
//       the figures of transfer and wire, and the program's time per
//       command above the bare exchange, pair by pair
//   tarvek-bench endurance PROGRAM TRANSFERS
//       the program's memory after start-up, after one and after all transfers
//   tarvek-bench reaction PROGRAM TRANSFERS
//       while commands await a late answer: how soon a message is taken and
//       the window repainted
//   tarvek-bench wire RUNS
//       the same seven lines exchanged over COM2 with bare Win32 calls, the
//       port opened and closed for each transfer: the floor the host sets
//       under the transfer's time and memory
//   tarvek-bench waits COUNT
//       waits for a character on the silent COM2: how long the host lets a
//       wait last and how much memory it loses with each
//   tarvek-bench send-start SENDER FILE RUNS
//       the console sender from its start to its end, loading and checking
//       the file (--check)
//   tarvek-bench send SENDER FILE RUNS SIMULATOR_LOG
//       the console sender sending the file over COM2: from its start to its
//       end, and from its first line at the simulator to its end
//
// Every figure goes out as one line: "RESULT name median p10 p90 count" or
// "VALUE name number". The transfers go over COM2, which the program is set
// to use; the simulator must be playing the device on its partner COM12.

#include "BareSerialLink.h"
#include "ChildProcess.h"
#include "Clock.h"
#include "LoadSavePrint.h"
#include "MainWindowDriver.h"
#include "ProcessMemory.h"
#include "ReactionProbe.h"
#include "SimulatorLog.h"
#include "StartupSteps.h"
#include "Statistics.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr char ProgramTitle[] = "Tarvek";
constexpr DWORD StepTimeout = 30000;
constexpr int WarmUpTransfers = 2;
constexpr int TransferCommands = 7;
constexpr DWORD ProbePause = 20;
constexpr DWORD ProbeTimeout = 5000;
// How every transfer's first line begins.
constexpr char FirstTransferLine[] = "st 1 ";

void PrintResult(const char* name, const std::vector<double>& values)
{
    const Spread spread = Summarise(values);
    std::printf("RESULT %s %.2f %.2f %.2f %d\n", name, spread.median, spread.p10, spread.p90, spread.count);
}

void PrintValue(const char* name, double value)
{
    std::printf("VALUE %s %.3f\n", name, value);
}

int Fail(const std::string& reason)
{
    std::fprintf(stderr, "tarvek-bench: %s\n", reason.c_str());
    return 1;
}

// The program reads its interface from the registry; COM2 is the one whose
// partner the simulator plays.
void ChooseComTwo()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Holmfeldt\\Kalvento", 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return;
    const DWORD port = 2;
    RegSetValueExA(key, "COM", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&port), sizeof port);
    RegCloseKey(key);
}

// The program's window with the title, once it shows and its thread answers
// a message, which it does only from its message loop; null when it does not
// come.
HWND WaitUntilReady(const ChildProcess& program, const char* title)
{
    HWND window = program.WaitForWindow(title, StepTimeout);
    return window && MessageDelay(window, StepTimeout) >= 0.0 ? window : nullptr;
}

struct StartStamps {
    double startedAt = 0.0;
    double readyAt = 0.0;
};

// One start of a program until it is ready, closed again; when it started and
// when it was ready, and its memory then.
bool TimeStart(const std::string& path, const char* title, StartStamps& stamps, MemoryFigures& memory)
{
    ChildProcess program;
    stamps.startedAt = Milliseconds();
    if (!program.Start(path))
        return false;
    HWND window = WaitUntilReady(program, title);
    if (!window)
        return false;
    stamps.readyAt = Milliseconds();
    memory = MemoryOf(program.Handle());
    return program.Close(window, StepTimeout);
}

bool TimeStart(const std::string& path, const char* title, double& milliseconds, MemoryFigures& memory)
{
    StartStamps stamps;
    if (!TimeStart(path, title, stamps, memory))
        return false;
    milliseconds = stamps.readyAt - stamps.startedAt;
    return true;
}

struct Contender {
    std::string label;
    std::string path;
    std::string title;
    std::vector<double> startTimes;
    std::vector<double> peakWorkingSets;
};

// The first program's start-up against each other's, run by run: starts made
// one right after the other meet much the same load of the shared machine, so
// the ratio of each pair swings less than the start-up times themselves.
void PrintPairedRatios(const std::vector<Contender>& contenders)
{
    const Contender& first = contenders.front();
    for (size_t other = 1; other < contenders.size(); ++other) {
        std::vector<double> ratios;
        for (size_t run = 0; run < first.startTimes.size(); ++run)
            ratios.push_back(first.startTimes[run] / contenders[other].startTimes[run]);
        PrintResult(("startup_ratio_" + contenders[other].label).c_str(), ratios);
    }
}

// A start right after another program's end meets the host still clearing
// up after that end, more after some programs than after others: a small
// program, started and closed before each measured start, makes every
// measured start meet the same.
struct Spacer {
    std::string path;
    std::string title;

    bool Run() const
    {
        double milliseconds = 0.0;
        MemoryFigures memory;
        return TimeStart(path, title.c_str(), milliseconds, memory);
    }
};

// The programs are started in turn, so that each meets the host in the same
// state as often as the others.
int Start(const Spacer& spacer, std::vector<Contender>& contenders, int runs)
{
    double milliseconds = 0.0;
    MemoryFigures memory;
    // The first starts fill the host's caches; they are not counted.
    for (const Contender& contender : contenders) {
        if (!TimeStart(contender.path, contender.title.c_str(), milliseconds, memory))
            return Fail(contender.path + " does not start");
    }
    for (int run = 0; run < runs; ++run) {
        for (Contender& contender : contenders) {
            if (!spacer.Run())
                return Fail(spacer.path + " does not start");
            if (!TimeStart(contender.path, contender.title.c_str(), milliseconds, memory))
                return Fail(contender.path + " did not come up");
            contender.startTimes.push_back(milliseconds);
            contender.peakWorkingSets.push_back(memory.peakWorkingSet);
        }
    }
    for (const Contender& contender : contenders) {
        PrintResult(("startup_" + contender.label).c_str(), contender.startTimes);
        PrintResult(("peak_working_set_" + contender.label).c_str(), contender.peakWorkingSets);
    }
    PrintPairedRatios(contenders);
    return 0;
}

std::string ReadTextFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The figures of one traced program over its runs: each step and each kind of
// traced call, in the order they first came.
struct TracedContender {
    std::string label;
    std::string path;
    std::string title;
    std::vector<std::string> names;
    std::map<std::string, std::vector<double>> values;

    void Add(const std::string& name, double value)
    {
        if (!values.count(name))
            names.push_back(name);
        values[name].push_back(value);
    }
};

// One traced start; its steps and call costs are added to the contender's.
bool TraceStart(TracedContender& contender, const std::string& tracePath)
{
    DeleteFileA(tracePath.c_str());
    StartStamps stamps;
    MemoryFigures memory;
    StartupTrace trace;
    if (!TimeStart(contender.path, contender.title.c_str(), stamps, memory)
        || !ReadStartupTrace(ReadTextFile(tracePath), trace))
        return false;
    contender.Add("step_total", stamps.readyAt - stamps.startedAt);
    for (const auto& [step, milliseconds] : StartupSteps(trace, stamps.startedAt, stamps.readyAt))
        contender.Add("step_" + step, milliseconds);
    for (const CallCost& cost : CallCosts(trace)) {
        contender.Add("call_" + cost.name, cost.self);
        contender.Add("calls_" + cost.name, cost.count);
    }
    return true;
}

// The traced programs write their trace where the environment says; they
// are started in turn, as in Start, each after the spacer.
int Trace(const Spacer& spacer, std::vector<TracedContender>& contenders, int runs)
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    const std::string tracePath = std::string(folder) + "tarvek-startup-trace.txt";
    SetEnvironmentVariableA("TARVEK_STARTUP_TRACE", tracePath.c_str());
    for (int run = 0; run <= runs; ++run) {
        for (TracedContender& contender : contenders) {
            TracedContender warmUp = contender;
            if (!spacer.Run())
                return Fail(spacer.path + " does not start");
            if (!TraceStart(run == 0 ? warmUp : contender, tracePath))
                return Fail(contender.path + " left no start-up trace");
        }
    }
    DeleteFileA(tracePath.c_str());
    for (const TracedContender& contender : contenders) {
        for (const std::string& name : contender.names) {
            const std::vector<double>& values = contender.values.at(name);
            // A kind of call missing from some runs counts as none there.
            std::vector<double> padded(values);
            padded.resize(static_cast<size_t>(runs), 0.0);
            PrintResult((name + "_" + contender.label).c_str(), padded);
        }
    }
    return 0;
}

// The program started and ready to be driven.
class DrivenProgram {
public:
    bool Start(const std::string& path)
    {
        ChooseComTwo();
        if (!program.Start(path) || !(window = WaitUntilReady(program, ProgramTitle)))
            return false;
        driver = std::make_unique<MainWindowDriver>(window);
        return driver->FindControls();
    }

    MemoryFigures Memory() const { return MemoryOf(program.Handle()); }
    bool Close() { return program.Close(window, StepTimeout); }

    // One transfer: the time from the release of the button to the idle
    // look; false when it failed or showed a message. The local clock's
    // readings at the release and at the idle look go to `stamps`, to be set
    // against the simulator's log.
    bool Transfer(double& milliseconds, std::vector<std::pair<double, double>>* stamps = nullptr)
    {
        if (!driver->Press(StepTimeout))
            return false;
        const double releasedAt = Milliseconds();
        const double releasedOnClock = LocalClockMilliseconds();
        driver->Release();
        double idleAt = 0.0;
        if (!driver->WaitUntilIdle(StepTimeout, idleAt))
            return false;
        milliseconds = idleAt - releasedAt;
        if (stamps)
            stamps->emplace_back(releasedOnClock, releasedOnClock + milliseconds);
        return driver->DismissMessageBoxes() == 0 && driver->StatusTextLength() == 0;
    }

    ChildProcess program;
    HWND window = nullptr;
    std::unique_ptr<MainWindowDriver> driver;
};

// The first line each transfer sent after its click, and the last answer
// before its idle look, as the simulator logged them.
void PrintEnds(const std::string& log, const std::vector<std::pair<double, double>>& stamps)
{
    const std::vector<double> firstLines = LineStamps(log, "<- ", FirstTransferLine);
    const std::vector<double> answers = LineStamps(log, "-> ", "");
    std::vector<double> clickToFirstLine, lastAnswerToIdle;
    for (const auto& [released, idle] : stamps) {
        const auto first = std::lower_bound(firstLines.begin(), firstLines.end(), released);
        const auto afterLast = std::upper_bound(answers.begin(), answers.end(), idle);
        if (first == firstLines.end() || afterLast == answers.begin())
            continue;
        clickToFirstLine.push_back(*first - released);
        lastAnswerToIdle.push_back(idle - *(afterLast - 1));
    }
    PrintResult("click_to_first_line", clickToFirstLine);
    PrintResult("last_answer_to_idle", lastAnswerToIdle);
}

int Transfer(const std::string& path, int runs, const std::string& simulatorLog)
{
    DrivenProgram driven;
    if (!driven.Start(path))
        return Fail("the program did not come up");
    std::vector<double> times;
    std::vector<std::pair<double, double>> stamps;
    double milliseconds = 0.0;
    for (int run = 0; run < WarmUpTransfers + runs; ++run) {
        if (!driven.Transfer(milliseconds, run >= WarmUpTransfers ? &stamps : nullptr))
            return Fail("transfer " + std::to_string(run + 1) + " failed");
        if (run >= WarmUpTransfers)
            times.push_back(milliseconds);
    }
    driven.Close();
    const std::string log = ReadTextFile(simulatorLog);
    PrintResult("transfer", times);
    PrintResult("turnaround", TurnaroundsWithinTransfers(log, FirstTransferLine));
    PrintEnds(log, stamps);
    PrintValue("wire_bytes", WireBytesOfLastExchanges(log, TransferCommands));
    return 0;
}

int Endurance(const std::string& path, int transfers)
{
    DrivenProgram driven;
    if (!driven.Start(path))
        return Fail("the program did not come up");
    const MemoryFigures started = driven.Memory();
    MemoryFigures afterFirst;
    double milliseconds = 0.0;
    for (int run = 0; run < transfers; ++run) {
        if (!driven.Transfer(milliseconds))
            return Fail("transfer " + std::to_string(run + 1) + " failed");
        if (run == 0)
            afterFirst = driven.Memory();
    }
    const MemoryFigures afterAll = driven.Memory();
    driven.Close();
    PrintValue("peak_working_set_started", started.peakWorkingSet);
    PrintValue("peak_working_set_first_transfer", afterFirst.peakWorkingSet);
    PrintValue("peak_working_set_all_transfers", afterAll.peakWorkingSet);
    PrintValue("private_bytes_first_transfer", afterFirst.privateBytes);
    PrintValue("private_bytes_all_transfers", afterAll.privateBytes);
    PrintValue("working_set_first_transfer", afterFirst.workingSet);
    PrintValue("working_set_all_transfers", afterAll.workingSet);
    return 0;
}

// Probes count only when the transfer is still running after them, so that
// each was taken while a command awaited its answer.
int Reaction(const std::string& path, int transfers)
{
    DrivenProgram driven;
    if (!driven.Start(path))
        return Fail("the program did not come up");
    MainWindowDriver& driver = *driven.driver;
    std::vector<double> messageDelays, repaintDelays;
    for (int run = 0; run < transfers; ++run) {
        if (!driver.Press(StepTimeout))
            return Fail("the press did not open the port");
        driver.Release();
        while (!driver.IsIdle()) {
            Sleep(ProbePause);
            const double messageDelay = MessageDelay(driven.window, ProbeTimeout);
            if (messageDelay < 0.0)
                return Fail("the window did not take a message while waiting");
            Sleep(ProbePause);
            const double repaintDelay = RepaintDelay(driven.window, StepTimeout);
            if (driver.IsIdle())
                break;
            messageDelays.push_back(messageDelay);
            repaintDelays.push_back(repaintDelay);
        }
        if (driver.DismissMessageBoxes() > 0)
            return Fail("the transfer showed a message");
    }
    driven.Close();
    PrintResult("message_delay", messageDelays);
    PrintResult("repaint_delay", repaintDelays);
    return 0;
}

// The lines the program sends with the values its pages show after start.
const char* const TransferLines[TransferCommands] = {
    "st 1 0.0\r\n", "st 2 100.0\r\n", "st 3 0.0\r\n", "st 4 100.0\r\n", "ee 1\r\n", "em 1\r\n", "cf 0\r\n",
};

// Each transfer opens and closes the port, as the program's does; the time
// runs from the first line to the closed port, as the program's runs from the
// click to the idle look.
bool BareTransfer(double& milliseconds)
{
    BareSerialLink link;
    if (!link.Open("COM2"))
        return false;
    const double start = Milliseconds();
    for (const char* line : TransferLines) {
        if (!link.Exchange(line, StepTimeout))
            return false;
    }
    link.Close();
    milliseconds = Milliseconds() - start;
    return true;
}

int Wire(int runs)
{
    const MemoryFigures before = OwnMemory();
    MemoryFigures afterFirst;
    std::vector<double> times;
    double milliseconds = 0.0;
    for (int run = 0; run < runs; ++run) {
        if (!BareTransfer(milliseconds))
            return Fail("no answer over the bare link on COM2");
        times.push_back(milliseconds);
        if (run == 0)
            afterFirst = OwnMemory();
    }
    const MemoryFigures afterAll = OwnMemory();
    PrintResult("wire", times);
    PrintValue("wire_peak_working_set_before", before.peakWorkingSet);
    PrintValue("wire_peak_working_set_first_transfer", afterFirst.peakWorkingSet);
    PrintValue("wire_private_bytes_first_transfer", afterFirst.privateBytes);
    PrintValue("wire_private_bytes_all_transfers", afterAll.privateBytes);
    return 0;
}

// Each of the program's transfers and the bare one after it meet the same
// load; their difference, pair by pair, is what the program adds.
int Paired(const std::string& path, int runs, const std::string& simulatorLog)
{
    DrivenProgram driven;
    if (!driven.Start(path))
        return Fail("the program did not come up");
    std::vector<double> times, bareTimes, above;
    std::vector<std::pair<double, double>> stamps, bareStamps;
    double milliseconds = 0.0;
    double bareMilliseconds = 0.0;
    for (int run = 0; run < WarmUpTransfers + runs; ++run) {
        const bool counted = run >= WarmUpTransfers;
        if (!driven.Transfer(milliseconds, counted ? &stamps : nullptr))
            return Fail("transfer " + std::to_string(run + 1) + " failed");
        const double bareFrom = LocalClockMilliseconds();
        if (!BareTransfer(bareMilliseconds))
            return Fail("no answer over the bare link on COM2");
        if (!counted)
            continue;
        bareStamps.emplace_back(bareFrom, LocalClockMilliseconds());
        times.push_back(milliseconds);
        bareTimes.push_back(bareMilliseconds);
        above.push_back((milliseconds - bareMilliseconds) / TransferCommands);
    }
    driven.Close();
    const std::string log = ReadTextFile(simulatorLog);
    PrintResult("transfer", times);
    PrintResult("wire", bareTimes);
    PrintResult("above_bare_per_command", above);
    PrintResult("turnaround", TurnaroundsWithinTransfers(log, FirstTransferLine, stamps));
    PrintResult("wire_turnaround", TurnaroundsWithinTransfers(log, FirstTransferLine, bareStamps));
    PrintEnds(log, stamps);
    PrintValue("wire_bytes", WireBytesOfLastExchanges(log, TransferCommands));
    return 0;
}

// Waits on an open port that nobody sends to: how long each wait lasts and
// how much memory the process loses with each.
int Waits(int count)
{
    BareSerialLink link;
    if (!link.Open("COM2"))
        return Fail("COM2 cannot be opened");
    link.WaitForCharacter(StepTimeout);
    const MemoryFigures before = OwnMemory();
    std::vector<double> durations;
    for (int wait = 0; wait < count; ++wait) {
        const double start = Milliseconds();
        if (link.WaitForCharacter(StepTimeout))
            return Fail("a character came on a silent line");
        durations.push_back(Milliseconds() - start);
    }
    const MemoryFigures after = OwnMemory();
    PrintResult("wait", durations);
    PrintValue("bytes_per_wait", (after.privateBytes - before.privateBytes) * 1024.0 * 1024.0 / count);
    return 0;
}

// The sender is started as a rig starts it: nothing to read its output.
bool RunSender(const std::string& sender, const std::string& arguments, double& milliseconds)
{
    ChildProcess process;
    const double startedAt = Milliseconds();
    if (!process.Start(sender, arguments, ChildProcess::Streams::Discarded) || !process.WaitForEnd(StepTimeout))
        return false;
    milliseconds = Milliseconds() - startedAt;
    return process.ExitCode() == 0;
}

int SendStart(const std::string& sender, const std::string& file, int runs)
{
    const std::string arguments = "\"" + file + "\" --check";
    std::vector<double> times;
    double milliseconds = 0.0;
    for (int run = 0; run < WarmUpTransfers + runs; ++run) {
        if (!RunSender(sender, arguments, milliseconds))
            return Fail("tarvek-send --check failed");
        if (run >= WarmUpTransfers)
            times.push_back(milliseconds);
    }
    PrintResult("send_start", times);
    return 0;
}

// The transfer's share of a run, as the wire's: from its first line, which
// the simulator's log stamps, to the sender's end, the port closed.
int Send(const std::string& sender, const std::string& file, int runs, const std::string& simulatorLog)
{
    const std::string arguments = "\"" + file + "\" --com 2";
    std::vector<double> runTimes, ends;
    double milliseconds = 0.0;
    for (int run = 0; run < WarmUpTransfers + runs; ++run) {
        if (!RunSender(sender, arguments, milliseconds))
            return Fail("tarvek-send run " + std::to_string(run + 1) + " failed");
        const double endedOnClock = LocalClockMilliseconds();
        if (run >= WarmUpTransfers) {
            runTimes.push_back(milliseconds);
            ends.push_back(endedOnClock);
        }
    }
    const std::vector<double> firstLines = LineStamps(ReadTextFile(simulatorLog), "<- ", FirstTransferLine);
    std::vector<double> transfers;
    for (double end : ends) {
        const auto first = std::lower_bound(firstLines.begin(), firstLines.end(), end);
        if (first != firstLines.begin())
            transfers.push_back(end - *(first - 1));
    }
    PrintResult("send_run", runTimes);
    PrintResult("send_transfer", transfers);
    return 0;
}

int PositiveCount(const char* text)
{
    const int count = std::atoi(text);
    return count > 0 ? count : 0;
}

// What the program's pages show after start, written by the program's own
// writer, as the file the sender sends.
int WriteSendFile(const char* path)
{
    const ConfigurationRecord shownAtStart{100.0, 0.0, 100.0, 0.0, true, true, 0, 0, 0};
    return LoadSavePrint::Save(path, shownAtStart) ? 0 : 1;
}

int Usage()
{
    std::fputs(
        "usage: tarvek-bench start RUNS SPACER SPACER_TITLE LABEL PROGRAM TITLE [LABEL PROGRAM TITLE ...]\n"
        "       tarvek-bench trace RUNS SPACER SPACER_TITLE LABEL PROGRAM TITLE [LABEL PROGRAM TITLE ...]\n"
        "       tarvek-bench transfer PROGRAM RUNS SIMULATOR_LOG\n"
        "       tarvek-bench paired PROGRAM RUNS SIMULATOR_LOG\n"
        "       tarvek-bench endurance PROGRAM TRANSFERS\n"
        "       tarvek-bench reaction PROGRAM TRANSFERS\n"
        "       tarvek-bench wire RUNS\n"
        "       tarvek-bench waits COUNT\n"
        "       tarvek-bench send-start SENDER FILE RUNS\n"
        "       tarvek-bench send SENDER FILE RUNS SIMULATOR_LOG\n"
        "       tarvek-bench send-file FILE\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    const bool startsWithSpacer = argc >= 8 && (argc - 5) % 3 == 0 && PositiveCount(argv[2]);
    if (command == "start" && startsWithSpacer) {
        std::vector<Contender> contenders;
        for (int index = 5; index < argc; index += 3)
            contenders.push_back({argv[index], argv[index + 1], argv[index + 2], {}, {}});
        return Start({argv[3], argv[4]}, contenders, PositiveCount(argv[2]));
    }
    if (command == "trace" && startsWithSpacer) {
        std::vector<TracedContender> contenders;
        for (int index = 5; index < argc; index += 3)
            contenders.push_back({argv[index], argv[index + 1], argv[index + 2], {}, {}});
        return Trace({argv[3], argv[4]}, contenders, PositiveCount(argv[2]));
    }
    if (command == "transfer" && argc == 5 && PositiveCount(argv[3]))
        return Transfer(argv[2], PositiveCount(argv[3]), argv[4]);
    if (command == "paired" && argc == 5 && PositiveCount(argv[3]))
        return Paired(argv[2], PositiveCount(argv[3]), argv[4]);
    if (command == "endurance" && argc == 4 && PositiveCount(argv[3]))
        return Endurance(argv[2], PositiveCount(argv[3]));
    if (command == "reaction" && argc == 4 && PositiveCount(argv[3]))
        return Reaction(argv[2], PositiveCount(argv[3]));
    if (command == "wire" && argc == 3 && PositiveCount(argv[2]))
        return Wire(PositiveCount(argv[2]));
    if (command == "waits" && argc == 3 && PositiveCount(argv[2]))
        return Waits(PositiveCount(argv[2]));
    if (command == "send-start" && argc == 5 && PositiveCount(argv[4]))
        return SendStart(argv[2], argv[3], PositiveCount(argv[4]));
    if (command == "send-file" && argc == 3)
        return WriteSendFile(argv[2]);
    if (command == "send" && argc == 6 && PositiveCount(argv[4]))
        return Send(argv[2], argv[3], PositiveCount(argv[4]), argv[5]);
    return Usage();
}
