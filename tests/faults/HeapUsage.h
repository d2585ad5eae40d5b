#pragma once
// How many bytes the process's heaps hand out at this moment: the sum of the
// busy blocks of every heap of the process, the runtime's included.

#include <cstdint>

int64_t BusyHeapBytes();
