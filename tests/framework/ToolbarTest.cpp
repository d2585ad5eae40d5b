// The tool bar description: parsing its bytes, and the tool bar it builds.

#include "EventProbe.h"
#include "MainFormAssembly.h"
#include "WToolbarDescription.h"
#include "WindowDriver.h"
#include "resource.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

class DescriptionBytes {
public:
    DescriptionBytes(int32_t itemCount)
    {
        for (int32_t value : {0xD101, 16, 16, 23, 22, itemCount, 0, 1, 0})
            Integer(value);
    }

    DescriptionBytes& Item(int32_t kind, int32_t image, const std::string& text, const std::string& toolTip)
    {
        Integer(kind);
        Integer(image);
        Integer(0);
        for (uint8_t flag : {1, 0, 0, 0, 0, 0, 1, 1})
            bytes.push_back(flag);
        Integer(static_cast<int32_t>(text.size()));
        Integer(static_cast<int32_t>(toolTip.size()));
        Text(text);
        Text(toolTip);
        return *this;
    }

    DescriptionBytes& Trailer(int32_t firstCommandId = 100, int32_t toolTips = 1, int32_t indent = 0)
    {
        for (int32_t value : {firstCommandId, toolTips, indent})
            Integer(value);
        return *this;
    }

    std::vector<uint8_t> bytes;

private:
    void Integer(int32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
    }
    void Text(const std::string& text)
    {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
    }
};

DescriptionBytes ProgramDescription()
{
    DescriptionBytes description(4);
    description.Item(0, 7, "", "Schwellwerte laden")
        .Item(0, 8, "", "Schwellwerte speichern")
        .Item(1, 0, "", "")
        .Item(0, 27, "", "Beenden")
        .Trailer();
    return description;
}

TEST(ToolbarDescription, ItemsGetCommandIdsCountingTheSeparator)
{
    const std::vector<uint8_t> bytes = ProgramDescription().bytes;
    WToolbarDescription description;
    ASSERT_TRUE(ParseToolbarDescription(bytes.data(), bytes.size(), description));
    ASSERT_EQ(description.items.size(), 4u);
    const int32_t expectedImages[] = {7, 8, 0, 27};
    const char* expectedTips[] = {"Schwellwerte laden", "Schwellwerte speichern", "", "Beenden"};
    for (size_t index = 0; index < 4; ++index) {
        const WToolbarItemInfo& item = description.items[index];
        EXPECT_EQ(item.commandId, 100 + static_cast<int32_t>(index));
        EXPECT_EQ(item.separator, index == 2);
        EXPECT_EQ(item.image, expectedImages[index]);
        EXPECT_STREQ(item.toolTip.GetText(), expectedTips[index]);
        EXPECT_STREQ(item.text.GetText(), "");
    }
    EXPECT_EQ(description.imageWidth, 16);
    EXPECT_EQ(description.buttonWidth, 23);
    EXPECT_EQ(description.buttonHeight, 22);
}

TEST(ToolbarDescription, SeparatorWithoutTextsTakesThirtyBytes)
{
    DescriptionBytes withSeparator(1);
    withSeparator.Item(1, 0, "", "");
    WToolbarDescription description;
    EXPECT_FALSE(ParseToolbarDescription(withSeparator.bytes.data(), 36 + 29, description));
    ASSERT_TRUE(ParseToolbarDescription(withSeparator.bytes.data(), 36 + 30, description));
    ASSERT_EQ(description.items.size(), 1u);
    EXPECT_TRUE(description.items[0].separator);
}

TEST(ToolbarDescription, ButtonTextAndToolTipAreReadFromTheirPlaces)
{
    DescriptionBytes bytes(2);
    bytes.Item(0, 3, "Auf", "Öffnen").Item(0, 4, "Zu", "Schließen");
    WToolbarDescription description;
    ASSERT_TRUE(ParseToolbarDescription(bytes.bytes.data(), bytes.bytes.size(), description));
    EXPECT_STREQ(description.items[0].text.GetText(), "Auf");
    EXPECT_STREQ(description.items[0].toolTip.GetText(), "Öffnen");
    EXPECT_STREQ(description.items[1].text.GetText(), "Zu");
    EXPECT_STREQ(description.items[1].toolTip.GetText(), "Schließen");
    EXPECT_EQ(description.items[1].commandId, 101);
}

TEST(ToolbarDescription, DataShorterThanTheHeaderIsRefused)
{
    std::vector<uint8_t> bytes = ProgramDescription().bytes;
    WToolbarDescription description;
    EXPECT_FALSE(ParseToolbarDescription(bytes.data(), 35, description));
    EXPECT_TRUE(description.items.empty());
    EXPECT_FALSE(ParseToolbarDescription(nullptr, 0, description));
}

TEST(ToolbarDescription, ItemsReachingBeyondTheDataAreRefused)
{
    std::vector<uint8_t> bytes = ProgramDescription().bytes;
    WToolbarDescription description;
    EXPECT_FALSE(ParseToolbarDescription(bytes.data(), bytes.size() - 12 - 5, description));
    DescriptionBytes overlong(1);
    overlong.Item(0, 7, "", "Tip");
    overlong.bytes[36 + 24] = 200;  // tool tip length beyond the end
    EXPECT_FALSE(ParseToolbarDescription(overlong.bytes.data(), overlong.bytes.size(), description));
}

