#pragma once
// A program the benchmark starts and watches from outside: when its window
// is up and answering, how much memory it holds, and its orderly end.

#include <windows.h>

#include <string>

// Milliseconds on the host's high-resolution clock, shared by all processes.
double Milliseconds();

struct MemoryFigures {
    double peakWorkingSet = 0.0;    // MiB
    double workingSet = 0.0;        // MiB
    double privateBytes = 0.0;      // MiB
};

// The memory of the calling process.
MemoryFigures OwnMemory();

class ChildProgram {
public:
    ChildProgram() = default;
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    // Starts the program; StartedAt is taken right before the process is made.
    bool Start(const std::string& path);
    double StartedAt() const { return startedAt; }

    // Waits until the program shows a visible top-level window with the title
    // and its thread answers a message, which it does only from its message
    // loop; `at` is the moment it answered.
    bool WaitUntilReady(const char* title, DWORD timeoutMilliseconds, double& at);
    HWND MainWindow() const { return mainWindow; }
    DWORD ProcessId() const { return information.dwProcessId; }

    MemoryFigures Memory() const;

    // Asks the window to close and waits for the process to end; a program
    // that does not end in time is stopped.
    bool Close(DWORD timeoutMilliseconds);

private:
    PROCESS_INFORMATION information{};
    HWND mainWindow = nullptr;
    double startedAt = 0.0;

    HWND FindVisibleWindow(const char* title) const;
};
