#include "WPictureButtonEx.h"

namespace {

constexpr COLORREF HighlightColour = RGB(255, 220, 220);

RECT RectangleOf(const WPictureButtonEx::Box& box)
{
    return RECT{box.x, box.y, box.x + box.width, box.y + box.height};
}

WPictureButtonEx::Box BoxOf(const RECT& rectangle)
{
    return {rectangle.left, rectangle.top, rectangle.right - rectangle.left, rectangle.bottom - rectangle.top};
}

}  // namespace

WPictureButtonEx::Layout WPictureButtonEx::LayOutCaption(const LayoutInput& input)
{
    const Box& client = input.client;
    Layout layout;
    Box area{client.x + 5, client.y + 5, client.width - 10, client.height - 10};
    const DWORD horizontal = input.style & BS_CENTER;
    const DWORD vertical = input.style & BS_VCENTER;
    const bool leftAligned = horizontal == BS_LEFT;

    if (horizontal == BS_CENTER && vertical == BS_VCENTER) {
        const int32_t released = input.pressed ? 0 : 1;
        layout.excludeIcon = true;
        layout.iconRectangle = {client.x + (client.width - input.iconWidth) / 2 - released,
                                client.y + (client.height - input.iconHeight) / 2 - released,
                                input.iconWidth + 2, input.iconHeight + 2};
        layout.area = area;
        return layout;
    }

    const int32_t unfocused = input.focused ? 0 : 1;
    if (vertical == BS_VCENTER) {
        const int32_t shift = input.iconWidth - unfocused;
        if (leftAligned)
            area.x += shift;
        area.width -= shift;
        if (input.captionBesideIcon) {
            area.y = client.y + (client.height - input.iconHeight) / 2 - 1;
            area.height = input.iconHeight + 2;
        }
    } else if (input.captionBesideIcon || horizontal == BS_CENTER) {
        const int32_t shift = input.iconHeight - 1 - unfocused;
        if (vertical == BS_TOP)
            area.y += shift;
        area.height -= shift;
    } else {
        const int32_t shift = input.iconWidth - unfocused;
        if (leftAligned)
            area.x += shift;
        area.width -= shift;
    }
    layout.area = area;
    return layout;
}

WPictureButtonEx::Box WPictureButtonEx::HighlightArea(const Box& area, bool pressed)
{
    const int32_t offset = pressed ? 1 : 0;
    return {area.x + offset, area.y + offset, area.width, area.height};
}

WPictureButtonEx::Box WPictureButtonEx::FitMeasuredText(const Box& area, int32_t textHeight, UINT format)
{
    if (textHeight >= area.height)
        return area;
    Box fitted = area;
    if (format & DT_VCENTER)
        fitted.y += (area.height - textHeight) / 2;
    else if (format & DT_BOTTOM)
        fitted.y += area.height - textHeight;
    fitted.height = textHeight;
    return fitted;
}

WPictureButtonEx::Box WPictureButtonEx::TextArea(const Box& area, bool pressed, const Margins& margins)
{
    const int32_t offset = pressed ? 1 : 0;
    return {area.x + offset + margins.left, area.y + offset + margins.top,
            area.width - margins.left - margins.right - 1, area.height - margins.top - margins.bottom - 1};
}

bool WPictureButtonEx::SetIcon(const WIcon& icon)
{
    iconWidth = icon.IsEmpty() ? 0 : icon.GetWidth();
    iconHeight = icon.IsEmpty() ? 0 : icon.GetHeight();
    return WPictureButton::SetIcon(icon);
}

bool WPictureButtonEx::SetText(const WString& text)
{
    captionBesideIcon = true;
    textFormat = DefaultTextFormat;
    const bool set = WPictureButton::SetText(text);
    DrawCaption();
    return set;
}

void WPictureButtonEx::SetCaptionBesideIcon(bool besideIcon)
{
    if (besideIcon == captionBesideIcon)
        return;
    captionBesideIcon = besideIcon;
    Invalidate(true);
}

void WPictureButtonEx::SetHighlight(bool on)
{
    highlight = on;
    Invalidate(true);
}

void WPictureButtonEx::SetMargins(const Margins& newMargins)
{
    margins = newMargins;
    Invalidate(true);
}

void WPictureButtonEx::MessageProcessed(const Message& message)
{
    switch (message.message) {
    case WM_SETFOCUS:
        focused = true;
        break;
    case WM_KILLFOCUS:
        focused = false;
        break;
    case BM_SETSTATE:
        pressed = message.wParam != 0;
        DrawCaption();
        break;
    case WM_PAINT:
        DrawCaption();
        break;
    default:
        break;
    }
}

// A hidden button shows nothing drawn now; it is drawn when it is painted on
// showing.
void WPictureButtonEx::DrawCaption()
{
    HWND window = GetHandle();
    if (!window || !IsWindowVisible(window))
        return;
    const WString caption = GetText();
    const DWORD style = GetStyle();
    if (caption.IsEmpty() || !(style & (BS_ICON | BS_BITMAP)) || iconWidth <= 0 || iconHeight <= 0)
        return;

    RECT client{};
    GetClientRect(window, &client);
    const Layout layout =
        LayOutCaption({BoxOf(client), iconWidth, iconHeight, style, focused, pressed, captionBesideIcon});
    HDC dc = GetDC(window);
    if (layout.excludeIcon) {
        const RECT icon = RectangleOf(layout.iconRectangle);
        ExcludeClipRect(dc, icon.left, icon.top, icon.right, icon.bottom);
    }
    HGDIOBJ previousFont = SelectObject(dc, reinterpret_cast<HFONT>(Send(WM_GETFONT)));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);

    if (highlight) {
        const RECT fill = RectangleOf(HighlightArea(layout.area, pressed));
        HBRUSH brush = CreateSolidBrush(HighlightColour);
        FillRect(dc, &fill, brush);
        DeleteObject(brush);
    }
    Box area = layout.area;
    if (!(textFormat & DT_SINGLELINE)) {
        RECT measured = RectangleOf(area);
        DrawTextA(dc, caption.GetText(), -1, &measured, textFormat | DT_CALCRECT);
        area = FitMeasuredText(area, measured.bottom - measured.top, textFormat);
    }
    RECT text = RectangleOf(TextArea(area, pressed, margins));
    DrawTextA(dc, caption.GetText(), -1, &text, textFormat);

    SelectObject(dc, previousFont);
    ReleaseDC(window, dc);
}
