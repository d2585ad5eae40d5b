#pragma once
// Text with shared, reference-counted storage. Copying a WString is cheap (the
// storage is shared); changing a string whose storage is shared first gives it a
// copy of its own. Characters are bytes in the process code page; in a
// double-byte code page lengths and positions count characters, a lead byte and
// its trail byte being one.

#include "WArray.h"

#include <cstdarg>

struct WStringReference;

class WString : public WObject {
    W_DECLARE_CLASS(WString, WObject)
public:
    WString();
    WString(const char* text, int32_t length = -1);   // -1: up to the terminating zero
    WString(const WString& other, bool deepCopy = false);
    WString(WString&& other) noexcept;
    ~WString() override;

    WString& operator=(const char* text);
    WString& operator=(const WString& other);
    WString& operator=(WString&& other) noexcept;

    // The characters, zero-terminated; "" for an empty or null string.
    const char* GetText() const;
    operator const char*() const { return GetText(); }
    int32_t GetLength() const;
    bool IsNull() const;
    bool IsEmpty() const { return GetLength() == 0; }

    static WString Concat(const WString& first, const WString& second);
    static WString Concat(const WString& first, const char* second);
    WString Left(int32_t count) const;
    WString Mid(int32_t start, int32_t count = -1) const;

    // printf-style formatting into the string; returns the new length.
    int32_t Sprintf(const char* format, ...);
    int32_t VSprintf(const char* format, va_list arguments);

    // Leading blanks are skipped; ok is true only when the whole rest of the
    // text was used and no range error occurred.
    int32_t ToLong(bool* ok = nullptr) const;
    double ToReal(bool* ok = nullptr) const;

    // Splits the text at any of the separator characters into `parts` and
    // returns their number. quotePairs lists pairs of characters (opening,
    // closing) between which separators do not split. maxParts -1: no limit.
    int32_t Tokenize(WStringArray& parts, const char* separators, bool separatorFlag,
                     const char* quotePairs, bool quoteFlag, int32_t start = 0,
                     int32_t maxParts = -1, bool trimFlag = false) const;

    bool operator==(const char* text) const;
    bool operator==(const WString& other) const;

private:
    WStringReference* storage = nullptr;
    const char* characters = nullptr;
    void Release();
    void MakeOwn();
};

WString operator+(const WString& first, const WString& second);
WString operator+(const WString& first, const char* second);
