#pragma once
// The link to the Tarvek device: the serial port with the device's line
// settings (19200 baud, 8 data bits, no parity, one stop bit, no handshaking),
// the assembly of the device's bytes into answer lines, and the one request
// the device knows: send a command line, wait up to a second for the answer
// line. It also words the two messages a user sees when the device cannot be
// reached, and tells its listener of a command that went unanswered; showing
// or printing them is for whoever uses the link: the program shows its boxes,
// the console sender prints.
//
// Everything here runs on the user-interface thread. The owner window's
// UserEvent handler calls OnDataReceived for every notification of the
// reader thread; while SendCommand waits, it dispatches this thread's
// messages itself, one per step, which is how those notifications arrive
// during the wait and how the windows stay alive meanwhile. Each step also
// takes a portion that waits without its notification having come. A quit
// request met there ends the wait: the link tells its user (QuitRequested)
// and sends nothing more, and the request stays in the queue for the loop it
// was meant for.
//
// There is one device link per process, reached through tarvekComm.

#include "Rs232Class.h"
#include "WString.h"

#include <functional>

class TarvekComm : public Rs232Class {
    W_DECLARE_CLASS(TarvekComm, Rs232Class)
public:
    static constexpr uint32_t ReplyBudget = 1000;  // milliseconds
    // The longest pause between two looks at the message queue while waiting.
    static constexpr uint32_t WaitStep = 5;  // milliseconds

    // Told on the user-interface thread, before SendCommand returns its empty
    // text, that the device left a command unanswered.
    class Listener {
    public:
        virtual void ReplyTimedOut() = 0;

    protected:
        ~Listener() = default;
    };

    // The texts of the time-out and of the port that cannot be opened.
    static const char TimeoutMessage[];
    static WString OpenErrorMessage(int32_t portIndex);

    // The link on port COM(index + 1).
    explicit TarvekComm(int32_t portIndex);
    ~TarvekComm() override;

    // Not owned; null tells nobody.
    void SetListener(Listener* newListener) { listener = newListener; }

    // Writes the command line (which carries its own CR LF) and waits up to
    // ReplyBudget for the answer line, a line that is not empty. Returns the
    // answer, or an empty text once the listener was told of the time-out,
    // which also comes, at once, when the line could not be written. An empty
    // command sends nothing and returns the last answer. After a quit request
    // it returns an empty text and tells the listener nothing: nobody timed
    // out, the program is ending; later commands are not written at all. `written`, when
    // given, runs right after the write, before the wait and before the
    // listener hears of a time-out: what the caller does there overlaps the
    // device's work instead of delaying the line.
    WString SendCommand(const WString& command, const std::function<void()>& written = {});
    // Waits up to `milliseconds` for an answer line to arrive since the last
    // SendCommand. True at once when one has.
    bool WaitForReply(uint32_t milliseconds);
    // Takes the waiting portion from the reader, if there is one, and
    // assembles it into lines.
    void OnDataReceived();
    // A quit request came while the link waited for an answer.
    bool QuitRequested() const { return quitRequested; }

private:
    WString reply;
    bool lineReceived = false;
    Listener* listener = nullptr;
    bool quitRequested = false;

    bool WaitForLine(uint32_t milliseconds);
    static void WaitForMessage(int64_t microseconds);
};

// The device link; null while there is none.
extern TarvekComm* tarvekComm;
