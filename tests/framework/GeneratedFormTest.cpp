// The pattern of the program's designer forms: a generated base class whose
// table of rows the framework works through (create, bind, name, order,
// delete), with the generated routines attached for the base's lifetime, and
// a form class whose handler rows the framework attaches once the controls
// exist.

#include "EventProbe.h"
#include "WCommandButton.h"
#include "WGeneratedRoutines.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WPictureBox.h"
#include "WStatic.h"
#include "WindowDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class SampleFormBase : public WModelessDialog {
public:
    WLabel* label = nullptr;
    WCommandButton* okButton = nullptr;
    WPictureBox* picture = nullptr;

private:
    bool OnCreate(WObject* source, WEventData* data);

    static const WControlRow ControlRows[];
    WGeneratedRoutines<&SampleFormBase::OnCreate> generatedRoutines{this};
};

// Designer order differs from the items' order on purpose.
const WControlRow SampleFormBase::ControlRows[] = {
    WControlRowOf<&SampleFormBase::label>(IDC_BRASSELWALD_LABEL_2, "label_2"),
    WControlRowOf<&SampleFormBase::okButton>(IDC_BRASSELWALD_CB_1, "cb_1"),
    WControlRowOf<&SampleFormBase::picture>(IDC_BRASSELWALD_PICTB_1, "pictb_1"),
};

bool SampleFormBase::OnCreate(WObject*, WEventData*)
{
    KeepInsideWorkArea();
    CreateControls(ControlRows, "Sample");
    BindControls();
    return FinishCreation();
}

class SampleForm : public SampleFormBase {
    W_DECLARE_HANDLER_ROWS()
public:
    int destroyed = 0;

private:
    bool OnOk(WObject*, WEventData*)
    {
        Close();
        return false;
    }

    bool OnDestroy(WObject*, WEventData*)
    {
        ++destroyed;
        return false;
    }
};

const std::vector<WHandlerRow> SampleForm::handlerRows = {
    WHandlerRowOf<&SampleForm::OnOk, &SampleForm::okButton>(ClickEvent),
    WHandlerRowOf<&SampleForm::OnDestroy>(DestroyEvent),
};

// The children of the form in tab order, among them only the ones given.
std::vector<HWND> InTabOrder(HWND form, const std::vector<HWND>& among)
{
    std::vector<HWND> order;
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (std::find(among.begin(), among.end(), child) != among.end())
            order.push_back(child);
    }
    return order;
}

TEST(GeneratedForm, TheTableMakesBindsNamesAndOrdersTheControls)
{
    SampleForm form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Brasselwald", WModuleHandle()));
    ASSERT_NE(form.okButton, nullptr);
    EXPECT_EQ(form.okButton->GetHandle(), GetDlgItem(form.GetHandle(), IDC_BRASSELWALD_CB_1));
    EXPECT_EQ(form.label->GetHandle(), GetDlgItem(form.GetHandle(), IDC_BRASSELWALD_LABEL_2));
    EXPECT_STREQ(form.okButton->GetText().GetText(), "&Ok");
    EXPECT_STREQ(form.label->GetName().GetText(), "label_2");
    EXPECT_STREQ(form.picture->GetName().GetText(), "pictb_1");
    EXPECT_STREQ(form.GetName().GetText(), "Sample");
    EXPECT_STREQ(form.okButton->GetFont().GetDescription().GetText(), "8.MS Sans Serif");
    const std::vector<HWND> designerOrder = {form.label->GetHandle(), form.okButton->GetHandle(),
                                             form.picture->GetHandle()};
    EXPECT_EQ(InTabOrder(form.GetHandle(), designerOrder), designerOrder);
    EXPECT_TRUE(IsWindowVisible(form.GetHandle()));
}

TEST(GeneratedForm, ClickClosesAndTheCleanUpDeletesTheControls)
{
    SampleForm form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Brasselwald", WModuleHandle()));
    ClickWindow(form.okButton->GetHandle());
    ASSERT_TRUE(PumpMessagesUntil([&] { return form.GetHandle() == nullptr; }));
    EXPECT_EQ(form.destroyed, 1);
    EXPECT_EQ(form.okButton, nullptr);
    EXPECT_EQ(form.label, nullptr);
    EXPECT_EQ(form.picture, nullptr);
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
