#include "WDecimalNumber.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(DecimalNumber, ReadTakesOnlyALeadingDecimalNumber)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"  12,5", 12.0}, {"-2.5e1x", -25.0}, {"1e+", 1.0},  {".5", 0.5},  {"5.", 5.0},  {"-", 0.0},
        {".", 0.0},       {"", 0.0},          {"0x1A", 0.0}, {"inf", 0.0}, {"nan", 0.0},
    };
    for (const auto& test : cases)
        EXPECT_EQ(WDecimalNumber::Read(test.text), test.value) << test.text;
}

TEST(DecimalNumber, TruncatesTowardZeroWithinTheIntegerRange)
{
    EXPECT_EQ(WDecimalNumber::TruncateToInt32(-2.7), -2);
    EXPECT_EQ(WDecimalNumber::TruncateToInt32(-1e20), INT32_MIN);
    EXPECT_EQ(WDecimalNumber::TruncateToInt32(std::nan("")), 0);
}
