// tarvek-drive: starts the Tarvek program, runs one transfer in it as a person
// would, takes a picture of its main window and closes it (see Usage below).

#include "PngFile.h"
#include "ProgramProcess.h"
#include "TransferDriver.h"

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

// The picture is copied from the screen: the window is brought to the top and
// painted first, so that it shows the window alone and whole.
bool SavePicture(HWND window, const std::string& path)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Image image = CaptureWindow(window);
    if (image.IsEmpty()) {
        Report("cannot take a picture of the main window");
        return false;
    }
    const bool written = SavePng(image, path);
    Report(written ? "saved the picture of the main window to " + path : "cannot write " + path);
    return written;
}

// Closes the window and expects the program's normal end; a program that
// does not end in time is stopped, so that nothing is left running.
bool CloseProgram(TransferDriver& driver, ProgramProcess& program, DWORD timeout)
{
    DWORD exitCode = 0;
    if (driver.CloseMainWindow() && program.WaitForExit(timeout, exitCode)) {
        Report("the program ended with exit code " + std::to_string(static_cast<int>(exitCode)));
        return exitCode == 0;
    }
    Report("the program did not end; stopping it");
    program.Terminate();
    return false;
}

int Drive(const DriveOptions& options, ProgramProcess& program)
{
    TransferDriver driver(program.Id(), options.timeoutMilliseconds);
    if (!driver.FindMainWindow()) {
        program.Terminate();
        return NoWindow;
    }
    int result = Done;
    if (options.transfer && !driver.RunTransfer())
        result = TransferFailed;
    if (!options.screenshotPath.empty() && !SavePicture(driver.MainWindow(), options.screenshotPath)
        && result == Done)
        result = NoPicture;
    if (!CloseProgram(driver, program, options.timeoutMilliseconds) && result == Done)
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

    ProgramProcess program;
    if (!program.Start(options.programPath)) {
        Report("cannot start " + options.programPath);
        return NoWindow;
    }
    return Drive(options, program);
}
