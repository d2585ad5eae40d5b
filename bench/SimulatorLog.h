#pragma once
// What tarvek-sim's log tells about the bytes that crossed the line.

#include <string>

// The bytes of the last `exchanges` command lines the simulator received
// (each with the CR LF it came with) and of the answers it sent; -1 when the
// log holds fewer.
int WireBytesOfLastExchanges(const std::string& logText, int exchanges);
