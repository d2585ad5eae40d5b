#include "AnsweringDevice.h"

namespace {

// How often the device thread looks whether it should stop.
constexpr DWORD stopCheckInterval = 50;

}  // namespace

AnsweringDevice::AnsweringDevice(int32_t portIndex, std::string answer)
    : partner(portIndex), answer(std::move(answer))
{
    device = std::thread([this] { Serve(); });
}

AnsweringDevice::~AnsweringDevice()
{
    stopping = true;
    device.join();
}

std::vector<std::string> AnsweringDevice::Lines()
{
    std::lock_guard<std::mutex> lock(mutex);
    return lines;
}

void AnsweringDevice::Serve()
{
    while (!stopping && partner.IsOpen()) {
        std::string line;
        if (!partner.ReadThroughLineFeed(line, stopCheckInterval))
            continue;
        {
            std::lock_guard<std::mutex> lock(mutex);
            lines.push_back(line);
        }
        partner.Write(answer);
    }
}
