// The device link over a null-modem pair, the device played by tarvek-sim
// (in its fault modes) or by the test.

#include "TarvekComm.h"

#include "AnswerShaper.h"
#include "ConfigurationTransfer.h"
#include "DeviceLinkMessages.h"
#include "DevicePartner.h"
#include "DialogWatchers.h"
#include "LinkNotifyWindow.h"
#include "NotifyWindow.h"
#include "PartnerPort.h"
#include "SimulatorProcess.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char* TimeoutTitle = "Tarvek Timeout";
constexpr const char* TimeoutText =
    "Zeitüberschreitung!\r\n\r\nTarvek antwortet nicht auf die übertragenen Konfigurationsdaten.\r\n";

// The link as the main form holds it: the form's UserEvent handler hands
// every notification to the link, and the program's boxes show its time-outs.
class TarvekCommTest : public ::testing::Test {
protected:
    static constexpr int32_t PortIndex = 3;  // COM4, device on COM14

    TarvekComm link{PortIndex};
    NotifyWindow window{[this] { link.OnDataReceived(); }};
    DeviceLinkMessages boxes;
    SimulatorProcess simulator;

    void SetUp() override
    {
        link.SetNotifyTarget(&window);
        link.SetListener(&boxes);
    }
    void TearDown() override { link.Close(); }

    // Starts tarvek-sim with the options, then opens the link.
    void StartDeviceAndOpen(const std::string& options)
    {
        const std::string logName =
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".log";
        ASSERT_TRUE(simulator.Start(PortIndex, options, logName));
        ASSERT_TRUE(link.Open());
    }

    // Sends and measures how long it took.
    std::string Send(const char* command, ULONGLONG* milliseconds = nullptr)
    {
        const ULONGLONG start = GetTickCount64();
        const WString reply = link.SendCommand(command);
        if (milliseconds)
            *milliseconds = GetTickCount64() - start;
        return reply.GetText();
    }
};

// Characters without a line end, one every 0.52 ms as a 19200-baud line
// carries them, until told to stop. The moments are kept by giving up the
// time slice, as sleeps are far coarser.
void StreamAtTheLineRate(PartnerPort& device, const std::atomic<bool>& streaming)
{
    constexpr double characterSeconds = 10.0 / 19200.0;
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    const LONGLONG start = now.QuadPart;
    int64_t sent = 0;
    while (streaming) {
        QueryPerformanceCounter(&now);
        const auto due = static_cast<int64_t>(static_cast<double>(now.QuadPart - start)
                                              / static_cast<double>(frequency.QuadPart) / characterSeconds);
        if (due > sent) {
            device.Write(std::string(static_cast<size_t>(due - sent), 'x'));
            sent = due;
        } else {
            Sleep(0);
        }
    }
}

}  // namespace

TEST_F(TarvekCommTest, AnswerComesBackWellBeforeTheBudgetEnds)
{
    StartDeviceAndOpen("");
    ULONGLONG elapsed = 0;
    EXPECT_EQ(Send("ee 1\r\n", &elapsed), "OK");
    EXPECT_LT(elapsed, 300u);
    EXPECT_TRUE(simulator.WaitForLog("<- ee 1", 2000));
}

TEST_F(TarvekCommTest, SilentDeviceGivesTheTimeoutMessageAfterASecondAndAnEmptyAnswer)
{
    StartDeviceAndOpen("--silent");
    MessageBoxWatcher watcher(TimeoutTitle, IDOK, 10000, window.GetHandle());
    const ULONGLONG start = GetTickCount64();
    const std::string reply = Send("ee 1\r\n");
    const bool seen = watcher.Finish();

    EXPECT_EQ(reply, "");
    ASSERT_TRUE(seen);
    EXPECT_GE(watcher.GetLook().seenAt - start, TarvekComm::ReplyBudget);
    EXPECT_LT(watcher.GetLook().seenAt - start, 3000u);
    EXPECT_EQ(watcher.GetLook().text, TimeoutText);
    EXPECT_FALSE(watcher.GetLook().hasOwner);
    EXPECT_TRUE(watcher.GetLook().hasStopIcon);
    EXPECT_TRUE(watcher.GetLook().hasOnlyOkButton);
    EXPECT_TRUE(watcher.GetLook().taskWindowWasDisabled);
}

