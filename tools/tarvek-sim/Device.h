#pragma once
// The simulated device: what it remembers and how it answers one command line.
//
// Commands (two lower-case letters, arguments separated by one blank):
//   st N TEXT   threshold N (1 to 4) to TEXT percent, -100 to 100; blanks
//               before TEXT are accepted
//   ee 0|1      error handling off/on
//   em 0|1      error memory off/on
//   cf N        clear errors every N seconds (0: never), 0 to 3600
//   sc C V      calibration channel C (1 receiver, 2 transmitter) to V, -127 to 127
//   rf          clear the stored errors
// Every accepted command is answered "OK", everything else "ERR". A rejected
// command counts as a stored error while the error memory is on.

#include <array>
#include <string>

struct DeviceState {
    // Threshold 1 is comparator 1's lower one, 2 its upper, 3 and 4 likewise for comparator 2.
    std::array<double, 4> thresholds{0.0, 100.0, 0.0, 100.0};
    bool errorHandling = false;
    bool errorMemory = false;
    int clearingCycle = 0;
    std::array<int, 2> offsets{0, 0};  // receiver, transmitter
    int storedErrors = 0;
};

class Device {
public:
    static constexpr const char* Accepted = "OK";
    static constexpr const char* Rejected = "ERR";

    // Carries out one command line (without its line end) and returns the
    // text of the answer line.
    std::string Execute(const std::string& line);

    const DeviceState& State() const { return state; }
    // The whole state on one line, for the log.
    std::string Describe() const;

private:
    DeviceState state;

    bool Apply(const std::string& line);
    bool SetThreshold(const std::string& arguments);
    bool SetFlag(const std::string& arguments, bool& flag);
    bool SetClearingCycle(const std::string& arguments);
    bool SetOffset(const std::string& arguments);
    bool ClearErrors(const std::string& arguments);
};
