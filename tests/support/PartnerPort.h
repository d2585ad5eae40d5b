#pragma once
// The far end of a null-modem pair, where a test plays the device: COM(10 + n)
// for the port COMn under test (n = 1..8), and COMn for COM(10 + n). Reads wait for bytes with a
// deadline and never poll; bytes that arrive beyond what a read asked for are
// kept for the next read.

#include <windows.h>

#include <cstdint>
#include <string>

// The name of the far end of the pair that COM(portIndex + 1) belongs to.
std::string PartnerPortName(int32_t portIndex);

class PartnerPort {
public:
    // Opens the partner of COM(portIndex + 1), the port under test given by
    // its 0-based index, as device links are.
    explicit PartnerPort(int32_t portIndex);
    ~PartnerPort();
    PartnerPort(const PartnerPort&) = delete;
    PartnerPort& operator=(const PartnerPort&) = delete;

    bool IsOpen() const { return port != INVALID_HANDLE_VALUE; }
    const std::string& GetName() const { return name; }

    bool Write(const std::string& bytes);
    // Writes what the port takes before its write time-out; the number of
    // bytes that went out.
    size_t WriteSome(const std::string& bytes);
    // Up to `count` bytes, as many as arrive before the deadline.
    std::string Read(size_t count, DWORD timeoutMilliseconds);
    // The bytes up to and including the next LF, exactly as they came; false
    // when no LF arrives before the deadline.
    bool ReadThroughLineFeed(std::string& bytes, DWORD timeoutMilliseconds);
    // The next line, without its CR LF; false when none is complete before the deadline.
    bool ReadLine(std::string& line, DWORD timeoutMilliseconds);
    // Everything that arrives within the time: for checking that nothing is sent.
    std::string ReadFor(DWORD milliseconds);
    // Drops everything received so far.
    void Discard();

private:
    HANDLE port = INVALID_HANDLE_VALUE;
    OVERLAPPED readRecord{};
    OVERLAPPED writeRecord{};
    std::string name;
    std::string received;  // arrived, not yet handed out

    // Waits until at least one more byte has arrived, or the deadline.
    bool ReceiveMore(ULONGLONG deadline);
    bool ReadQueued();
};
