#pragma once
// The device played on a partner port by a thread of the test: every line
// that arrives is kept exactly as it came, CR LF included, and answered with
// a fixed answer.

#include "PartnerPort.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

class AnsweringDevice {
public:
    AnsweringDevice(int32_t portIndex, std::string answer);
    ~AnsweringDevice();
    AnsweringDevice(const AnsweringDevice&) = delete;
    AnsweringDevice& operator=(const AnsweringDevice&) = delete;

    bool IsReady() const { return partner.IsOpen(); }
    std::vector<std::string> Lines();

private:
    PartnerPort partner;
    std::string answer;
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    std::vector<std::string> lines;
    std::thread device;

    void Serve();
};
