// The device link on the drivers that technicians' adapters and built-in
// ports bring, played by the driver model: what each does to an exchange
// that the host's emulation never shows.

#include "NotifyWindow.h"
#include "SerialDriverModel.h"
#include "TarvekComm.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>

namespace {

using Call = SerialDriverModel::Call;

constexpr DWORD Deadline = 5000;

class ModelledLink : public TarvekComm {
public:
    ModelledLink() : TarvekComm(6) { serialCalls = SerialDriverModel::Calls(); }
    ~ModelledLink() override { Close(); }

    HANDLE OpenReaderThread() const { return OpenThread(SYNCHRONIZE, FALSE, GetReaderThreadId()); }
};

class TimeoutCount : public TarvekComm::Listener {
public:
    std::atomic<int> count{0};
    void ReplyTimedOut() override { ++count; }
};

// Waits without dispatching this thread's messages.
bool Holds(const std::function<bool()>& condition, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() >= end)
            return false;
        Sleep(1);
    }
    return true;
}

class RealDriver : public ::testing::Test {
protected:
    SerialDriverModel driver{"COM7"};
    ModelledLink link;
    NotifyWindow window{[this] { link.OnDataReceived(); }};
    TimeoutCount timeouts;

    void SetUp() override
    {
        link.SetNotifyTarget(&window);
        link.SetListener(&timeouts);
    }
    void TearDown() override { link.Close(); }

    void AnswerEveryLineWith(const std::string& answer)
    {
        driver.OnWrite([this, answer](const std::string&) { driver.Receive(answer); });
    }

    std::string Send(const char* command, ULONGLONG* milliseconds = nullptr)
    {
        const ULONGLONG start = GetTickCount64();
        const std::string reply = link.SendCommand(command).GetText();
        if (milliseconds)
            *milliseconds = GetTickCount64() - start;
        return reply;
    }

    // The port closed after the adapter went: the reader ends and nothing of
    // the port stays open. Plugged back in, the next press works.
    void ExpectCleanCloseAndRecovery(HANDLE reader)
    {
        link.Close();
        EXPECT_EQ(WaitForSingleObject(reader, Deadline), static_cast<DWORD>(WAIT_OBJECT_0));
        CloseHandle(reader);
        EXPECT_EQ(driver.HandlesOpen(), 0u);

        driver.PlugIn();
        AnswerEveryLineWith("OK\r\n");
        const int timeoutsBefore = timeouts.count;
        ASSERT_TRUE(link.Open());
        EXPECT_EQ(Send("em 0\r\n"), "OK");
        EXPECT_EQ(timeouts.count, timeoutsBefore);
    }
};

}  // namespace

TEST_F(RealDriver, ByteThatLandsBetweenTheLookAtTheQueueAndTheWaitEndsTheAnswer)
{
    driver.LatchEvents(false);
    driver.OnWrite([this](const std::string&) {
        driver.Receive("OK");
        driver.BeforeNextCall(Call::WaitForEvent, [this] { driver.Receive("\r"); });
    });
    ASSERT_TRUE(link.Open());
    ULONGLONG elapsed = 0;
    EXPECT_EQ(Send("ee 1\r\n", &elapsed), "OK");
    EXPECT_LT(elapsed, 800u) << "the answer came only with the late look at the end of the wait";
    EXPECT_EQ(timeouts.count, 0);
}

TEST_F(RealDriver, ReaderSurvivesAWaitThatFails)
{
    driver.Refuse(Call::WaitForEvent, ERROR_OPERATION_ABORTED, 3);
    AnswerEveryLineWith("OK\r\n");
    ASSERT_TRUE(link.Open());
    EXPECT_EQ(Send("ee 1\r\n"), "OK");
    EXPECT_EQ(timeouts.count, 0);
}

TEST_F(RealDriver, RefusedQueueSizesLeaveAWorkingPort)
{
    driver.Refuse(Call::SetQueueSizes, ERROR_INVALID_PARAMETER);
    AnswerEveryLineWith("OK\r\n");
    ASSERT_TRUE(link.Open());
    EXPECT_EQ(Send("ee 1\r\n"), "OK");
}