TEST(ToolbarDescription, OtherFormatTagIsRefused)
{
    std::vector<uint8_t> bytes = ProgramDescription().bytes;
    bytes[1] = 0xD2;
    WToolbarDescription description;
    EXPECT_FALSE(ParseToolbarDescription(bytes.data(), bytes.size(), description));
}

TEST(ToolbarDescription, PicturesComeFromTheStandardSetOrTheProgramsStrip)
{
    EXPECT_EQ(ToolbarPicturePosition(7, 0, 15), 7);
    EXPECT_EQ(ToolbarPicturePosition(8, 0, 15), 8);
    EXPECT_EQ(ToolbarPicturePosition(27, 0, 15), 17);
    EXPECT_EQ(ToolbarPicturePosition(7, -1, 0), 0);
    EXPECT_EQ(ToolbarPicturePosition(8, -1, 0), 1);
    EXPECT_EQ(ToolbarPicturePosition(27, -1, -1), -1);
    EXPECT_EQ(ToolbarPicturePosition(20, 0, 15), -1);
}

class ProgramToolbar : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(main.Build()); }

    RECT ButtonRectangle(int32_t commandId)
    {
        RECT button{};
        main.toolbar->Send(TB_GETRECT, static_cast<WPARAM>(commandId), reinterpret_cast<LPARAM>(&button));
        return button;
    }

    MainFormAssembly main;
};

TEST_F(ProgramToolbar, ShowsThreeButtonsWithPicturesAndASeparator)
{
    EXPECT_EQ(main.toolbar->GetButtonCount(), 4);
    TBBUTTON separator{};
    ASSERT_TRUE(main.toolbar->Send(TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&separator)));
    EXPECT_EQ(separator.fsStyle & BTNS_SEP, BTNS_SEP);
    EXPECT_EQ(separator.idCommand, IDT_SEPARATOR);
    for (int32_t commandId : {100, 101, 103}) {
        TBBUTTON button{};
        const auto index = main.toolbar->Send(TB_COMMANDTOINDEX, static_cast<WPARAM>(commandId));
        ASSERT_TRUE(
            main.toolbar->Send(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)));
        EXPECT_GE(button.iBitmap, 0) << commandId;
        EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);
    }
}

TEST_F(ProgramToolbar, PointingAtAButtonShowsItsToolTip)
{
    SetForegroundWindow(main.form.GetHandle());
    const RECT button = ButtonRectangle(IDT_SAVE);
    const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    POINT screen = centre;
    ClientToScreen(main.toolbar->GetHandle(), &screen);
    SetCursorPos(screen.x, screen.y);
    HWND tip = reinterpret_cast<HWND>(main.toolbar->Send(TB_GETTOOLTIPS));
    ASSERT_NE(tip, nullptr);
    // Another program's window on the test display may be the active one.
    SetWindowLongPtrA(tip, GWL_STYLE, GetWindowLongPtrA(tip, GWL_STYLE) | TTS_ALWAYSTIP);
    PostMessageA(main.toolbar->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    ASSERT_TRUE(PumpMessagesUntil([&] { return IsWindowVisible(tip) != FALSE; }));
    char text[80] = "";
    GetWindowTextA(tip, text, sizeof text);
    EXPECT_STREQ(text, "Schwellwerte speichern");
}

TEST_F(ProgramToolbar, ClickOnAButtonRaisesClickEventWithItsCommandId)
{
    int32_t clicked = 0;
    EventProbe probe([&](WObject*, WEventData* data) {
        clicked = static_cast<WToolbarEventData*>(data)->commandId;
        return false;
    });
    probe.Listen(*main.toolbar, ClickEvent);
    const RECT button = ButtonRectangle(IDT_EXIT);
    const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    PressLeftButton(main.toolbar->GetHandle(), centre);
    ReleaseLeftButton(main.toolbar->GetHandle(), centre);
    EXPECT_TRUE(PumpMessagesUntil([&] { return clicked != 0; }));
    EXPECT_EQ(clicked, IDT_EXIT);
}

// The trailer after the items: the first command id, the tool tips, the
// first button's indent.
TEST_F(ProgramToolbar, TrailerGivesCommandIdsToolTipsAndIndentToTheBar)
{
    DescriptionBytes bytes(1);
    bytes.Item(0, 7, "", "Schwellwerte laden").Trailer(200, 0, 6);
    WToolbarDescription description;
    ASSERT_TRUE(ParseToolbarDescription(bytes.bytes.data(), bytes.bytes.size(), description));
    WToolbar bar;
    ASSERT_TRUE(bar.Create(&main.form, RECT{0, 0, 1, 1}, "", static_cast<DWORD>(main.toolbar->GetStyle())));
    ASSERT_TRUE(bar.Apply(description, WModuleHandle(), IDB_TOOLBAR_IMAGES));

    EXPECT_EQ(bar.Send(TB_COMMANDTOINDEX, 200), 0);
    EXPECT_EQ(bar.GetToolTip(200), nullptr);
    RECT first{};
    bar.Send(TB_GETRECT, 200, reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(first.left, ButtonRectangle(IDT_LOAD).left + 6);
}

}  // namespace
