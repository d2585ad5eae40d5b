// Configuration files through the menu and the tool bar: what a save writes,
// what an open shows on the pages, the name typed without extension, and the
// messages for a file that is missing or cannot be written.

#include "DevicePartner.h"
#include "DialogWatchers.h"
#include "TarvekWindow.h"
#include "TestArtifacts.h"
#include "WindowDriver.h"
#include "resource.h"

#include <commctrl.h>

#include <fstream>
#include <sstream>

namespace {

using Lines = std::vector<std::string>;

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A file name in the artifacts folder, without any file of that name left.
std::string FreshPath(const char* name)
{
    const std::string path = TestArtifactPath(name);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    return path;
}

std::string ConfigurationFile(const char* cycle, const char* receiver)
{
    return std::string("[Threshold 1 Upper]\r\nPercent=80\r\n[Threshold 1 Lower]\r\nPercent=-7.5\r\n"
                       "[Threshold 2 Upper]\r\nPercent=150\r\n[Threshold 2 Lower]\r\nPercent=0\r\n"
                       "[Error]\r\nEnabled=0\r\nMemory=1\r\nCycle=")
           + cycle + "\r\n[Calibration]\r\nReceiver=" + receiver + "\r\nTransmitter=-5\r\n";
}

class FileCommands : public TarvekWindow {
protected:
    // The menu command (or the tool bar button) with the name typed into its dialog.
    void RunMenuCommand(WORD command, const std::string& typedName)
    {
        FileDialogDriver driver(Main(), typedName);
        PostMessageA(Main(), WM_COMMAND, command, 0);
        PumpWaitingMessages();
        EXPECT_TRUE(driver.Finish());
    }

    void RunToolbarButton(WORD command, const std::string& typedName)
    {
        FileDialogDriver driver(Main(), typedName);
        HWND toolbar = FindWindowExA(Main(), nullptr, TOOLBARCLASSNAMEA, nullptr);
        PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(toolbar));
        PumpWaitingMessages();
        EXPECT_TRUE(driver.Finish());
    }

    Lines Thresholds() const
    {
        return {TextOf("textb_threshold1_upper"), TextOf("textb_threshold1_lower"),
                TextOf("textb_threshold2_upper"), TextOf("textb_threshold2_lower")};
    }
};

TEST_F(FileCommands, SaveWritesWhatThePagesHold)
{
    const std::string path = FreshPath("saved.tci");
    SetTextOf("textb_threshold1_upper", "50,5");
    SetTextOf("textb_threshold1_lower", "");
    SetTextOf("textb_threshold2_upper", " -12.346");
    SetTextOf("textb_threshold2_lower", "abc");
    SendMessageA(Control("checkbox_errmem"), BM_SETCHECK, BST_UNCHECKED, 0);
    SelectEntry("combo_cycle", 13);
    OffsetPage().SetCalibration("7", "-3");
    RunMenuCommand(IDM_SAVE_FILE, path);
    EXPECT_EQ(ReadFile(path), "[Threshold 1 Upper]\r\nPercent=50.00\r\n[Threshold 1 Lower]\r\nPercent=0.00\r\n"
                              "[Threshold 2 Upper]\r\nPercent=-12.35\r\n[Threshold 2 Lower]\r\nPercent=0.00\r\n"
                              "[Error]\r\nEnabled=1\r\nMemory=0\r\nCycle=90\r\n"
                              "[Calibration]\r\nReceiver=7\r\nTransmitter=-3\r\n");
}

TEST_F(FileCommands, SaveStoresNoCyclicClearingAsZero)
{
    const std::string path = FreshPath("nocycle.tci");
    RunToolbarButton(IDT_SAVE, path);
    EXPECT_NE(ReadFile(path).find("[Error]\r\nEnabled=1\r\nMemory=1\r\nCycle=0\r\n"), std::string::npos);
}

TEST_F(FileCommands, ANameWithoutExtensionGetsTci)
{
    const std::string path = FreshPath("typed.tci");
    const std::string typed = path.substr(0, path.size() - 4);
    RunMenuCommand(IDM_SAVE_FILE, typed);
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(typed));

    SetTextOf("textb_threshold1_upper", "1");
    RunMenuCommand(IDM_OPEN_FILE, typed);
    EXPECT_EQ(TextOf("textb_threshold1_upper"), "100.00");
}

