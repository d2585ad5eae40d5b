// Modal dialogs: the other windows of the thread are disabled while the dialog
// runs and enabled again when it has ended.

#include "EventProbe.h"
#include "WCommandButton.h"
#include "WDialog.h"
#include "WGeneratedRoutines.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WindowDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

TEST(ModalDialog, DisablesItsOwnerWhileItRunsAndEnablesItAfterwards)
{
    WModelessDialog owner;
    ASSERT_TRUE(owner.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    WDialog dialog;
    bool ownerEnabledWhileRunning = true;
    EventProbe closeLater([&](WObject*, WEventData*) {
        ownerEnabledWhileRunning = IsWindowEnabled(owner.GetHandle()) != FALSE;
        dialog.Close();
        return false;
    });
    closeLater.Listen(dialog, UserEvent);
    EventProbe endOnClose([&](WObject*, WEventData*) { return dialog.EndDialog(0); });
    endOnClose.Listen(dialog, CloseEvent);
    EventProbe postOnCreate([&](WObject*, WEventData*) { return !dialog.PostUserEvent(1); });
    postOnCreate.Listen(dialog, CreateEvent);

    ASSERT_TRUE(dialog.LoadWindow(&owner, "ID_Brasselwald", WModuleHandle()));
    EXPECT_FALSE(ownerEnabledWhileRunning);
    EXPECT_EQ(dialog.GetHandle(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner.GetHandle()));
}

TEST(ModalDialog, EnterPressesTheDefaultButton)
{
    WDialog dialog;
    WCommandButton ok;
    CountingProbe clicks;
    EventProbe create([&](WObject*, WEventData*) {
        ok.LoadWindow(&dialog, IDC_BRASSELWALD_CB_1, WModuleHandle());
        ok.SetDefault(true);
        clicks.Listen(ok, ClickEvent);
        dialog.Show();
        SetFocus(ok.GetHandle());
        dialog.PostUserEvent(1);
        return false;
    });
    create.Listen(dialog, CreateEvent);
    EventProbe pressEnter([&](WObject*, WEventData*) {
        PostMessageA(ok.GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(ok.GetHandle(), WM_KEYUP, VK_RETURN, 0);
        return false;
    });
    pressEnter.Listen(dialog, UserEvent);
    EventProbe endOnClick([&](WObject*, WEventData*) { return dialog.EndDialog(0); });
    endOnClick.Listen(ok, ClickEvent);

    ASSERT_TRUE(dialog.LoadWindow(nullptr, "ID_Brasselwald", WModuleHandle()));
    EXPECT_EQ(clicks.count, 1);
}

// A designer dialog whose form class claims no close: the generated close
// ends the run.
class DesignerDialog : public WDialog {
    bool OnCreate(WObject*, WEventData*)
    {
        Close();
        return false;
    }
    WGeneratedRoutines<&DesignerDialog::OnCreate> generatedRoutines{this};
};

TEST(ModalDialog, CloseRequestEndsTheRunWithResultZeroAndEnablesTheOwner)
{
    WModelessDialog owner;
    ASSERT_TRUE(owner.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    DesignerDialog dialog;
    ASSERT_TRUE(dialog.LoadWindow(&owner, "ID_Brasselwald", WModuleHandle()));
    EXPECT_EQ(dialog.GetHandle(), nullptr);
    EXPECT_FALSE(dialog.IsRunning());
    EXPECT_EQ(dialog.GetResult(), 0);
    EXPECT_TRUE(IsWindowEnabled(owner.GetHandle()));
}

}  // namespace
