#include "WFont.h"

#include <cstdio>
#include <map>
#include <string>

namespace {

// The screen's resolution stays what it was when the process started.
int32_t DesktopDotsPerInch()
{
    static const int32_t dotsPerInch = [] {
        HDC desktop = GetDC(nullptr);
        const int32_t desktopDotsPerInch = GetDeviceCaps(desktop, LOGPIXELSY);
        ReleaseDC(nullptr, desktop);
        return desktopDotsPerInch;
    }();
    return dotsPerInch;
}

std::shared_ptr<HFONT__> OwnedFont(HFONT font)
{
    return std::shared_ptr<HFONT__>(font, [](HFONT owned) { DeleteObject(owned); });
}

// Every form names its font, mostly the same one: the fonts made alike share
// one host font for as long as any of them is kept. The entries of fonts let
// go are dropped whenever a font is made, so that the map holds no more
// entries than fonts are in use.
std::shared_ptr<HFONT__> SharedFont(const LOGFONTA& logical)
{
    static SRWLOCK lock = SRWLOCK_INIT;
    // Never destroyed: fonts may be let go by objects that outlive the other globals.
    static auto* const fonts = new std::map<std::string, std::weak_ptr<HFONT__>>;
    const std::string key(reinterpret_cast<const char*>(&logical), sizeof logical);
    AcquireSRWLockExclusive(&lock);
    std::shared_ptr<HFONT__> font = (*fonts)[key].lock();
    if (!font) {
        std::erase_if(*fonts, [](const auto& entry) { return entry.second.expired(); });
        if (HFONT created = CreateFontIndirectA(&logical)) {
            font = OwnedFont(created);
            (*fonts)[key] = font;
        }
    }
    ReleaseSRWLockExclusive(&lock);
    return font;
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
    // The sign goes into the factor: the host's multiply-divide works in 64
    // bits, where even the lowest height turns positive.
    if (logical.lfHeight < 0)
        description.pointSize = MulDiv(logical.lfHeight, -72, DesktopDotsPerInch());
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

// The dialog manager makes a template's font in proof quality, the framework
// in default quality; both leave the smoothing to the system and pick a
// bitmap face's own size where it has one, so their text looks the same.
bool SameLook(BYTE firstQuality, BYTE secondQuality)
{
    const auto leftToTheSystem = [](BYTE quality) {
        return quality == DEFAULT_QUALITY || quality == PROOF_QUALITY;
    };
    return firstQuality == secondQuality || (leftToTheSystem(firstQuality) && leftToTheSystem(secondQuality));
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
    handle = SharedFont(LogicalFont(wanted));
    return handle != nullptr;
}

bool WFont::IsAlike(HFONT other) const
{
    const HFONT own = GetHandle();
    if (!own || !other || own == other)
        return own == other;
    LOGFONTA first{}, second{};
    if (!GetObjectA(own, sizeof first, &first) || !GetObjectA(other, sizeof second, &second))
        return false;
    return first.lfHeight == second.lfHeight && first.lfWidth == second.lfWidth
           && first.lfEscapement == second.lfEscapement && first.lfOrientation == second.lfOrientation
           && first.lfWeight == second.lfWeight && first.lfItalic == second.lfItalic
           && first.lfUnderline == second.lfUnderline && first.lfStrikeOut == second.lfStrikeOut
           && first.lfCharSet == second.lfCharSet && first.lfOutPrecision == second.lfOutPrecision
           && first.lfClipPrecision == second.lfClipPrecision && SameLook(first.lfQuality, second.lfQuality)
           && first.lfPitchAndFamily == second.lfPitchAndFamily
           && lstrcmpiA(first.lfFaceName, second.lfFaceName) == 0;
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
