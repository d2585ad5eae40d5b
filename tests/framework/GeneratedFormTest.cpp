// The pattern of the program's designer forms: a base class that attaches its
// creation, close and clean-up handlers when it is constructed, binds and
// deletes its controls in them, and detaches the handlers in its destructor.

#include "EventProbe.h"
#include "WCommandButton.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WStatic.h"
#include "WindowDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

class SampleFormBase : public WModelessDialog {
public:
    SampleFormBase() { AttachEventTable(this, formTable, this); }
    ~SampleFormBase() override { DetachEventTable(this, formTable, this); }

    WCommandButton* okButton = nullptr;
    WLabel* label = nullptr;
    int destroyed = 0;

protected:
    bool OnCreate(WObject*, WEventData*)
    {
        okButton = new WCommandButton;
        label = new WLabel;
        SetFont(WFont("8.MS Sans Serif"), true);
        SetName("Sample");
        okButton->LoadWindow(this, IDC_BRASSELWALD_CB_1, WModuleHandle());
        label->LoadWindow(this, IDC_BRASSELWALD_LABEL_2, WModuleHandle());
        okButton->SetName("cb_1");
        label->SetName("label_2");
        AttachEventTable(okButton, buttonTable, this);
        SetVisible(true);
        return false;
    }

    bool OnClose(WObject*, WEventData*)
    {
        Destroy();
        return true;
    }

    bool OnDestroy(WObject*, WEventData*)
    {
        DetachEventTable(okButton, buttonTable, this);
        delete okButton;
        delete label;
        okButton = nullptr;
        label = nullptr;
        ++destroyed;
        return false;
    }

    bool OnOk(WObject*, WEventData*)
    {
        Close();
        return false;
    }

private:
    static const WEventTableEntry formTable[];
    static const WEventTableEntry buttonTable[];
};

const WEventTableEntry SampleFormBase::formTable[] = {
    {CreateEvent, W_HANDLER(&SampleFormBase::OnCreate), nullptr, 0},
    {CloseEvent, W_HANDLER(&SampleFormBase::OnClose), nullptr, 0},
    {DestroyEvent, W_HANDLER(&SampleFormBase::OnDestroy), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

const WEventTableEntry SampleFormBase::buttonTable[] = {
    {ClickEvent, W_HANDLER(&SampleFormBase::OnOk), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

TEST(GeneratedForm, CreationRoutineBindsTheControlsToTheirItems)
{
    SampleFormBase form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Brasselwald", WModuleHandle()));
    ASSERT_NE(form.okButton, nullptr);
    EXPECT_EQ(form.okButton->GetHandle(), GetDlgItem(form.GetHandle(), IDC_BRASSELWALD_CB_1));
    EXPECT_STREQ(form.okButton->GetText().GetText(), "&Ok");
    EXPECT_STREQ(form.label->GetName().GetText(), "label_2");
    EXPECT_STREQ(form.okButton->GetFont().GetDescription().GetText(), "8.MS Sans Serif");
    EXPECT_TRUE(IsWindowVisible(form.GetHandle()));
}

TEST(GeneratedForm, ClickClosesAndTheCleanUpDeletesTheControls)
{
    SampleFormBase form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Brasselwald", WModuleHandle()));
    ClickWindow(form.okButton->GetHandle());
    ASSERT_TRUE(PumpMessagesUntil([&] { return form.GetHandle() == nullptr; }));
    EXPECT_EQ(form.destroyed, 1);
    EXPECT_EQ(form.okButton, nullptr);
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Brasselwald", WModuleHandle()));
    EXPECT_NE(form.okButton, nullptr);
}

TEST(GeneratedForm, SizeChangedByTheCreationRoutineRaisesResizeEvent)
{
    WModelessDialog form;
    EventProbe grow([&](WObject*, WEventData*) {
        SetWindowPos(form.GetHandle(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
        return false;
    });
    grow.Listen(form, CreateEvent);
    CountingProbe resizes;
    EventProbe countAfterCreation([&](WObject*, WEventData* data) {
        // Only the resize that follows the creation routine counts here.
        if (static_cast<WMessageEventData*>(data)->message == WM_INITDIALOG)
            ++resizes.count;
        return false;
    });
    countAfterCreation.Listen(form, ResizeEvent);
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Brasselwald", WModuleHandle()));
    EXPECT_EQ(resizes.count, 1);
}

}  // namespace
