#include "SimPort.h"

#include "SerialLine.h"

SimPort::SimPort()
{
    readRecord.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    writeRecord.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

SimPort::~SimPort()
{
    Close();
    CloseHandle(readRecord.hEvent);
    CloseHandle(writeRecord.hEvent);
}

bool SimPort::Open(const std::string& portName)
{
    port = OpenSerialLine(portName);
    if (port == INVALID_HANDLE_VALUE)
        return false;
    // All read time-outs zero: a read waits until it has every byte it asked
    // for. Reads ask for one byte, then for exactly what is queued.
    SerialLineSetup setup;
    setup.timeouts = {0, 0, 0, 0, 1000};
    setup.raiseDtrAndRts = true;
    setup.withoutFlowControl = true;
    if (!SetSerialLine(port, setup)) {
        Close();
        return false;
    }
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    return true;
}

void SimPort::Close()
{
    if (port == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(port);
    port = INVALID_HANDLE_VALUE;
}

SimPort::ReadResult SimPort::Read(char* buffer, DWORD capacity, DWORD& count, HANDLE stopEvent)
{
    count = 0;
    DWORD first = 0;
    bool stopped = false;
    if (!ReadFile(port, buffer, 1, &first, &readRecord)) {
        if (GetLastError() != ERROR_IO_PENDING)
            return ReadResult::Lost;
        if (!WaitForRead(first, stopEvent, stopped))
            return stopped ? ReadResult::Stopped : ReadResult::Lost;
    }
    DWORD rest = 0;
    if (first == 1 && !ReadQueued(buffer + 1, capacity - 1, rest))
        return ReadResult::Lost;
    count = first + rest;
    return ReadResult::Data;
}

bool SimPort::WaitForRead(DWORD& count, HANDLE stopEvent, bool& stopped)
{
    const HANDLE events[2] = {stopEvent, readRecord.hEvent};
    stopped = WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0;
    if (stopped)
        CancelIo(port);
    // Also after a cancel: the read must be over before its record is reused.
    return GetOverlappedResult(port, &readRecord, &count, TRUE) && !stopped;
}

bool SimPort::ReadQueued(char* buffer, DWORD capacity, DWORD& count)
{
    DWORD errors = 0;
    COMSTAT status{};
    count = 0;
    if (!ClearCommError(port, &errors, &status))
        return false;
    const DWORD wanted = status.cbInQue < capacity ? status.cbInQue : capacity;
    if (wanted == 0)
        return true;
    if (ReadFile(port, buffer, wanted, &count, &readRecord))
        return true;
    return GetLastError() == ERROR_IO_PENDING && GetOverlappedResult(port, &readRecord, &count, TRUE);
}

bool SimPort::Write(const std::string& bytes)
{
    return WriteSerialLine(port, writeRecord, bytes);
}

bool SimPort::WritePaced(const std::string& bytes, double byteSeconds, HANDLE stopEvent)
{
    const double start = SimClockSeconds();
    size_t sent = 0;
    while (sent < bytes.size()) {
        if (!SimWaitUntil(start + static_cast<double>(sent + 1) * byteSeconds, stopEvent))
            return false;
        // Everything whose time has come goes out in one write, so that the
        // cost of a write does not add up byte by byte.
        size_t due = static_cast<size_t>((SimClockSeconds() - start) / byteSeconds);
        due = due < sent + 1 ? sent + 1 : (due > bytes.size() ? bytes.size() : due);
        if (!Write(bytes.substr(sent, due - sent)))
            return false;
        sent = due;
    }
    return true;
}

double SimClockSeconds()
{
    static const double ticksPerSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerSecond;
}

bool SimWaitUntil(double until, HANDLE stopEvent)
{
    for (;;) {
        const double remaining = until - SimClockSeconds();
        if (remaining <= 0.0)
            return true;
        // Sleeps are coarse: sleep while more than 2 ms remain, then only give
        // up the time slice until the moment has come. Yielding asks nothing
        // of the Wine server, which the program under test needs meanwhile.
        if (remaining > 0.002) {
            const DWORD sleep = static_cast<DWORD>((remaining - 0.001) * 1000);
            if (WaitForSingleObject(stopEvent, sleep) == WAIT_OBJECT_0)
                return false;
        } else {
            Sleep(0);
        }
    }
}
