#include "WFont.h"

#include <cstdio>

namespace {

int32_t DesktopDotsPerInch()
{
    HDC desktop = GetDC(nullptr);
    const int32_t dotsPerInch = GetDeviceCaps(desktop, LOGPIXELSY);
    ReleaseDC(nullptr, desktop);
    return dotsPerInch;
}

std::shared_ptr<HFONT__> OwnedFont(HFONT font)
{
    return std::shared_ptr<HFONT__>(font, [](HFONT owned) { DeleteObject(owned); });
}

std::shared_ptr<HFONT__> BorrowedFont(HFONT font)
{
    return std::shared_ptr<HFONT__>(font, [](HFONT) {});
}

LOGFONTA LogicalFont(const WFontDescription& description)
{
    LOGFONTA font{};
    if (description.pointSize > 0) {
        font.lfHeight = FontHeightFromPoints(description.pointSize, DesktopDotsPerInch());
    } else {
        font.lfHeight = description.pixelHeight;
        font.lfWidth = description.pixelWidth;
    }
    font.lfWeight = description.weight;
    font.lfItalic = description.italic;
    font.lfUnderline = description.underline;
    font.lfStrikeOut = description.strikeOut;
    font.lfCharSet = static_cast<BYTE>(description.charSet);
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", description.face);
    return font;
}

WFontDescription DescriptionOf(HFONT font)
{
    WFontDescription description;
    LOGFONTA logical{};
    if (!GetObjectA(font, sizeof logical, &logical))
        return description;
    if (logical.lfHeight < 0)
        description.pointSize = MulDiv(-logical.lfHeight, 72, DesktopDotsPerInch());
    else
        description.pixelHeight = logical.lfHeight, description.pixelWidth = logical.lfWidth;
    std::snprintf(description.face, sizeof description.face, "%s", logical.lfFaceName);
    description.weight = logical.lfWeight;
    description.italic = logical.lfItalic != 0;
    description.underline = logical.lfUnderline != 0;
    description.strikeOut = logical.lfStrikeOut != 0;
    description.charSet = logical.lfCharSet;
    return description;
}

}  // namespace

WFont::WFont() = default;

WFont::WFont(const char* description)
{
    Create(description);
}

WFont::WFont(const WFont& other) = default;

WFont& WFont::operator=(const WFont& other) = default;

WFont::~WFont() = default;

bool WFont::Create(const char* text)
{
    WFontDescription parsed;
    if (!ParseFontDescription(text, parsed)) {
        handle.reset();
        description = WFontDescription{};
        return false;
    }
    return Create(parsed);
}

bool WFont::Create(const WFontDescription& wanted)
{
    description = wanted;
    if (wanted.pointSize == 0 && wanted.pixelHeight == 0) {
        const int32_t stock = StockFontObject(wanted.face);
        HFONT font = stock >= 0 ? static_cast<HFONT>(GetStockObject(stock)) : nullptr;
        handle = font ? BorrowedFont(font) : nullptr;
        return font != nullptr;
    }
    const LOGFONTA logical = LogicalFont(wanted);
    HFONT font = CreateFontIndirectA(&logical);
    handle = font ? OwnedFont(font) : nullptr;
    return font != nullptr;
}

WFont WFont::FromHandle(HFONT font)
{
    WFont wrapped;
    if (font) {
        wrapped.handle = BorrowedFont(font);
        wrapped.description = DescriptionOf(font);
    }
    return wrapped;
}
