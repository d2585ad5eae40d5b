// Menus: the items of a loaded menu raise ClickEvent when chosen, and raising
// that event directly runs the same handlers.

#include "EventProbe.h"
#include "WMenu.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WindowDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ProgramMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
        ASSERT_TRUE(menu.Load("ID_Tarvek_menu_1", WModuleHandle()));
        ASSERT_TRUE(form.SetMenu(&menu));
    }
    void TearDown() override { form.SetMenu(nullptr); }

    WModelessDialog form;
    WMenu menu;
};

TEST_F(ProgramMenu, PopupsAndItemsAreFoundByPositionAndId)
{
    ASSERT_NE(menu.GetPopup(0), nullptr);
    ASSERT_NE(menu.GetPopup(1), nullptr);
    EXPECT_EQ(menu.GetPopup(2), nullptr);
    for (int32_t id : {IDM_OPEN_FILE, IDM_SAVE_FILE, IDM_EXIT})
        EXPECT_NE(menu.GetPopup(0)->FindItem(id, false), nullptr) << id;
    EXPECT_EQ(menu.GetPopup(0)->FindItem(IDM_ABOUT, false), nullptr);
    EXPECT_EQ(menu.FindItem(IDM_ABOUT, false), nullptr);
    ASSERT_NE(menu.FindItem(IDM_ABOUT, true), nullptr);
    EXPECT_EQ(menu.FindItem(IDM_ABOUT, true), menu.GetPopup(1)->FindItem(IDM_ABOUT, false));
}

TEST_F(ProgramMenu, RaisingClickEventDirectlyRunsTheHandlersOfChoosingTheEntry)
{
    WMenuItem* item = menu.FindItem(IDM_OPEN_FILE, true);
    ASSERT_NE(item, nullptr);
    std::vector<int> calls;
    EventProbe first([&](WObject*, WEventData*) {
        calls.push_back(1);
        return false;
    });
    EventProbe second([&](WObject*, WEventData*) {
        calls.push_back(2);
        return false;
    });
    first.Listen(*item, ClickEvent);
    second.Listen(*item, ClickEvent);

    PostMessageA(form.GetHandle(), WM_COMMAND, MAKEWPARAM(IDM_OPEN_FILE, 0), 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return calls.size() == 2; }));
    const std::vector<int> chosen = calls;

    calls.clear();
    item->ProcessEvent(ClickEvent);
    EXPECT_EQ(calls, chosen);
    EXPECT_EQ(chosen, (std::vector<int>{2, 1}));
}

TEST_F(ProgramMenu, OtherItemsAreNotClicked)
{
    CountingProbe open;
    CountingProbe about;
    open.Listen(*menu.FindItem(IDM_OPEN_FILE), ClickEvent);
    about.Listen(*menu.FindItem(IDM_ABOUT), ClickEvent);
    PostMessageA(form.GetHandle(), WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return about.count == 1; }));
    EXPECT_EQ(open.count, 0);
}

TEST_F(ProgramMenu, HighlightedEntryRaisesItsSelectEvent)
{
    CountingProbe open;
    CountingProbe about;
    open.Listen(*menu.FindItem(IDM_OPEN_FILE), SelectEvent);
    about.Listen(*menu.FindItem(IDM_ABOUT), SelectEvent);
    form.Send(WM_MENUSELECT, MAKEWPARAM(IDM_OPEN_FILE, MF_HILITE),
              reinterpret_cast<LPARAM>(menu.GetPopup(0)->GetHandle()));
    EXPECT_EQ(open.count, 1);
    EXPECT_EQ(about.count, 0);
}

TEST_F(ProgramMenu, OpeningADropDownMenuUpdatesExactlyItsEntries)
{
    std::vector<WObject*> updated;
    EventProbe probe([&](WObject* source, WEventData*) {
        updated.push_back(source);
        return false;
    });
    std::vector<WObject*> fileEntries;
    for (int32_t id : {IDM_OPEN_FILE, IDM_SAVE_FILE, IDM_EXIT}) {
        fileEntries.push_back(menu.FindItem(id));
        probe.Listen(*menu.FindItem(id), UpdateEvent);
    }
    probe.Listen(*menu.FindItem(IDM_ABOUT), UpdateEvent);
    form.Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.GetPopup(0)->GetHandle()), 0);
    EXPECT_EQ(updated, fileEntries);
}

}  // namespace
