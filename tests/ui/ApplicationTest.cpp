// The application object's start, run and end: the exit code after a normal
// close, -1 without any window when the main window cannot be made, and the
// configuration file named on the program's command line.

#include "ApplicationClass.h"
#include "Screenshot.h"
#include "Tarvek.h"
#include "TarvekWindow.h"
#include "TestArtifacts.h"
#include "WindowDriver.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>

namespace {

// The main window from a module that has no dialog templates.
Tarvek* CreateFromModuleWithoutTemplate()
{
    return ApplicationClass::CreateMainFormFrom(WModuleHandle(GetModuleHandleA("kernel32.dll")));
}

// The real main window, asked to close as soon as the message loop runs.
Tarvek* CreateAndAskToClose()
{
    Tarvek* form = ApplicationClass::CreateMainForm();
    if (form)
        PostMessageA(form->GetHandle(), WM_CLOSE, 0, 0);
    return form;
}

class EventCounter : public WObject {
public:
    bool Count(WObject*, WEventData*)
    {
        ++count;
        return false;
    }
    int count = 0;
};

// The program's path as Windows names it.
std::string ProgramPath()
{
    std::string path = TARVEK_PROGRAM;
    for (char& character : path) {
        if (character == '/')
            character = '\\';
    }
    if (path[0] == '\\')
        path.insert(0, "Z:");
    return path;
}

// The real program in a process of its own, started with the argument text
// after its quoted name, as the shell starts it.
class ProgramProcess {
public:
    explicit ProgramProcess(const std::string& arguments)
    {
        std::string commandLine = '"' + ProgramPath() + '"';
        if (!arguments.empty())
            commandLine += ' ' + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &process);
    }

    ~ProgramProcess()
    {
        if (!started)
            return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return started; }

