// The application object's start, run and end: the exit code after a normal
// close, -1 without any window when the main window cannot be made, and the
// configuration file named on the program's command line.

#include "ApplicationClass.h"
#include "ChildProcess.h"
#include "ProcessWindows.h"
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
        SendMessageTimeoutA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                            &copied);
    return text;
}

// Shows the page "Komparatoren" as a click on its tab does.
void ShowComparatorPage(HWND root)
{
    HWND tabs = FindItem(root, IDC_TARVEK_TABCTRL_1, WC_TABCONTROLA);
    const LPARAM onSecondTab = MAKELPARAM(120, 10);
    PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, onSecondTab);
    PostMessageA(tabs, WM_LBUTTONUP, 0, onSecondTab);
    PumpMessagesUntil(
        [&] { return IsWindowVisible(FindItem(root, IDC_TABFORM2_TEXTB_THRESHOLD1_UPPER, "Edit")); });
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
    ChildProcess program;
    ASSERT_TRUE(program.Start(ProgramPath())) << ProgramPath();
    HWND window = program.WaitForWindow("Tarvek", 20000);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(program.Close(window, 20000));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(StoredComPort(), 2);
}

TEST_F(Application, TheFileNamedOnTheCommandLineIsShownOnThePages)
{
    const std::string path = ConfigurationPath("gerät 7.tci");
    std::ofstream(path, std::ios::binary) << "[Threshold 1 Upper]\r\nPercent=42.5\r\n"
                                             "[Threshold 2 Lower]\r\nPercent=-12.25\r\n";
    ChildProcess program;
    ASSERT_TRUE(program.Start(ProgramPath(), '"' + path + '"'));
    HWND window = program.WaitForWindow("Tarvek", 20000);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(
        PumpMessagesUntil([&] { return EditText(window, IDC_TABFORM2_TEXTB_THRESHOLD1_UPPER) == "42.50"; }));
    EXPECT_EQ(EditText(window, IDC_TABFORM2_TEXTB_THRESHOLD2_LOWER), "-12.25");
    ShowComparatorPage(window);
    SaveWindowScreenshot(window, "program-started-with-file.png");
    EXPECT_TRUE(program.Close(window, 20000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

// The question comes in front of the window that is already there; whatever
// the answer, the program runs on and ends normally.
TEST_F(Application, AMissingFileNamedOnTheCommandLineIsReportedOverTheWindow)
{
    const std::string path = ConfigurationPath("fehlt 7.tci");
    ChildProcess program;
    ASSERT_TRUE(program.Start(ProgramPath(), '"' + path + '"'));
    HWND box = program.WaitForWindow("Info", 20000);
    ASSERT_NE(box, nullptr);
    HWND window = FindProcessWindow(program.Id(), "Tarvek", nullptr);
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(ReadMessageBoxText(box), "Die Datei \"" + path + "\" kann nicht geöffnet werden!");
    DismissDialog(box, IDNO);
    EXPECT_TRUE(PumpMessagesUntil([&] { return FindProcessWindow(program.Id(), "Info", nullptr) == nullptr; }));
    EXPECT_EQ(EditText(window, IDC_TABFORM2_TEXTB_THRESHOLD1_UPPER), "100.0");
    EXPECT_TRUE(program.Close(window, 20000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
