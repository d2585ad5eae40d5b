// The common dialogs: the file dialog's settings and the chosen file name after
// the host's dialog; the print dialog shown with the main form's flags.

#include "DialogWatchers.h"
#include "EventProbe.h"
#include "WFileDialog.h"
#include "WPrintDialog.h"
#include "WindowDriver.h"

#include <dlgs.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(FileDialog, HookFlagIsAlwaysAdded)
{
    WFileDialog dialog;
    dialog.SetFlags(OFN_EXPLORER);
    EXPECT_EQ(dialog.GetFlags(), static_cast<DWORD>(OFN_EXPLORER | OFN_ENABLEHOOK));
}

TEST(FileDialog, FilterTextIsDoubleZeroTerminated)
{
    const std::string text =
        WFileDialog::BuildFilterText({"Tarvek-Konfiguration (*.tci)", "*.tci", "Alle Dateien (*.*)", "*.*"});
    const char expected[] = "Tarvek-Konfiguration (*.tci)\0*.tci\0Alle Dateien (*.*)\0*.*\0";
    EXPECT_EQ(text, std::string(expected, sizeof expected));
}

TEST(FileDialog, FilterListEndsAtThePairOfNulls)
{
    WFileDialog dialog;
    const char* const filters[] = {"Tarvek-Konfiguration (*.tci)", "*.tci", nullptr, nullptr, "Übrig", "*.*"};
    EXPECT_TRUE(dialog.SetFilters(filters));
    ASSERT_EQ(dialog.GetFilters().size(), 2u);
    EXPECT_STREQ(dialog.GetFilters()[0].GetText(), "Tarvek-Konfiguration (*.tci)");
    EXPECT_STREQ(dialog.GetFilters()[1].GetText(), "*.tci");
    const char* const none[] = {nullptr, nullptr};
    EXPECT_FALSE(dialog.SetFilters(none));
    EXPECT_FALSE(dialog.SetFilters(nullptr));
}

TEST(FileDialog, FileNamesAreKeptByIndex)
{
    WFileDialog dialog;
    WFilePath path;
    EXPECT_FALSE(dialog.GetFilePath(path, 0));
    ASSERT_TRUE(dialog.SetFilePath(WFilePath("C:\\Tarvek\\*.tci"), 2));
    ASSERT_TRUE(dialog.GetFilePath(path, 2));
    EXPECT_STREQ(path.GetText(), "C:\\Tarvek\\*.tci");
    EXPECT_TRUE(dialog.GetFilePath(path, 1));
    EXPECT_STREQ(path.GetText(), "");
    EXPECT_FALSE(dialog.SetFilePath(path, -1));
}

// Finds the host's save dialog, types a name into it and confirms it.
void ChooseFileName(const char* name, bool& answered)
{
    HWND dialog = FindTopLevelWindow(nullptr, "#32770", 10000);
    if (!dialog)
        return;
    // The explorer-style dialogs keep the name in a combo box (0x47C), older ones in an edit (0x480).
    for (int id : {0x47C, 0x480}) {
        if (HWND field = GetDlgItem(dialog, id))
            SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
    }
    answered = true;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

TEST(FileDialog, SaveStoresTheChosenPathAtIndexZero)
{
    char directory[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, directory);
    WFileDialog dialog;
    dialog.SetFlags(OFN_EXPLORER | OFN_ENABLEHOOK | OFN_NOCHANGEDIR | OFN_HIDEREADONLY);
    dialog.SetInitialDirectory(directory);
    const char* const filters[] = {"Tarvek-Konfiguration (*.tci)", "*.tci", nullptr, nullptr};
    dialog.SetFilters(filters);
    dialog.SetFilePath(WFilePath("*.tci"));
    bool answered = false;
    std::thread chooser(ChooseFileName, "abc.tci", std::ref(answered));
    const bool chosen = dialog.Save();
    chooser.join();
    ASSERT_TRUE(answered);
    ASSERT_TRUE(chosen);
    WFilePath path;
    ASSERT_TRUE(dialog.GetFilePath(path, 0));
    EXPECT_EQ(std::string(path.GetText()), std::string(directory) + "abc.tci");
    EXPECT_FALSE(dialog.IsShowing());
}

// The owner's user event runs inside the host's dialog loop, on the thread
// that shows the dialog.
TEST(FileDialog, OwnerCannotBeChangedWhileTheDialogShows)
{
    WWindow owner;
    ASSERT_TRUE(
        owner.Create(nullptr, RECT{100, 100, 400, 300}, "Besitzer", WS_POPUP | WS_CAPTION | WS_VISIBLE));
    WFileDialog dialog;
    ASSERT_TRUE(dialog.SetParent(&owner));
    std::atomic<bool> refused{false};
    EventProbe changeOwner([&](WObject*, WEventData*) {
        refused = dialog.IsShowing() && !dialog.SetParent(nullptr);
        return true;
    });
    changeOwner.Listen(owner, UserEvent);
    HostDialogInterrupter interrupter([&] { owner.PostUserEvent(1); }, [&] { return refused.load(); });
    EXPECT_FALSE(dialog.Open());
    ASSERT_TRUE(interrupter.Finish());
    EXPECT_TRUE(refused);
    EXPECT_EQ(dialog.GetParent(), &owner);
    EXPECT_TRUE(dialog.SetParent(nullptr));
}

bool HostHasPrinter()
{
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    return needed > 0;
}

// Without a printer the host answers with its notice instead of the dialog;
// the dialog is told from the notice by its printer list.
TEST(PrintDialog, ShowAsksTheHostAndCancellingGivesFalse)
{
    WWindow owner;
    ASSERT_TRUE(
        owner.Create(nullptr, RECT{100, 100, 400, 300}, "Besitzer", WS_POPUP | WS_CAPTION | WS_VISIBLE));
    WPrintDialog dialog;
    ASSERT_TRUE(dialog.IsKindOf("WCommonDialog"));
    ASSERT_TRUE(dialog.SetParent(&owner));
    dialog.SetFlags(PD_RETURNDC | PD_ENABLEPRINTHOOK);
    bool shown = false;
    bool printerList = false;
    std::thread canceller([&] {
        HWND window = FindTopLevelWindow(nullptr, "#32770", 10000);
        shown = window != nullptr;
        if (!window)
            return;
        printerList = GetDlgItem(window, cmb4) != nullptr;
        DismissDialog(window, IDCANCEL);
    });
    EXPECT_FALSE(dialog.Show());
    canceller.join();
    EXPECT_TRUE(shown);
    EXPECT_EQ(printerList, HostHasPrinter());
    EXPECT_EQ(dialog.GetPrinterDC(), nullptr);
    EXPECT_FALSE(dialog.IsShowing());
}

}  // namespace
