// Where forms stand and how the keyboard moves between their controls: the work
// area, the tab order, and the form's dialog-message filter with the form's
// accelerator keys.

#include "EventProbe.h"
#include "MainFormAssembly.h"
#include "WForm.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool SameRectangle(const RECT& first, const RECT& second)
{
    return EqualRect(&first, &second) != FALSE;
}

TEST(WorkArea, FormInsideStaysWhereItIs)
{
    const RECT area{0, 0, 1280, 994};
    const RECT window{100, 100, 400, 300};
    EXPECT_TRUE(SameRectangle(WForm::FitIntoArea(window, area), window));
}

TEST(WorkArea, FormOverAnEdgeIsMovedInsideKeepingItsSize)
{
    const RECT area{0, 0, 1280, 994};
    EXPECT_TRUE(SameRectangle(WForm::FitIntoArea({1200, 900, 1500, 1100}, area), RECT{980, 794, 1280, 994}));
    EXPECT_TRUE(SameRectangle(WForm::FitIntoArea({-50, -20, 250, 180}, area), RECT{0, 0, 300, 200}));
}

TEST(WorkArea, FormLargerThanTheAreaKeepsItsTopLeftCornerInside)
{
    const RECT area{0, 30, 800, 600};
    EXPECT_TRUE(SameRectangle(WForm::FitIntoArea({-10, 0, 990, 700}, area), RECT{0, 30, 1000, 730}));
}

TEST(WorkArea, CentringPlacesTheFormInTheMiddle)
{
    EXPECT_TRUE(
        SameRectangle(WForm::CenterInArea({0, 0, 200, 100}, {0, 0, 1000, 500}), RECT{400, 200, 600, 300}));
}

std::vector<HWND> ChildOrder(HWND parent)
{
    std::vector<HWND> order;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        order.push_back(child);
    return order;
}

TEST(TabOrder, ListedWindowsFollowTheOthersInTheGivenOrder)
{
    MainFormAssembly main;
    ASSERT_TRUE(main.Build());
    WWindow* const listed[] = {main.tabControl, main.toolbar, &main.transferButton};
    ASSERT_TRUE(main.form.SetTabOrder(3, listed));
    const std::vector<HWND> order = ChildOrder(main.form.GetHandle());
    ASSERT_GE(order.size(), 3u);
    const std::vector<HWND> last(order.end() - 3, order.end());
    EXPECT_EQ(last, (std::vector<HWND>{main.tabControl->GetHandle(), main.toolbar->GetHandle(),
                                       main.transferButton.GetHandle()}));
}

TEST(DialogKeys, TabKeyMovesTheFocusToTheNextControl)
{
    MainFormAssembly main;
    ASSERT_TRUE(main.Build());
    SetForegroundWindow(main.form.GetHandle());
    SetFocus(main.transferButton.GetHandle());
    ASSERT_EQ(GetFocus(), main.transferButton.GetHandle());
    HWND next = GetNextDlgTabItem(main.form.GetHandle(), main.transferButton.GetHandle(), FALSE);
    // The filter consumes the key: dispatched again after it, the key would
    // reach the button as well.
    CountingProbe keys;
    keys.Listen(main.transferButton, KeyDownEvent);
    PostMessageA(main.transferButton.GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    PostMessageA(main.transferButton.GetHandle(), WM_KEYUP, VK_TAB, 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return GetFocus() != main.transferButton.GetHandle(); }));
    PumpWaitingMessages();
    EXPECT_TRUE(IsChild(main.form.GetHandle(), GetFocus()));
    EXPECT_EQ(GetFocus(), next);
    EXPECT_EQ(keys.count, 0);
}

// The key becomes the form's command and goes no further: the control with
// the focus never sees it.
TEST(DialogKeys, AcceleratorKeyOfTheFormsTableBecomesItsCommand)
{
    MainFormAssembly main;
    ASSERT_TRUE(main.Build());
    ACCEL key{FVIRTKEY, VK_F5, 4711};
    HACCEL table = CreateAcceleratorTableA(&key, 1);
    ASSERT_NE(table, nullptr);
    main.form.SetAccelerators(table);
    std::vector<WORD> commands;
    EventProbe command([&](WObject*, WEventData* data) {
        if (const WMessageEventData* message = WMessageEventData::From(data))
            commands.push_back(LOWORD(message->wParam));
        return false;
    });
    command.Listen(main.form, CommandEvent);
    CountingProbe keys;
    keys.Listen(main.transferButton, KeyDownEvent);

    PostMessageA(main.transferButton.GetHandle(), WM_KEYDOWN, VK_F5, 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !commands.empty(); }));
    PumpWaitingMessages();
    EXPECT_EQ(commands, std::vector<WORD>{4711});
    EXPECT_EQ(keys.count, 0);
    main.form.SetAccelerators(nullptr);
    DestroyAcceleratorTable(table);
}

}  // namespace
