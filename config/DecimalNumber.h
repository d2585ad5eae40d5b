#pragma once
// Reading numbers out of the texts the user typed or a file held. Only plain
// decimal numbers in the C conventions count (sign, digits, one decimal point,
// exponent); hexadecimal, "inf" and "nan", which the runtime's conversion would
// also take, are not numbers to a user and would slip past every range check.

#include <cstdint>

namespace DecimalNumber {

// Leading white space skipped, the longest decimal number at the start taken;
// 0.0 when the text does not begin with one.
double PrefixValue(const char* text);

// True when, after leading white space, the whole rest of the text is one
// decimal number whose value is in range of a double.
bool ParseWhole(const char* text, double& value);

// Toward zero, held within the 32-bit range; 0 for a value that is no number.
int32_t TruncateToInt32(double value);

}
