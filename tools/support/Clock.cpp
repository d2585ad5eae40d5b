#include "Clock.h"

double Milliseconds()
{
    static const double ticksPerMillisecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMillisecond;
}

bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds, DWORD intervalMilliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    while (!condition()) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(intervalMilliseconds);
    }
    return true;
}