    // A visible top-level window of the program with the title, or null.
    HWND FindTopLevel(const char* title) const
    {
        struct Search {
            DWORD processId;
            const char* title;
            HWND found;
        } search{process.dwProcessId, title, nullptr};
        EnumWindows(
            [](HWND window, LPARAM parameter) -> BOOL {
                auto* wanted = reinterpret_cast<Search*>(parameter);
                DWORD processId = 0;
                GetWindowThreadProcessId(window, &processId);
                char text[64] = "";
                GetWindowTextA(window, text, sizeof text);
                if (processId != wanted->processId || !IsWindowVisible(window) || std::string(text) != wanted->title)
                    return TRUE;
                wanted->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND WaitForWindow(const char* title) const
    {
        HWND found = nullptr;
        PumpMessagesUntil([&] { return (found = FindTopLevel(title)) != nullptr; }, 20000);
        return found;
    }

    // Closes the main window as its close box does; the exit code, or 1234
    // when the program does not end.
    DWORD CloseAndWait(HWND mainWindow) const
    {
        PostMessageA(mainWindow, WM_CLOSE, 0, 0);
        DWORD exitCode = 1234;
        if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &exitCode);
        return exitCode;
    }

private:
    PROCESS_INFORMATION process{};
    bool started = false;
};

// An item of the program's windows, found by its id and class.
HWND FindItem(HWND root, int id, const char* className)
{
    struct Search {
        int id;
        const char* className;
        HWND found;
    } search{id, className, nullptr};
    EnumChildWindows(
        root,
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(parameter);
            char name[32] = "";
            GetClassNameA(window, name, sizeof name);
            if (GetDlgCtrlID(window) != wanted->id || lstrcmpiA(name, wanted->className) != 0)
                return TRUE;
            wanted->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of an edit of the program: its window text lives in the other process.
std::string EditText(HWND root, int id)
{
    char text[64] = "";
    DWORD_PTR copied = 0;
    if (HWND edit = FindItem(root, id, "Edit"))
        SendMessageTimeoutA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, &copied);
    return text;
}

// Shows the page "Komparatoren" as a click on its tab does.
void ShowComparatorPage(HWND root)
{
    HWND tabs = FindItem(root, IDC_TARVEK_TABCTRL_1, WC_TABCONTROLA);
    const LPARAM onSecondTab = MAKELPARAM(120, 10);
    PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, onSecondTab);
    PostMessageA(tabs, WM_LBUTTONUP, 0, onSecondTab);
    PumpMessagesUntil([&] { return IsWindowVisible(FindItem(root, IDC_TABFORM2_TEXTB_THRESHOLD1_UPPER, "Edit")); });
}

// A folder and a file name with umlauts and a blank, as a technician names them.
std::string ConfigurationPath(const char* fileName)
{
    const std::string folder = TestArtifactPath("Prüfplatz");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\" + fileName;
    DeleteFileA(path.c_str());
    return path;
}

class Application : public ::testing::Test {
protected:
    void SetUp() override { RemoveSettingsKey(); }
    void TearDown() override { RemoveSettingsKey(); }
};

TEST_F(Application, WithoutAMainWindowTheExitCodeIsMinusOneAndTheLoopNeverRuns)
{
    ApplicationClass application(&CreateFromModuleWithoutTemplate);
    EventCounter runs;
    EventCounter ends;
    application.AddHandler(RunEvent, &runs, &EventCounter::Count);
    application.AddHandler(EndEvent, &ends, &EventCounter::Count);
    EXPECT_EQ(application.Execute(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW), -1);
    EXPECT_EQ(runs.count, 0);
    EXPECT_EQ(ends.count, 1);
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(WForm::GetMainForm(), nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "Tarvek"), nullptr);
    EXPECT_EQ(StoredComPort(), -1);
}

TEST_F(Application, ANormalCloseEndsTheLoopWithExitCodeZero)
{
    ApplicationClass application(&CreateAndAskToClose);
    EXPECT_EQ(application.Execute(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW), 0);
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(StoredComPort(), 2);
}

TEST_F(Application, TheProgramEndsWithExitCodeZeroWhenItsWindowIsClosed)
{
    const ProgramProcess program("");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow("Tarvek");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(program.CloseAndWait(window), 0u);
    EXPECT_EQ(StoredComPort(), 2);
}

TEST_F(Application, TheFileNamedOnTheCommandLineIsShownOnThePages)
{
    const std::string path = ConfigurationPath("gerät 7.tci");
    std::ofstream(path, std::ios::binary) << "[Threshold 1 Upper]\r\nPercent=42.5\r\n"
                                             "[Threshold 2 Lower]\r\nPercent=-12.25\r\n";
    const ProgramProcess program('"' + path + '"');
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow("Tarvek");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(PumpMessagesUntil([&] {
        return EditText(window, IDC_TABFORM2_TEXTB_THRESHOLD1_UPPER) == "42.50";
    }));
    EXPECT_EQ(EditText(window, IDC_TABFORM2_TEXTB_THRESHOLD2_LOWER), "-12.25");
    ShowComparatorPage(window);
    SaveWindowScreenshot(window, "program-started-with-file.png");
    EXPECT_EQ(program.CloseAndWait(window), 0u);
}

// The question comes in front of the window that is already there; whatever
// the answer, the program runs on and ends normally.
TEST_F(Application, AMissingFileNamedOnTheCommandLineIsReportedOverTheWindow)
{
    const std::string path = ConfigurationPath("fehlt 7.tci");
    const ProgramProcess program('"' + path + '"');
    ASSERT_TRUE(program.Started());
    HWND box = program.WaitForWindow("Info");
    ASSERT_NE(box, nullptr);
    HWND window = program.FindTopLevel("Tarvek");
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(ReadMessageBoxText(box), "Die Datei \"" + path + "\" kann nicht geöffnet werden!");
    DismissDialog(box, IDNO);
    EXPECT_TRUE(PumpMessagesUntil([&] { return program.FindTopLevel("Info") == nullptr; }));
    EXPECT_EQ(EditText(window, IDC_TABFORM2_TEXTB_THRESHOLD1_UPPER), "100.0");
    EXPECT_EQ(program.CloseAndWait(window), 0u);
}

}  // namespace