TEST_F(TarvekCommTest, MessagesArrivingDuringTheWaitNeitherShortenNorStretchIt)
{
    StartDeviceAndOpen("--silent");
    std::atomic<bool> posting{true};
    std::thread poster([&] {
        while (posting) {
            PostMessageA(window.GetHandle(), WM_APP, 0, 0);
            Sleep(2);
        }
    });
    MessageBoxWatcher watcher(TimeoutTitle);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(Send("ee 1\r\n"), "");
    posting = false;
    poster.join();
    const bool seen = watcher.Finish();
    ASSERT_TRUE(seen);
    EXPECT_GE(watcher.GetLook().seenAt - start, TarvekComm::ReplyBudget);
    EXPECT_LT(watcher.GetLook().seenAt - start, 3000u);
}

TEST_F(TarvekCommTest, DeviceStreamingWithoutLineEndGetsTheTimeoutOnlyASecondAfterTheLine)
{
    PartnerPort device(PortIndex);
    ASSERT_TRUE(device.IsOpen());
    ASSERT_TRUE(link.Open());
    std::atomic<bool> streaming{true};
    std::thread stream([&] {
        std::string line;
        if (device.ReadLine(line, 5000))
            StreamAtTheLineRate(device, streaming);
    });
    MessageBoxWatcher watcher(TimeoutTitle);
    const ULONGLONG start = GetTickCount64();
    const std::string reply = Send("ee 1\r\n");
    streaming = false;
    stream.join();
    const bool seen = watcher.Finish();

    EXPECT_EQ(reply, "");
    ASSERT_TRUE(seen);
    EXPECT_GE(watcher.GetLook().seenAt - start, 950u);
    EXPECT_LT(watcher.GetLook().seenAt - start, 3000u);
    // The stream's line ends here, so that it begins no answer of a later test.
    ASSERT_TRUE(device.Write("\r\n"));
    EXPECT_TRUE(link.WaitForReply(2000));
}

TEST_F(TarvekCommTest, EmptyLinesOfTheAnswersFramingAreNoAnswers)
{
    PageValues values;
    const char* thresholds[] = {"100.0", "0.0", "100.0", "0.0"};
    for (int32_t index = 0; index < DeviceCommands::ThresholdCount; ++index)
        values.thresholdTexts[index] = thresholds[index];
    values.cycleText = "-";
    const ConfigurationTransfer transfer(values);
    ASSERT_TRUE(transfer.IsValid());

    struct Framing {
        const char* option;
        int32_t linesAnswered;
        size_t timeouts;
    };
    const Framing framings[] = {
        {"--expanded-line-end", ConfigurationTransfer::StepCount, 0},
        {"--doubled-line-end", ConfigurationTransfer::StepCount, 0},
        {"--modem-framing", ConfigurationTransfer::StepCount, 0},
        {"--empty-answers", 0, 1},
    };
    for (const Framing& framing : framings) {
        ASSERT_TRUE(simulator.Start(PortIndex, framing.option, std::string(framing.option + 2) + ".log"));
        ASSERT_TRUE(link.Open());
        MessageBoxCollector timeouts(TimeoutTitle);
        int32_t answered = 0;
        while (answered < ConfigurationTransfer::StepCount
               && !link.SendCommand(transfer.GetCommandLine(answered)).IsEmpty())
            ++answered;
        const std::vector<std::string> texts = timeouts.Stop();
        link.Close();
        simulator.Stop();

        EXPECT_EQ(answered, framing.linesAnswered) << framing.option;
        EXPECT_EQ(texts.size(), framing.timeouts) << framing.option;
        for (const std::string& text : texts)
            EXPECT_EQ(text, TimeoutText);
    }
}

