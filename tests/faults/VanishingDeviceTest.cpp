// The device goes away in the middle of an exchange: the null-modem pair is
// taken down while the link waits for the answer, as when the cable is pulled
// or a USB adapter unplugged. The link must show one time-out message and no
// more, must not hang, must close its port, and must work again once the
// device is back.

#include "DeviceLinkWindow.h"
#include "DialogWatchers.h"
#include "NullModemCable.h"
#include "PartnerPort.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr int32_t PortIndex = 5;  // COM6, device on COM16
constexpr const char* TimeoutTitle = "Tarvek Timeout";

// The link with the id of its reader thread in reach, so that a test can see
// the thread end.
class WatchedLink : public TarvekComm {
public:
    WatchedLink() : TarvekComm(PortIndex) {}
    ~WatchedLink() override { Close(); }

    HANDLE OpenReaderThread() const { return OpenThread(SYNCHRONIZE, FALSE, GetReaderThreadId()); }
};

}  // namespace

// The device stops taking anything in, so the line fills up and a write can
// no longer get its bytes out: the write time-out cuts it short, or, for a
// write that got nothing out, makes it fail.
TEST(VanishingDevice, CommandThatCannotBeWrittenGivesTheTimeoutWithoutWaitingForAnAnswer)
{
    NullModemCable cable(PortIndex);
    ASSERT_TRUE(cable.IsUsable()) << "TARVEK_BUILD_DIR is not set";
    {
        WatchedLink link;
        DeviceLinkWindow window(link);
        link.SetNotifyTarget(&window);
        PartnerPort device(PortIndex);
        ASSERT_TRUE(device.IsOpen());
        ASSERT_TRUE(link.Open());

        // The host leaves a little room after a write cut short; the second fills it.
        const std::string moreThanTheLineHolds(size_t{400} * 1024, 'x');
        for (int round = 0; round < 2; ++round) {
            EXPECT_FALSE(
                link.Write(moreThanTheLineHolds.data(), static_cast<uint32_t>(moreThanTheLineHolds.size())))
                << "round " << round;
        }

        MessageBoxWatcher watcher(TimeoutTitle);
        const ULONGLONG start = GetTickCount64();
        const std::string reply = link.SendCommand("ee 1\r\n").GetText();
        const bool seen = watcher.Finish();

        EXPECT_EQ(reply, "");
        ASSERT_TRUE(seen);
        // The write takes the write time-out of one second; a link that then
        // waited for an answer would take another.
        EXPECT_LT(watcher.GetLook().seenAt - start, 1500u) << "the link waited for an answer";
    }
    // A fresh pair, without the bytes that are still stuck on the line.
    ASSERT_TRUE(cable.Pull());
    ASSERT_TRUE(cable.PlugIn());
}

TEST(VanishingDevice, DeviceGoneMidExchangeGivesOneTimeoutClosesCleanlyAndWorksWhenBack)
{
    NullModemCable cable(PortIndex);
    ASSERT_TRUE(cable.IsUsable()) << "TARVEK_BUILD_DIR is not set";
    WatchedLink link;
    DeviceLinkWindow window(link);
    link.SetNotifyTarget(&window);
    {
        auto device = std::make_unique<PartnerPort>(PortIndex);
        ASSERT_TRUE(device->IsOpen());
        std::atomic<bool> vanished{false};
        std::thread vanish([&] {
            std::string line;
            vanished = device->ReadLine(line, 5000) && cable.Pull();
        });
        ASSERT_TRUE(link.Open());
        HANDLE reader = link.OpenReaderThread();
        ASSERT_NE(reader, nullptr);

        MessageBoxCollector boxes(TimeoutTitle);
        const ULONGLONG start = GetTickCount64();
        const std::string reply = link.SendCommand("ee 1\r\n").GetText();
        const ULONGLONG waited = GetTickCount64() - start;
        vanish.join();
        link.Close();
        EXPECT_EQ(WaitForSingleObject(reader, 5000), static_cast<DWORD>(WAIT_OBJECT_0))
            << "the reader thread did not end after Close";
        CloseHandle(reader);

        EXPECT_TRUE(vanished) << "the pair did not go down";
        EXPECT_EQ(reply, "");
        EXPECT_GE(waited, TarvekComm::ReplyBudget);
        EXPECT_LT(waited, 5000u);
        EXPECT_EQ(boxes.Stop().size(), 1u);
        EXPECT_FALSE(link.IsOpen());
    }

    ASSERT_TRUE(cable.PlugIn());
    PartnerPort device(PortIndex);
    ASSERT_TRUE(device.IsOpen());
    std::thread answer([&] {
        std::string line;
        if (device.ReadLine(line, 5000))
            device.Write("OK\r\n");
    });
    ASSERT_TRUE(link.Open());
    const std::string reply = link.SendCommand("em 0\r\n").GetText();
    answer.join();
    EXPECT_EQ(reply, "OK");
}
