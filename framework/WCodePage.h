#pragma once
// Character steps through narrow text. In a double-byte code page a lead byte
// and the byte after it form one character; positions and lengths that WString
// reports count such a pair once. The process code page is CP_ACP; the code
// page is a parameter so that the rules can be checked with any of them.

#include "WObject.h"

bool WIsDoubleByteCodePage(UINT codePage);
// Bytes of the character at `text` (1 or 2), never more than `remaining`.
int32_t WCharacterBytes(const char* text, int32_t remaining, UINT codePage);
int32_t WCharacterCount(const char* text, int32_t bytes, UINT codePage);
// Byte offset of the character with the given index, clipped to `bytes`.
int32_t WCharacterOffset(const char* text, int32_t bytes, int32_t characters, UINT codePage);
