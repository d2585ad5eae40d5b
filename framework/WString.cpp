#include "WString.h"

#include "WCodePage.h"
#include "WDecimalNumber.h"
#include "WSemaphore.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>
#include <string>

// The character kinds of a storage.
enum : int32_t { NarrowKind = 0, WideKind = 1 };

struct WStringReference {
    volatile LONG references;
    int32_t length;  // units (bytes or 16-bit units), without the terminating zero
    int32_t kind;
    alignas(wchar_t) char text[sizeof(wchar_t)];  // length + 1 units in fact

    const wchar_t* WideText() const { return reinterpret_cast<const wchar_t*>(text); }
};

template class WArray<WString>;

namespace {

WStringReference* NewReference(const void* text, int32_t units, int32_t kind)
{
    const size_t unit = kind == WideKind ? sizeof(wchar_t) : 1;
    const size_t bytes = static_cast<size_t>(units) * unit;
    auto* reference =
        static_cast<WStringReference*>(std::malloc(offsetof(WStringReference, text) + bytes + unit));
    if (reference == nullptr)
        return nullptr;
    reference->references = 1;
    reference->length = units;
    reference->kind = kind;
    if (bytes > 0)
        std::memcpy(reference->text, text, bytes);
    std::memset(reference->text + bytes, 0, unit);
    return reference;
}

void ReleaseReference(WStringReference*& reference)
{
    if (reference != nullptr && InterlockedDecrement(&reference->references) == 0)
        std::free(reference);
    reference = nullptr;
}

// The storage's text in the other kind.
WStringReference* ConvertedReference(const WStringReference& storage)
{
    if (storage.kind == WideKind) {
        const std::string narrow = WNarrowFromWide(storage.WideText(), storage.length);
        return NewReference(narrow.data(), static_cast<int32_t>(narrow.size()), NarrowKind);
    }
    const std::wstring wide = WWideFromNarrow(storage.text, storage.length);
    return NewReference(wide.data(), static_cast<int32_t>(wide.size()), WideKind);
}

// The one scratch buffer Sprintf formats into, and the lock that guards it.
// It lives as long as the process, so formatting works in static destructors.
class FormattingScratch {
public:
    WCriticalSection lock;

    char* Reserve(size_t size)
    {
        if (size > capacity) {
            char* larger = static_cast<char*>(std::realloc(buffer, size));
            if (larger == nullptr)
                return nullptr;
            buffer = larger;
            capacity = size;
        }
        return buffer;
    }

private:
    char* buffer = nullptr;
    size_t capacity = 0;
};

FormattingScratch& Scratch()
{
    static FormattingScratch& scratch = *new FormattingScratch;
    return scratch;
}

// Formatting stops growing its buffer here; a longer result is a failure.
constexpr size_t MaximumFormattedSize = size_t{1} << 30;

int32_t ByteLengthOf(const char* text, int32_t length)
{
    if (text == nullptr)
        return 0;
    size_t bytes = length < 0 ? std::strlen(text) : strnlen(text, static_cast<size_t>(length));
    return static_cast<int32_t>(bytes);
}

int32_t UnitLengthOf(const wchar_t* text, int32_t length)
{
    if (text == nullptr)
        return 0;
    size_t units = length < 0 ? std::wcslen(text) : wcsnlen(text, static_cast<size_t>(length));
    return static_cast<int32_t>(units);
}

// Characters of narrow text are 1 or 2 bytes, of wide text 1 or 2 units.
int32_t CharacterSize(const char* text, int32_t remaining)
{
    return WCharacterBytes(text, remaining, CP_ACP);
}

int32_t CharacterSize(const wchar_t* text, int32_t remaining)
{
    return WWideCharacterUnits(text, remaining);
}

int32_t CharacterOffset(const char* text, int32_t bytes, int32_t characters)
{
    return WCharacterOffset(text, bytes, characters, CP_ACP);
}

int32_t CharacterOffset(const wchar_t* text, int32_t units, int32_t characters)
{
    return WWideCharacterOffset(text, units, characters);
}

// `count` characters from `start` (all the rest for a negative count), of the text's kind.
template <class Char>
WString PartOf(const Char* text, int32_t units, int32_t start, int32_t count)
{
    const int32_t from = CharacterOffset(text, units, start < 0 ? 0 : start);
    if (from >= units || count == 0)
        return WString(text, 0);
    const int32_t to = count < 0 ? units : from + CharacterOffset(text + from, units - from, count);
    return WString(text + from, to - from);
}

template <class Char>
bool IsBlank(Char c)
{
    return c == ' ' || c == '\t';
}

// The separators and quotes are given in the process code page; wide text
// meets them as wide characters.
std::string CharactersFor(const char* characters, char)
{
    return characters != nullptr ? characters : "";
}

std::wstring CharactersFor(const char* characters, wchar_t)
{
    return characters != nullptr ? WWideFromNarrow(characters, ByteLengthOf(characters, -1)) : L"";
}

// The splitting rules are described with WString::Tokenize.
template <class Char>
class Tokenizer {
public:
    using Text = std::basic_string<Char>;