// An adapter hands over at most 64 bytes per burst: a line longer than that
// arrives in pieces, and each piece alone is no answer.
TEST_F(RealDriver, AnswerInBurstsIsOneLine)
{
    const std::string answer = "OK " + std::string(150, 'x');
    driver.DeliverInBursts(64);
    AnswerEveryLineWith(answer + "\r\n");
    ASSERT_TRUE(link.Open());
    EXPECT_EQ(Send("ee 1\r\n"), answer);
    EXPECT_EQ(Send("em 1\r\n"), answer);
    EXPECT_EQ(timeouts.count, 0);
}

TEST_F(RealDriver, AdapterPulledDuringAnExchangeGivesOneTimeoutAndWorksWhenBack)
{
    struct Moment {
        const char* name;
        std::function<void(SerialDriverModel&)> arrange;
        bool firstCommandAnswered;
    };
    const Moment moments[] = {
        {"during the wait",
         [](SerialDriverModel& driver) { driver.OnWrite([&driver](const std::string&) { driver.Remove(); }); },
         false},
        {"during the write",
         [](SerialDriverModel& driver) {
             driver.HoldWrites(true);
             driver.OnWrite([&driver](const std::string&) { driver.Remove(); });
         },
         false},
        {"between two commands",
         [](SerialDriverModel& driver) {
             driver.OnWrite([&driver](const std::string&) {
                 driver.Receive("OK\r\n");
                 driver.BeforeNextCall(Call::Write, [&driver] { driver.Remove(); });
             });
         },
         true},
    };
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.name);
        timeouts.count = 0;
        moment.arrange(driver);
        ASSERT_TRUE(link.Open());
        HANDLE reader = link.OpenReaderThread();
        if (moment.firstCommandAnswered) {
            EXPECT_EQ(Send("ee 1\r\n"), "OK");
        }
        ULONGLONG elapsed = 0;
        EXPECT_EQ(Send("em 1\r\n", &elapsed), "");
        EXPECT_LT(elapsed, 2 * TarvekComm::ReplyBudget);
        EXPECT_EQ(timeouts.count, 1);
        driver.HoldWrites(false);
        ExpectCleanCloseAndRecovery(reader);
        link.Close();
    }
}

TEST_F(RealDriver, AdapterPulledDuringTheOpenFailsItWithTheStepAndTheReason)
{
    driver.BeforeNextCall(Call::SetLineSettings, [this] { driver.Remove(); });
    EXPECT_FALSE(link.Open());
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.GetOpenFailure().step, Rs232Class::OpenStep::LineSettings);
    EXPECT_EQ(link.GetOpenFailure().error, static_cast<DWORD>(ERROR_BAD_COMMAND));
    EXPECT_EQ(driver.HandlesOpen(), 0u);

    EXPECT_FALSE(link.Open());
    EXPECT_EQ(link.GetOpenFailure().step, Rs232Class::OpenStep::Device);
    EXPECT_EQ(link.GetOpenFailure().error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    driver.PlugIn();
    AnswerEveryLineWith("OK\r\n");
    ASSERT_TRUE(link.Open());
    EXPECT_EQ(link.GetOpenFailure().step, Rs232Class::OpenStep::None);
    EXPECT_EQ(Send("ee 1\r\n"), "OK");
    EXPECT_EQ(timeouts.count, 0);
}

// A handler that outlasts the budget while the answer comes in: the answer
// waits, handed over by the reader, when the wait finds its time is up.
TEST_F(RealDriver, AnswerThatCameDuringASlowHandlerIsNoTimeout)
{
    ULONGLONG sentAt = 0;
    NotifyWindow slow([&] {
        driver.Receive("OK\r\n");
        EXPECT_TRUE(Holds([&] { return link.GetReceivedCount() > 0; }, Deadline));
        Holds([&] { return GetTickCount64() - sentAt > TarvekComm::ReplyBudget + 100; }, Deadline);
    });
    driver.OnWrite([&](const std::string&) { slow.PostUserEvent(0); });
    ASSERT_TRUE(link.Open());
    sentAt = GetTickCount64();
    EXPECT_EQ(Send("ee 1\r\n"), "OK");
    EXPECT_EQ(timeouts.count, 0);
}
