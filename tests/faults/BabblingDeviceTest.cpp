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

constexpr int32_t PortIndex = 4;        // COM5, device on COM15
constexpr size_t BabbleSize = size_t{1024} * 1024;
constexpr size_t WriteChunk = 1024;
constexpr DWORD ProbeInterval = 10;     // milliseconds between probes
constexpr const char* TimeoutTitle = "Tarvek Timeout";

// Anything that grew with the stream, even one byte per 80-byte portion the
// reader hands over (13 108 of them), would come to more than this. What the
// heaps may legitimately differ by is the reply text (at most 256 bytes) and
// the host's bookkeeping of a few messages.
constexpr int64_t HeapTolerance = int64_t{8} * 1024;

// How long a probe may wait in the queue while bytes pour in: typically, and
// at worst (generous, for a test machine shared with others).
constexpr double ProbeDelayMedianBound = 20.0;
constexpr double ProbeDelayBound = 250.0;

// Seven command lines, as a transfer sends them.
const char* const commandLines[] = {
    "st 1 0.00\r\n", "st 2 100.00\r\n", "st 3 -25.00\r\n", "st 4 75.50\r\n", "ee 1\r\n", "em 1\r\n", "cf 30\r\n",
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

class BabblingDeviceTest : public ::testing::Test {
protected:
    TarvekComm link{PortIndex};
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
        std::thread babbler([&] {
            std::string line;
            if (!device.ReadLine(line, 5000)) {
                writesFailed = true;
                return;
            }
            for (size_t offset = 0; offset < stream.size() && !writesFailed; offset += WriteChunk)
                writesFailed = !device.Write(stream.substr(offset, WriteChunk));
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
        for (const char* command : commandLines) {
            if (link.SendCommand(command).IsEmpty())
                break;
        }
        const bool allHandedOver =
            PumpMessagesUntil([&] { return LatestLine() == lastLine; }, 60000);
        probing = false;
        prober.join();
        babbler.join();
        PumpWaitingMessages();
        const int64_t heapAfter = BusyHeapBytes();

        EXPECT_FALSE(writesFailed) << "the device could not get its bytes out: the link stalled";
        EXPECT_TRUE(allHandedOver) << "the stream's last line never arrived; the latest was \""
                                   << LatestLine().substr(0, 40) << '"';
        return heapAfter - heapBefore;
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