    Tokenizer(const char* separators, bool everySeparator, const char* quotePairs, bool dropQuotes,
              int32_t maxParts, bool trim)
        : separators(CharactersFor(separators, Char())), quotePairs(CharactersFor(quotePairs, Char())),
          everySeparator(everySeparator), dropQuotes(dropQuotes), maxParts(maxParts), trim(trim)
    {
    }

    void Split(const Char* text, int32_t units)
    {
        for (int32_t offset = 0; offset < units && !Full();) {
            int32_t size = CharacterSize(text + offset, units - offset);
            if (size == 1)
                Take(text[offset]);
            else
                Append(text + offset, size);
            offset += size;
        }
        if (started || (everySeparator && !parts.empty()))
            EndPart();
    }

    std::vector<Text> parts;

private:
    Text separators;
    Text quotePairs;
    bool everySeparator;
    bool dropQuotes;
    int32_t maxParts;
    bool trim;
    Text part;
    bool started = false;
    Char closingQuote = 0;
    size_t quotedEnd = 0;  // trimming stops here: blanks before it were quoted

    bool Full() const { return maxParts >= 0 && static_cast<int32_t>(parts.size()) >= maxParts; }
    bool MaySplit() const { return maxParts < 0 || static_cast<int32_t>(parts.size()) < maxParts - 1; }

    void Take(Char c)
    {
        if (closingQuote != 0) {
            if (c == closingQuote) {
                closingQuote = 0;
                if (!dropQuotes)
                    part += c;
                quotedEnd = part.size();
            } else {
                part += c;
            }
            return;
        }
        if (Char closing = ClosingQuoteFor(c)) {
            closingQuote = closing;
            started = true;
            if (!dropQuotes)
                part += c;
            return;
        }
        if (c != 0 && separators.find(c) != Text::npos && MaySplit()) {
            if (started || everySeparator)
                EndPart();
            return;
        }
        if (trim && !started && IsBlank(c))
            return;
        Append(&c, 1);
    }

    void Append(const Char* units, int32_t size)
    {
        part.append(units, static_cast<size_t>(size));
        started = true;
    }

    Char ClosingQuoteFor(Char c) const
    {
        for (size_t index = 0; index + 1 < quotePairs.size(); index += 2) {
            if (quotePairs[index] == c)
                return quotePairs[index + 1];
        }
        return 0;
    }

    void EndPart()
    {
        if (trim) {
            while (part.size() > quotedEnd && IsBlank(part.back()))
                part.pop_back();
        }
        parts.push_back(part);
        part.clear();
        started = false;
        quotedEnd = 0;
    }
};

template <class Char>
int32_t TakeParts(const std::vector<std::basic_string<Char>>& found, WStringArray& parts)
{
    const auto count = static_cast<int32_t>(found.size());
    if (!parts.SetCount(count))
        return 0;
    for (int32_t index = 0; index < count; ++index) {
        const std::basic_string<Char>& part = found[static_cast<size_t>(index)];
        parts[index] = WString(part.data(), static_cast<int32_t>(part.size()));
    }
    return count;
}

}  // namespace

WString::WString() = default;

WString::WString(const char* text, int32_t length)
{
    if (text != nullptr)
        Assign(text, ByteLengthOf(text, length));
}

WString::WString(const wchar_t* text, int32_t length)
{
    if (text != nullptr)
        AssignWide(text, UnitLengthOf(text, length));
}

WString::WString(const WString& other, bool deepCopy) : WObject(other)
{
    if (other.storage == nullptr)
        return;
    if (deepCopy) {
        AssignReference(NewReference(other.storage->text, other.storage->length, other.storage->kind));
    } else {
        storage = other.storage;
        InterlockedIncrement(&storage->references);
    }
}

WString::WString(WString&& other) noexcept : WObject(other), storage(other.storage), converted(other.converted)
{
    other.storage = nullptr;
    other.converted = nullptr;
}

WString::~WString()
{
    Release();
}

