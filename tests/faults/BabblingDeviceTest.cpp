// A device that babbles: after the first command line it sends a megabyte of
// random bytes without pause. The link must keep its memory to its fixed
// buffers, keep the window answering, and end with the last complete line.

#include "DeviceLinkWindow.h"
#include "DialogWatchers.h"
#include "HeapUsage.h"
#include "LineModel.h"
#include "PartnerPort.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int32_t PortIndex = 4;  // COM5, device on COM15
constexpr size_t BabbleSize = size_t{1024} * 1024;
constexpr size_t WriteChunk = 1024;
constexpr DWORD ProbeInterval = 10;  // milliseconds between probes
// How long the device goes on trying to get its bytes out while the link
// takes nothing: a pause of the window's thread on a loaded machine is far
// shorter; a link that stalled for good is not.
constexpr ULONGLONG StallLimit = 10000;
constexpr const char* TimeoutTitle = "Tarvek Timeout";

// Anything that grew with the stream, even one byte per 80-byte portion the
// reader hands over (13 108 of them), would come to more than this. What the
// heaps may legitimately differ by is the reply text (at most 256 bytes) and
// the host's bookkeeping of a few messages.
constexpr int64_t HeapTolerance = int64_t{8} * 1024;

// How long a probe may wait in the queue while bytes pour in: typically, and
// at worst. The worst is bounded loosely: on a machine loaded with other
// builds the whole window thread pauses for several hundred milliseconds at
// times, whatever the link does; a link that held the thread while the bytes
// pour in would keep the probes waiting for the whole stream.
constexpr double ProbeDelayMedianBound = 20.0;
constexpr double ProbeDelayBound = 1000.0;

// Seven command lines, as a transfer sends them.
const char* const CommandLines[] = {
    "st 1 0.00\r\n", "st 2 100.00\r\n", "st 3 -25.00\r\n", "st 4 75.50\r\n",
    "ee 1\r\n",      "em 1\r\n",        "cf 30\r\n",
};

std::string Babble(std::mt19937& random, bool withLineEnds)
{
    std::string bytes(BabbleSize, '\0');
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (char& byte : bytes) {
        do {
            byte = static_cast<char>(anyByte(random));
        } while (!withLineEnds && (byte == '\r' || byte == '\n'));
    }
    return bytes;
}

// The link with a count of the bytes its reader handed over, and a look at
// its port's input queue, so that a stall can be told from a slow machine.
class CountingLink : public TarvekComm {
public:
    CountingLink() : TarvekComm(PortIndex) {}
    ~CountingLink() override { Close(); }

    void DataReceived() override
    {
        handedOver += GetReceivedCount();
        TarvekComm::DataReceived();
    }

    int64_t HandedOver() const { return handedOver; }

    DWORD InputQueue() const
    {
        DWORD errors = 0;
        COMSTAT status{};
        return ClearCommError(GetPortHandle(), &errors, &status) ? status.cbInQue : 0;
    }

private:
    std::atomic<int64_t> handedOver{0};
};

class BabblingDeviceTest : public ::testing::Test {
protected:
    CountingLink link;
    DeviceLinkWindow window{link};
    PartnerPort device{PortIndex};

    void SetUp() override
    {
        ASSERT_TRUE(device.IsOpen());
        link.SetNotifyTarget(&window);
        ASSERT_TRUE(link.Open());
        SynchroniseLines();
    }

    void TearDown() override { link.Close(); }

    // A line end leaves the process-wide line assembler at the start of a
    // line, whatever earlier tests left in it.
    void SynchroniseLines()
    {
        std::thread answer([this] {
            std::string line;
            if (device.ReadLine(line, 5000))
                device.Write("SYNC\r\n");
        });
        const std::string reply = link.SendCommand("rf\r\n").GetText();
        answer.join();
        ASSERT_GE(reply.size(), 4u);
        ASSERT_EQ(reply.substr(reply.size() - 4), "SYNC");
    }

