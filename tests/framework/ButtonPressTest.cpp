// The press and click rule of buttons: LeftButtonDownEvent comes before the
// button's own processing of the press, and a handler that claims it keeps the
// button from being pressed, so no ClickEvent follows.

#include "EventProbe.h"
#include "WButton.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WindowDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

class ButtonPress : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
        ASSERT_TRUE(button.LoadWindow(&form, IDC_TARVEK_CONNECT, WModuleHandle()));
        clicks.Listen(button, ClickEvent);
        presses.Listen(button, LeftButtonDownEvent);
    }

    bool IsPushed() const { return button.GetState(); }

    WModelessDialog form;
    WButton button;
    CountingProbe clicks;
    CountingProbe presses;
};

TEST_F(ButtonPress, ClaimedPressKeepsTheButtonUpAndRaisesNoClick)
{
    presses.answer = true;
    const POINT centre = ClientCentre(button.GetHandle());
    PressLeftButton(button.GetHandle(), centre);
    EXPECT_EQ(presses.count, 1);
    EXPECT_FALSE(IsPushed());
    ReleaseLeftButton(button.GetHandle(), centre);
    EXPECT_FALSE(PumpMessagesUntil([&] { return clicks.count > 0; }, 300));
}

TEST_F(ButtonPress, PressThenReleaseOverTheButtonClicks)
{
    const POINT centre = ClientCentre(button.GetHandle());
    PressLeftButton(button.GetHandle(), centre);
    EXPECT_EQ(presses.count, 1);
    EXPECT_TRUE(IsPushed());
    ReleaseLeftButton(button.GetHandle(), centre);
    EXPECT_TRUE(PumpMessagesUntil([&] { return clicks.count == 1; }));
    EXPECT_FALSE(IsPushed());
}

TEST_F(ButtonPress, ReleaseOutsideTheButtonRaisesNoClick)
{
    PressLeftButton(button.GetHandle(), ClientCentre(button.GetHandle()));
    ASSERT_TRUE(IsPushed());
    ReleaseLeftButton(button.GetHandle(), POINT{-20, -20});
    EXPECT_FALSE(PumpMessagesUntil([&] { return clicks.count > 0; }, 300));
    EXPECT_FALSE(IsPushed());
}

}  // namespace
