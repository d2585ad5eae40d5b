#pragma once
// Character steps through text, and the conversions between the process code
// page and wide text. In a double-byte code page a lead byte and the byte after
// it form one character, in wide text a surrogate pair does; positions and
// lengths that WString reports count such a pair once. The process code page
// is CP_ACP; the code page is a parameter so that the rules can be checked with
// any of them.

#include "WObject.h"

#include <string>

bool WIsDoubleByteCodePage(UINT codePage);
// Bytes of the character at `text` (1 or 2), never more than `remaining`.
int32_t WCharacterBytes(const char* text, int32_t remaining, UINT codePage);
int32_t WCharacterCount(const char* text, int32_t bytes, UINT codePage);
// Byte offset of the character with the given index, clipped to `bytes`.
int32_t WCharacterOffset(const char* text, int32_t bytes, int32_t characters, UINT codePage);

// 16-bit units of the character at `text` (1 or 2), never more than `remaining`.
int32_t WWideCharacterUnits(const wchar_t* text, int32_t remaining);
int32_t WWideCharacterCount(const wchar_t* text, int32_t units);
// Unit offset of the character with the given index, clipped to `units`.
int32_t WWideCharacterOffset(const wchar_t* text, int32_t units, int32_t characters);

// Text of the process code page as wide text, and back; a character the code
// page lacks becomes '?' (never a look-alike, so that no digit or separator
// appears that was not there).
std::wstring WWideFromNarrow(const char* text, int32_t bytes);
std::string WNarrowFromWide(const wchar_t* text, int32_t units);
