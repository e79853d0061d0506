#include <gtest/gtest.h>

#include "qm.API/number.h"
#include "qm.API/text.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;
using namespace qm::api;

namespace {

constexpr int32_t kUntouched = 0x5EED;

TEST(IntToText, Values) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-15), "-15");
    EXPECT_EQ(IntToText(7), "7");
    EXPECT_EQ(IntToText(std::numeric_limits<int32_t>::max()), "2147483647");
    EXPECT_EQ(IntToText(std::numeric_limits<int32_t>::min()), "-2147483648");
}

TEST(ParseInt, Texts) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    struct Case {
        std::string text;
        bool accepted;
        int32_t value;
        const char* why;
    };
    const Case cases[] = {
        {"42", true, 42, ""},
        {"\t \t7", true, 7, "leading tabs and blanks"},
        {"+1", true, 1, ""},
        {"-0", true, 0, ""},
        {"0", true, 0, "a lone zero is kept as the last byte"},
        {"007", true, 7, ""},
        {"$1F", true, 31, ""},
        {"x1F", true, 31, ""},
        {"X1f", true, 31, ""},
        {"0x1F", true, 31, ""},
        {"$00ff", true, 255, "zeros after the prefix"},
        {"%101", true, 5, ""},
        {"&17", true, 15, ""},
        {"-$10", true, -16, "sign before prefix"},
        {"$FFFFFFFF", true, -1, "base 16 writes a 32-bit pattern"},
        {"%11111111111111111111111111111111", true, -1, ""},
        {"&37777777777", true, -1, ""},
        {"2147483647", true, 2147483647, ""},
        {"-2147483648", true, kMin, ""},
        {"-$80000000", true, kMin, ""},
        {std::string(254, '0') + "9", true, 9, "255 bytes, all but one skipped zeros"},
        {"", false, 0, ""},
        {" ", false, 0, ""},
        {"-", false, 0, "lone sign"},
        {"$", false, 0, "lone prefix"},
        {"0x", false, 0, "the zero belongs to the prefix"},
        {"12 ", false, 0, "trailing blank"},
        {"1a", false, 0, "hex digit in base 10"},
        {"%2", false, 0, "digit not below the base"},
        {"08x", false, 0, ""},
        {"+-1", false, 0, ""},
        {"- 1", false, 0, "blank after the sign"},
        {"0$1", false, 0, "prefix after a digit"},
        {"1\0"s, false, 0, "embedded NUL"},
        {"2147483648", false, 0, "just over the largest"},
        {"-2147483649", false, 0, "just under the smallest"},
        {"4294967295", false, 0, "a 32-bit pattern is not read in base 10"},
        {"4294967297", false, 0, "2^32 + 1 must not wrap to 1"},
        {"$100000000", false, 0, "33 bits"},
        {"-$FFFFFFFF", false, 0, "the negated pattern does not fit"},
        {"99999999999999999999999", false, 0, "beyond 64 bits"},
        {std::string(255, '0') + "9", false, 0, "256 bytes"},
    };
    for (const auto& c : cases) {
        int32_t value = kUntouched;
        EXPECT_EQ(ParseInt(c.text, value), c.accepted) << "'" << c.text << "' " << c.why;
        EXPECT_EQ(value, c.accepted ? c.value : kUntouched) << "'" << c.text << "' " << c.why;
    }
}

TEST(ParseInt, TwoCharacterFields) {
    // Every lower-cased two-byte field of an episode token: exactly these forms may pass.
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    auto isHex = [&](char c) { return isDigit(c) || (c >= 'a' && c <= 'f'); };
    auto expectedAccepted = [&](char a, char b) {
        return (isDigit(a) && isDigit(b)) || ((a == ' ' || a == '\t' || a == '+' || a == '-') && isDigit(b)) ||
               ((a == '$' || a == 'x') && isHex(b)) || (a == '%' && (b == '0' || b == '1')) ||
               (a == '&' && b >= '0' && b <= '7');
    };
    for (int i = 0; i < 256; ++i) {
        for (int j = 0; j < 256; ++j) {
            const std::string field = LowerAscii(std::string{static_cast<char>(i), static_cast<char>(j)});
            int32_t value = kUntouched;
            ASSERT_EQ(ParseInt(field, value), expectedAccepted(field[0], field[1])) << "bytes " << i << " " << j;
        }
    }
    const std::pair<const char*, int32_t> values[] = {{"00", 0},  {"99", 99}, {" 1", 1}, {"\t9", 9},
                                                      {"-1", -1}, {"xf", 15}, {"%1", 1}, {"&7", 7}};
    for (const auto& [field, expected] : values) {
        EXPECT_EQ(ParseIntOr(field, kUntouched), expected) << field;
    }
}

