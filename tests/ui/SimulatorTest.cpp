// The program against the device simulator, as a user would run it: a full
// transfer and live offsets set the simulated device's state, a transfer over
// a port above COM8 is chosen again at the next start, and a device that falls
// silent meets the time-out message once.

#include "DialogWatchers.h"
#include "SimulatorProcess.h"
#include "TarvekWindow.h"

namespace {

class AgainstTheSimulator : public TarvekWindow {
protected:
    void Start(const std::string& options, const char* log, int32_t portIndex = 1)
    {
        ASSERT_TRUE(simulator.Start(portIndex, options, log)) << PathFromEnvironment("TARVEK_SIM");
    }

    SimulatorProcess simulator;
};

TEST_F(AgainstTheSimulator, TransferAndOffsetsSetTheDevice)
{
    Start("", "ui_simulator_transfer.log");
    SetTextOf("textb_threshold1_upper", "80");
    SetTextOf("textb_threshold1_lower", "-20.5");
    SendMessageA(Control("checkbox_errmem"), BM_SETCHECK, BST_UNCHECKED, 0);
    SelectEntry("combo_cycle", 6);
    Click("tarvek_connect");
    ShowPage(2);
    Click("checkbox_trm");
    Click("pictbttn_trmup");
    EXPECT_TRUE(
        simulator.WaitForLog("thresholds -20.50/80.00 0.00/100.00, error handling on, error memory off, "
                             "clearing every 30 s, offsets rcv 0 trm 1",
                             5000))
        << simulator.ReadLog();
    ExpectIdleLook();
}

// COM12 is the partner end of the test prefix's pair with COM2, where the
// simulator plays the device.
TEST_F(AgainstTheSimulator, APortAboveCom8TransfersAndIsChosenAgainAtTheNextStart)
{
    Start("", "ui_simulator_com12.log", 11);
    const LRESULT entry = SendMessageA(Control("combo_com"), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>("COM12"));
    ASSERT_GT(entry, 7);
    SelectEntry("combo_com", static_cast<int>(entry));
    SetTextOf("textb_threshold1_upper", "75.5");
    Click("tarvek_connect");
    EXPECT_TRUE(
        simulator.WaitForLog("/75.50 0.00/100.00, error handling on, error memory on, clearing off", 5000))
        << simulator.ReadLog();
    CloseWindow();
    EXPECT_EQ(StoredComPort(), 12);
    OpenWindow();
    EXPECT_EQ(TextOf("combo_com"), "COM12");
}

TEST_F(AgainstTheSimulator, ADeviceFallingSilentStopsTheTransferOnce)
{
    Start("--silent-after 2", "ui_simulator_silent.log");
    MessageBoxCollector timeouts("Tarvek Timeout");
    Click("tarvek_connect");
    EXPECT_EQ(timeouts.Stop().size(), 1u);
    EXPECT_TRUE(simulator.WaitForLog("st 3 0.0", 5000)) << simulator.ReadLog();
    EXPECT_EQ(simulator.ReadLog().find("st 4"), std::string::npos) << simulator.ReadLog();
    ExpectIdleLook();
}

}  // namespace
