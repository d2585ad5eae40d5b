#include "SerialLine.h"

HANDLE OpenSerialLine(const std::string& portName)
{
    return CreateFileA(("\\\\.\\" + portName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OVERLAPPED, nullptr);
}

bool SetSerialLine(HANDLE port, const SerialLineSetup& setup)
{
    DCB settings{};
    settings.DCBlength = sizeof settings;
    if (!GetCommState(port, &settings))
        return false;
    settings.BaudRate = 19200;
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = ONESTOPBIT;
    settings.fBinary = TRUE;
    if (setup.raiseDtrAndRts) {
        settings.fDtrControl = DTR_CONTROL_ENABLE;
        settings.fRtsControl = RTS_CONTROL_ENABLE;
    }
    if (setup.withoutFlowControl) {
        settings.fParity = FALSE;
        settings.fOutxCtsFlow = FALSE;
        settings.fOutxDsrFlow = FALSE;
        settings.fOutX = FALSE;
        settings.fInX = FALSE;
    }
    COMMTIMEOUTS timeouts = setup.timeouts;
    return SetCommState(port, &settings) && SetCommTimeouts(port, &timeouts);
}

bool WriteSerialLine(HANDLE port, OVERLAPPED& record, const std::string& bytes)
{
    DWORD written = 0;
    if (!WriteFile(port, bytes.data(), static_cast<DWORD>(bytes.size()), &written, &record)) {
        if (GetLastError() != ERROR_IO_PENDING || !GetOverlappedResult(port, &record, &written, TRUE))
            return false;
    }
    return written == bytes.size();
}
