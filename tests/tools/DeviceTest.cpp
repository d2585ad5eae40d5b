#include "Device.h"

#include <gtest/gtest.h>

TEST(Device, AnswersEveryCommandOfTheToolWithOk)
{
    Device device;
    for (const char* line : {"st 1 0.0", "st 2 100.0", "st 3 -12.5", "st 4  50", "ee 1", "em 0", "cf 0",
                             "cf 90", "sc 1 -5", "sc 2 127", "rf"})
        EXPECT_EQ(device.Execute(line), "OK") << line;
}

TEST(Device, RejectsMalformedCommands)
{
    Device device;
    for (const char* line :
         {"",          "s",          "st",          "st ",      "st 5 10", "st 0 10", "st 1",
          "st 1 50,5", "st 1 100.1", "st 1 -100.5", "st 1 50x", "st 1 ",   "ee 2",    "ee",
          "ee 1 ",     "em -1",      "cf -5",       "cf 3601",  "cf x",    "sc 3 1",  "sc 1 128",
          "sc 1 -128", "sc 1 +5",    "sc 1",        "rf 1",     "xx 1",    "ST 1 10", "ee1"})
        EXPECT_EQ(device.Execute(line), "ERR") << "'" << line << "'";
}

TEST(Device, RemembersWhatItWasTold)
{
    Device device;
    device.Execute("st 1 -20.5");
    device.Execute("st 4  75");
    device.Execute("ee 1");
    device.Execute("em 1");
    device.Execute("cf 45");
    device.Execute("sc 1 -127");
    device.Execute("sc 2 33");
    const DeviceState& state = device.State();
    EXPECT_DOUBLE_EQ(state.thresholds[0], -20.5);
    EXPECT_DOUBLE_EQ(state.thresholds[1], 100.0);
    EXPECT_DOUBLE_EQ(state.thresholds[3], 75.0);
    EXPECT_TRUE(state.errorHandling);
    EXPECT_TRUE(state.errorMemory);
    EXPECT_EQ(state.clearingCycle, 45);
    EXPECT_EQ(state.offsets[0], -127);
    EXPECT_EQ(state.offsets[1], 33);
}

TEST(Device, RejectedCommandLeavesTheStateAlone)
{
    Device device;
    device.Execute("sc 1 10");
    device.Execute("sc 1 200");
    device.Execute("st 2 150");
    EXPECT_EQ(device.State().offsets[0], 10);
    EXPECT_DOUBLE_EQ(device.State().thresholds[1], 100.0);
}

TEST(Device, StoresRejectedCommandsOnlyWhileErrorMemoryIsOn)
{
    Device device;
    device.Execute("zz");
    EXPECT_EQ(device.State().storedErrors, 0);
    device.Execute("em 1");
    device.Execute("zz");
    device.Execute("st 9 1");
    EXPECT_EQ(device.State().storedErrors, 2);
    EXPECT_EQ(device.Execute("rf"), "OK");
    EXPECT_EQ(device.State().storedErrors, 0);
}
