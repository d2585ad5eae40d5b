#include "DecimalNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

TEST(DecimalNumber, PrefixValueTakesTheLongestLeadingDecimalNumber)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"  12,5", 12.0}, {"-2.5e1x", -25.0}, {"1e", 1.0}, {"1e+", 1.0}, {".5", 0.5}, {"5.", 5.0},
        {"abc", 0.0}, {"", 0.0}, {"-", 0.0}, {".", 0.0}, {"0x1A", 0.0}, {"inf", 0.0}, {"nan", 0.0},
    };
    for (const auto& test : cases)
        EXPECT_EQ(DecimalNumber::PrefixValue(test.text), test.value) << test.text;
    EXPECT_EQ(DecimalNumber::PrefixValue(nullptr), 0.0);
}

TEST(DecimalNumber, ParseWholeWantsNothingAfterTheNumber)
{
    double value = 0.0;
    EXPECT_TRUE(DecimalNumber::ParseWhole(" \t-100.0", value));
    EXPECT_EQ(value, -100.0);
    for (const char* text : {"", " ", "50 ", "50,5", "1e999", "1e-999", "0x10", "nan", "+", "5e"})
        EXPECT_FALSE(DecimalNumber::ParseWhole(text, value)) << text;
}

TEST(DecimalNumber, TruncatesTowardZeroWithinTheIntegerRange)
{
    EXPECT_EQ(DecimalNumber::TruncateToInt32(0.9), 0);
    EXPECT_EQ(DecimalNumber::TruncateToInt32(-2.7), -2);
    EXPECT_EQ(DecimalNumber::TruncateToInt32(1e20), INT32_MAX);
    EXPECT_EQ(DecimalNumber::TruncateToInt32(-1e20), INT32_MIN);
    EXPECT_EQ(DecimalNumber::TruncateToInt32(std::nan("")), 0);
}
