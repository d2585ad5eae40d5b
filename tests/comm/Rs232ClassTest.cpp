// The serial port over a null-modem pair, the device played by the test on
// the partner port.

#include "Rs232Class.h"

#include "AbsentPort.h"
#include "NotifyWindow.h"
#include "PartnerPort.h"
#include "SimulatorProcess.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr DWORD Deadline = 5000;

// A port whose reader notifications are recorded instead of posted, so that
// the hand-over itself can be watched: the size of every portion, the thread
// that announced it, and whether a second portion ever came before the first
// was taken.
class RecordingPort : public Rs232Class {
public:
    RecordingPort() : notifications(CreateSemaphoreA(nullptr, 0, 1000, nullptr)) {}
    ~RecordingPort() override
    {
        Close();
        CloseHandle(notifications);
    }

    void DataReceived() override
    {
        std::lock_guard<std::mutex> lock(mutex);
        counts.push_back(GetReceivedCount());
        threads.push_back(GetCurrentThreadId());
        if (++untaken > 1)
            portionsOverlapped = true;
        ReleaseSemaphore(notifications, 1, nullptr);
    }

    bool WaitForNotification(DWORD timeout)
    {
        return WaitForSingleObject(notifications, timeout) == WAIT_OBJECT_0;
    }

    std::string Take()
    {
        {
            // Before the buffer goes back: from then on the reader may announce the next portion.
            std::lock_guard<std::mutex> lock(mutex);
            --untaken;
        }
        char bytes[ReceiveBufferSize];
        const int32_t count = TakeReceivedData(bytes);
        return std::string(bytes, count);
    }

    // Takes portions as they are announced until `size` bytes have come.
    std::string Collect(size_t size)
    {
        std::string bytes;
        while (bytes.size() < size && WaitForNotification(Deadline))
            bytes += Take();
        return bytes;
    }

    std::vector<int32_t> Counts()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return counts;
    }
    std::vector<DWORD> Threads()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return threads;
    }
    bool PortionsOverlapped()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return portionsOverlapped;
    }

    using Rs232Class::GetPortHandle;
    using Rs232Class::GetReaderThreadId;

private:
    HANDLE notifications;
    std::mutex mutex;
    std::vector<int32_t> counts;
    std::vector<DWORD> threads;
    int32_t untaken = 0;
    bool portionsOverlapped = false;
};

// Every byte value, so that nothing in between is taken for a line end or dropped.
std::string Burst(size_t size)
{
    std::string bytes;
    for (size_t i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((i * 7 + 3) % 256));
    return bytes;
}

// A handle to the port's reader thread, taken while the port is open.
HANDLE ReaderThreadOf(const RecordingPort& port)
{
    return OpenThread(SYNCHRONIZE, FALSE, port.GetReaderThreadId());
}

bool ThreadEnds(HANDLE thread)
{
    const bool ended = WaitForSingleObject(thread, Deadline) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return ended;
}

DWORD HandleCount()
{
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

// A port whose driver refuses one of the settings that Open cannot do without.
class RefusingPort : public Rs232Class {
public:
    enum Setting { EventMask, Timeouts };

    explicit RefusingPort(Setting refused)
    {
        switch (refused) {
        case EventMask:
            serialCalls.setEventMask = [](HANDLE, DWORD) { return Refuse(); };
            break;
        case Timeouts:
            serialCalls.setTimeouts = [](HANDLE, LPCOMMTIMEOUTS) { return Refuse(); };
            break;
        }
    }

private:
    static BOOL Refuse()
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
};

}  // namespace

TEST(Rs232Class, BurstArrivesInPortionsOfAtMost80BytesEachTakenBeforeTheNext)
{
    RecordingPort port;
    port.SetPortNumber(0);
    ASSERT_TRUE(port.Open());
    PartnerPort partner(0);
    ASSERT_TRUE(partner.IsOpen());
    const std::string sent = Burst(200);
    ASSERT_TRUE(partner.Write(sent));

    std::string received;
    int32_t portions = 0;
    while (received.size() < sent.size() && port.WaitForNotification(Deadline)) {
        // A slow owner: the reader must hold back the next portion meanwhile.
        EXPECT_FALSE(port.WaitForNotification(30)) << "a portion came before the last was taken";
        received += port.Take();
        ++portions;
    }

    EXPECT_EQ(received, sent);
    const std::vector<int32_t> counts = port.Counts();
    EXPECT_EQ(static_cast<int32_t>(counts.size()), portions);
    EXPECT_GE(portions, 3);
    for (int32_t count : counts) {
        EXPECT_GT(count, 0);
        EXPECT_LE(count, Rs232Class::ReceiveBufferSize);
    }
    EXPECT_FALSE(port.PortionsOverlapped());
    for (DWORD thread : port.Threads())
        EXPECT_EQ(thread, port.GetReaderThreadId());
}

