// Tab pages: the tab control shows exactly the page of the selected tab, and a
// SelectChangingEvent handler can keep the current tab.

#include "EventProbe.h"
#include "MainFormAssembly.h"
#include "WindowDriver.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

class TabPages : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(main.Build()); }

    std::vector<int> VisiblePages() const
    {
        std::vector<int> visible;
        for (size_t index = 0; index < main.pages.size(); ++index) {
            if (IsWindowVisible(main.pages[index]->GetHandle()))
                visible.push_back(static_cast<int>(index));
        }
        return visible;
    }

    POINT TabCentre(int32_t index)
    {
        RECT tab{};
        main.tabControl->Send(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
        return POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
    }

    // The tab control asks where the cursor is when it hit-tests a selection change.
    void PointAtTab(int32_t index)
    {
        POINT screen = TabCentre(index);
        ClientToScreen(main.tabControl->GetHandle(), &screen);
        SetCursorPos(screen.x, screen.y);
    }

    void ClickTab(int32_t index)
    {
        PointAtTab(index);
        PressLeftButton(main.tabControl->GetHandle(), TabCentre(index));
        ReleaseLeftButton(main.tabControl->GetHandle(), TabCentre(index));
    }

    // Presses the key in the window with the modifier keys held down.
    void PressKey(HWND window, WPARAM key, std::initializer_list<int> held)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        const std::vector<BYTE> before(keys, keys + 256);
        for (int modifier : held)
            keys[modifier] = 0x80;
        SetKeyboardState(keys);
        PostMessageA(window, WM_KEYDOWN, key, 1);
        PumpWaitingMessages();
        std::copy(before.begin(), before.end(), keys);
        SetKeyboardState(keys);
    }

    MainFormAssembly main;
};

TEST_F(TabPages, OnlyTheFirstPageIsShownAtFirst)
{
    EXPECT_EQ(main.tabControl->GetSelected(), 0);
    EXPECT_EQ(VisiblePages(), std::vector<int>{0});
}

TEST_F(TabPages, ClickingATabShowsExactlyItsPage)
{
    ClickTab(2);
    ASSERT_TRUE(PumpMessagesUntil([&] { return main.tabControl->GetSelected() == 2; }));
    EXPECT_EQ(VisiblePages(), std::vector<int>{2});
    ClickTab(1);
    ASSERT_TRUE(PumpMessagesUntil([&] { return main.tabControl->GetSelected() == 1; }));
    EXPECT_EQ(VisiblePages(), std::vector<int>{1});
}

TEST_F(TabPages, SelectEventTellsTheNewAndThePreviousTab)
{
    WSelectEventData seen;
    EventProbe probe([&](WObject*, WEventData* data) {
        seen = *static_cast<WSelectEventData*>(data);
        return false;
    });
    probe.Listen(*main.tabControl, SelectEvent);
    ClickTab(3);
    ASSERT_TRUE(PumpMessagesUntil([&] { return seen.newIndex == 3; }));
    EXPECT_EQ(seen.previousIndex, 0);
}

TEST_F(TabPages, VetoInSelectChangingKeepsTheCurrentTabAndPage)
{
    int32_t proposed = -1;
    EventProbe veto([&](WObject*, WEventData* data) {
        proposed = static_cast<WSelectEventData*>(data)->newIndex;
        data->returnValue = 1;
        return true;
    });
    veto.Listen(*main.tabControl, SelectChangingEvent);
    ClickTab(2);
    ASSERT_TRUE(PumpMessagesUntil([&] { return proposed != -1; }));
    PumpWaitingMessages();
    EXPECT_EQ(proposed, 2);
    EXPECT_EQ(main.tabControl->GetSelected(), 0);
    EXPECT_EQ(VisiblePages(), std::vector<int>{0});
}

TEST_F(TabPages, KeysProposeTheTabTheyChooseNotTheTabUnderThePointer)
{
    std::vector<int32_t> proposed;
    EventProbe probe([&](WObject*, WEventData* data) {
        proposed.push_back(static_cast<WSelectEventData*>(data)->newIndex);
        return false;
    });
    probe.Listen(*main.tabControl, SelectChangingEvent);
    PointAtTab(3);
    HWND tabs = main.tabControl->GetHandle();
    HWND insidePage = GetWindow(main.pages[0]->GetHandle(), GW_CHILD);
    ASSERT_NE(insidePage, nullptr);

    PressKey(tabs, VK_RIGHT, {});
    ASSERT_TRUE(PumpMessagesUntil([&] { return main.tabControl->GetSelected() == 1; }));
    PressKey(insidePage, VK_TAB, {VK_CONTROL});
    ASSERT_TRUE(PumpMessagesUntil([&] { return main.tabControl->GetSelected() == 2; }));
    PressKey(insidePage, VK_TAB, {VK_CONTROL, VK_SHIFT});
    ASSERT_TRUE(PumpMessagesUntil([&] { return main.tabControl->GetSelected() == 1; }));
    EXPECT_EQ(proposed, (std::vector<int32_t>{1, 2, 1}));
    EXPECT_EQ(VisiblePages(), std::vector<int>{1});
}

TEST_F(TabPages, PageBoundToAnotherThanTheSelectedItemIsPlacedHidden)
{
    WModelessDialog extra;
    ASSERT_TRUE(extra.LoadWindow(&main.form, "ID_TabForm2", WModuleHandle()));
    extra.Show();
    const int32_t index = main.tabControl->InsertItem(4, "Extra");
    ASSERT_EQ(index, 4);
    ASSERT_TRUE(main.tabControl->SetItemPage(index, &extra, true, true, false));
    EXPECT_FALSE(IsWindowVisible(extra.GetHandle()));
    RECT placed{};
    GetWindowRect(extra.GetHandle(), &placed);
    RECT display{};
    GetClientRect(main.tabControl->GetHandle(), &display);
    main.tabControl->Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    MapWindowPoints(main.tabControl->GetHandle(), nullptr, reinterpret_cast<POINT*>(&display), 2);
    EXPECT_EQ(placed.left, display.left);
    EXPECT_EQ(placed.top, display.top);
    EXPECT_EQ(placed.right, display.right);
    EXPECT_EQ(placed.bottom, display.bottom);
    main.tabControl->SetSelected(index);
    EXPECT_TRUE(IsWindowVisible(extra.GetHandle()));
    EXPECT_EQ(VisiblePages(), std::vector<int>{});
}

}  // namespace
