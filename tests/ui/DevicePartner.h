#pragma once
// The device's side of a null-modem pair, played by the test: it opens the
// partner port (COM1n for COMn), collects every command line the program
// sends, byte for byte, and answers each with "OK\r\n" unless it has been told
// to stay silent. A test can look at the program while a line is awaited: the
// hook runs on the partner's thread when a line has arrived, before it is
// answered.

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class DevicePartner {
public:
    using LineHook = std::function<void(const std::string& line)>;

    // The partner of COM(portNumber), i.e. COM1<portNumber>.
    explicit DevicePartner(int portNumber);
    ~DevicePartner();
    DevicePartner(const DevicePartner&) = delete;
    DevicePartner& operator=(const DevicePartner&) = delete;

    bool IsOpen() const { return port != INVALID_HANDLE_VALUE; }
    // Answer only the first `count` lines, then none; -1: answer all.
    void AnswerFirst(int count) { answerLimit = count; }
    // Waits this long before each answer.
    void AnswerLate(DWORD milliseconds) { answerDelay = milliseconds; }
    void OnLine(LineHook hook);

    // The lines received so far, each with its "\r\n".
    std::vector<std::string> Lines();
    size_t LineCount();

private:
    HANDLE port = INVALID_HANDLE_VALUE;
    std::atomic<bool> stopping{false};
    std::atomic<int> answerLimit{-1};
    std::atomic<DWORD> answerDelay{0};
    std::mutex mutex;
    std::vector<std::string> lines;
    LineHook hook;
    std::string pending;
    std::thread reader;

    void Read();
    void TakeBytes(const char* bytes, DWORD count);
    void LineArrived(const std::string& line);
};
