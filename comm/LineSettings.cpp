#include "LineSettings.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr uint32_t ListedBaudRates[] = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400};

// The flow-control thresholds and characters used when software handshaking is on.
constexpr WORD FlowControlLimit = 100;
constexpr char XonCharacter = 0x11;
constexpr char XoffCharacter = 0x13;

}  // namespace

static_assert(sizeof(DCB) == 28, "the line settings record has the host's layout");

bool IsListedBaudRate(uint32_t rate)
{
    return std::find(std::begin(ListedBaudRates), std::end(ListedBaudRates), rate) != std::end(ListedBaudRates);
}

DCB ApplyLineSettings(const DCB& current, const LineSettings& settings)
{
    const bool dtrDsr = settings.handshakeFlags & HandshakeDtrDsr;
    const bool rtsCts = settings.handshakeFlags & HandshakeRtsCts;
    const bool xonXoff = settings.handshakeFlags & HandshakeXonXoff;

    DCB record = current;
    record.DCBlength = sizeof(DCB);
    record.BaudRate = settings.baudRate;
    record.ByteSize = settings.byteSize;
    record.Parity = settings.parity;
    record.StopBits = settings.stopBits;
    record.fBinary = TRUE;
    // Checking is on; with parity "none" the driver has nothing to check.
    record.fParity = TRUE;
    record.fOutxDsrFlow = dtrDsr;
    record.fDtrControl = dtrDsr ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
    record.fOutxCtsFlow = rtsCts;
    record.fRtsControl = rtsCts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    record.fOutX = xonXoff;
    record.fInX = xonXoff;
    record.XonLim = FlowControlLimit;
    record.XoffLim = FlowControlLimit;
    record.XonChar = XonCharacter;
    record.XoffChar = XoffCharacter;
    // Left on by another program, each of these makes the port deaf or lose
    // bytes: DSR sensitivity drops everything while DSR is low, which a
    // three-wire cable never raises; abort-on-error refuses every read and
    // wait after one line error until the error is cleared; the other two
    // drop NUL bytes or replace bytes that came with a parity error.
    record.fDsrSensitivity = dtrDsr;
    record.fAbortOnError = FALSE;
    record.fNull = FALSE;
    record.fErrorChar = FALSE;
    return record;
}
