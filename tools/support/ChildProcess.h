#pragma once
// A program started as a child process and watched from outside: its window,
// its output, its end and its exit code. Starting the program itself tells which windows
// are its own, even when other programs show windows of the same title on
// the same display. A process still running when the object goes is stopped,
// so that nothing is left behind.

#include <windows.h>

#include <string>

class ChildProcess {
public:
    // Where the child's standard input, output and error go. Captured: input
    // from nothing, output and error together into Output().
    enum class Streams { Inherited, Discarded, Captured };

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program with the arguments, which are the command line after
    // the program's quoted path.
    bool Start(const std::string& program, const std::string& arguments = "",
               Streams streams = Streams::Inherited);
    DWORD Id() const { return information.dwProcessId; }
    DWORD ThreadId() const { return information.dwThreadId; }
    HANDLE Handle() const { return information.hProcess; }
    bool HasEnded() const;

    // Waits until the process first waits for input, then for its visible
    // top-level window with the title; null when none comes in time or the
    // process ends first.
    HWND WaitForWindow(const char* title, DWORD timeoutMilliseconds) const;

    // Asks the window to close and waits for the process to end; a process
    // that does not end in time is stopped, and the result is false.
    bool Close(HWND window, DWORD timeoutMilliseconds);
    // Waits until the process ends, taking in its captured output meanwhile,
    // so that a child with much to say is not held up by a full pipe. A
    // process that does not end in time is stopped, and the result is false.
    bool WaitForEnd(DWORD timeoutMilliseconds);
    // What the process wrote to its captured output, taken in by WaitForEnd.
    const std::string& Output() const { return output; }
    // Valid once the process has ended.
    DWORD ExitCode() const;
    // Ends the process at once, if it still runs, and waits for its end.
    void Stop();

private:
    PROCESS_INFORMATION information{};
    HANDLE outputPipe = nullptr;  // our end, while the output is captured
    std::string output;

    bool StartWith(std::string commandLine, STARTUPINFOA startup);
    void TakeAvailableOutput();
    void Release();
};
