// The command lines the program forms, sent through the device link and
// caught byte for byte on the partner port.

#include "ConfigurationTransfer.h"
#include "DeviceCommands.h"
#include "DevicePartner.h"
#include "NotifyWindow.h"
#include "TarvekComm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CommandLinesOnTheWire : public ::testing::Test {
protected:
    static constexpr int32_t PortIndex = 4;  // COM5, device on COM15

    TarvekComm link{PortIndex};
    NotifyWindow window{[this] { link.OnDataReceived(); }};
    DevicePartner device{PortIndex, "OK\r\n"};

    void SetUp() override
    {
        ASSERT_TRUE(device.IsOpen());
        link.SetNotifyTarget(&window);
        ASSERT_TRUE(link.Open());
    }
};

}  // namespace

TEST_F(CommandLinesOnTheWire, EveryCommandArrivesExactlyAsFormed)
{
    using namespace DeviceCommands;
    const std::pair<WString, const char*> cases[] = {
        {ThresholdLine(2, "100.0"), "st 2 100.0\r\n"},
        {ThresholdLine(4, " 50"), "st 4  50\r\n"},
        {ThresholdLine(1, "-99.99"), "st 1 -99.99\r\n"},
        {ErrorHandlingLine(false), "ee 0\r\n"},
        {ErrorMemoryLine(true), "em 1\r\n"},
        {ClearCycleLine("-"), "cf 0\r\n"},
        {ClearCycleLine("90"), "cf 90\r\n"},
        {CalibrationLine(ReceiverChannel, -5), "sc 1 -5\r\n"},
        {CalibrationLine(TransmitterChannel, -127), "sc 2 -127\r\n"},
        {CalibrationLine(ReceiverChannel, 127), "sc 1 127\r\n"},
        {ClearErrorsLine(), "rf\r\n"},
    };
    std::vector<std::string> expected;
    for (const auto& [line, bytes] : cases) {
        EXPECT_STREQ(link.SendCommand(line).GetText(), "OK") << bytes;
        expected.emplace_back(bytes);
    }
    EXPECT_EQ(device.Lines(), expected);
}

TEST_F(CommandLinesOnTheWire, TransferSendsItsSevenLinesInOrder)
{
    PageValues values;
    values.thresholdTexts[DeviceCommands::Threshold1UpperIndex] = "100.0";
    values.thresholdTexts[DeviceCommands::Threshold1LowerIndex] = "0.0";
    values.thresholdTexts[DeviceCommands::Threshold2UpperIndex] = " 50";
    values.thresholdTexts[DeviceCommands::Threshold2LowerIndex] = "-12.5";
    values.errorHandlingEnabled = true;
    values.errorMemoryEnabled = false;
    values.cycleText = "15";
    const ConfigurationTransfer transfer(values);
    ASSERT_TRUE(transfer.IsValid()) << transfer.GetValidationMessage().GetText();

    for (int32_t step = 0; step < ConfigurationTransfer::StepCount; ++step)
        EXPECT_STREQ(link.SendCommand(transfer.GetCommandLine(step)).GetText(), "OK") << step;

    EXPECT_EQ(device.Lines(), (std::vector<std::string>{"st 1 0.0\r\n", "st 2 100.0\r\n", "st 3 -12.5\r\n",
                                                        "st 4  50\r\n", "ee 1\r\n", "em 0\r\n", "cf 15\r\n"}));
}
