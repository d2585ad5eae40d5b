#pragma once
// The link to the Tarvek device: the serial port with the device's line
// settings (19200 baud, 8 data bits, no parity, one stop bit, no handshaking),
// the assembly of the device's bytes into answer lines, and the one request
// the device knows: send a command line, wait up to a second for the answer
// line. It also shows the two messages a user sees when the device cannot be
// reached.
//
// Everything here runs on the user-interface thread. The owner window's
// UserEvent handler calls OnDataReceived for every notification of the
// reader thread; while SendCommand waits, it dispatches this thread's
// messages itself, one per step, which is how those notifications arrive
// during the wait and how the windows stay alive meanwhile. Each step also
// takes a portion that waits without its notification having come.
//
// There is one device link per process, reached through tarvekComm.

#include "Rs232Class.h"
#include "WString.h"

class TarvekComm : public Rs232Class {
    W_DECLARE_CLASS(TarvekComm, Rs232Class)
public:
    static constexpr uint32_t ReplyBudget = 1000;       // milliseconds
    // The longest pause between two looks at the message queue while waiting.
    static constexpr uint32_t WaitStep = 5;             // milliseconds

    // The link on port COM(index + 1).
    explicit TarvekComm(int32_t portIndex);
    ~TarvekComm() override;

    // Writes the command line (which carries its own CR LF) and waits up to
    // ReplyBudget for the answer line, a line that is not empty. Returns the
    // answer, or an empty text after the time-out message, which also comes,
    // at once, when the line could not be written. An empty command sends
    // nothing and returns the last answer.
    WString SendCommand(const WString& command);
    // Waits up to `milliseconds` for an answer line to arrive since the last
    // SendCommand. True at once when one has.
    bool WaitForReply(uint32_t milliseconds);
    // Takes the waiting portion from the reader, if there is one, and
    // assembles it into lines.
    void OnDataReceived();

    // The message that COM(index + 1) cannot be opened.
    static void ShowOpenError(int32_t portIndex);

private:
    WString reply;
    bool lineReceived = false;

    bool WaitForLine(uint32_t milliseconds);
    static void DispatchOneMessage();
    static void WaitForMessage(int64_t microseconds);
    static void ShowTimeout();
};

// The device link; null while there is none.
extern TarvekComm* tarvekComm;