TEST_F(FileCommands, OpenShowsTheFileOnThePagesAndSendsNothing)
{
    DevicePartner device(1);  // COM2
    const std::string path = FreshPath("loaded.tci");
    WriteFile(path, ConfigurationFile("10", "200"));
    RunMenuCommand(IDM_OPEN_FILE, path);
    EXPECT_EQ(Thresholds(), (Lines{"80.00", "-7.50", "150.00", "0.00"}));
    EXPECT_EQ(SendMessageA(Control("checkbox_errhndl"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(Control("checkbox_errmem"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TextOf("combo_cycle"), "10");
    EXPECT_EQ(TextOf("textb_rcv"), "200");
    EXPECT_EQ(TextOf("textb_trm"), "-5");
    EXPECT_EQ(OffsetPage().GetCalibration(1), 200);
    EXPECT_TRUE(PortIsClosed());
    EXPECT_EQ(device.LineCount(), 0u);
}

struct CycleCase {
    const char* name;
    const char* stored;
    const char* shown;
};

// The cycle picks the first entry that begins with its digits; 0, which a
// save stores for no cyclic clearing, brings back "-".
const CycleCase CycleCases[] = {
    {"Five", "5", "5"},
    {"Ten", "10", "10"},
    {"ZeroIsNone", "0", "-"},
    {"ThreeBeginsThirty", "3", "30"},
    {"SevenMatchesNothing", "7", "90"},
};

class OpenedCycle : public FileCommands, public ::testing::WithParamInterface<CycleCase> {};

TEST_P(OpenedCycle, SelectsTheEntry)
{
    const std::string path = FreshPath("cycle.tci");
    WriteFile(path, ConfigurationFile(GetParam().stored, "0"));
    SelectEntry("combo_cycle", 13);
    RunToolbarButton(IDT_LOAD, path);
    EXPECT_EQ(TextOf("combo_cycle"), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Cycles, OpenedCycle, ::testing::ValuesIn(CycleCases),
                         [](const auto& info) { return std::string(info.param.name); });

class MissingFile : public FileCommands, public ::testing::WithParamInterface<int> {};

TEST_P(MissingFile, IsReportedAndChangesNothing)
{
    const std::string path = FreshPath("missing.tci");
    SetTextOf("textb_threshold1_upper", "12");
    MessageBoxCollector info("Info", GetParam());
    RunMenuCommand(IDM_OPEN_FILE, path);
    EXPECT_EQ(info.Stop(), Lines{"Die Datei \"" + path + "\" kann nicht geöffnet werden!"});
    EXPECT_EQ(Thresholds(), (Lines{"12", "0.0", "100.0", "0.0"}));
    EXPECT_EQ(TextOf("combo_cycle"), "-");
}

INSTANTIATE_TEST_SUITE_P(Answers, MissingFile, ::testing::Values(IDYES, IDNO));

// A file that exists but cannot be read must leave what the user typed in
// place: the next transfer would send whatever the pages show. Here another
// program holds the file without sharing, and a folder carries the name.
TEST_F(FileCommands, AFileThatCannotBeOpenedIsReportedAndChangesNothing)
{
    const std::string held = FreshPath("held-open.tci");
    WriteFile(held, ConfigurationFile("10", "200"));
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const std::string folder = FreshPath("folder.tci");
    CreateDirectoryA(folder.c_str(), nullptr);
    SetTextOf("textb_threshold1_upper", "12");
    SelectEntry("combo_cycle", 13);
    const struct {
        std::string typed;
        std::string opened;
        const char* screenshot;
    } cases[] = {{held, held, "open_refused.png"}, {folder.substr(0, folder.size() - 4), folder, ""}};
    for (const auto& attempt : cases) {
        MessageBoxCollector errors("Tarvek Fehler", IDOK, attempt.screenshot);
        RunMenuCommand(IDM_OPEN_FILE, attempt.typed);
        EXPECT_EQ(errors.Stop(), Lines{"Die Datei \"" + attempt.opened + "\" konnte nicht geöffnet werden."});
        EXPECT_EQ(Thresholds(), (Lines{"12", "0.0", "100.0", "0.0"}));
        EXPECT_EQ(SendMessageA(Control("checkbox_errhndl"), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(TextOf("combo_cycle"), "90");
    }
    CloseHandle(holder);
    RemoveDirectoryA(folder.c_str());
}

// Another program's file, or a copy that came out empty, holds no
// configuration: the pages keep what the user typed.
TEST_F(FileCommands, AFileWithoutConfigurationIsReportedAndChangesNothing)
{
    const std::string path = FreshPath("foreign.tci");
    WriteFile(path, "[General]\r\nPercent=5\r\n[Window]\r\nEnabled=0\r\n");
    SetTextOf("textb_threshold1_upper", "12");
    MessageBoxCollector errors("Tarvek Fehler");
    RunMenuCommand(IDM_OPEN_FILE, path);
    EXPECT_EQ(errors.Stop(), Lines{"Die Datei \"" + path + "\" enthält keine Tarvek-Konfiguration."});
    EXPECT_EQ(Thresholds(), (Lines{"12", "0.0", "100.0", "0.0"}));
    EXPECT_EQ(SendMessageA(Control("checkbox_errhndl"), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(FileCommands, CancellingTheDialogChangesNothing)
{
    SetTextOf("textb_threshold1_upper", "12");
    RunMenuCommand(IDM_OPEN_FILE, "");
    EXPECT_EQ(TextOf("textb_threshold1_upper"), "12");
}

// The user must not believe a configuration saved that is not: a file that
// another program holds, or a folder that does not exist.
TEST_F(FileCommands, ASaveTheHostRefusesIsReported)
{
    const std::string held = FreshPath("held.tci");
    WriteFile(held, "[Notes]\r\nkept=1\r\n");
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const std::string noFolder = TestArtifactPath("no such folder") + "\\lost.tci";
    for (const std::string& path : {held, noFolder}) {
        MessageBoxCollector errors("Tarvek Fehler");
        RunMenuCommand(IDM_SAVE_FILE, path);
        EXPECT_EQ(errors.Stop(), Lines{"Die Datei \"" + path + "\" konnte nicht gespeichert werden."});
    }
    CloseHandle(holder);
    EXPECT_EQ(ReadFile(held), "[Notes]\r\nkept=1\r\n");
}

}  // namespace
