// Controls bound to template items: texts, check boxes, combo boxes and
// picture buttons.

#include "EventProbe.h"
#include "WCheckBox.h"
#include "WComboBox.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WPictureButton.h"
#include "WRichTextBox.h"
#include "WTextBox.h"
#include "WindowDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

// A page of the main form, shown inside it.
class PageControls : public ::testing::Test {
protected:
    void LoadPage(const char* name)
    {
        ASSERT_TRUE(host.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
        ASSERT_TRUE(page.LoadWindow(&host, name, WModuleHandle()));
        page.Show();
        SetWindowPos(page.GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }

    WModelessDialog host;
    WModelessDialog page;
};

TEST_F(PageControls, UmlautSetIntoATextBoxReadsBackAsTheSameCharacter)
{
    LoadPage("ID_TabForm2");
    WTextBox text;
    ASSERT_TRUE(text.LoadWindow(&page, IDC_TABFORM2_TEXTB_THRESHOLD1_UPPER, WModuleHandle()));
    EXPECT_STREQ(text.GetText().GetText(), "100.0");
    ASSERT_TRUE(text.SetText("Größe ä ö ü ß"));
    EXPECT_STREQ(text.GetText().GetText(), "Größe ä ö ü ß");
    wchar_t wide[32] = L"";
    GetWindowTextW(text.GetHandle(), wide, 32);
    EXPECT_EQ(std::wstring(wide), L"Gr\u00f6\u00dfe \u00e4 \u00f6 \u00fc \u00df");
}

TEST(RichTextBox, MainTemplatesRichEditItemIsBound)
{
    WModelessDialog form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    WRichTextBox rich;
    ASSERT_TRUE(rich.LoadWindow(&form, IDC_TARVEK_RTB_1, WModuleHandle()));
    char className[32] = "";
    GetClassNameA(rich.GetHandle(), className, sizeof className);
    EXPECT_STREQ(className, "RICHEDIT");
    ASSERT_TRUE(rich.SetText("Übertragung"));
    EXPECT_STREQ(rich.GetText().GetText(), "Übertragung");
}

TEST_F(PageControls, CheckBoxSetAndReadAndToggledByAClick)
{
    LoadPage("ID_TabForm4");
    WCheckBox box;
    ASSERT_TRUE(box.LoadWindow(&page, IDC_TABFORM4_CHECKBOX_ERRMEM, WModuleHandle()));
    EXPECT_TRUE(box.SetChecked(true));
    EXPECT_TRUE(box.GetChecked());
    EXPECT_TRUE(box.SetChecked(false));
    EXPECT_FALSE(box.GetChecked());

    bool checkedInClick = false;
    EventProbe click([&](WObject*, WEventData*) {
        checkedInClick = box.GetChecked();
        return false;
    });
    click.Listen(box, ClickEvent);
    ClickWindow(box.GetHandle());
    ASSERT_TRUE(PumpMessagesUntil([&] { return box.GetChecked(); }));
    EXPECT_TRUE(checkedInClick);
}

TEST_F(PageControls, CheckBoxTextChangeRepaintsThePageBehindTheBox)
{
    LoadPage("ID_TabForm4");
    WCheckBox box;
    ASSERT_TRUE(box.LoadWindow(&page, IDC_TABFORM4_CHECKBOX_ERRMEM, WModuleHandle()));
    box.SetChecked(true);
    UpdateWindow(page.GetHandle());
    ASSERT_TRUE(box.SetText("Kurz"));
    EXPECT_STREQ(box.GetText().GetText(), "Kurz");
    EXPECT_TRUE(box.GetChecked());
    RECT boxArea{};
    GetWindowRect(box.GetHandle(), &boxArea);
    MapWindowPoints(nullptr, page.GetHandle(), reinterpret_cast<POINT*>(&boxArea), 2);
    HRGN pending = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(page.GetHandle(), pending, FALSE);
    EXPECT_TRUE(RectInRegion(pending, &boxArea));
    DeleteObject(pending);
}

TEST_F(PageControls, PictureButtonTextChangeRepaintsAtOnceAndKeepsThePicture)
{
    LoadPage("ID_TabForm4");
    WPictureButton button;
    ASSERT_TRUE(button.Create(&page, RECT{5, 5, 60, 45}, "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON));
    WIcon icon;
    ASSERT_TRUE(icon.Load(101));
    ASSERT_TRUE(button.SetIcon(icon));
    UpdateWindow(button.GetHandle());
    // Classes drawing over the picture draw when the button's paint message has run.
    CountingProbe painted;
    painted.Listen(button, PaintEvent);
    ASSERT_TRUE(button.SetText("Neu"));
    EXPECT_STREQ(button.GetText().GetText(), "Neu");
    EXPECT_EQ(painted.count, 1);
    EXPECT_EQ(reinterpret_cast<HICON>(button.Send(BM_GETIMAGE, IMAGE_ICON)), icon.GetHandle());
}

class CycleCombo : public PageControls {
protected:
    void SetUp() override
    {
        LoadPage("ID_TabForm4");
        ASSERT_TRUE(combo.LoadWindow(&page, IDC_TABFORM4_COMBO_CYCLE, WModuleHandle()));
        for (const char* entry :
             {"-", "5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60", "90"})
            combo.AddString(entry);
    }

    WComboBox combo;
};

TEST_F(CycleCombo, NothingIsSelectedAtFirst)
{
    EXPECT_EQ(combo.GetCount(), 14);
    EXPECT_EQ(combo.GetSelected(), -1);
    EXPECT_STREQ(combo.GetText().GetText(), "");
}

TEST_F(CycleCombo, SelectStringTakesTheFirstEntryBeginningWithTheText)
{
    EXPECT_EQ(combo.SelectString("5"), 1);
    EXPECT_STREQ(combo.GetText().GetText(), "5");
    EXPECT_EQ(combo.SelectString("1"), 2);
    EXPECT_EQ(combo.SelectString("9"), 13);
    EXPECT_STREQ(combo.GetText().GetText(), "90");
}

TEST_F(CycleCombo, SelectStringWithoutMatchKeepsTheSelection)
{
    combo.SelectString("-");
    EXPECT_EQ(combo.SelectString("0"), -1);
    EXPECT_EQ(combo.SelectString("100"), -1);
    EXPECT_STREQ(combo.GetText().GetText(), "-");
}

TEST_F(CycleCombo, SetTextSelectsTheEntryWithExactlyThatText)
{
    EXPECT_TRUE(combo.SetText("5"));
    EXPECT_EQ(combo.GetSelected(), 1);
    EXPECT_FALSE(combo.SetText("9"));
    EXPECT_EQ(combo.GetSelected(), 1);
}

TEST_F(CycleCombo, SetSelectedIsTrueOnlyWhenTheIndexIsSelected)
{
    EXPECT_TRUE(combo.SetSelected(13));
    EXPECT_EQ(combo.GetSelected(), 13);
    EXPECT_FALSE(combo.SetSelected(14));
    EXPECT_TRUE(combo.SetSelected(-1));
    EXPECT_EQ(combo.GetSelected(), -1);
}

}  // namespace
