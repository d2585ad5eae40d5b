// The picture button with caption: where the caption goes, and what it draws
// on a real button.

#include "Screenshot.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WPictureButtonEx.h"
#include "WindowDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Box = WPictureButtonEx::Box;
using LayoutInput = WPictureButtonEx::LayoutInput;

constexpr DWORD LeftCentred = BS_ICON | BS_LEFT | BS_VCENTER;

struct LayoutCase {
    const char* name;
    LayoutInput input;
    Box expectedArea;
};

class CaptionLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(CaptionLayout, PlacesTheCaptionAgainstTheIcon)
{
    const WPictureButtonEx::Layout layout = WPictureButtonEx::LayOutCaption(GetParam().input);
    EXPECT_FALSE(layout.excludeIcon);
    EXPECT_EQ(layout.area, GetParam().expectedArea);
}

// Client 351 x 41 is the transfer button, 150 x 25 the clear-errors button.
INSTANTIATE_TEST_SUITE_P(
    Styles, CaptionLayout,
    ::testing::Values(
        LayoutCase{"LeftCentredBesideIcon",
                   {{0, 0, 351, 41}, 48, 48, LeftCentred, false, false, true},
                   {52, -4, 294, 50}},
        LayoutCase{
            "LeftCentredFocused", {{0, 0, 351, 41}, 48, 48, LeftCentred, true, false, true}, {53, -4, 293, 50}},
        LayoutCase{"LeftCentredSmallIcon",
                   {{0, 0, 150, 25}, 32, 32, LeftCentred, false, true, true},
                   {36, -4, 109, 34}},
        LayoutCase{"LeftCentredWithoutBand",
                   {{0, 0, 150, 40}, 16, 16, LeftCentred, false, false, false},
                   {20, 5, 125, 30}},
        LayoutCase{"RightCentredOnlyShrinks",
                   {{0, 0, 150, 40}, 16, 16, BS_ICON | BS_RIGHT | BS_VCENTER, false, false, false},
                   {5, 5, 125, 30}},
        LayoutCase{"TopCaptionBelowIcon",
                   {{0, 0, 100, 80}, 32, 32, BS_ICON | BS_CENTER | BS_TOP, false, false, false},
                   {5, 35, 90, 40}},
        LayoutCase{"TopCaptionBelowIconFocused",
                   {{0, 0, 100, 80}, 32, 32, BS_ICON | BS_CENTER | BS_TOP, true, false, false},
                   {5, 36, 90, 39}},
        LayoutCase{"BottomBesideIconOnlyShrinks",
                   {{0, 0, 100, 80}, 32, 32, BS_ICON | BS_LEFT | BS_BOTTOM, false, false, true},
                   {5, 5, 90, 40}},
        LayoutCase{"LeftTopWithoutBand",
                   {{0, 0, 100, 80}, 32, 32, BS_ICON | BS_LEFT | BS_TOP, false, false, false},
                   {36, 5, 59, 70}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST(CaptionLayoutCentred, CentredBothWaysKeepsTheIconFreeInsteadOfMovingTheCaption)
{
    LayoutInput input{{0, 0, 100, 60}, 32, 32, BS_ICON | BS_CENTER | BS_VCENTER, false, false, true};
    WPictureButtonEx::Layout layout = WPictureButtonEx::LayOutCaption(input);
    EXPECT_TRUE(layout.excludeIcon);
    EXPECT_EQ(layout.area, (Box{5, 5, 90, 50}));
    EXPECT_EQ(layout.iconRectangle, (Box{33, 13, 34, 34}));
    input.pressed = true;
    EXPECT_EQ(WPictureButtonEx::LayOutCaption(input).iconRectangle, (Box{34, 14, 34, 34}));
}

TEST(CaptionLayoutText, PressedMovesTheTextOnePixelRightAndDown)
{
    const Box area{52, -4, 294, 50};
    EXPECT_EQ(WPictureButtonEx::TextArea(area, false, {}), (Box{52, -4, 293, 49}));
    EXPECT_EQ(WPictureButtonEx::TextArea(area, true, {}), (Box{53, -3, 293, 49}));
    EXPECT_EQ(WPictureButtonEx::HighlightArea(area, true), (Box{53, -3, 294, 50}));
}

TEST(CaptionLayoutText, MarginsMoveTheEdgesInwards)
{
    EXPECT_EQ(WPictureButtonEx::TextArea({10, 10, 100, 30}, false, {2, 3, 4, 5}), (Box{12, 13, 93, 21}));
}

TEST(CaptionLayoutText, LowerMultiLineTextIsCentredOrPutToTheBottom)
{
    const Box area{0, 10, 100, 40};
    EXPECT_EQ(WPictureButtonEx::FitMeasuredText(area, 20, DT_VCENTER), (Box{0, 20, 100, 20}));
    EXPECT_EQ(WPictureButtonEx::FitMeasuredText(area, 20, DT_BOTTOM), (Box{0, 30, 100, 20}));
    EXPECT_EQ(WPictureButtonEx::FitMeasuredText(area, 20, DT_TOP), (Box{0, 10, 100, 20}));
    EXPECT_EQ(WPictureButtonEx::FitMeasuredText(area, 60, DT_VCENTER), area);
}

// The transfer button of the main form's template, with its 48 x 48 icon.
class CaptionOnButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
        ASSERT_TRUE(icon.Load(IDI_PLUG_APART, WModuleHandle(), 48, 48));
        // The focus rectangle would draw dark dots into the caption's band.
        SetFocus(form.GetHandle());
    }

    bool Bind(WPictureButton& button)
    {
        if (!button.LoadWindow(&form, IDC_TARVEK_CONNECT, WModuleHandle()))
            return false;
        PumpWaitingMessages();
        return true;
    }

    // Bounding box of the dark pixels right of the icon: the caption's glyphs.
    static std::optional<RECT> CaptionPixels(HWND button)
    {
        UpdateWindow(button);
        PumpWaitingMessages();
        const Image image = CaptureClientArea(button);
        std::optional<RECT> found;
        for (int y = 6; y < image.height - 6; ++y) {
            for (int x = 5 + 48 + 2; x < image.width - 6; ++x) {
                const uint32_t pixel = image.At(x, y);
                const auto brightness =
                    static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF));
                if (brightness > 3 * 96)
                    continue;
                if (!found)
                    found = RECT{x, y, x, y};
                found->left = std::min<LONG>(found->left, x);
                found->top = std::min<LONG>(found->top, y);
                found->right = std::max<LONG>(found->right, x);
                found->bottom = std::max<LONG>(found->bottom, y);
            }
        }
        return found;
    }

    WModelessDialog form;
    WIcon icon;
};

