#pragma once
// The simulator's log: every line with the time of day, to standard output and
// optionally to a file, flushed at once because tests and people read it while
// the simulator runs.

#include <cstdio>
#include <string>

class SimLog {
public:
    SimLog() = default;
    ~SimLog();
    SimLog(const SimLog&) = delete;
    SimLog& operator=(const SimLog&) = delete;

    // Also writes to the file from now on; false when it cannot be created.
    bool AlsoWriteTo(const std::string& path);
    void Line(const std::string& text);

private:
    std::FILE* file = nullptr;
};

// Shows bytes that are not printable as <xx>, so that a log line stays one line.
std::string Printable(const std::string& bytes);
