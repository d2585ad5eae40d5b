#include "BareSerialLink.h"

#include "Clock.h"
#include "SerialLine.h"

namespace {

constexpr DWORD QueueSize = 4096;
constexpr DWORD PurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

HANDLE CreateManualResetEvent()
{
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

}  // namespace

BareSerialLink::~BareSerialLink()
{
    Close();
    for (HANDLE event : {writeRecord.hEvent, readRecord.hEvent, waitRecord.hEvent}) {
        if (event)
            CloseHandle(event);
    }
}

bool BareSerialLink::Open(const std::string& portName)
{
    writeRecord.hEvent = CreateManualResetEvent();
    readRecord.hEvent = CreateManualResetEvent();
    waitRecord.hEvent = CreateManualResetEvent();
    port = OpenSerialLine(portName);
    if (port == INVALID_HANDLE_VALUE)
        return false;
    SetupComm(port, QueueSize, QueueSize);
    PurgeComm(port, PurgeAll);
    SerialLineSetup setup;
    setup.timeouts = {MAXDWORD, 0, 0, 0, 1000};
    setup.raiseDtrAndRts = true;
    return SetSerialLine(port, setup) && SetCommMask(port, EV_RXCHAR);
}

void BareSerialLink::Close()
{
    if (port == INVALID_HANDLE_VALUE)
        return;
    SetCommMask(port, 0);
    PurgeComm(port, PurgeAll);
    CloseHandle(port);
    port = INVALID_HANDLE_VALUE;
}

bool BareSerialLink::Exchange(const std::string& line, DWORD timeoutMilliseconds)
{
    if (!WriteSerialLine(port, writeRecord, line))
        return false;
    const double deadline = Milliseconds() + timeoutMilliseconds;
    std::string answer;
    while (answer.find('\n') == std::string::npos) {
        const double left = deadline - Milliseconds();
        if (left <= 0.0 || !Receive(answer, static_cast<DWORD>(left)))
            return false;
    }
    return true;
}

bool BareSerialLink::WaitForCharacter(DWORD timeoutMilliseconds)
{
    DWORD events = 0;
    DWORD unused = 0;
    if (!WaitCommEvent(port, &events, &waitRecord) && !Finish(waitRecord, timeoutMilliseconds, unused))
        return false;
    return (events & EV_RXCHAR) != 0;
}

bool BareSerialLink::Receive(std::string& answer, DWORD timeoutMilliseconds)
{
    DWORD errors = 0;
    COMSTAT status{};
    ClearCommError(port, &errors, &status);
    if (status.cbInQue == 0) {
        // The host may end a wait without an event (Wine does when a write
        // follows it); the caller then simply looks again.
        DWORD events = 0;
        DWORD unused = 0;
        if (!WaitCommEvent(port, &events, &waitRecord))
            Finish(waitRecord, timeoutMilliseconds, unused);
        ClearCommError(port, &errors, &status);
    }
    std::string bytes(status.cbInQue, '\0');
    DWORD count = 0;
    if (!bytes.empty() && !ReadFile(port, bytes.data(), status.cbInQue, &count, &readRecord)
        && !Finish(readRecord, timeoutMilliseconds, count))
        return false;
    answer.append(bytes, 0, count);
    return true;
}

// A pending operation ended within the time; one that did not is cancelled
// and waited for, so that its record can be used again.
bool BareSerialLink::Finish(OVERLAPPED& record, DWORD timeoutMilliseconds, DWORD& count)
{
    if (GetLastError() != ERROR_IO_PENDING)
        return false;
    if (WaitForSingleObject(record.hEvent, timeoutMilliseconds) != WAIT_OBJECT_0)
        CancelIo(port);
    return GetOverlappedResult(port, &record, &count, TRUE) != FALSE;
}
