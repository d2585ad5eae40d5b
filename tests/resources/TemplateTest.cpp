// The dialog templates create every item the forms bind, with the window class
// and the initial state the forms rely on, and German texts arrive in code
// page 1252.

#include "resource.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Item {
    int id;
    const char* windowClass;
};

struct Template {
    const char* name;
    bool isPage;
    std::vector<Item> items;
};

const std::vector<Template> Templates = {
    {"ID_Tarvek",
     false,
     {{IDC_TARVEK_RTB_1, "RICHEDIT"},
      {IDC_TARVEK_CONNECT, "Button"},
      {IDC_TARVEK_TABCTRL_1, "SysTabControl32"}}},
    {"ID_TabForm1", true, {{IDC_TABFORM1_GROUPB_1, "Button"}, {IDC_TABFORM1_COMBO_COM, "ComboBox"}}},
    {"ID_TabForm2",
     true,
     {{101, "Static"},
      {102, "Static"},
      {103, "Static"},
      {104, "Static"},
      {105, "Edit"},
      {106, "Edit"},
      {107, "Edit"},
      {108, "Edit"},
      {109, "Static"},
      {110, "Static"},
      {111, "Static"},
      {112, "Static"},
      {113, "Button"},
      {114, "Button"}}},
    {"ID_TabForm3",
     true,
     {{101, "Button"},
      {102, "Button"},
      {103, "Button"},
      {104, "Edit"},
      {105, "Button"},
      {106, "Button"},
      {107, "Edit"},
      {108, "Button"},
      {109, "Button"},
      {110, "Button"}}},
    {"ID_TabForm4",
     true,
     {{101, "Button"},
      {102, "Button"},
      {103, "Button"},
      {104, "Static"},
      {105, "ComboBox"},
      {106, "Static"},
      {107, "Button"},
      {108, "Button"}}},
    {"ID_Brasselwald",
     false,
     {{IDC_BRASSELWALD_PICTB_1, "Static"},
      {IDC_BRASSELWALD_LABEL_1, "Static"},
      {IDC_BRASSELWALD_CB_1, "Button"},
      {IDC_BRASSELWALD_LABEL_2, "Static"}}},
};

INT_PTR CALLBACK AcceptFocus(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

int ChildCount(HWND dialog)
{
    int count = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

LONG_PTR StyleOf(HWND window)
{
    return GetWindowLongPtrA(window, GWL_STYLE);
}

class TemplateTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        LoadLibraryA("RICHED32.DLL");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
    }

    void SetUp() override
    {
        host = CreateWindowExA(0, "Static", "host", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(host, nullptr);
    }

    void TearDown() override
    {
        for (HWND dialog : dialogs) {
            DestroyWindow(dialog);
        }
        DestroyWindow(host);
    }

    HWND Create(const Template& form) { return Create(form.name, form.isPage); }

    HWND Create(const char* name, bool isPage)
    {
        HWND dialog =
            CreateDialogParamA(GetModuleHandleA(nullptr), name, isPage ? host : nullptr, AcceptFocus, 0);
        dialogs.push_back(dialog);
        return dialog;
    }

    HWND host = nullptr;
    std::vector<HWND> dialogs;
};

TEST_F(TemplateTest, EveryTemplateCreatesEveryItemWithItsClass)
{
    for (const Template& form : Templates) {
        SCOPED_TRACE(form.name);
        HWND dialog = Create(form);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(ChildCount(dialog), static_cast<int>(form.items.size()));
        for (const Item& item : form.items) {
            SCOPED_TRACE(item.id);
            HWND control = GetDlgItem(dialog, item.id);
            ASSERT_NE(control, nullptr);
            EXPECT_STRCASEEQ(ClassOf(control).c_str(), item.windowClass);
        }
    }
}

TEST_F(TemplateTest, MainWindowIsFixedSizeAppWindowWithHiddenRichEdit)
{
    HWND dialog = Create("ID_Tarvek", false);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), "Tarvek");
    LONG_PTR style = StyleOf(dialog);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    HWND richEdit = GetDlgItem(dialog, IDC_TARVEK_RTB_1);
    EXPECT_FALSE(StyleOf(richEdit) & (WS_VISIBLE | WS_TABSTOP));
    RECT client, edit;
    GetClientRect(dialog, &client);
    GetWindowRect(richEdit, &edit);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_GE(edit.top, client.bottom);

    EXPECT_EQ(StyleOf(GetDlgItem(dialog, IDC_TARVEK_CONNECT)) & (BS_BITMAP | BS_LEFT | BS_VCENTER),
              BS_BITMAP | BS_LEFT | BS_VCENTER);
}