TEST(Rs232Class, DataReceivedPostsAUserEventToTheNotifyTarget)
{
    Rs232Class port;
    std::string received;
    NotifyWindow window([&] {
        char bytes[Rs232Class::ReceiveBufferSize];
        received.append(bytes, port.TakeReceivedData(bytes));
    });
    port.SetNotifyTarget(&window);
    port.SetPortNumber(0);
    ASSERT_TRUE(port.Open());
    PartnerPort partner(0);
    ASSERT_TRUE(partner.Write("hello"));

    EXPECT_TRUE(PumpMessagesUntil([&] { return received == "hello"; }, Deadline)) << received;
    EXPECT_EQ(window.GetLastValue(), 0u);
    port.Close();
}

TEST(Rs232Class, CloseWithAPortionUntakenNeitherBlocksNorLosesIt)
{
    RecordingPort port;
    port.SetPortNumber(0);
    ASSERT_TRUE(port.Open());
    PartnerPort partner(0);
    ASSERT_TRUE(partner.Write("abc"));
    ASSERT_TRUE(port.WaitForNotification(Deadline));
    HANDLE reader = ReaderThreadOf(port);

    const ULONGLONG before = GetTickCount64();
    port.Close();
    EXPECT_LT(GetTickCount64() - before, 500u);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.GetReaderThreadId(), 0u);

    EXPECT_EQ(port.Take(), "abc");
    EXPECT_TRUE(ThreadEnds(reader));
}

TEST(Rs232Class, DeletingThePortWhileItsReaderWaitsForTheBufferEndsTheReader)
{
    auto* port = new RecordingPort;
    port->SetPortNumber(0);
    ASSERT_TRUE(port->Open());
    PartnerPort partner(0);
    ASSERT_TRUE(partner.Write(Burst(200)));
    ASSERT_TRUE(port->WaitForNotification(Deadline));
    HANDLE reader = ReaderThreadOf(*port);

    const ULONGLONG before = GetTickCount64();
    delete port;
    EXPECT_LT(GetTickCount64() - before, 500u);
    EXPECT_TRUE(ThreadEnds(reader));

    // Nothing of the old port stands in the way of the next one.
    RecordingPort next;
    next.SetPortNumber(0);
    ASSERT_TRUE(next.Open());
    ASSERT_TRUE(partner.Write("next"));
    EXPECT_EQ(next.Collect(4), "next");
}

TEST(Rs232Class, DeletingThePortWhileItsReaderWaitsForCharactersEndsTheReader)
{
    auto* port = new RecordingPort;
    port->SetPortNumber(0);
    ASSERT_TRUE(port->Open());
    HANDLE reader = ReaderThreadOf(*port);
    delete port;
    EXPECT_TRUE(ThreadEnds(reader));
}

TEST(Rs232Class, SettersStoreListedValuesOnly)
{
    Rs232Class port;
    EXPECT_STREQ(port.GetDeviceName(), "COM1");
    EXPECT_EQ(port.GetLineSettings().baudRate, 9600u);

    EXPECT_TRUE(port.SetBaudRate(19200));
    EXPECT_FALSE(port.SetBaudRate(12345));
    EXPECT_EQ(port.GetLineSettings().baudRate, 19200u);

    const std::pair<uint8_t, uint8_t> byteSizes[] = {{5, 8}, {7, 7}, {8, 8}, {9, 8}};
    for (const auto& [given, stored] : byteSizes) {
        port.SetByteSize(given);
        EXPECT_EQ(port.GetLineSettings().byteSize, stored) << int(given);
    }
    const std::pair<uint8_t, uint8_t> stopBits[] = {
        {1, ONESTOPBIT}, {2, TWOSTOPBITS}, {0, ONESTOPBIT}, {3, ONESTOPBIT}};
    for (const auto& [given, stored] : stopBits) {
        port.SetStopBits(given);
        EXPECT_EQ(port.GetLineSettings().stopBits, stored) << int(given);
    }
    const std::pair<int32_t, const char*> names[] = {{0, "COM1"}, {7, "COM8"}, {11, "COM12"}};
    for (const auto& [index, name] : names) {
        EXPECT_TRUE(port.SetPortNumber(index));
        EXPECT_STREQ(port.GetDeviceName(), name);
    }
}