TEST_F(CaptionOnButton, PressedCaptionIsDrawnOnePixelRightAndDown)
{
    WPictureButtonEx button;
    ASSERT_TRUE(Bind(button));
    button.SetIcon(icon);
    const std::optional<RECT> released = CaptionPixels(button.GetHandle());
    ASSERT_TRUE(released.has_value());

    button.SetState(true);
    EXPECT_TRUE(button.IsPressed());
    const std::optional<RECT> pressed = CaptionPixels(button.GetHandle());
    ASSERT_TRUE(pressed.has_value());
    EXPECT_EQ(pressed->left, released->left + 1);
    EXPECT_EQ(pressed->top, released->top + 1);
    EXPECT_EQ(pressed->right, released->right + 1);
    EXPECT_EQ(pressed->bottom, released->bottom + 1);

    button.SetState(false);
    const std::optional<RECT> again = CaptionPixels(button.GetHandle());
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->left, released->left);
    EXPECT_EQ(again->top, released->top);
}

TEST_F(CaptionOnButton, SetTextDrawsTheNewCaptionAtOnce)
{
    WPictureButtonEx button;
    ASSERT_TRUE(Bind(button));
    button.SetIcon(icon);
    const std::optional<RECT> before = CaptionPixels(button.GetHandle());
    ASSERT_TRUE(before.has_value());
    button.SetText("     Ü");
    const std::optional<RECT> after = CaptionPixels(button.GetHandle());
    ASSERT_TRUE(after.has_value());
    EXPECT_LT(after->right - after->left, before->right - before->left);
}

TEST_F(CaptionOnButton, WithoutIconNoCaptionIsDrawn)
{
    WPictureButtonEx button;
    ASSERT_TRUE(Bind(button));
    EXPECT_FALSE(CaptionPixels(button.GetHandle()).has_value());
}

TEST_F(CaptionOnButton, WithEmptyCaptionItLooksLikeAPlainPictureButton)
{
    Image plainLook;
    {
        WPictureButton plain;
        ASSERT_TRUE(Bind(plain));
        plain.SetText("");
        plain.SetIcon(icon);
        UpdateWindow(plain.GetHandle());
        PumpWaitingMessages();
        plainLook = CaptureClientArea(plain.GetHandle());
    }
    WPictureButtonEx button;
    ASSERT_TRUE(Bind(button));
    button.SetIcon(icon);
    button.SetText("");
    UpdateWindow(button.GetHandle());
    PumpWaitingMessages();
    const Image ownLook = CaptureClientArea(button.GetHandle());
    EXPECT_EQ(ownLook.pixels, plainLook.pixels);
}

}  // namespace
