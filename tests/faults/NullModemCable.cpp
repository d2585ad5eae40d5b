#include "NullModemCable.h"

#include "SimulatorProcess.h"

namespace {

constexpr DWORD PollInterval = 10;

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

NullModemCable::NullModemCable(int32_t portIndex) : pair(portIndex + 1)
{
    const std::string build = PathFromEnvironment("TARVEK_BUILD_DIR");
    if (!build.empty())
        folder = build + "\\nullmodem\\";
}

NullModemCable::~NullModemCable()
{
    if (pulled)
        PlugIn();
}

bool NullModemCable::Pull(DWORD timeoutMilliseconds)
{
    HANDLE request = CreateFileA(RequestPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (request == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(request);
    pulled = true;
    return WaitUntil(false, timeoutMilliseconds);
}

bool NullModemCable::PlugIn(DWORD timeoutMilliseconds)
{
    if (!DeleteFileA(RequestPath().c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    pulled = false;
    return WaitUntil(true, timeoutMilliseconds);
}

std::string NullModemCable::RequestPath() const
{
    return folder + "hangup" + std::to_string(pair);
}

bool NullModemCable::IsUp() const
{
    return Exists(folder + "pair" + std::to_string(pair) + ".up");
}

bool NullModemCable::WaitUntil(bool up, DWORD timeoutMilliseconds) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    while (IsUp() != up) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(PollInterval);
    }
    return true;
}