TEST(Rs232Class, OpenPutsTheLineSettingsAndTimeoutsOnThePort)
{
    RecordingPort port;
    port.SetPortNumber(1);
    ASSERT_TRUE(port.SetBaudRate(38400));
    // A pseudo-terminal always reports 8 data bits, so only the rest can be seen here.
    port.SetStopBits(2);
    ASSERT_TRUE(port.Open());

    DCB settings{};
    settings.DCBlength = sizeof settings;
    ASSERT_TRUE(GetCommState(port.GetPortHandle(), &settings));
    EXPECT_EQ(settings.BaudRate, 38400u);
    EXPECT_EQ(settings.ByteSize, 8);
    EXPECT_EQ(settings.StopBits, TWOSTOPBITS);
    EXPECT_EQ(settings.Parity, NOPARITY);

    COMMTIMEOUTS timeouts{};
    ASSERT_TRUE(GetCommTimeouts(port.GetPortHandle(), &timeouts));
    EXPECT_EQ(timeouts.ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(timeouts.ReadTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 1000u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(timeouts.WriteTotalTimeoutConstant, 1000u);
}

TEST(Rs232Class, PortThatIsNotThereFailsOpenLeavesItClosedAndLeaksNothing)
{
    for (AbsentPort::Kind kind : {AbsentPort::Directory, AbsentPort::Nothing}) {
        AbsentPort absent(kind);
        ASSERT_TRUE(absent.InPlace()) << "mapping kind " << kind;
        RecordingPort port;
        port.SetPortNumber(AbsentPort::Index);
        const DWORD handles = HandleCount();
        EXPECT_FALSE(port.Open()) << "mapping kind " << kind;
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(HandleCount(), handles);
        EXPECT_FALSE(port.Write("x", 1));

        port.SetPortNumber(0);
        EXPECT_TRUE(port.Open());
        port.Close();
    }
}

TEST(Rs232Class, PortThatRefusesASettingFailsOpenAndIsClosedAgain)
{
    for (RefusingPort::Setting refused : {RefusingPort::EventMask, RefusingPort::Timeouts}) {
        RefusingPort port(refused);
        port.SetPortNumber(0);
        const DWORD handles = HandleCount();
        EXPECT_FALSE(port.Open()) << "refused setting " << refused;
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(HandleCount(), handles) << "refused setting " << refused;
        EXPECT_FALSE(port.Write("x", 1));
    }
}

TEST(Rs232Class, SecondOpenFailsAndKeepsTheOpenPortWorking)
{
    RecordingPort port;
    port.SetPortNumber(2);
    ASSERT_TRUE(port.Open());
    HANDLE reader = ReaderThreadOf(port);
    const DWORD handles = HandleCount();

    EXPECT_FALSE(port.Open());
    EXPECT_EQ(HandleCount(), handles);
    EXPECT_TRUE(port.IsOpen());

    PartnerPort partner(2);
    ASSERT_TRUE(partner.Write("ping"));
    EXPECT_EQ(port.Collect(4), "ping");
    EXPECT_TRUE(port.Write("pong", 4));
    EXPECT_EQ(partner.Read(4, Deadline), "pong");

    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(ThreadEnds(reader));
}

TEST(Rs232Class, ReopeningAtOnceKeepsEveryByteWithTheNewReader)
{
    RecordingPort port;
    port.SetPortNumber(0);
    std::vector<HANDLE> oldReaders;
    for (int round = 0; round < 10; ++round) {
        ASSERT_TRUE(port.Open());
        oldReaders.push_back(ReaderThreadOf(port));
        port.Close();
    }
    ASSERT_TRUE(port.Open());
    PartnerPort partner(0);
    const std::string sent = Burst(200);
    ASSERT_TRUE(partner.Write(sent));

    EXPECT_EQ(port.Collect(sent.size()), sent);
    for (DWORD thread : port.Threads())
        EXPECT_EQ(thread, port.GetReaderThreadId());
    for (HANDLE reader : oldReaders)
        EXPECT_TRUE(ThreadEnds(reader));
}
