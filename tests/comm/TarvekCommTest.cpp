// The device link over a null-modem pair, the device played by tarvek-sim
// (in its fault modes) or by the test.

#include "AnswerShaper.h"
#include "AnsweringDevice.h"
#include "MessageBoxWatcher.h"
#include "NotifyWindow.h"
#include "SimulatorProcess.h"
#include "TarvekComm.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* timeoutTitle = "Tarvek Timeout";
constexpr const char* timeoutText =
    "Zeitüberschreitung!\r\n\r\nTarvek antwortet nicht auf die übertragenen Konfigurationsdaten.\r\n";

// The link as the main form holds it: the form's UserEvent handler hands
// every notification to the link.
class TarvekCommTest : public ::testing::Test {
protected:
    static constexpr int32_t PortIndex = 3;     // COM4, device on COM14

    TarvekComm link{PortIndex};
    NotifyWindow window{[this] { link.OnDataReceived(); }};
    SimulatorProcess simulator;

    void SetUp() override { link.SetNotifyTarget(&window); }
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
    MessageBoxWatcher watcher(timeoutTitle, window.GetHandle());
    const ULONGLONG start = GetTickCount64();
    const std::string reply = Send("ee 1\r\n");
    watcher.Finish();

    EXPECT_EQ(reply, "");
    ASSERT_TRUE(watcher.Seen());
    EXPECT_GE(watcher.SeenAt() - start, TarvekComm::ReplyBudget);
    EXPECT_LT(watcher.SeenAt() - start, 3000u);
    EXPECT_EQ(watcher.Text(), timeoutText);
    EXPECT_FALSE(watcher.HasOwner());
    EXPECT_TRUE(watcher.HasStopIcon());
    EXPECT_TRUE(watcher.HasOnlyOkButton());
    EXPECT_TRUE(watcher.TaskWindowWasDisabled());
}

TEST_F(TarvekCommTest, AnswerWithoutLineEndTimesOutAndBeginsTheNextLine)
{
    StartDeviceAndOpen("--no-line-end");
    {
        MessageBoxWatcher watcher(timeoutTitle);
        EXPECT_EQ(Send("ee 1\r\n"), "");
        watcher.Finish();
        EXPECT_TRUE(watcher.Seen());
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
    MessageBoxWatcher watcher(timeoutTitle);
    EXPECT_EQ(Send("ee 1\r\n"), "");
    watcher.Finish();
    EXPECT_TRUE(link.WaitForReply(2000));
}

TEST_F(TarvekCommTest, WaitForReplyGivesUpAfterItsTimeWhenNothingCame)
{
    StartDeviceAndOpen("--silent");
    MessageBoxWatcher watcher(timeoutTitle);
    EXPECT_EQ(Send("ee 1\r\n"), "");
    watcher.Finish();
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(link.WaitForReply(200));
    EXPECT_GE(GetTickCount64() - start, 200u);
}

TEST_F(TarvekCommTest, EmptyCommandReturnsThePreviousAnswerAndWritesNothing)
{
    AnsweringDevice device(PortIndex, "DONE\r\n");
    ASSERT_TRUE(device.IsReady());
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

TEST(TarvekCommMessages, OpenErrorNamesThePort)
{
    MessageBoxWatcher watcher("Tarvek Fehler");
    TarvekComm::ShowOpenError(3);
    watcher.Finish();
    ASSERT_TRUE(watcher.Seen());
    EXPECT_EQ(watcher.Text(),
              "COM4 konnte nicht geöffnet werden.\r\n\r\n"
              "Entweder ist die Schnittstelle nicht verfügbar oder\r\n"
              "wird von einer anderen Applikation verwendet.\r\n");
    EXPECT_FALSE(watcher.HasOwner());
    EXPECT_TRUE(watcher.HasStopIcon());
    EXPECT_TRUE(watcher.HasOnlyOkButton());
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