WString& WString::operator=(const char* text)
{
    if (text == nullptr)
        Clear();
    else
        Assign(text, ByteLengthOf(text, -1));
    return *this;
}

WString& WString::operator=(const wchar_t* text)
{
    if (text == nullptr)
        Clear();
    else
        AssignWide(text, UnitLengthOf(text, -1));
    return *this;
}

WString& WString::operator=(const WString& other)
{
    if (other.storage != nullptr)
        InterlockedIncrement(&other.storage->references);
    Release();
    storage = other.storage;
    TextChanged();
    return *this;
}

WString& WString::operator=(WString&& other) noexcept
{
    if (this != &other) {
        Release();
        storage = other.storage;
        converted = other.converted;
        other.storage = nullptr;
        other.converted = nullptr;
        other.TextChanged();
        TextChanged();
    }
    return *this;
}

bool WString::Assign(const char* text, int32_t bytes)
{
    return AssignReference(NewReference(text, bytes, NarrowKind));
}

bool WString::AssignWide(const wchar_t* text, int32_t units)
{
    return AssignReference(NewReference(text, units, WideKind));
}

// The text may lie inside the storage being replaced: the new storage is
// made before the old one is released.
bool WString::AssignReference(WStringReference* replacement)
{
    if (replacement == nullptr)
        return false;
    Release();
    storage = replacement;
    TextChanged();
    return true;
}

void WString::Clear()
{
    Release();
    TextChanged();
}

void WString::Release()
{
    ReleaseReference(storage);
    ReleaseReference(converted);
}

// The text in the kind asked for: the storage itself, or its conversion made
// on the first request.
const WStringReference* WString::TextOfKind(int32_t kind) const
{
    if (storage == nullptr || storage->kind == kind)
        return storage;
    if (converted == nullptr)
        converted = ConvertedReference(*storage);
    return converted;
}

const char* WString::GetText() const
{
    const WStringReference* text = TextOfKind(NarrowKind);
    return text != nullptr ? text->text : "";
}

const wchar_t* WString::GetWideText() const
{
    const WStringReference* text = TextOfKind(WideKind);
    return text != nullptr ? text->WideText() : L"";
}

int32_t WString::ByteLength() const
{
    const WStringReference* text = TextOfKind(NarrowKind);
    return text != nullptr ? text->length : 0;
}

int32_t WString::WideLength() const
{
    const WStringReference* text = TextOfKind(WideKind);
    return text != nullptr ? text->length : 0;
}

int32_t WString::GetLength() const
{
    if (IsWide())
        return WWideCharacterCount(storage->WideText(), storage->length);
    return WCharacterCount(GetText(), ByteLength(), CP_ACP);
}

bool WString::IsNull() const
{
    return storage == nullptr;
}

bool WString::IsWide() const
{
    return storage != nullptr && storage->kind == WideKind;
}

WString WString::Concat(const WString& first, const WString& second)
{
    if (second.IsWide())
        return Concat(first, second.GetWideText());
    return Concat(first, second.GetText());
}

WString WString::Concat(const WString& first, const char* second)
{
    int32_t secondBytes = ByteLengthOf(second, -1);
    if (secondBytes == 0)
        return first;
    if (first.IsWide())
        return Concat(first, WWideFromNarrow(second, secondBytes).c_str());
    std::string joined(first.GetText(), static_cast<size_t>(first.ByteLength()));
    joined.append(second, static_cast<size_t>(secondBytes));
    return WString(joined.data(), static_cast<int32_t>(joined.size()));
}

WString WString::Concat(const WString& first, const wchar_t* second)
{
    int32_t secondUnits = UnitLengthOf(second, -1);
    if (secondUnits == 0 && first.IsWide())
        return first;
    std::wstring joined(first.GetWideText(), static_cast<size_t>(first.WideLength()));
    joined.append(second != nullptr ? second : L"", static_cast<size_t>(secondUnits));
    return WString(joined.data(), static_cast<int32_t>(joined.size()));
}

WString WString::Left(int32_t count) const
{
    return Mid(0, count < 0 ? 0 : count);
}

WString WString::Mid(int32_t start, int32_t count) const
{
    if (IsWide())
        return PartOf(storage->WideText(), storage->length, start, count);
    return PartOf(GetText(), ByteLength(), start, count);
}

int32_t WString::Sprintf(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    int32_t length = VSprintf(format, arguments);
    va_end(arguments);
    return length;
}

int32_t WString::Sprintf(const wchar_t* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    int32_t length = VSprintf(format, arguments);
    va_end(arguments);
    return length;
}

