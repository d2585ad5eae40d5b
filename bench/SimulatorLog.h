#pragma once
// What tarvek-sim's log tells about the bytes that crossed the line.

#include <string>
#include <utility>
#include <vector>

// The bytes of the last `exchanges` command lines the simulator received
// (each with the CR LF it came with) and of the answers it sent; -1 when the
// log holds fewer.
int WireBytesOfLastExchanges(const std::string& logText, int exchanges);

// Milliseconds from each answer the simulator sent to the next command line
// it received, for every command but the first of a transfer (the one that
// begins with `firstCommand`): the time the other end took to take the answer
// and send its next line. The log has millisecond stamps.
std::vector<double> TurnaroundsWithinTransfers(const std::string& logText, const std::string& firstCommand);
// The same, only for the next command lines received within one of the
// periods (from, to), in milliseconds since local midnight.
std::vector<double> TurnaroundsWithinTransfers(const std::string& logText, const std::string& firstCommand,
                                               const std::vector<std::pair<double, double>>& periods);

// When the simulator logged each line it received ("<- ") or sent ("-> ")
// whose text begins with `prefix`, in milliseconds since local midnight.
std::vector<double> LineStamps(const std::string& logText, const std::string& direction,
                               const std::string& prefix);

// Milliseconds since local midnight, as the simulator stamps its log.
double LocalClockMilliseconds();
