#pragma once
// The host's serial path with nothing of the program in it: a port opened
// and set as the device link sets it, a command line written, the answer
// line awaited with the same kind of event wait the link's reader uses. What
// a transfer takes this way is the floor that the host, the null-modem pair
// and the simulator set under the program's transfer.

#include <windows.h>

#include <string>

class BareSerialLink {
public:
    BareSerialLink() = default;
    ~BareSerialLink();
    BareSerialLink(const BareSerialLink&) = delete;
    BareSerialLink& operator=(const BareSerialLink&) = delete;

    // Opens COMn with 19200 baud, 8 data bits, no parity, one stop bit.
    bool Open(const std::string& portName);
    void Close();
    // One wait for a received character, as the link's reader waits; true
    // when one was reported. Wine ends a wait on a pseudo-terminal after a
    // few milliseconds without an event.
    bool WaitForCharacter(DWORD timeoutMilliseconds);
    // Writes the line and waits for an answer line; false when none comes in time.
    bool Exchange(const std::string& line, DWORD timeoutMilliseconds);

private:
    HANDLE port = INVALID_HANDLE_VALUE;
    OVERLAPPED writeRecord{};
    OVERLAPPED readRecord{};
    OVERLAPPED waitRecord{};

    // Adds what has arrived to `answer`; waits for a character when nothing
    // has. False when the port fails.
    bool Receive(std::string& answer, DWORD timeoutMilliseconds);
    bool Finish(OVERLAPPED& record, DWORD timeoutMilliseconds, DWORD& count);
};
