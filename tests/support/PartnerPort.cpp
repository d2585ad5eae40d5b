#include "PartnerPort.h"

#include "SerialLine.h"

namespace {

DWORD MillisecondsUntil(ULONGLONG deadline)
{
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

}  // namespace

std::string PartnerPortName(int32_t portIndex)
{
    constexpr int32_t pairDistance = 10;
    const int32_t number = portIndex + 1;
    return "COM" + std::to_string(number > pairDistance ? number - pairDistance : number + pairDistance);
}

PartnerPort::PartnerPort(int32_t portIndex) : name(PartnerPortName(portIndex))
{
    readRecord.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    writeRecord.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    port = OpenSerialLine(name);
    if (port == INVALID_HANDLE_VALUE)
        return;
    // No read time-outs: a read waits until it has every byte it asked for.
    SerialLineSetup setup;
    setup.timeouts = {0, 0, 0, 0, 1000};
    SetSerialLine(port, setup);
    Discard();
}

PartnerPort::~PartnerPort()
{
    if (port != INVALID_HANDLE_VALUE)
        CloseHandle(port);
    CloseHandle(readRecord.hEvent);
    CloseHandle(writeRecord.hEvent);
}

bool PartnerPort::Write(const std::string& bytes)
{
    return WriteSerialLine(port, writeRecord, bytes);
}

size_t PartnerPort::WriteSome(const std::string& bytes)
{
    DWORD written = 0;
    if (!WriteFile(port, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &writeRecord)
        && GetLastError() == ERROR_IO_PENDING)
        GetOverlappedResult(port, &writeRecord, &written, TRUE);
    return written;
}

std::string PartnerPort::Read(size_t count, DWORD timeoutMilliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    while (received.size() < count && ReceiveMore(deadline)) {
    }
    const std::string bytes = received.substr(0, count);
    received.erase(0, bytes.size());
    return bytes;
}

bool PartnerPort::ReadThroughLineFeed(std::string& bytes, DWORD timeoutMilliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    size_t end;
    while ((end = received.find('\n')) == std::string::npos) {
        if (!ReceiveMore(deadline))
            return false;
    }
    bytes = received.substr(0, end + 1);
    received.erase(0, end + 1);
    return true;
}

bool PartnerPort::ReadLine(std::string& line, DWORD timeoutMilliseconds)
{
    if (!ReadThroughLineFeed(line, timeoutMilliseconds))
        return false;
    line.pop_back();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

std::string PartnerPort::ReadFor(DWORD milliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (ReceiveMore(deadline)) {
    }
    std::string bytes;
    bytes.swap(received);
    return bytes;
}

void PartnerPort::Discard()
{
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    received.clear();
}

bool PartnerPort::ReceiveMore(ULONGLONG deadline)
{
    char byte = 0;
    DWORD count = 0;
    if (!ReadFile(port, &byte, 1, &count, &readRecord)) {
        if (GetLastError() != ERROR_IO_PENDING)
            return false;
        if (WaitForSingleObject(readRecord.hEvent, MillisecondsUntil(deadline)) != WAIT_OBJECT_0)
            CancelIo(port);
        // Also after a cancel: the read must be over before its record is reused.
        if (!GetOverlappedResult(port, &readRecord, &count, TRUE))
            return false;
    }
    if (count == 0)
        return false;
    received.push_back(byte);
    return ReadQueued();
}

bool PartnerPort::ReadQueued()
{
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(port, &errors, &status) || status.cbInQue == 0)
        return true;
    std::string bytes(status.cbInQue, '\0');
    DWORD count = 0;
    if (!ReadFile(port, bytes.data(), status.cbInQue, &count, &readRecord)) {
        if (GetLastError() != ERROR_IO_PENDING || !GetOverlappedResult(port, &readRecord, &count, TRUE))
            return false;
    }
    received.append(bytes, 0, count);
    return true;
}
