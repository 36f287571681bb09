// Reading the numbers typed into dialog edits.

#include "editor/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(NumberText, IntegersStopAtTheFirstNonDigit) {
    EXPECT_EQ(text_ReadInteger("  -12abc"), -12);
    EXPECT_EQ(text_ReadInteger("+7"), 7);
    EXPECT_EQ(text_ReadInteger("\t42 43"), 42);
    EXPECT_EQ(text_ReadInteger("3.9"), 3);
}

TEST(NumberText, TextWithoutDigitsReadsZero) {
    EXPECT_EQ(text_ReadInteger(""), 0);
    EXPECT_EQ(text_ReadInteger("   "), 0);
    EXPECT_EQ(text_ReadInteger("abc"), 0);
    EXPECT_EQ(text_ReadInteger("- 5"), 0);
    EXPECT_EQ(text_ReadInteger("0x1F"), 0);
}

TEST(NumberText, IntegersBeyond32BitsAreClampedNotWrapped) {
    EXPECT_EQ(text_ReadInteger("2147483647"), INT_MAX);
    EXPECT_EQ(text_ReadInteger("2147483648"), INT_MAX);
    EXPECT_EQ(text_ReadInteger("-2147483648"), INT_MIN);
    EXPECT_EQ(text_ReadInteger("-2147483649"), INT_MIN);
    EXPECT_EQ(text_ReadInteger("4294967296"), INT_MAX);
    EXPECT_EQ(text_ReadInteger(std::string(400, '9')), INT_MAX);
}

TEST(NumberText, RealNumbersInDecimalNotation) {
    EXPECT_DOUBLE_EQ(text_ReadReal("75.9"), 75.9);
    EXPECT_DOUBLE_EQ(text_ReadReal(" -3.5e2x"), -350.0);
    EXPECT_DOUBLE_EQ(text_ReadReal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(text_ReadReal("5."), 5.0);
    EXPECT_DOUBLE_EQ(text_ReadReal("1e"), 1.0);
    EXPECT_DOUBLE_EQ(text_ReadReal("2e+"), 2.0);
    EXPECT_DOUBLE_EQ(text_ReadReal("12,5"), 12.0) << "the decimal point is always a point";
}

TEST(NumberText, OnlyDecimalNotationIsARealNumber) {
    EXPECT_EQ(text_ReadReal("inf"), 0.0);
    EXPECT_EQ(text_ReadReal("nan"), 0.0);
    EXPECT_EQ(text_ReadReal("0x10"), 0.0);
    EXPECT_EQ(text_ReadReal("e5"), 0.0);
    EXPECT_EQ(text_ReadReal("."), 0.0);
    EXPECT_EQ(text_ReadReal(""), 0.0);
}

TEST(NumberText, RealNumbersOutsideTheDoubleRange) {
    EXPECT_TRUE(std::isinf(text_ReadReal("1e999")));
    EXPECT_GT(text_ReadReal("1e999"), 0.0);
    EXPECT_LT(text_ReadReal("-1e999"), 0.0);
    EXPECT_EQ(text_ReadReal("1e-999"), 0.0);
}

TEST(NumberText, TruncationTowardZeroWithinThe32BitRange) {
    EXPECT_EQ(text_TruncateToInt32(75.9), 75);
    EXPECT_EQ(text_TruncateToInt32(-75.9), -75);
    EXPECT_EQ(text_TruncateToInt32(3e9), INT_MAX);
    EXPECT_EQ(text_TruncateToInt32(-3e9), INT_MIN);
    EXPECT_EQ(text_TruncateToInt32(-HUGE_VAL), INT_MIN);
    EXPECT_EQ(text_TruncateToInt32(std::nan("")), 0);
    EXPECT_EQ(text_TruncateToInt32(-2147483648.5), INT_MIN);
}
