// The application object's start, run and end: the exit code after a normal
// close, and -1 without any window when the main window cannot be made.

#include "ApplicationClass.h"
#include "ChildProcess.h"
#include "Tarvek.h"
#include "TarvekWindow.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

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
    HWND window = nullptr;
    const bool shown = PumpMessagesUntil([&] {
        window = FindProcessWindow(program.Id(), "Tarvek", nullptr);
        return window != nullptr;
    }, 20000);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(program.Close(window, 20000));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(StoredComPort(), 2);
}

}  // namespace
