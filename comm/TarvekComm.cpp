#include "TarvekComm.h"

#include "LineAssembler.h"
#include "WApplication.h"
#include "WThread.h"

#include <cstdlib>

TarvekComm* tarvekComm = nullptr;

namespace {

// One assembler for the process: a line the device began before a command
// was sent is finished by the bytes after it.
LineAssembler lineAssembler;

constexpr UINT stopBoxStyle = MB_ICONSTOP | MB_TASKMODAL;

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

WString TarvekComm::SendCommand(const WString& command)
{
    if (command.IsEmpty())
        return reply;
    lineReceived = false;
    reply = "";
    Write(command.GetText(), static_cast<uint32_t>(command.GetLength()));
    if (!WaitForLine(ReplyBudget)) {
        ShowTimeout();
        reply = "";
    }
    return reply;
}

bool TarvekComm::WaitForReply(uint32_t milliseconds)
{
    return WaitForLine(milliseconds);
}

// Only the sleeps count against the budget, so the real wait is at least the
// budget. A remainder smaller than one step is not waited for.
bool TarvekComm::WaitForLine(uint32_t milliseconds)
{
    uint32_t remaining = milliseconds;
    while (!lineReceived && remaining >= WaitStep) {
        DispatchOneMessage();
        if (lineReceived)
            break;
        WCurrentThread::Sleep(WaitStep);
        remaining -= WaitStep;
    }
    return lineReceived;
}

// Keeps the windows of this thread alive while it waits. A quit request ends
// the process at once: the loop it was meant for cannot be reached from here.
void TarvekComm::DispatchOneMessage()
{
    MSG message;
    bool dispatch = false;
    const int32_t result =
        WApplication::GetMessage(&message, false, true, nullptr, 0, 0, true, &dispatch);
    if (result == 0)
        std::exit(0);
    if (result == 1 && dispatch) {
        TranslateMessage(&message);
        DispatchMessage(&message);
    }
}

void TarvekComm::OnDataReceived()
{
    uint8_t bytes[ReceiveBufferSize];
    const int32_t count = TakeReceivedData(bytes);
    for (int32_t i = 0; i < count; ++i) {
        if (lineAssembler.Take(bytes[i])) {
            reply = lineAssembler.CompletedLine();
            lineReceived = true;
        }
    }
}

void TarvekComm::ShowTimeout()
{
    MessageBoxA(nullptr,
                "Zeitüberschreitung!\r\n\r\n"
                "Tarvek antwortet nicht auf die übertragenen Konfigurationsdaten.\r\n",
                "Tarvek Timeout", stopBoxStyle);
}

void TarvekComm::ShowOpenError(int32_t portIndex)
{
    WString text;
    text.Sprintf("COM%d konnte nicht geöffnet werden.\r\n\r\n"
                 "Entweder ist die Schnittstelle nicht verfügbar oder\r\n"
                 "wird von einer anderen Applikation verwendet.\r\n",
                 portIndex + 1);
    MessageBoxA(nullptr, text.GetText(), "Tarvek Fehler", stopBoxStyle);
}
