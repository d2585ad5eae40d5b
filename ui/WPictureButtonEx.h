#pragma once
// A push button that shows an icon and, beside it, its caption. The host draws
// the button with its icon as usual; afterwards this class paints the caption
// into the part of the button the icon leaves free. It follows the button's
// pressed state and focus, so the caption moves with the pressed look.
//
// Where the caption goes is pure arithmetic (LayOutCaption and its helpers),
// kept apart from the drawing so that it can be checked without a window.

#include "WPictureButton.h"

class WPictureButtonEx : public WPictureButton {
    W_DECLARE_CLASS(WPictureButtonEx, WPictureButton)
public:
    static constexpr UINT DefaultTextFormat = DT_SINGLELINE | DT_VCENTER;
    static_assert(DefaultTextFormat == 36);

    // A rectangle as position and size, the form the layout is written in.
    struct Box {
        int32_t x = 0;
        int32_t y = 0;
        int32_t width = 0;
        int32_t height = 0;
        bool operator==(const Box&) const = default;
    };
    struct Margins {
        int32_t left = 0;
        int32_t top = 0;
        int32_t right = 0;
        int32_t bottom = 0;
    };
    struct LayoutInput {
        Box client;
        int32_t iconWidth = 0;
        int32_t iconHeight = 0;
        DWORD style = 0;
        bool focused = false;
        bool pressed = false;
        bool captionBesideIcon = true;
    };
    struct Layout {
        Box area;                  // where the caption goes
        bool excludeIcon = false;  // centred both ways: the icon is kept free instead
        Box iconRectangle;
    };

    // The caption area placed against the icon.
    static Layout LayOutCaption(const LayoutInput& input);
    // The area the highlight fills: one pixel right and down while pressed.
    static Box HighlightArea(const Box& area, bool pressed);
    // A multi-line caption of the measured height, centred or put to the bottom of the area.
    static Box FitMeasuredText(const Box& area, int32_t textHeight, UINT textFormat);
    // The rectangle the caption is finally drawn into.
    static Box TextArea(const Box& area, bool pressed, const Margins& margins);

    bool SetIcon(const WIcon& icon) override;
    bool SetText(const WString& text) override;
    void SetCaptionBesideIcon(bool besideIcon);
    void SetHighlight(bool on);
    void SetMargins(const Margins& newMargins);
    bool IsPressed() const { return pressed; }
    bool IsFocused() const { return focused; }

    using WPictureButton::SetIcon;

protected:
    void MessageProcessed(const Message& message) override;

private:
    void DrawCaption();

    int32_t iconWidth = 0;
    int32_t iconHeight = 0;
    UINT textFormat = DefaultTextFormat;
    Margins margins;
    bool pressed = false;
    bool focused = false;
    bool captionBesideIcon = true;
    bool highlight = false;
};
