// Where forms stand and how the keyboard moves between their controls: the work
// area, the tab order, and the form's dialog-message filter.

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
    EXPECT_TRUE(SameRectangle(WForm::CenterInArea({0, 0, 200, 100}, {0, 0, 1000, 500}), RECT{400, 200, 600, 300}));
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
    PostMessageA(main.transferButton.GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    PostMessageA(main.transferButton.GetHandle(), WM_KEYUP, VK_TAB, 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return GetFocus() != main.transferButton.GetHandle(); }));
    EXPECT_TRUE(IsChild(main.form.GetHandle(), GetFocus()));
}

}  // namespace
