#pragma once
// Text with shared, reference-counted storage. Copying a WString is cheap (the
// storage is shared); changing a string whose storage is shared first gives it a
// copy of its own. A string holds one of two kinds of characters: bytes in the
// process code page, or 16-bit units for a string made from wide text. Lengths
// and positions count characters: in a double-byte code page a lead byte and its
// trail byte are one, in wide text a surrogate pair is.
//
// Either kind reads as either: GetText gives a wide string's text in the
// process code page, GetWideText a narrow string's as wide text (converted on
// first use and kept until the string changes). Operations keep the kind;
// joining a wide and a narrow text gives a wide one.

#include "WArray.h"

#include <cstdarg>

// Lets the compiler check Sprintf's arguments against the format.
#if defined(__GNUC__)
#define W_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#else
#define W_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

struct WStringReference;

class WString : public WObject {
    W_DECLARE_CLASS(WString, WObject)
public:
    WString();
    WString(const char* text, int32_t length = -1);  // -1: up to the terminating zero
    WString(const wchar_t* text, int32_t length = -1);
    WString(const WString& other, bool deepCopy = false);
    WString(WString&& other) noexcept;
    ~WString() override;

    WString& operator=(const char* text);
    WString& operator=(const wchar_t* text);
    WString& operator=(const WString& other);
    WString& operator=(WString&& other) noexcept;

    // The characters, zero-terminated; "" for an empty or null string. A
    // character the process code page lacks reads as '?' in GetText.
    const char* GetText() const;
    const wchar_t* GetWideText() const;
    operator const char*() const { return GetText(); }
    int32_t GetLength() const;
    bool IsNull() const;
    bool IsEmpty() const { return GetLength() == 0; }
    bool IsWide() const;

    static WString Concat(const WString& first, const WString& second);
    static WString Concat(const WString& first, const char* second);
    static WString Concat(const WString& first, const wchar_t* second);
    WString Left(int32_t count) const;
    WString Mid(int32_t start, int32_t count = -1) const;

    // printf-style formatting into the string; returns the new length. The
    // string takes the kind of the format. On failure (no memory, an argument
    // the formatter rejects) the string is unchanged and 0 is returned; a null
    // format clears the string.
    int32_t Sprintf(const char* format, ...) W_PRINTF_FORMAT(2, 3);
    int32_t VSprintf(const char* format, va_list arguments);
    int32_t Sprintf(const wchar_t* format, ...);
    int32_t VSprintf(const wchar_t* format, va_list arguments);

    // Leading blanks are skipped; ok is true only when the whole rest of the
    // text was used and no range error occurred. The value is the longest
    // numeric prefix's in every case, 0 without one. Both read decimal text
    // only: no hexadecimal, and for ToReal no "inf" or "nan".
    int32_t ToLong(bool* ok = nullptr) const;
    double ToReal(bool* ok = nullptr) const;

    // Splits the text at any of the separator characters into `parts` and
    // returns their number. quotePairs lists pairs of characters (opening,
    // closing) between which separators do not split. maxParts -1: no limit.
    // The parts have the string's kind; separators and quotes, given in the
    // process code page, match their wide characters in wide text.
    //
    // separatorFlag: every separator ends a part, so neighbouring separators
    //   give empty parts and a trailing separator an empty last part ("a==b"
    //   gives "a", "", "b"); without it runs of separators count as one and
    //   no empty part is made.
    // quoteFlag: the quote characters are dropped from the part ("k='a=b'"
    //   gives "k", "a=b"); without it they stay in the part. A quote opens
    //   anywhere in a part; an unclosed quote runs to the end of the text.
    // A backslash is an ordinary character, also inside quotes, so Windows
    //   paths need no escaping.
    // start: the character index where splitting begins. maxParts: once
    //   maxParts - 1 parts are made, the last part takes the rest unsplit.
    // trimFlag: blanks and tabs around each part are dropped (not those
    //   inside quotes).
    int32_t Tokenize(WStringArray& parts, const char* separators, bool separatorFlag, const char* quotePairs,
                     bool quoteFlag, int32_t start = 0, int32_t maxParts = -1, bool trimFlag = false) const;

    bool operator==(const char* text) const;
    bool operator==(const WString& other) const;

protected:
    // Called after every change of the text; WFilePath splits its path here.
    virtual void TextChanged() {}

private:
    // Null for the null string. Every change builds new storage and releases
    // the old, so a storage that is shared is never written.
    WStringReference* storage = nullptr;
    // The text in the other kind, made on first request; every change drops it.
    mutable WStringReference* converted = nullptr;

    const WStringReference* TextOfKind(int32_t kind) const;
    // Lengths of the text as GetText and GetWideText give it, in bytes and units.
    int32_t ByteLength() const;
    int32_t WideLength() const;
    bool Assign(const char* text, int32_t bytes);
    bool AssignWide(const wchar_t* text, int32_t units);
    bool AssignReference(WStringReference* replacement);
    // Makes the string the null string.
    void Clear();
    void Release();
};

WString operator+(const WString& first, const WString& second);
WString operator+(const WString& first, const char* second);
WString operator+(const WString& first, const wchar_t* second);