TEST(ParseInt, RoundTripsIntToText) {
    std::vector<int32_t> values = {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
    for (int32_t p = 1; p <= 1000000000; p *= 10) {  // around every digit-count boundary, both signs
        for (int32_t v : {p - 1, p, p + 1}) {
            values.push_back(v);
            values.push_back(-v);
        }
        if (p == 1000000000) {
            break;
        }
    }
    for (int32_t v : values) {
        int32_t parsed = kUntouched;
        EXPECT_TRUE(ParseInt(IntToText(v), parsed)) << v;
        EXPECT_EQ(parsed, v);
    }
}

TEST(ParseIntOr, Fallback) {
    EXPECT_EQ(ParseIntOr("abc", 11), 11);
    EXPECT_EQ(ParseIntOr("5", 11), 5);
    EXPECT_EQ(ParseIntOr("", -3), -3);
    EXPECT_EQ(ParseIntOr("0", 11), 0);
    EXPECT_EQ(ParseIntOr("4294967297", 11), 11);
}

TEST(RealToText, Formats) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        int width, decimals;
        std::string text;
        const char* why;
    };
    const Case cases[] = {
        // Width 10 and 7 decimals, as the run summary writes its seconds.
        {1.5, 10, 7, " 1.5000000", ""},
        {0.0, 10, 7, " 0.0000000", ""},
        {0.123456789, 10, 7, " 0.1234568", ""},
        {1.23456789, 10, 7, " 1.2345679", ""},
        {12.25, 10, 7, "12.2500000", "exactly the width"},
        {123.5, 10, 7, "123.5000000", "longer than the width is not cut"},
        {-0.5, 10, 7, "-0.5000000", ""},
        {9.99999996, 10, 7, "10.0000000", "carry through every digit"},
        {0.00000006, 10, 7, " 0.0000001", "rounding up from below the last place"},
        {0.00000005, 10, 7, " 0.0000000", "4.9999999999999998e-08 stays below the half"},
        {-0.00000004, 10, 7, " 0.0000000", "a negative value rounding to zero has no sign"},
        {-0.0, 10, 7, " 0.0000000", ""},
        // Half-up on the 17-digit expansion, which may lie on either side of the double itself.
        {2.5, 0, 0, "3", ""},
        {-2.5, 0, 0, "-3", "the magnitude rounds up"},
        {0.125, 0, 2, "0.13", "exact half"},
        {0.15, 0, 1, "0.1", "1.4999999999999999e-01: a hair below stays below"},
        {2.675, 0, 2, "2.67", "2.6749999999999998"},
        {1.45, 0, 1, "1.5", "17 digits read 1.4500000000000000 though the double lies below"},
        {0.00035, 0, 4, "0.0004", "3.5000000000000000e-04"},
        {0.06, 0, 1, "0.1", "rounding creates the first digit"},
        {0.05, 0, 0, "0", "two places below the last kept digit"},
        {99.5, 0, 0, "100", ""},
        {1e21, 0, 0, "1000000000000000000000", "never an exponent"},
        {123456789012345678.0, 0, 1, "123456789012345680.0", "digits past the 17th are zeros"},
        {0.1, 0, 20, "0.10000000000000001000", "decimals past the 17th digit are zeros"},
        {1e300, 0, 0, "10000000000000001" + std::string(284, '0'), ""},
        {std::numeric_limits<double>::denorm_min(), 0, 7, "0.0000000", ""},
        // Width and decimals out of the usual range.
        {1.5, -5, 2, "1.50", ""},
        {1.5, 6, -3, "     2", "negative decimals count as 0: no dot"},
        {1.0, 300, 0, std::string(254, ' ') + "1", "width is capped at 255"},
        {1.0, 0, 1000000000, "1." + std::string(255, '0'), "decimals are capped at 255"},
        {kInf, 10, 7, "       Inf", ""},
        {-kInf, 10, 7, "      -Inf", ""},
        {std::nan(""), 4, 7, " NaN", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RealToText(c.value, c.width, c.decimals), c.text) << c.value << " " << c.why;
    }
}

}  // namespace
