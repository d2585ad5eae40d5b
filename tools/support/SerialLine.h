#pragma once
// A serial port opened from outside the program, as the benchmarks, the
// simulator and the tests' partner ports open it: for overlapped reads and
// writes, at the device's 19200 baud, 8 data bits, no parity, one stop bit,
// binary. What each of them sets beyond that (time-outs, control lines,
// queues, purges) stays its own.
//
// The line settings and the write are done here again, apart from the
// program's LineSettings and Rs232Class, on purpose: this is the far end
// that plays the device. Were it set by the program's own mapper, a wrong
// rate, parity or stop bit there would be mirrored on both ends and every
// test would still pass, while a real device heard nothing it could read.

#include <windows.h>

#include <string>

struct SerialLineSetup {
    COMMTIMEOUTS timeouts{};
    // DTR and RTS raised, as by a device that is switched on; otherwise the
    // control lines stay as the driver has them.
    bool raiseDtrAndRts = false;
    // No parity check and no handshake of any kind, whatever the driver had on.
    bool withoutFlowControl = false;
};

// Opens the port by its "\\.\" name, which reaches COM10 and above too;
// INVALID_HANDLE_VALUE when it cannot be opened.
HANDLE OpenSerialLine(const std::string& portName);

// False when the port refused its settings or its time-outs.
bool SetSerialLine(HANDLE port, const SerialLineSetup& setup);

// Writes all bytes through `record`, whose event the caller owns, and waits
// until the port has taken them; false when it refused them or took fewer.
bool WriteSerialLine(HANDLE port, OVERLAPPED& record, const std::string& bytes);
