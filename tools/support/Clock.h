#pragma once
// Time on the host's steady high-resolution clock, which all processes share,
// and waiting on a condition with a deadline instead of for a fixed time.

#include <windows.h>

#include <functional>

// Milliseconds since an arbitrary moment, the same in every process.
double Milliseconds();

// Looks at the condition every interval until it holds or the time is up; the
// condition's last value.
bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds, DWORD intervalMilliseconds);