TEST_F(TemplateTest, PagesAreBorderlessHiddenChildren)
{
    for (const char* page : {"ID_TabForm1", "ID_TabForm2", "ID_TabForm3", "ID_TabForm4"}) {
        SCOPED_TRACE(page);
        HWND dialog = Create(page, true);
        ASSERT_NE(dialog, nullptr);
        LONG_PTR style = StyleOf(dialog);
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_FALSE(style & (WS_VISIBLE | WS_CAPTION | WS_BORDER | WS_THICKFRAME));
        EXPECT_EQ(GetParent(dialog), host);
    }
}

TEST_F(TemplateTest, OffsetPageStartsWithLockedArrowsAndReadOnlyValues)
{
    HWND page = Create("ID_TabForm3", true);
    ASSERT_NE(page, nullptr);
    for (int arrow : {IDC_TABFORM3_PICTBTTN_RCVUP, IDC_TABFORM3_PICTBTTN_RCVDWN, IDC_TABFORM3_PICTBTTN_TRMUP,
                      IDC_TABFORM3_PICTBTTN_TRMDWN}) {
        SCOPED_TRACE(arrow);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, arrow)));
        EXPECT_TRUE(StyleOf(GetDlgItem(page, arrow)) & BS_ICON);
    }
    for (int value : {IDC_TABFORM3_TEXTB_RCV, IDC_TABFORM3_TEXTB_TRM}) {
        SCOPED_TRACE(value);
        EXPECT_TRUE(StyleOf(GetDlgItem(page, value)) & ES_READONLY);
        EXPECT_EQ(TextOf(GetDlgItem(page, value)), "0");
    }
}

TEST_F(TemplateTest, ListsOfferOnlyTheirEntries)
{
    HWND interfacePage = Create("ID_TabForm1", true);
    HWND errorPage = Create("ID_TabForm4", true);
    ASSERT_NE(interfacePage, nullptr);
    ASSERT_NE(errorPage, nullptr);
    for (HWND combo :
         {GetDlgItem(interfacePage, IDC_TABFORM1_COMBO_COM), GetDlgItem(errorPage, IDC_TABFORM4_COMBO_CYCLE)}) {
        LONG_PTR style = StyleOf(combo);
        EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
        EXPECT_FALSE(style & CBS_SORT);
    }
}

TEST_F(TemplateTest, ThresholdsStartAtTheirDefaults)
{
    HWND page = Create("ID_TabForm2", true);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_TABFORM2_TEXTB_THRESHOLD1_UPPER)), "100.0");
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_TABFORM2_TEXTB_THRESHOLD1_LOWER)), "0.0");
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_TABFORM2_TEXTB_THRESHOLD2_UPPER)), "100.0");
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_TABFORM2_TEXTB_THRESHOLD2_LOWER)), "0.0");
}

TEST_F(TemplateTest, AboutBoxHasSizingFrameNoSystemMenuAndOkAsDefault)
{
    HWND about = Create("ID_Brasselwald", false);
    ASSERT_NE(about, nullptr);
    LONG_PTR style = StyleOf(about);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_EQ(LOWORD(SendMessageA(about, DM_GETDEFID, 0, 0)), IDC_BRASSELWALD_CB_1);
    EXPECT_NE(SendDlgItemMessageA(about, IDC_BRASSELWALD_PICTB_1, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(TemplateTest, UmlautsReachControlsInCodePage1252)
{
    HWND offsetPage = Create("ID_TabForm3", true);
    HWND errorPage = Create("ID_TabForm4", true);
    HWND mainWindow = Create("ID_Tarvek", false);
    ASSERT_NE(offsetPage, nullptr);
    ASSERT_NE(errorPage, nullptr);
    ASSERT_NE(mainWindow, nullptr);

    std::string receiver = TextOf(GetDlgItem(offsetPage, IDC_TABFORM3_GROUPB_1));
    EXPECT_EQ(receiver, "Empfängerabgleich");
    ASSERT_GT(receiver.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(receiver[4]), 0xE4);

    std::string clearErrors = TextOf(GetDlgItem(errorPage, IDC_TABFORM4_PBX_ERROR));
    EXPECT_EQ(clearErrors, "Fehler löschen");
    ASSERT_GT(clearErrors.size(), 8u);
    EXPECT_EQ(static_cast<unsigned char>(clearErrors[8]), 0xF6);

    EXPECT_EQ(TextOf(GetDlgItem(mainWindow, IDC_TARVEK_CONNECT)), "     &Konfiguration an Tarvek übertragen");
}

}  // namespace
