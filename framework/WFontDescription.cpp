#include "WFontDescription.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool IsSeparator(char c)
{
    return c == '.' || c == ',';
}

// Skips a double-byte character as a pair, so that a trail byte that happens to
// be a dot or comma does not end the face name.
const char* NextCharacter(const char* p)
{
    if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0')
        return p + 2;
    return p + 1;
}

// Copies [begin, end) into target, without surrounding blanks, cut to capacity - 1.
void CopyTrimmed(const char* begin, const char* end, char* target, size_t capacity)
{
    while (begin < end && *begin == ' ')
        ++begin;
    while (end > begin && end[-1] == ' ')
        --end;
    size_t length = static_cast<size_t>(end - begin);
    if (length > capacity - 1)
        length = capacity - 1;
    std::memcpy(target, begin, length);
    target[length] = '\0';
}

struct StockFontName {
    const char* name;
    int32_t object;
};

constexpr StockFontName StockFontNames[] = {
    {"OEMFixed", OEM_FIXED_FONT},
    {"AnsiFixed", ANSI_FIXED_FONT},
    {"Ansi", ANSI_VAR_FONT},
    {"System", SYSTEM_FONT},
    {"DeviceDefault", DEVICE_DEFAULT_FONT},
    {"SystemFixed", SYSTEM_FIXED_FONT},
    {"DefaultGUI", DEFAULT_GUI_FONT},
};

// Reads the decimal digits at p; false when they stand for more than a
// 32-bit integer holds.
bool ReadPointSize(const char*& p, int32_t& value)
{
    int64_t read = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
        read = read * 10 + (*p - '0');
        if (read > INT32_MAX)
            return false;
    }
    value = static_cast<int32_t>(read);
    return true;
}

// The value of a "word=value" part, held within the 32-bit range.
int32_t PartNumber(const char* value)
{
    const long long number = std::strtoll(value, nullptr, 10);
    return static_cast<int32_t>(number < INT32_MIN ? INT32_MIN : number > INT32_MAX ? INT32_MAX : number);
}

void ApplyPart(const char* word, const char* value, WFontDescription& description)
{
    const int32_t number = value ? PartNumber(value) : 0;
    if (_stricmp(word, "Italic") == 0)
        description.italic = true;
    else if (_stricmp(word, "Underline") == 0)
        description.underline = true;
    else if (_stricmp(word, "StrikeOut") == 0)
        description.strikeOut = true;
    else if (_stricmp(word, "Weight") == 0 && value)
        description.weight = number;
    else if (_stricmp(word, "CharSet") == 0 && value)
        description.charSet = number;
    else if (_stricmp(word, "Height") == 0 && value)
        description.pixelHeight = number;
    else if (_stricmp(word, "Width") == 0 && value)
        description.pixelWidth = number;
}

// Reads one "word" or "word=value" part from [begin, end).
void ParsePart(const char* begin, const char* end, WFontDescription& description)
{
    char part[64];
    CopyTrimmed(begin, end, part, sizeof part);
    char* equals = std::strchr(part, '=');
    const char* value = nullptr;
    if (equals) {
        *equals = '\0';
        value = equals + 1;
        CopyTrimmed(part, equals, part, sizeof part);
    }
    ApplyPart(part, value, description);
}

}  // namespace

bool ParseFontDescription(const char* text, WFontDescription& description)
{
    description = WFontDescription{};
    if (!text)
        return false;
    const char* p = text;
    while (*p == ' ')
        ++p;
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return false;
    int32_t points = 0;
    if (!ReadPointSize(p, points) || !IsSeparator(*p))
        return false;
    description.pointSize = points;

    const char* faceBegin = ++p;
    while (*p && !IsSeparator(*p))
        p = NextCharacter(p);
    CopyTrimmed(faceBegin, p, description.face, sizeof description.face);
    if (description.face[0] == '\0')
        return false;

    while (*p) {
        const char* partBegin = ++p;
        while (*p && !IsSeparator(*p))
            p = NextCharacter(p);
        ParsePart(partBegin, p, description);
    }
    return true;
}

WString FormatFontDescription(const WFontDescription& description)
{
    std::string text = std::to_string(description.pointSize) + "." + description.face;
    auto appendNumber = [&text](const char* part, int32_t value) {
        text += part;
        text += std::to_string(value);
    };
    if (description.pointSize == 0 && description.pixelHeight != 0) {
        appendNumber(".Height=", description.pixelHeight);
        appendNumber(".Width =", description.pixelWidth);
    }
    if (description.weight != 0 && description.weight != FW_NORMAL)
        appendNumber(".Weight=", description.weight);
    if (description.italic)
        text += ".Italic";
    if (description.underline)
        text += ".Underline";
    if (description.strikeOut)
        text += ".Strikeout";
    if (description.charSet != DEFAULT_CHARSET)
        appendNumber(".CharSet=", description.charSet);
    return WString(text.c_str());
}

int32_t StockFontObject(const char* face)
{
    for (const StockFontName& stock : StockFontNames) {
        if (_stricmp(face, stock.name) == 0)
            return stock.object;
    }
    return -1;
}

int32_t FontHeightFromPoints(int32_t pointSize, int32_t dotsPerInch)
{
    return -MulDiv(pointSize, dotsPerInch, 72);
}