TEST_F(TarvekCommTest, AnswerWithoutLineEndTimesOutAndBeginsTheNextLine)
{
    StartDeviceAndOpen("--no-line-end");
    {
        MessageBoxWatcher watcher(TimeoutTitle);
        EXPECT_EQ(Send("ee 1\r\n"), "");
        const bool seen = watcher.Finish();
        EXPECT_TRUE(seen);
    }
    link.Close();
    simulator.Stop();
    StartDeviceAndOpen("");
    EXPECT_EQ(Send("em 1\r\n"), "OKOK");
}

TEST_F(TarvekCommTest, LineFeedOwedByThePreviousAnswerIsDroppedAtTheHeadOfTheNext)
{
    StartDeviceAndOpen("--split-line-end");
    EXPECT_EQ(Send("ee 1\r\n"), "OK");
    EXPECT_EQ(Send("xx\r\n"), "ERR");
    EXPECT_EQ(Send("em 0\r\n"), "OK");
}

TEST_F(TarvekCommTest, SecondOfTwoLinesInOneWriteIsTheAnswer)
{
    StartDeviceAndOpen("--two-lines");
    EXPECT_EQ(Send("rf\r\n"), "OK");
}

TEST_F(TarvekCommTest, LongAnswerIsCutTo255Characters)
{
    StartDeviceAndOpen("--long-line");
    EXPECT_EQ(Send("cf 90\r\n"), AnswerShaper::LongLine("OK").substr(0, 255));
}

TEST_F(TarvekCommTest, HighBytesInTheAnswerAreIgnored)
{
    StartDeviceAndOpen("--high-bytes");
    EXPECT_EQ(Send("sc 1 -5\r\n"), "OK");
    EXPECT_EQ(Send("zz\r\n"), "ERR");
}

TEST_F(TarvekCommTest, WaitForReplyRightAfterAnAnsweredCommandReturnsAtOnce)
{
    StartDeviceAndOpen("");
    ASSERT_EQ(Send("ee 0\r\n"), "OK");
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(link.WaitForReply(200));
    EXPECT_LT(GetTickCount64() - start, 50u);
}

TEST_F(TarvekCommTest, WaitForReplyCatchesAnAnswerThatCameAfterTheTimeout)
{
    StartDeviceAndOpen("--late 1400");
    MessageBoxWatcher watcher(TimeoutTitle);
    EXPECT_EQ(Send("ee 1\r\n"), "");
    watcher.Finish();
    EXPECT_TRUE(link.WaitForReply(2000));
}

TEST_F(TarvekCommTest, WaitForReplyGivesUpAfterItsTimeWhenNothingCame)
{
    StartDeviceAndOpen("--silent");
    MessageBoxWatcher watcher(TimeoutTitle);
    EXPECT_EQ(Send("ee 1\r\n"), "");
    watcher.Finish();
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(link.WaitForReply(200));
    EXPECT_GE(GetTickCount64() - start, 200u);
}

TEST_F(TarvekCommTest, EmptyCommandReturnsThePreviousAnswerAndWritesNothing)
{
    DevicePartner device(PortIndex, "DONE\r\n");
    ASSERT_TRUE(device.IsOpen());
    ASSERT_TRUE(link.Open());
    ASSERT_EQ(Send("sc 2 7\r\n"), "DONE");

    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(Send(""), "DONE");
    EXPECT_LT(GetTickCount64() - start, 50u);

    // Anything the empty command had written would show up in front of, or
    // as a line before, the next command.
    ASSERT_EQ(Send("rf\r\n"), "DONE");
    EXPECT_EQ(device.Lines(), (std::vector<std::string>{"sc 2 7\r\n", "rf\r\n"}));
}

namespace {

// A link whose reader's first notification never arrives, as when posting it
// fails on a full message queue.
class LinkLosingItsFirstNotification : public TarvekComm {
public:
    explicit LinkLosingItsFirstNotification(int32_t portIndex) : TarvekComm(portIndex) {}
    ~LinkLosingItsFirstNotification() override { Close(); }

    void DataReceived() override
    {
        if (lost.exchange(true))
            TarvekComm::DataReceived();
    }

    bool HasLostOne() const { return lost; }

private:
    std::atomic<bool> lost{false};
};

}  // namespace

