#include "DevicePartner.h"

namespace {

constexpr DWORD ReadWait = 20;

HANDLE OpenPartner(int portNumber)
{
    const std::string name = "\\\\.\\COM1" + std::to_string(portNumber);
    HANDLE port = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return port;
    DCB settings{};
    settings.DCBlength = sizeof settings;
    GetCommState(port, &settings);
    settings.BaudRate = 19200;
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = ONESTOPBIT;
    settings.fBinary = TRUE;
    settings.fDtrControl = DTR_CONTROL_ENABLE;
    settings.fRtsControl = RTS_CONTROL_ENABLE;
    // A read returns what has come within ReadWait, so that the thread sees
    // its stop request soon.
    COMMTIMEOUTS timeouts{MAXDWORD, MAXDWORD, ReadWait, 0, 1000};
    if (!SetCommState(port, &settings) || !SetCommTimeouts(port, &timeouts)) {
        CloseHandle(port);
        return INVALID_HANDLE_VALUE;
    }
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    return port;
}

}  // namespace

DevicePartner::DevicePartner(int portNumber) : port(OpenPartner(portNumber))
{
    if (IsOpen())
        reader = std::thread(&DevicePartner::Read, this);
}

DevicePartner::~DevicePartner()
{
    stopping = true;
    if (reader.joinable())
        reader.join();
    if (IsOpen())
        CloseHandle(port);
}

void DevicePartner::OnLine(LineHook newHook)
{
    std::lock_guard<std::mutex> lock(mutex);
    hook = std::move(newHook);
}

std::vector<std::string> DevicePartner::Lines()
{
    std::lock_guard<std::mutex> lock(mutex);
    return lines;
}

size_t DevicePartner::LineCount()
{
    std::lock_guard<std::mutex> lock(mutex);
    return lines.size();
}

void DevicePartner::Read()
{
    char bytes[256];
    while (!stopping) {
        DWORD count = 0;
        if (!ReadFile(port, bytes, sizeof bytes, &count, nullptr))
            Sleep(ReadWait);
        else if (count > 0)
            TakeBytes(bytes, count);
    }
}

void DevicePartner::TakeBytes(const char* bytes, DWORD count)
{
    for (DWORD index = 0; index < count; ++index) {
        pending += bytes[index];
        if (bytes[index] == '\n') {
            LineArrived(pending);
            pending.clear();
        }
    }
}

void DevicePartner::LineArrived(const std::string& line)
{
    LineHook current;
    size_t number = 0;
    {
        std::lock_guard<std::mutex> lock(mutex);
        lines.push_back(line);
        number = lines.size();
        current = hook;
    }
    if (current)
        current(line);
    const int limit = answerLimit;
    if (limit >= 0 && number > static_cast<size_t>(limit))
        return;
    if (answerDelay > 0)
        Sleep(answerDelay);
    DWORD written = 0;
    WriteFile(port, "OK\r\n", 4, &written, nullptr);
}
