#include "HeapUsage.h"

#include <windows.h>

#include <vector>

namespace {

int64_t BusyBytesOf(HANDLE heap)
{
    int64_t busy = 0;
    if (!HeapLock(heap))
        return 0;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            busy += entry.cbData;
    }
    HeapUnlock(heap);
    return busy;
}

}  // namespace

int64_t BusyHeapBytes()
{
    std::vector<HANDLE> heaps(64);
    DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (count > heaps.size()) {
        heaps.resize(count);
        count = GetProcessHeaps(count, heaps.data());
    }
    int64_t busy = 0;
    for (DWORD index = 0; index < count && index < heaps.size(); ++index)
        busy += BusyBytesOf(heaps[index]);
    return busy;
}
