#pragma once
// The numbers of the host's serial ports and the list of those the interface
// choice offers. Windows numbers serial ports COM1 to COM255; COM1 to COM8 are
// always offered, as they always were, and the ports above them only where the
// host lists them (USB adapters come as COM12 or COM23 as readily as COM3).
// The list is kept apart from the host call that reads the ports, so that it
// can be checked without a registry.

#include "WString.h"

#include <cstdint>
#include <vector>

namespace PortNumbers {

constexpr int32_t NoPort = 0;
constexpr int32_t StandardPortCount = 8;
constexpr int32_t HighestPortNumber = 255;

// 1 to 255.
bool IsPortNumber(int32_t number);

// 12 for "COM12" (letter case ignored); NoPort for any other name, for a
// leading zero and for a number that is no port number.
int32_t FromName(const char* name);

// COM1 to COM8, then each port above COM8 once, in ascending order: those
// named in the host's list and the stored one, which keeps its entry while
// its adapter is unplugged so that the choice is not lost.
std::vector<int32_t> Offered(const std::vector<WString>& presentNames, int32_t storedNumber);

// The port names the host lists as present in its serial device map; none
// when it lists no port.
std::vector<WString> ReadPresentNames();

}  // namespace PortNumbers
