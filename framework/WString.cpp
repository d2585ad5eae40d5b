#include "WString.h"

#include "WCodePage.h"
#include "WDecimalNumber.h"
#include "WSemaphore.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

struct WStringReference {
    volatile LONG references;
    int32_t length;                     // bytes, without the terminating zero
    char text[1];                       // length + 1 bytes in fact
};

template class WArray<WString>;

namespace {

WStringReference* NewReference(const char* text, int32_t bytes)
{
    auto* reference = static_cast<WStringReference*>(
        std::malloc(offsetof(WStringReference, text) + static_cast<size_t>(bytes) + 1));
    if (reference == nullptr)
        return nullptr;
    reference->references = 1;
    reference->length = bytes;
    if (bytes > 0)
        std::memcpy(reference->text, text, static_cast<size_t>(bytes));
    reference->text[bytes] = '\0';
    return reference;
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

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The splitting rules are described with WString::Tokenize.
class Tokenizer {
public:
    Tokenizer(const char* separators, bool everySeparator, const char* quotePairs, bool dropQuotes,
              int32_t maxParts, bool trim)
        : separators(separators != nullptr ? separators : ""),
          quotePairs(quotePairs != nullptr ? quotePairs : ""),
          everySeparator(everySeparator), dropQuotes(dropQuotes), maxParts(maxParts), trim(trim)
    {
    }

    void Split(const char* text, int32_t bytes)
    {
        for (int32_t offset = 0; offset < bytes && !Full();) {
            int32_t size = WCharacterBytes(text + offset, bytes - offset, CP_ACP);
            if (size == 1)
                Take(text[offset]);
            else
                Append(text + offset, size);
            offset += size;
        }
        if (started || (everySeparator && !parts.empty()))
            EndPart();
    }

    std::vector<std::string> parts;

private:
    const char* separators;
    const char* quotePairs;
    bool everySeparator;
    bool dropQuotes;
    int32_t maxParts;
    bool trim;
    std::string part;
    bool started = false;
    char closingQuote = '\0';
    size_t quotedEnd = 0;               // trimming stops here: blanks before it were quoted

    bool Full() const { return maxParts >= 0 && static_cast<int32_t>(parts.size()) >= maxParts; }
    bool MaySplit() const { return maxParts < 0 || static_cast<int32_t>(parts.size()) < maxParts - 1; }

    void Take(char c)
    {
        if (closingQuote != '\0') {
            if (c == closingQuote) {
                closingQuote = '\0';
                if (!dropQuotes)
                    part += c;
                quotedEnd = part.size();
            } else {
                part += c;
            }
            return;
        }
        if (char closing = ClosingQuoteFor(c)) {
            closingQuote = closing;
            started = true;
            if (!dropQuotes)
                part += c;
            return;
        }
        if (c != '\0' && std::strchr(separators, c) != nullptr && MaySplit()) {
            if (started || everySeparator)
                EndPart();
            return;
        }
        if (trim && !started && IsBlank(c))
            return;
        Append(&c, 1);
    }

    void Append(const char* bytes, int32_t size)
    {
        part.append(bytes, static_cast<size_t>(size));
        started = true;
    }

    char ClosingQuoteFor(char c) const
    {
        for (const char* pair = quotePairs; pair[0] != '\0' && pair[1] != '\0'; pair += 2) {
            if (pair[0] == c)
                return pair[1];
        }
        return '\0';
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

} // namespace

WString::WString() = default;

WString::WString(const char* text, int32_t length)
{
    if (text != nullptr)
        Assign(text, ByteLengthOf(text, length));
}

WString::WString(const WString& other, bool deepCopy) : WObject(other)
{
    if (other.storage == nullptr)
        return;
    if (deepCopy) {
        Assign(other.storage->text, other.storage->length);
    } else {
        storage = other.storage;
        InterlockedIncrement(&storage->references);
    }
}

WString::WString(WString&& other) noexcept : WObject(other), storage(other.storage)
{
    other.storage = nullptr;
}

WString::~WString()
{
    Release();
}

WString& WString::operator=(const char* text)
{
    if (text == nullptr) {
        Release();
        TextChanged();
    } else {
        Assign(text, ByteLengthOf(text, -1));
    }
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
        other.storage = nullptr;
        other.TextChanged();
        TextChanged();
    }
    return *this;
}

// The text may lie inside the storage being replaced: the new storage is
// made before the old one is released.
bool WString::Assign(const char* text, int32_t bytes)
{
    WStringReference* replacement = NewReference(text, bytes);
    if (replacement == nullptr)
        return false;
    Release();
    storage = replacement;
    TextChanged();
    return true;
}

void WString::Release()
{
    if (storage != nullptr && InterlockedDecrement(&storage->references) == 0)
        std::free(storage);
    storage = nullptr;
}

const char* WString::GetText() const
{
    return storage != nullptr ? storage->text : "";
}

int32_t WString::ByteLength() const
{
    return storage != nullptr ? storage->length : 0;
}

int32_t WString::GetLength() const
{
    return WCharacterCount(GetText(), ByteLength(), CP_ACP);
}

bool WString::IsNull() const
{
    return storage == nullptr;
}

WString WString::Concat(const WString& first, const WString& second)
{
    return Concat(first, second.GetText());
}

WString WString::Concat(const WString& first, const char* second)
{
    int32_t secondBytes = ByteLengthOf(second, -1);
    if (secondBytes == 0)
        return first;
    std::string joined(first.GetText(), static_cast<size_t>(first.ByteLength()));
    joined.append(second, static_cast<size_t>(secondBytes));
    return WString(joined.data(), static_cast<int32_t>(joined.size()));
}

WString WString::Left(int32_t count) const
{
    return Mid(0, count < 0 ? 0 : count);
}

WString WString::Mid(int32_t start, int32_t count) const
{
    const char* text = GetText();
    int32_t bytes = ByteLength();
    if (start < 0)
        start = 0;
    int32_t from = WCharacterOffset(text, bytes, start, CP_ACP);
    if (from >= bytes || count == 0)
        return WString("");
    int32_t to = count < 0 ? bytes : from + WCharacterOffset(text + from, bytes - from, count, CP_ACP);
    return WString(text + from, to - from);
}

int32_t WString::Sprintf(const char* format, ...)
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
        Release();
        TextChanged();
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
    const char* text = GetText();
    int32_t bytes = ByteLength();
    if (bytes == 0 || start < 0 || start >= GetLength())
        return 0;
    int32_t from = WCharacterOffset(text, bytes, start, CP_ACP);

    Tokenizer tokenizer(separators, separatorFlag, quotePairs, quoteFlag, maxParts, trimFlag);
    tokenizer.Split(text + from, bytes - from);
    int32_t count = static_cast<int32_t>(tokenizer.parts.size());
    if (!parts.SetCount(count))
        return 0;
    for (int32_t index = 0; index < count; ++index) {
        const std::string& part = tokenizer.parts[static_cast<size_t>(index)];
        parts[index] = WString(part.data(), static_cast<int32_t>(part.size()));
    }
    return count;
}

bool WString::operator==(const char* text) const
{
    return std::strcmp(GetText(), text != nullptr ? text : "") == 0;
}

bool WString::operator==(const WString& other) const
{
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