TEST(TarvekCommLink, LostNotificationStallsNothing)
{
    constexpr int32_t portIndex = 3;
    DevicePartner device(portIndex, "DONE\r\n");
    ASSERT_TRUE(device.IsOpen());
    LinkLosingItsFirstNotification link(portIndex);
    NotifyWindow window([&] { link.OnDataReceived(); });
    DeviceLinkMessages boxes;
    link.SetNotifyTarget(&window);
    link.SetListener(&boxes);
    ASSERT_TRUE(link.Open());

    MessageBoxCollector timeouts(TimeoutTitle);
    EXPECT_EQ(std::string(link.SendCommand("ee 1\r\n").GetText()), "DONE");
    EXPECT_EQ(std::string(link.SendCommand("em 1\r\n").GetText()), "DONE");
    EXPECT_TRUE(timeouts.Stop().empty());
    EXPECT_TRUE(link.HasLostOne());
}

TEST(TarvekCommMessages, OpenErrorNamesThePort)
{
    MessageBoxWatcher watcher("Tarvek Fehler");
    DeviceLinkMessages::ShowOpenError(3);
    const bool seen = watcher.Finish();
    ASSERT_TRUE(seen);
    EXPECT_EQ(watcher.GetLook().text, "COM4 konnte nicht geöffnet werden.\r\n\r\n"
                                      "Entweder ist die Schnittstelle nicht verfügbar oder\r\n"
                                      "wird von einer anderen Applikation verwendet.\r\n");
    EXPECT_FALSE(watcher.GetLook().hasOwner);
    EXPECT_TRUE(watcher.GetLook().hasStopIcon);
    EXPECT_TRUE(watcher.GetLook().hasOnlyOkButton);
}

TEST(TarvekCommLink, ConstructorSetsTheDeviceLineSettings)
{
    TarvekComm link(7);
    EXPECT_STREQ(link.GetDeviceName(), "COM8");
    EXPECT_EQ(link.GetLineSettings().baudRate, 19200u);
    EXPECT_EQ(link.GetLineSettings().byteSize, 8);
    EXPECT_EQ(link.GetLineSettings().parity, NOPARITY);
    EXPECT_EQ(link.GetLineSettings().stopBits, ONESTOPBIT);
    EXPECT_EQ(link.GetLineSettings().handshakeFlags, 0);
}

TEST(TarvekCommLink, DeletingTheLinkClearsTheProcessWideReference)
{
    tarvekComm = new TarvekComm(0);
    delete tarvekComm;
    EXPECT_EQ(tarvekComm, nullptr);
}

// A quit request met while waiting (the system shuts down, a rig ends the
// sender) ends the wait at once without the time-out message, stays queued
// for the loop it was meant for, and no later command reaches the device.
TEST_F(TarvekCommTest, QuitRequestEndsTheWaitAndNothingMoreIsSent)
{
    StartDeviceAndOpen("--silent");
    MessageBoxWatcher watcher(TimeoutTitle, IDOK, 2000, window.GetHandle());
    PostQuitMessage(3);
    EXPECT_EQ(Send("ee 1\r\n"), "");
    EXPECT_EQ(Send("em 1\r\n"), "");
    EXPECT_FALSE(watcher.Finish());

    EXPECT_TRUE(link.QuitRequested());
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
    EXPECT_TRUE(simulator.WaitForLog("<- ee 1", 2000));
    EXPECT_EQ(simulator.ReadLog().find("em 1"), std::string::npos);
}

// A device may go on talking after its last answer; the reader posts to the
// notify window for as long as the port is open, so the port closes first.
TEST(LinkNotifyWindowTest, TheLinkIsClosedBeforeItsWindowGoes)
{
    TarvekComm link(3);
    PartnerPort device(3);
    auto* window = new LinkNotifyWindow(link);
    link.SetNotifyTarget(window);
    ASSERT_TRUE(link.Open());
    EXPECT_TRUE(device.Write("OK\r\nstill talking\r\n"));
    delete window;
    EXPECT_FALSE(link.IsOpen());
}
