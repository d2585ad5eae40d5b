#include "LineSettings.h"

#include <gtest/gtest.h>

namespace {

// A record as a driver might hand it out, with every field set to something
// the settings must not disturb or must replace.
DCB RecordFromDriver()
{
    DCB record{};
    record.DCBlength = 0;
    record.BaudRate = 115200;
    record.ByteSize = 5;
    record.Parity = MARKPARITY;
    record.StopBits = ONE5STOPBITS;
    record.fOutxCtsFlow = TRUE;
    record.fOutxDsrFlow = TRUE;
    record.fDtrControl = DTR_CONTROL_DISABLE;
    record.fRtsControl = RTS_CONTROL_TOGGLE;
    record.fOutX = TRUE;
    record.fInX = TRUE;
    record.fNull = TRUE;
    record.fAbortOnError = TRUE;
    record.fErrorChar = TRUE;
    record.fTXContinueOnXoff = TRUE;
    record.fDsrSensitivity = TRUE;
    record.XonLim = 2048;
    record.XoffLim = 512;
    record.XonChar = 'a';
    record.XoffChar = 'b';
    record.ErrorChar = '?';
    record.EofChar = 0x1A;
    record.EvtChar = '!';
    return record;
}

LineSettings Settings(uint8_t handshakeFlags)
{
    LineSettings settings;
    settings.baudRate = 19200;
    settings.byteSize = 7;
    settings.parity = EVENPARITY;
    settings.stopBits = TWOSTOPBITS;
    settings.handshakeFlags = handshakeFlags;
    return settings;
}

}  // namespace

TEST(LineSettings, ListedBaudRatesOnly)
{
    for (uint32_t rate : {110u, 300u, 600u, 1200u, 2400u, 4800u, 9600u, 14400u, 19200u, 38400u})
        EXPECT_TRUE(IsListedBaudRate(rate)) << rate;
    for (uint32_t rate : {0u, 109u, 19201u, 57600u, 115200u})
        EXPECT_FALSE(IsListedBaudRate(rate)) << rate;
}

TEST(LineSettings, RecordCarriesTheSettingsAndFixedFields)
{
    const DCB record = ApplyLineSettings(RecordFromDriver(), Settings(0));
    EXPECT_EQ(record.DCBlength, 28u);
    EXPECT_EQ(record.BaudRate, 19200u);
    EXPECT_EQ(record.ByteSize, 7);
    EXPECT_EQ(record.Parity, EVENPARITY);
    EXPECT_EQ(record.StopBits, TWOSTOPBITS);
    EXPECT_EQ(record.fBinary, 1u);
    EXPECT_EQ(record.fParity, 1u);
    EXPECT_EQ(record.XonLim, 100);
    EXPECT_EQ(record.XoffLim, 100);
    EXPECT_EQ(record.XonChar, 0x11);
    EXPECT_EQ(record.XoffChar, 0x13);
}

TEST(LineSettings, HandshakeFlagsChooseTheFlowControlOfEachLine)
{
    struct Case {
        uint8_t flags;
        unsigned dsrFlow, dtrControl, ctsFlow, rtsControl, xonXoff;
    };
    const Case cases[] = {
        {0, 0, DTR_CONTROL_ENABLE, 0, RTS_CONTROL_ENABLE, 0},
        {HandshakeDtrDsr, 1, DTR_CONTROL_HANDSHAKE, 0, RTS_CONTROL_ENABLE, 0},
        {HandshakeRtsCts, 0, DTR_CONTROL_ENABLE, 1, RTS_CONTROL_HANDSHAKE, 0},
        {HandshakeXonXoff, 0, DTR_CONTROL_ENABLE, 0, RTS_CONTROL_ENABLE, 1},
        {HandshakeDtrDsr | HandshakeRtsCts | HandshakeXonXoff, 1, DTR_CONTROL_HANDSHAKE, 1,
         RTS_CONTROL_HANDSHAKE, 1},
    };
    for (const Case& c : cases) {
        const DCB record = ApplyLineSettings(RecordFromDriver(), Settings(c.flags));
        EXPECT_EQ(record.fOutxDsrFlow, c.dsrFlow) << int(c.flags);
        EXPECT_EQ(record.fDtrControl, c.dtrControl) << int(c.flags);
        EXPECT_EQ(record.fOutxCtsFlow, c.ctsFlow) << int(c.flags);
        EXPECT_EQ(record.fRtsControl, c.rtsControl) << int(c.flags);
        EXPECT_EQ(record.fOutX, c.xonXoff) << int(c.flags);
        EXPECT_EQ(record.fInX, c.xonXoff) << int(c.flags);
    }
}

TEST(LineSettings, FieldsTheSettingsDoNotGovernKeepTheDriversValues)
{
    const DCB driver = RecordFromDriver();
    const DCB record = ApplyLineSettings(driver, Settings(0));
    EXPECT_EQ(record.fTXContinueOnXoff, driver.fTXContinueOnXoff);
    EXPECT_EQ(record.ErrorChar, driver.ErrorChar);
    EXPECT_EQ(record.EofChar, driver.EofChar);
    EXPECT_EQ(record.EvtChar, driver.EvtChar);
}

// Whatever another program left there: on a three-wire cable DSR stays low,
// and one line error must not make the port refuse every read after it.
TEST(LineSettings, FieldsThatMakeTheDriverDropOrRefuseBytesAreSwitchedOff)
{
    for (uint8_t flags : {uint8_t{0}, uint8_t{HandshakeDtrDsr}}) {
        const DCB record = ApplyLineSettings(RecordFromDriver(), Settings(flags));
        EXPECT_EQ(record.fDsrSensitivity, flags == HandshakeDtrDsr ? 1u : 0u) << int(flags);
        EXPECT_EQ(record.fAbortOnError, 0u) << int(flags);
        EXPECT_EQ(record.fNull, 0u) << int(flags);
        EXPECT_EQ(record.fErrorChar, 0u) << int(flags);
    }
}
