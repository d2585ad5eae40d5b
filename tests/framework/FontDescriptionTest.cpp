// Font descriptions: reading and writing the text form, and the host fonts made from it.

#include "WFont.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

WFontDescription Parsed(const char* text)
{
    WFontDescription description;
    EXPECT_TRUE(ParseFontDescription(text, description)) << text;
    return description;
}

TEST(FontDescription, PointSizeAndFace)
{
    const WFontDescription font = Parsed("8.MS Sans Serif");
    EXPECT_EQ(font.pointSize, 8);
    EXPECT_STREQ(font.face, "MS Sans Serif");
    EXPECT_EQ(font.weight, 0);
    EXPECT_FALSE(font.italic || font.underline || font.strikeOut);
    EXPECT_EQ(font.charSet, DEFAULT_CHARSET);
}

TEST(FontDescription, LeadingBlanksAndCommaSeparators)
{
    const WFontDescription font = Parsed("  10,Arial,Italic,Weight=700");
    EXPECT_EQ(font.pointSize, 10);
    EXPECT_STREQ(font.face, "Arial");
    EXPECT_TRUE(font.italic);
    EXPECT_EQ(font.weight, 700);
}

TEST(FontDescription, OptionalParts)
{
    const WFontDescription font = Parsed("9.Courier New.Underline.Strikeout.CharSet=238");
    EXPECT_TRUE(font.underline);
    EXPECT_TRUE(font.strikeOut);
    EXPECT_EQ(font.charSet, 238);
    EXPECT_TRUE(Parsed("9.Courier New.StrikeOut").strikeOut);
}

TEST(FontDescription, FaceIsCutTo31Characters)
{
    const std::string longFace(40, 'x');
    const WFontDescription font = Parsed(("8." + longFace).c_str());
    EXPECT_EQ(std::string(font.face), longFace.substr(0, 31));
}

TEST(FontDescription, TextWithoutSizeOrFaceOrWithAnOverlongSizeIsRefused)
{
    WFontDescription font;
    for (const char* text :
         {"", "MS Sans Serif", "8", "8.", "8 MS Sans Serif", "2147483648.Arial", "99999999999999999999.Arial"})
        EXPECT_FALSE(ParseFontDescription(text, font)) << '"' << text << '"';
    ASSERT_TRUE(ParseFontDescription("2147483647.Arial.Weight=99999999999", font));
    EXPECT_EQ(font.pointSize, INT32_MAX);
    EXPECT_EQ(font.weight, INT32_MAX);
}

TEST(FontDescription, WrittenFormReadsBackTheSame)
{
    for (const char* text :
         {"8.MS Sans Serif", "10.Arial.Weight=700.Italic", "9.Courier New.Underline.Strikeout.CharSet=238"}) {
        EXPECT_STREQ(FormatFontDescription(Parsed(text)).GetText(), text);
    }
}

TEST(FontDescription, StockFontNamesMapToStockObjects)
{
    EXPECT_EQ(StockFontObject("OEMFixed"), 10);
    EXPECT_EQ(StockFontObject("SystemFixed"), 16);
    EXPECT_EQ(StockFontObject("DefaultGUI"), 17);
    EXPECT_EQ(StockFontObject("DefaultPalette"), -1);
    EXPECT_EQ(StockFontObject("MS Sans Serif"), -1);
}

TEST(FontDescription, CharacterHeightFromPointsRoundsLikeTheHost)
{
    EXPECT_EQ(FontHeightFromPoints(8, 96), -11);
    EXPECT_EQ(FontHeightFromPoints(8, 120), -13);
    EXPECT_EQ(FontHeightFromPoints(10, 72), -10);
}

TEST(Font, DescriptionMakesAnEightPointFont)
{
    const WFont font("8.MS Sans Serif");
    ASSERT_FALSE(font.IsEmpty());
    LOGFONTA logical{};
    ASSERT_TRUE(GetObjectA(font.GetHandle(), sizeof logical, &logical));
    HDC desktop = GetDC(nullptr);
    EXPECT_EQ(logical.lfHeight, -MulDiv(8, GetDeviceCaps(desktop, LOGPIXELSY), 72));
    ReleaseDC(nullptr, desktop);
    EXPECT_STREQ(logical.lfFaceName, "MS Sans Serif");
}

TEST(Font, PointSizeZeroSelectsTheStockFont)
{
    const WFont font("0.DefaultGUI");
    EXPECT_EQ(font.GetHandle(), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_TRUE(WFont("0.DefaultPalette").IsEmpty());
}

}  // namespace
