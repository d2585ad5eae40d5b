#include "DevicePartner.h"

namespace {

// How long one wait for a line lasts before the thread looks whether to stop.
constexpr DWORD LineWait = 50;

}  // namespace

DevicePartner::DevicePartner(int32_t portIndex, std::string answer) : port(portIndex), answer(std::move(answer))
{
    if (IsOpen())
        device = std::thread(&DevicePartner::Serve, this);
}

DevicePartner::~DevicePartner()
{
    stopping = true;
    if (device.joinable())
        device.join();
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

void DevicePartner::Serve()
{
    std::string line;
    while (!stopping) {
        if (port.ReadThroughLineFeed(line, LineWait))
            Answer(line);
    }
}

// The hook runs outside the lock: it may ask the program's windows, whose
// thread may meanwhile ask for the lines.
void DevicePartner::Answer(const std::string& line)
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
    port.Write(answer);
}