// The scratch buffer starts at twice the format's size and doubles until the
// result fits with a byte to spare. A negative result is an encoding error of
// an argument, which no larger buffer would cure.
int32_t WString::VSprintf(const char* format, va_list arguments)
{
    if (format == nullptr) {
        Clear();
        return 0;
    }
    FormattingScratch& scratch = Scratch();
    WSemaphoreLock guard(&scratch.lock);
    for (size_t size = 2 * (std::strlen(format) + 1); size <= MaximumFormattedSize; size *= 2) {
        char* buffer = scratch.Reserve(size);
        if (buffer == nullptr)
            return 0;
        va_list attempt;
        va_copy(attempt, arguments);
        int result = std::vsnprintf(buffer, size, format, attempt);
        va_end(attempt);
        if (result < 0)
            return 0;
        if (static_cast<size_t>(result) < size - 1)
            return Assign(buffer, result) ? GetLength() : 0;
    }
    return 0;
}

// The same growth as for a narrow format. The host's wide formatter reports
// a result that does not fit as a failure, like an encoding error of an
// argument; only the latter sets EILSEQ, and no larger buffer cures it.
// Each call has a buffer of its own, so wide formatting needs no lock.
int32_t WString::VSprintf(const wchar_t* format, va_list arguments)
{
    if (format == nullptr) {
        Clear();
        return 0;
    }
    for (size_t size = 2 * (std::wcslen(format) + 1); size * sizeof(wchar_t) <= MaximumFormattedSize;
         size *= 2) {
        std::unique_ptr<wchar_t[]> buffer(new (std::nothrow) wchar_t[size]);
        if (buffer == nullptr)
            return 0;
        va_list attempt;
        va_copy(attempt, arguments);
        errno = 0;
        int result = std::vswprintf(buffer.get(), size, format, attempt);
        va_end(attempt);
        if (result < 0 && errno == EILSEQ)
            return 0;
        if (result >= 0 && static_cast<size_t>(result) < size - 1)
            return AssignWide(buffer.get(), result) ? GetLength() : 0;
    }
    return 0;
}

int32_t WString::ToLong(bool* ok) const
{
    const char* text = GetText();
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(text, &end, 10);
    bool inRange = errno != ERANGE && value >= INT32_MIN && value <= INT32_MAX;
    if (value > INT32_MAX)
        value = INT32_MAX;
    if (value < INT32_MIN)
        value = INT32_MIN;
    if (ok != nullptr)
        *ok = end != text && *end == '\0' && inRange;
    return static_cast<int32_t>(value);
}

double WString::ToReal(bool* ok) const
{
    return WDecimalNumber::Read(GetText(), ok);
}

int32_t WString::Tokenize(WStringArray& parts, const char* separators, bool separatorFlag,
                          const char* quotePairs, bool quoteFlag, int32_t start, int32_t maxParts,
                          bool trimFlag) const
{
    parts.SetCount(0);
    if (IsEmpty() || start < 0 || start >= GetLength())
        return 0;
    if (IsWide()) {
        Tokenizer<wchar_t> tokenizer(separators, separatorFlag, quotePairs, quoteFlag, maxParts, trimFlag);
        const int32_t from = CharacterOffset(storage->WideText(), storage->length, start);
        tokenizer.Split(storage->WideText() + from, storage->length - from);
        return TakeParts(tokenizer.parts, parts);
    }
    Tokenizer<char> tokenizer(separators, separatorFlag, quotePairs, quoteFlag, maxParts, trimFlag);
    const char* text = GetText();
    const int32_t bytes = ByteLength();
    const int32_t from = CharacterOffset(text, bytes, start);
    tokenizer.Split(text + from, bytes - from);
    return TakeParts(tokenizer.parts, parts);
}

bool WString::operator==(const char* text) const
{
    if (IsWide())
        return *this == WString(text);
    return std::strcmp(GetText(), text != nullptr ? text : "") == 0;
}

// Texts of different kinds compare as wide text.
bool WString::operator==(const WString& other) const
{
    if (IsWide() || other.IsWide()) {
        return WideLength() == other.WideLength()
               && std::wmemcmp(GetWideText(), other.GetWideText(), static_cast<size_t>(WideLength())) == 0;
    }
    return ByteLength() == other.ByteLength() && std::memcmp(GetText(), other.GetText(), ByteLength()) == 0;
}

WString operator+(const WString& first, const WString& second)
{
    return WString::Concat(first, second);
}

WString operator+(const WString& first, const char* second)
{
    return WString::Concat(first, second);
}

WString operator+(const WString& first, const wchar_t* second)
{
    return WString::Concat(first, second);
}
