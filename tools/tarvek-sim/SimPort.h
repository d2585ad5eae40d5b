#pragma once
// The device's end of the serial line. Reads block until at least one byte
// has arrived or the stop event is set; there is no polling, so an idle
// simulator costs nothing.

#include <windows.h>

#include <string>

class SimPort {
public:
    enum class ReadResult { Data, Stopped, Lost };

    SimPort();
    ~SimPort();
    SimPort(const SimPort&) = delete;
    SimPort& operator=(const SimPort&) = delete;

    // Opens the port at 19200 baud, 8 data bits, no parity, one stop bit, no
    // flow control, and raises DTR and RTS as a device that is switched on.
    bool Open(const std::string& portName);
    void Close();

    // Waits for received bytes and stores up to `capacity` of them.
    ReadResult Read(char* buffer, DWORD capacity, DWORD& count, HANDLE stopEvent);
    // Writes all bytes at once; false when the port refused them.
    bool Write(const std::string& bytes);
    // Writes the bytes at the pace of a real line: byte i leaves at
    // start + (i + 1) * byteSeconds. False when the port refused them or the
    // stop event was set.
    bool WritePaced(const std::string& bytes, double byteSeconds, HANDLE stopEvent);

private:
    HANDLE port = INVALID_HANDLE_VALUE;
    OVERLAPPED readRecord{};
    OVERLAPPED writeRecord{};

    bool WaitForRead(DWORD& count, HANDLE stopEvent, bool& stopped);
    bool ReadQueued(char* buffer, DWORD capacity, DWORD& count);
};

// Seconds on a steady high-resolution clock.
double SimClockSeconds();
// Waits until the clock reaches `until`; false when the stop event was set first.
bool SimWaitUntil(double until, HANDLE stopEvent);
