#include "WDecimalNumber.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace WDecimalNumber {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char* SkipWhiteSpace(const char* text)
{
    while (*text && std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    return text;
}

const char* SkipDigits(const char* text)
{
    while (IsDigit(*text))
        ++text;
    return text;
}

// The end of the decimal number starting at `text`, or `text` itself when
// there is none.
const char* ScanNumber(const char* text)
{
    const char* position = text;
    if (*position == '+' || *position == '-')
        ++position;
    const char* integerEnd = SkipDigits(position);
    bool hasDigits = integerEnd != position;
    position = integerEnd;
    if (*position == '.') {
        const char* fractionEnd = SkipDigits(position + 1);
        hasDigits = hasDigits || fractionEnd != position + 1;
        position = fractionEnd;
    }
    if (!hasDigits)
        return text;
    if (*position == 'e' || *position == 'E') {
        const char* exponent = position + 1;
        if (*exponent == '+' || *exponent == '-')
            ++exponent;
        const char* exponentEnd = SkipDigits(exponent);
        if (exponentEnd != exponent)
            position = exponentEnd;
    }
    return position;
}

// The runtime converts the scanned piece alone, so that it cannot read on
// beyond what the scan accepted (as it would in "0x1A").
double Convert(const char* begin, const char* end, bool& rangeError)
{
    const std::string number(begin, end);
    errno = 0;
    const double value = std::strtod(number.c_str(), nullptr);
    rangeError = errno == ERANGE;
    return value;
}

}  // namespace

double Read(const char* text, bool* whole)
{
    if (whole)
        *whole = false;
    if (!text)
        return 0.0;
    const char* start = SkipWhiteSpace(text);
    const char* end = ScanNumber(start);
    if (end == start)
        return 0.0;
    bool rangeError = false;
    const double value = Convert(start, end, rangeError);
    if (whole)
        *whole = *end == '\0' && !rangeError;
    return value;
}

int32_t TruncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    const double truncated = std::trunc(value);
    if (truncated <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    if (truncated >= static_cast<double>(INT32_MAX))
        return INT32_MAX;
    return static_cast<int32_t>(truncated);
}

}  // namespace WDecimalNumber
