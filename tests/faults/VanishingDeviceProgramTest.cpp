// The device goes away in the middle of a transfer started from the main
// window, or between two: one message, the window back to its idle look, and
// the next transfer goes through once the device is back, without a restart.

#include "DevicePartner.h"
#include "DialogWatchers.h"
#include "NullModemCable.h"
#include "ui/TarvekWindow.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// The interface the window chooses at start: COM2, the device on COM12.
constexpr int32_t ProgramPort = 1;  // COM2

using VanishingDeviceProgram = TarvekWindow;

}  // namespace

TEST_F(VanishingDeviceProgram, TransferWithTheDeviceGoneMidwayShowsOneTimeoutAndComesBackToIdle)
{
    NullModemCable cable(ProgramPort);
    ASSERT_TRUE(cable.IsUsable()) << "TARVEK_BUILD_DIR is not set";
    {
        DevicePartner device(ProgramPort);
        ASSERT_TRUE(device.IsOpen());
        std::atomic<bool> vanished{false};
        device.AnswerFirst(2);
        device.OnLine([&](const std::string&) {
            if (device.LineCount() == 3)
                vanished = cable.Pull();
        });
        MessageBoxCollector timeouts("Tarvek Timeout");
        Click("tarvek_connect");
        EXPECT_EQ(timeouts.Stop().size(), 1u);
        EXPECT_TRUE(vanished) << "the pair did not go down";
        EXPECT_EQ(device.LineCount(), 3u);
        ExpectIdleLook();
    }

    ASSERT_TRUE(cable.PlugIn());
    DevicePartner device(ProgramPort);
    ASSERT_TRUE(device.IsOpen());
    MessageBoxCollector timeouts("Tarvek Timeout");
    MessageBoxCollector failures("Tarvek Fehler");
    Click("tarvek_connect");
    EXPECT_TRUE(timeouts.Stop().empty());
    EXPECT_TRUE(failures.Stop().empty());
    EXPECT_EQ(device.LineCount(), 7u);
    ExpectIdleLook();
}

// The adapter is pulled while the program is idle and put back: the press in
// between gets the open-failure message, the press after it a whole transfer.
TEST_F(VanishingDeviceProgram, PortPulledBetweenTransfersFailsTheOpenAndWorksOncePutBack)
{
    NullModemCable cable(ProgramPort);
    ASSERT_TRUE(cable.IsUsable()) << "TARVEK_BUILD_DIR is not set";
    ASSERT_TRUE(cable.Pull());
    {
        MessageBoxCollector failures("Tarvek Fehler");
        MessageBoxCollector timeouts("Tarvek Timeout");
        Click("tarvek_connect");
        EXPECT_EQ(failures.Stop().size(), 1u);
        EXPECT_TRUE(timeouts.Stop().empty());
        ExpectIdleLook();
    }

    ASSERT_TRUE(cable.PlugIn());
    DevicePartner device(ProgramPort);
    ASSERT_TRUE(device.IsOpen());
    MessageBoxCollector failures("Tarvek Fehler");
    Click("tarvek_connect");
    EXPECT_TRUE(failures.Stop().empty());
    EXPECT_EQ(device.LineCount(), 7u);
    ExpectIdleLook();
}
