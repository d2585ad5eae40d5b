#pragma once
// The line settings of a serial port, and the one place where they are
// written into the host's line settings record. Kept free of port calls so
// that the mapping can be checked without a port.

#include <windows.h>

#include <cstdint>

// Bits of LineSettings::handshakeFlags.
enum HandshakeFlag : uint8_t {
    HandshakeDtrDsr = 0x01,
    HandshakeRtsCts = 0x02,
    HandshakeXonXoff = 0x04,
};

struct LineSettings {
    uint8_t byteSize = 8;  // data bits, 7 or 8
    uint8_t handshakeFlags = 0;
    uint8_t parity = NOPARITY;      // host parity code
    uint8_t stopBits = ONESTOPBIT;  // host stop-bit code
    uint32_t baudRate = 9600;
};

// True for the rates a port can be set to: 110 to 38400 baud.
bool IsListedBaudRate(uint32_t rate);

// The record read from the port with the fields the settings govern replaced,
// and those fields given known values that would otherwise make the driver
// drop or refuse bytes (DSR sensitivity, abort on error, NUL stripping, error
// replacement), whatever another program left there. Every other field keeps
// the value that was read, so that whatever the driver keeps there (event
// characters, reserved words) survives.
DCB ApplyLineSettings(const DCB& current, const LineSettings& settings);
