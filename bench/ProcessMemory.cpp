#include "ProcessMemory.h"

#include <psapi.h>

namespace {

constexpr double BytesPerMebibyte = 1024.0 * 1024.0;

}  // namespace

MemoryFigures MemoryOf(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    MemoryFigures figures;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        return figures;
    figures.peakWorkingSet = static_cast<double>(counters.PeakWorkingSetSize) / BytesPerMebibyte;
    figures.workingSet = static_cast<double>(counters.WorkingSetSize) / BytesPerMebibyte;
    // The commit charge; Wine fills it from the process's anonymous memory.
    figures.privateBytes = static_cast<double>(counters.PagefileUsage) / BytesPerMebibyte;
    return figures;
}

MemoryFigures OwnMemory()
{
    return MemoryOf(GetCurrentProcess());
}
