#pragma once
// The cable of a null-modem pair, as a test pulls and plugs it: while the
// request file BUILD_DIR/nullmodem/hangupN exists, scripts/nullmodem keeps
// pair N (COMN <-> COM1N) down and its pseudo-terminals gone, and it marks a
// pair that is up with the file pairN.up. The build directory comes in as
// TARVEK_BUILD_DIR. A cable pulled by a test is plugged
// in again when the object goes, whatever the test's outcome.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

class NullModemCable {
public:
    // The pair of port COM(portIndex + 1).
    explicit NullModemCable(int32_t portIndex);
    ~NullModemCable();
    NullModemCable(const NullModemCable&) = delete;
    NullModemCable& operator=(const NullModemCable&) = delete;

    // False when the build directory is unknown.
    bool IsUsable() const { return !folder.empty(); }

    // Takes the pair down and waits until it is down.
    bool Pull(DWORD timeoutMilliseconds = 5000);
    // Lets the pair come back and waits until it is up again.
    bool PlugIn(DWORD timeoutMilliseconds = 5000);

private:
    std::string folder;  // BUILD_DIR\nullmodem\ as Windows names it
    int32_t pair;
    std::atomic<bool> pulled{false};

    std::string RequestPath() const;
    bool IsUp() const;
    bool WaitUntil(bool up, DWORD timeoutMilliseconds) const;
};
