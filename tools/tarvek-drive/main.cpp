// tarvek-drive: starts the Tarvek program, runs one transfer in it as a person
// would, takes a picture of its main window and closes it (see Usage below).

#include "ChildProcess.h"
#include "MainWindowDriver.h"
#include "PngFile.h"
#include "ProcessWindows.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char Usage[] =
    "Usage: tarvek-drive [--transfer] [--screenshot FILE.png] [--timeout SECONDS] PROGRAM.exe\n"
    "\n"
    "Starts PROGRAM.exe and waits for its main window \"Tarvek\". With --transfer it\n"
    "presses and releases the transfer button with the mouse and waits until the\n"
    "window is idle again. With --screenshot it saves a picture of the window.\n"
    "Then it closes the window and waits for the program to end. Message boxes\n"
    "the program shows are printed and dismissed. Every wait gives up after\n"
    "SECONDS (30).\n"
    "\n"
    "Exit code: 0 all went through, without a message box, and the program ended\n"
    "with 0; 1 wrong usage; 2 the program did not start or showed no main window;\n"
    "3 the transfer failed or showed a message; 4 the picture could not be saved;\n"
    "5 the window did not close or the program ended with another code.\n";

enum ExitCode { Done = 0, WrongUsage = 1, NoWindow = 2, TransferFailed = 3, NoPicture = 4, BadEnd = 5 };

struct DriveOptions {
    bool transfer = false;
    std::string screenshotPath;
    DWORD timeoutMilliseconds = 30000;
    std::string programPath;
};

bool ParseOptions(int argc, char** argv, DriveOptions& options)
{
    for (int index = 1; index < argc; ++index) {
        const bool hasValue = index + 1 < argc;
        if (std::strcmp(argv[index], "--transfer") == 0) {
            options.transfer = true;
        } else if (std::strcmp(argv[index], "--screenshot") == 0 && hasValue) {
            options.screenshotPath = argv[++index];
        } else if (std::strcmp(argv[index], "--timeout") == 0 && hasValue) {
            const int seconds = std::atoi(argv[++index]);
            if (seconds <= 0)
                return false;
            options.timeoutMilliseconds = static_cast<DWORD>(seconds) * 1000;
        } else if (argv[index][0] != '-' && options.programPath.empty()) {
            options.programPath = argv[index];
        } else {
            return false;
        }
    }
    return !options.programPath.empty();
}

std::string ToUtf8(const std::string& ansi)
{
    const int wideLength =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

// Writes a line to standard output in UTF-8; text comes in the ANSI code page.
void Report(const std::string& text)
{
    std::fputs(ToUtf8(text).c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The text on one line: its line breaks and blank lines as single blanks.
std::string OnOneLine(const std::string& text)
{
    std::string oneLine;
    for (char character : text) {
        const bool blank = character == '\r' || character == '\n' || character == ' ';
        if (!blank)
            oneLine.push_back(character);
        else if (!oneLine.empty() && oneLine.back() != ' ')
            oneLine.push_back(' ');
    }
    while (!oneLine.empty() && oneLine.back() == ' ')
        oneLine.pop_back();
    return oneLine;
}

void ReportMessageBox(const std::string& title, const std::string& text)
{
    Report("message box \"" + title + "\": " + OnOneLine(text));
}

bool RunTransfer(MainWindowDriver& driver, DWORD timeout)
{
    Report("pressing \"" + WindowText(driver.TransferButton()) + "\"");
    if (!driver.Press(timeout)) {
        Report("the window did not show the connection");
        return false;
    }
    driver.Release();
    double idleAt = 0.0;
    if (!driver.WaitUntilIdle(timeout, idleAt)) {
        Report("the transfer did not end without a message");
        return false;
    }
    Report("the transfer is over and the window is idle again");
    return true;
}

// The picture is copied from the screen: the window comes to the top first,
// so that it shows the window alone.
bool SavePicture(HWND window, const std::string& path)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const bool saved = SaveWindowPicture(window, path);
    Report(saved ? "saved the picture of the main window to " + path : "cannot save a picture to " + path);
    return saved;
}

// Closes the window and expects the program's normal end; a program that
// does not end in time is stopped, so that nothing is left running.
bool CloseProgram(ChildProcess& program, HWND window, DWORD timeout)
{
    if (!program.Close(window, timeout)) {
        Report("the program did not end; stopped it");
        return false;
    }
    Report("the program ended with exit code " + std::to_string(static_cast<int>(program.ExitCode())));
    return program.ExitCode() == 0;
}

int Drive(const DriveOptions& options, ChildProcess& program)
{
    HWND window = program.WaitForWindow("Tarvek", options.timeoutMilliseconds);
    MainWindowDriver driver(window, ReportMessageBox);
    if (!window || !driver.FindControls()) {
        Report("the program showed no main window \"Tarvek\"");
        return NoWindow;
    }
    Report("found the main window \"Tarvek\"");
    int result = Done;
    if (options.transfer && !RunTransfer(driver, options.timeoutMilliseconds))
        result = TransferFailed;
    if (!options.screenshotPath.empty() && !SavePicture(window, options.screenshotPath) && result == Done)
        result = NoPicture;
    if (!CloseProgram(program, window, options.timeoutMilliseconds) && result == Done)
        result = BadEnd;
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(Usage, stdout);
        return Done;
    }
    DriveOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(Usage, stderr);
        return WrongUsage;
    }
    SetConsoleOutputCP(CP_UTF8);

    ChildProcess program;
    if (!program.Start(options.programPath)) {
        Report("cannot start " + options.programPath);
        return NoWindow;
    }
    return Drive(options, program);
}
