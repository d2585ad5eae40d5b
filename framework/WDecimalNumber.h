#pragma once
// Reading numbers out of the texts the user typed or a file held. Only plain
// decimal numbers in the C conventions count (sign, digits, one decimal point,
// exponent); hexadecimal, "inf" and "nan", which the runtime's conversion would
// also take, are not numbers to a user and would slip past every range check.

#include <cstdint>

namespace WDecimalNumber {

// Leading white space skipped, the longest decimal number at the start taken;
// 0.0 when the text does not begin with one. whole, when given, tells whether
// the whole rest of the text was that number and its value is in range of a
// double.
double Read(const char* text, bool* whole = nullptr);

// Toward zero, held within the 32-bit range; 0 for a value that is no number.
int32_t TruncateToInt32(double value);

}  // namespace WDecimalNumber
