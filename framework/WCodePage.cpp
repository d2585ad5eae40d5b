#include "WCodePage.h"

namespace {

bool ProcessCodePageIsDoubleByte()
{
    static const bool doubleByte = WIsDoubleByteCodePage(CP_ACP);
    return doubleByte;
}

// Single-byte code pages take the short way: one byte, one character.
bool CountsBytes(UINT codePage)
{
    return codePage == CP_ACP ? !ProcessCodePageIsDoubleByte() : !WIsDoubleByteCodePage(codePage);
}

}  // namespace

bool WIsDoubleByteCodePage(UINT codePage)
{
    CPINFO info;
    return GetCPInfo(codePage, &info) && info.MaxCharSize == 2;
}

int32_t WCharacterBytes(const char* text, int32_t remaining, UINT codePage)
{
    if (remaining >= 2 && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(*text)) && text[1] != '\0')
        return 2;
    return 1;
}

int32_t WCharacterCount(const char* text, int32_t bytes, UINT codePage)
{
    if (CountsBytes(codePage))
        return bytes;
    int32_t characters = 0;
    for (int32_t offset = 0; offset < bytes; ++characters)
        offset += WCharacterBytes(text + offset, bytes - offset, codePage);
    return characters;
}

int32_t WCharacterOffset(const char* text, int32_t bytes, int32_t characters, UINT codePage)
{
    if (characters <= 0)
        return 0;
    if (CountsBytes(codePage))
        return characters < bytes ? characters : bytes;
    int32_t offset = 0;
    for (int32_t index = 0; index < characters && offset < bytes; ++index)
        offset += WCharacterBytes(text + offset, bytes - offset, codePage);
    return offset;
}

int32_t WWideCharacterUnits(const wchar_t* text, int32_t remaining)
{
    if (remaining >= 2 && IS_HIGH_SURROGATE(text[0]) && IS_LOW_SURROGATE(text[1]))
        return 2;
    return 1;
}

int32_t WWideCharacterCount(const wchar_t* text, int32_t units)
{
    int32_t characters = 0;
    for (int32_t offset = 0; offset < units; ++characters)
        offset += WWideCharacterUnits(text + offset, units - offset);
    return characters;
}

int32_t WWideCharacterOffset(const wchar_t* text, int32_t units, int32_t characters)
{
    int32_t offset = 0;
    for (int32_t index = 0; index < characters && offset < units; ++index)
        offset += WWideCharacterUnits(text + offset, units - offset);
    return offset;
}

std::wstring WWideFromNarrow(const char* text, int32_t bytes)
{
    if (bytes <= 0)
        return std::wstring();
    const int units = MultiByteToWideChar(CP_ACP, 0, text, bytes, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0)
        MultiByteToWideChar(CP_ACP, 0, text, bytes, wide.data(), units);
    return wide;
}

std::string WNarrowFromWide(const wchar_t* text, int32_t units)
{
    if (units <= 0)
        return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, units, nullptr, 0, "?", nullptr);
    std::string narrow(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, units, narrow.data(), bytes, "?", nullptr);
    return narrow;
}
