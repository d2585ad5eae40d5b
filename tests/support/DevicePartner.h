#pragma once
// The device played by the test on the partner end of a null-modem pair, on a
// thread of its own, so that it answers while the test's thread is inside the
// program's handlers. It keeps every command line the program sends, byte for
// byte, and answers each with its answer ("OK\r\n" unless given another)
// unless told to stay silent. A test can
// look at the program while a line is awaited: the hook runs when a line has
// arrived, before it is answered.

#include "PartnerPort.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class DevicePartner {
public:
    using LineHook = std::function<void(const std::string& line)>;

    // The device behind COM(portIndex + 1), the port under test given by its
    // 0-based index, as device links are.
    explicit DevicePartner(int32_t portIndex, std::string answer = "OK\r\n");
    ~DevicePartner();
    DevicePartner(const DevicePartner&) = delete;
    DevicePartner& operator=(const DevicePartner&) = delete;

    bool IsOpen() const { return port.IsOpen(); }
    // Answer only the first `count` lines, then none; -1: answer all.
    void AnswerFirst(int count) { answerLimit = count; }
    // The device takes this long before each answer.
    void AnswerLate(DWORD milliseconds) { answerDelay = milliseconds; }
    void OnLine(LineHook hook);

    // The lines received so far, each with its "\r\n".
    std::vector<std::string> Lines();
    size_t LineCount();

private:
    PartnerPort port;
    const std::string answer;
    std::atomic<bool> stopping{false};
    std::atomic<int> answerLimit{-1};
    std::atomic<DWORD> answerDelay{0};
    std::mutex mutex;
    std::vector<std::string> lines;
    LineHook hook;
    std::thread device;

    void Serve();
    void Answer(const std::string& line);
};
