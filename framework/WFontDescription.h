#pragma once
// Font descriptions: the text form in which forms and controls name their
// fonts, for example "8.MS Sans Serif" or "10.Arial.Weight=700.Italic". The
// point size comes first, then a dot (or comma) and the face name, then further
// parts each introduced by a dot or comma: Italic, Underline, StrikeOut
// (also Strikeout), Weight=n, CharSet=n, and Height=n / Width=n for fonts given
// in pixels. A point size of 0 with the face of a stock font name ("DefaultGUI",
// "AnsiFixed", ...) stands for that stock font.
//
// Reading and writing descriptions is pure text work; turning one into a host
// font is WFont's.

#include "WString.h"

struct WFontDescription {
    static constexpr int32_t MaximumFaceLength = 31;

    int32_t pointSize = 0;
    int32_t pixelHeight = 0;  // only for fonts given in pixels (point size 0)
    int32_t pixelWidth = 0;
    char face[MaximumFaceLength + 1] = "";
    int32_t weight = 0;  // 0: the face's normal weight
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int32_t charSet = DEFAULT_CHARSET;
};

// False when the text has no point size, no separator after it or no face, and
// when the point size is beyond the 32-bit range. Numbers of further parts are
// held within that range.
// A face longer than 31 characters is cut; unknown parts are passed over.
bool ParseFontDescription(const char* text, WFontDescription& description);

// The text form of a description, readable again by ParseFontDescription.
WString FormatFontDescription(const WFontDescription& description);

// The host's stock object number (10 to 17) of a stock font name, -1 for any
// other name. "DefaultPalette" names a stock object that is no font: -1.
int32_t StockFontObject(const char* face);

// The character height the host takes for a point size at the given vertical
// dots per inch (negative: the height of the characters, not of the cell).
int32_t FontHeightFromPoints(int32_t pointSize, int32_t dotsPerInch);
