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

} // namespace

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
