#pragma once
// How much memory a process holds, as the host counts it.

#include <windows.h>

struct MemoryFigures {
    double peakWorkingSet = 0.0;  // MiB
    double workingSet = 0.0;      // MiB
    double privateBytes = 0.0;    // MiB
};

MemoryFigures MemoryOf(HANDLE process);
// The memory of the calling process.
MemoryFigures OwnMemory();
