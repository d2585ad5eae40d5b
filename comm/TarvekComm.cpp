#include "TarvekComm.h"

#include "LineAssembler.h"
#include "WApplication.h"

TarvekComm* tarvekComm = nullptr;

namespace {

// One assembler for the process: a line the device began before a command
// was sent is finished by the bytes after it.
LineAssembler lineAssembler;

int64_t MicrosecondClock()
{
    static const int64_t ticksPerSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart / ticksPerSecond * 1000000 + now.QuadPart % ticksPerSecond * 1000000 / ticksPerSecond;
}

}  // namespace

TarvekComm::TarvekComm(int32_t portIndex)
{
    SetPortNumber(portIndex);
    SetBaudRate(19200);
    SetByteSize(8);
    SetStopBits(1);
}

TarvekComm::~TarvekComm()
{
    Close();
    if (tarvekComm == this)
        tarvekComm = nullptr;
}

WString TarvekComm::SendCommand(const WString& command, const std::function<void()>& written)
{
    if (command.IsEmpty())
        return reply;
    if (quitRequested)
        return WString();
    lineReceived = false;
    reply = "";
    // A line that did not go out cannot be answered: waiting for the answer
    // would only keep the user a second longer from the same message.
    const bool wentOut = Write(command.GetText(), static_cast<uint32_t>(command.GetLength()));
    if (written)
        written();
    if (!wentOut || !WaitForLine(ReplyBudget)) {
        if (listener && !quitRequested)
            listener->ReplyTimedOut();
        // A listener's box runs a message loop: an answer that came late,
        // during it, must not stand for this command's.
        reply = "";
    }
    return reply;
}

bool TarvekComm::WaitForReply(uint32_t milliseconds)
{
    return WaitForLine(milliseconds);
}

// The budget is real time from the start of the wait, whatever arrives
// meanwhile and however long dispatching takes.
bool TarvekComm::WaitForLine(uint32_t milliseconds)
{
    const int64_t deadline = MicrosecondClock() + static_cast<int64_t>(milliseconds) * 1000;
    while (!lineReceived) {
        // The reader holds the buffer until its portion is taken, so the
        // portion is taken here as soon as it waits: the answer then needs no
        // turn through the message queue, and a notification lost on the way
        // (a post that failed on a full queue) cannot stall the link.
        OnDataReceived();
        if (lineReceived)
            break;
        if (WApplication::DispatchWaitingMessage() == WWaitingMessage::QuitRequested) {
            quitRequested = true;
            break;
        }
        if (lineReceived)
            break;
        const int64_t remaining = deadline - MicrosecondClock();
        if (remaining <= 0) {
            // A dispatch that ran past the deadline (a repaint on a loaded
            // machine, a slow handler) may have let the answer in meanwhile:
            // an answer that came in time is no time-out.
            OnDataReceived();
            break;
        }
        const int64_t step = int64_t{WaitStep} * 1000;
        WaitForMessage(remaining < step ? remaining : step);
    }
    return lineReceived;
}

// One step's pause: up to `microseconds`, but over as soon as a message
// arrives. A plain sleep would let the reader's notification lie in the queue
// for the rest of the step; with the host's coarse timer a 5 ms sleep can
// last 15 ms.
void TarvekComm::WaitForMessage(int64_t microseconds)
{
    const DWORD timeout = static_cast<DWORD>((microseconds + 999) / 1000);
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, 0);
}

// An empty line is no answer: devices and their drivers frame answers with
// extra line ends (CR CR LF, CR LF CR LF, CR LF before the text), and each
// such framing holds an empty line that would otherwise stand for the answer
// of the next command.
void TarvekComm::OnDataReceived()
{
    uint8_t bytes[ReceiveBufferSize];
    const int32_t count = TakeReceivedData(bytes);
    for (int32_t i = 0; i < count; ++i) {
        if (lineAssembler.Take(bytes[i]) && lineAssembler.CompletedLine()[0] != '\0') {
            reply = lineAssembler.CompletedLine();
            lineReceived = true;
        }
    }
}

const char TarvekComm::TimeoutMessage[] =
    "Zeitüberschreitung!\r\n\r\n"
    "Tarvek antwortet nicht auf die übertragenen Konfigurationsdaten.\r\n";

WString TarvekComm::OpenErrorMessage(int32_t portIndex)
{
    WString text;
    text.Sprintf("COM%d konnte nicht geöffnet werden.\r\n\r\n"
                 "Entweder ist die Schnittstelle nicht verfügbar oder\r\n"
                 "wird von einer anderen Applikation verwendet.\r\n",
                 portIndex + 1);
    return text;
}