    // Sends the transfer's lines while the device babbles (it starts on the
    // first line), stopping at the first time-out as a transfer does; then
    // takes what is still coming, until the stream's last line has arrived.
    // Probes are posted all the while. Returns the heap's growth.
    int64_t ExchangeWhileBabbling(const std::string& stream)
    {
        std::atomic<bool> writesFailed{false};
        std::atomic<size_t> sent{0};
        std::thread babbler([&] {
            std::string line;
            writesFailed = !device.ReadLine(line, 5000) || !SendStream(stream, sent);
        });
        std::atomic<bool> probing{true};
        std::thread prober([&] {
            while (probing) {
                window.PostProbe();
                Sleep(ProbeInterval);
            }
        });

        const std::string lastLine = LastCompleteLine(stream);
        const int64_t heapBefore = BusyHeapBytes();
        for (const char* command : CommandLines) {
            if (link.SendCommand(command).IsEmpty())
                break;
        }
        const bool allHandedOver = PumpMessagesUntil([&] { return LatestLine() == lastLine; }, 60000);
        probing = false;
        prober.join();
        babbler.join();
        PumpWaitingMessages();
        const int64_t heapAfter = BusyHeapBytes();

        EXPECT_FALSE(writesFailed)
            << "the device could not get its bytes out: the link stalled; the device sent " << sent.load()
            << " of " << stream.size() << " bytes, the link's port holds " << link.InputQueue()
            << " in its input queue, the link took " << link.HandedOver() << " and a portion of "
            << link.GetReceivedCount() << " waits to be taken";
        EXPECT_TRUE(allHandedOver) << "the stream's last line never arrived; the latest was \""
                                   << LatestLine().substr(0, 40) << '"';
        return heapAfter - heapBefore;
    }

    // Writes the stream as fast as the line takes it, `sent` counting what
    // went out. A write cut short by its time-out is tried again for as long
    // as the link keeps taking bytes; false when it took none for StallLimit.
    bool SendStream(const std::string& stream, std::atomic<size_t>& sent)
    {
        int64_t takenBefore = link.HandedOver();
        ULONGLONG lastProgress = GetTickCount64();
        while (sent < stream.size()) {
            const size_t written = device.WriteSome(stream.substr(sent, WriteChunk));
            sent += written;
            const int64_t taken = link.HandedOver();
            if (written > 0 || taken != takenBefore) {
                takenBefore = taken;
                lastProgress = GetTickCount64();
            } else if (GetTickCount64() - lastProgress > StallLimit) {
                return false;
            }
        }
        return true;
    }

    void ExpectProbesHandledInTime()
    {
        const std::vector<double>& delays = window.ProbeDelays();
        ASSERT_FALSE(delays.empty());
        std::vector<double> sorted = delays;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_LE(sorted[sorted.size() / 2], ProbeDelayMedianBound);
        EXPECT_LE(sorted.back(), ProbeDelayBound);
    }

    // An empty command sends nothing and gives the latest line received.
    std::string LatestLine() { return link.SendCommand("").GetText(); }

    static std::string LastCompleteLine(const std::string& stream)
    {
        LineModel model;
        model.Append(stream);
        return model.lines.empty() ? std::string() : model.lines.back();
    }
};

}  // namespace

TEST_F(BabblingDeviceTest, BabbleWithoutLineEndsTimesOutOnceAndLeavesNothingBehind)
{
    std::mt19937 random(271828);
    const std::string stream = Babble(random, false) + "\r\nTAIL\r\n";
    MessageBoxWatcher watcher(TimeoutTitle, IDOK, 30000);
    const int64_t growth = ExchangeWhileBabbling(stream);
    EXPECT_TRUE(watcher.Finish());

    EXPECT_LE(growth, HeapTolerance);
    ExpectProbesHandledInTime();
    EXPECT_EQ(LatestLine(), "TAIL");
}

TEST_F(BabblingDeviceTest, BabbleWithLineEndsLeavesTheLastCompleteLineAndNothingElse)
{
    std::mt19937 random(314159);
    const std::string stream = Babble(random, true) + "\r\n";
    const int64_t growth = ExchangeWhileBabbling(stream);

    EXPECT_LE(growth, HeapTolerance);
    ExpectProbesHandledInTime();
    EXPECT_EQ(LatestLine(), LastCompleteLine(stream));
}
