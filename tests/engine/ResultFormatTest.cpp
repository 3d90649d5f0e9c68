#include "engine/ResultFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

CalcValue I(int64_t v) {
    return CalcValue::MakeInteger(v);
}
CalcValue R(double v) {
    return CalcValue::MakeReal(v);
}

FormatOptions Options(int32_t decimals, int32_t deleteZeros = 1, int32_t group = 1) {
    FormatOptions options;
    options.decimals = decimals;
    options.deleteTrailingZeros = deleteZeros;
    options.groupDigits = group;
    return options;
}

std::string Format(const CalcValue& value, DisplayMode mode, const FormatOptions& options) {
    std::string text;
    FormatResult(value, text, mode, options);
    return text;
}

const FormatOptions kDefaults = Options(4);
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr DisplayMode kDec = DisplayMode::Decimal;
constexpr DisplayMode kUns = DisplayMode::Unsigned;
constexpr DisplayMode kHex = DisplayMode::Hex;
constexpr DisplayMode kBin = DisplayMode::Binary;

struct Case {
    CalcValue value;
    DisplayMode mode;
    FormatOptions options;
    std::string expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << "kind " << static_cast<int>(c.value.kind) << " int " << c.value.integer << " real "
        << c.value.real << " mode " << static_cast<int>(c.mode) << " decimals "
        << c.options.decimals << " -> \"" << c.expected << "\"";
}

class FormatCase : public ::testing::TestWithParam<Case> {};

TEST_P(FormatCase, ProducesText) {
    const Case& c = GetParam();
    EXPECT_EQ(Format(c.value, c.mode, c.options), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultReals, FormatCase,
    ::testing::Values(
        Case{R(1.0 / 3), kDec, kDefaults, "0.3333"}, Case{R(2.0 / 3), kDec, kDefaults, "0.6667"},
        Case{R(2.5), kDec, kDefaults, "2.5"}, Case{R(6), kDec, kDefaults, "6"},
        Case{R(1234567.891), kDec, kDefaults, "1 234 567.891"},
        Case{R(-0.00001), kDec, kDefaults, "0"},
        Case{R(std::pow(2.0, 70)), kDec, kDefaults, "1 180 591 620 717 411 300 000"},
        Case{R(1e-20), kDec, kDefaults, "0"}, Case{R(9.99996), kDec, kDefaults, "10"},
        Case{R(-9.99996), kDec, kDefaults, "-10"},
        Case{R(999999.99996), kDec, kDefaults, "1 000 000"}, Case{R(0.0), kDec, kDefaults, "0"},
        Case{R(-0.0), kDec, kDefaults, "0"}, Case{R(0.00005), kDec, kDefaults, "0.0001"},
        Case{R(0.00004), kDec, kDefaults, "0"}, Case{R(-123.45), kDec, kDefaults, "-123.45"},
        Case{R(-1234.5), kDec, kDefaults, "-1 234.5"},
        Case{R(123456.5), kDec, kDefaults, "123 456.5"},
        Case{R(1e15), kDec, kDefaults, "1 000 000 000 000 000"},
        Case{R(0.1 + 0.2), kDec, kDefaults, "0.3"},
        // 17 significant digits, then zeros: 2^60 = 1152921504606846976.
        Case{R(std::pow(2.0, 60)), kDec, kDefaults, "1 152 921 504 606 847 000"},
        Case{R(kInf), kDec, kDefaults, "inf"}, Case{R(-kInf), kDec, kDefaults, "-inf"},
        Case{R(kNaN), kDec, kDefaults, "nan"}, Case{R(-kNaN), kDec, kDefaults, "nan"}));

INSTANTIATE_TEST_SUITE_P(
    OtherOptions, FormatCase,
    ::testing::Values(
        Case{R(0.125), kDec, Options(2), "0.13"}, Case{R(1.005), kDec, Options(2), "1"},
        Case{R(1.005), kDec, Options(2, 0), "1.00"}, Case{R(2.5), kDec, Options(0), "3"},
        Case{R(-2.5), kDec, Options(0), "-3"}, Case{R(0.5), kDec, Options(0), "1"},
        Case{R(-0.4), kDec, Options(0), "0"}, Case{R(-0.4), kDec, Options(0, 0), "0"},
        Case{R(1234.5), kDec, Options(0), "1 235"}, Case{R(999.5), kDec, Options(0), "1 000"},
        Case{R(6), kDec, Options(4, 0), "6.0000"}, Case{R(2.5), kDec, Options(4, 0), "2.5000"},
        Case{R(-0.00001), kDec, Options(4, 0), "-0.0000"},
        Case{R(9.99996), kDec, Options(4, 0), "10.0000"},
        Case{R(1234567.891), kDec, Options(4, 1, 0), "1234567.891"},
        Case{R(1234567.891), kDec, Options(4, 0, 0), "1234567.8910"},
        Case{R(0.1), kDec, Options(15, 0), "0.100000000000000"},
        Case{R(1.1), kDec, Options(15, 0), "1.100000000000000"},
        // 1234.1 is 1.2340999999999999e+03 to 17 digits; the places after them print as 0.
        Case{R(1234.1), kDec, Options(15, 0, 0), "1234.099999999999900"},
        Case{R(123.456), kDec, Options(15, 0, 0), "123.456000000000000"},
        Case{R(1.0 / 3), kDec, Options(15, 0, 0), "0.333333333333333"},
        Case{R(2.0 / 3), kDec, Options(15, 0, 0), "0.666666666666667"},
        Case{R(1e-15), kDec, Options(15, 0), "0.000000000000001"},
        Case{R(4e-16), kDec, Options(15), "0"},
        Case{R(5e-16), kDec, Options(15), "0.000000000000001"},
        Case{R(0.5), kDec, Options(-3), "1"},                           // clamped to 0
        Case{R(1.0 / 3), kDec, Options(99, 1, 0), "0.333333333333333"}, // clamped to 15
        Case{R(kInf), kDec, Options(4, 0), "inf"}, Case{R(-kInf), kDec, Options(0, 0, 1), "-inf"},
        Case{R(kNaN), kDec, Options(15, 0, 1), "nan"},
        Case{I(-1), kUns, Options(4, 1, 0), "18446744073709551615"},
        Case{I(123456789), kDec, Options(0, 0, 0), "123456789"}));

INSTANTIATE_TEST_SUITE_P(
    Integers, FormatCase,
    ::testing::Values(
        Case{I(7), kDec, kDefaults, "7"}, Case{I(-1234567), kDec, kDefaults, "-1 234 567"},
        Case{I(-123456), kDec, kDefaults, "-123 456"}, Case{I(123), kDec, kDefaults, "123"},
        Case{I(-123), kDec, kDefaults, "-123"}, Case{I(1234), kDec, kDefaults, "1 234"},
        Case{I(INT64_MIN), kDec, kDefaults, "-9 223 372 036 854 775 808"},
        Case{I(INT64_MAX), kDec, kDefaults, "9 223 372 036 854 775 807"},
        // Integers ignore the decimals option.
        Case{I(5), kDec, Options(4, 0), "5"}, Case{I(-1), kDec, kDefaults, "-1"},
        Case{I(-1), kUns, kDefaults, "18 446 744 073 709 551 615"},
        Case{I(-1), kHex, kDefaults, "FFFF FFFF FFFF FFFF"},
        Case{I(-1), kBin, kDefaults,
             "1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111 1111"},
        Case{I(255), kHex, kDefaults, "FF"}, Case{I(1048575), kHex, kDefaults, "F FFFF"},
        Case{I(65535), kHex, kDefaults, "FFFF"}, Case{I(65536), kHex, kDefaults, "1 0000"},
        Case{I(0xABCDEF), kHex, Options(4, 1, 0), "ABCDEF"}, Case{I(0), kHex, kDefaults, "0"},
        Case{I(0), kUns, kDefaults, "0"}, Case{I(1000), kUns, kDefaults, "1 000"},
        Case{I(255), kBin, kDefaults, "1111 1111"}, Case{I(10), kBin, kDefaults, "1010"},
        Case{I(0), kBin, kDefaults, "0"}, Case{I(16), kBin, kDefaults, "1 0000"},
        Case{I(INT64_MIN), kBin, Options(4, 1, 0), "1" + std::string(63, '0')},
        Case{I(INT64_MIN), kHex, kDefaults, "8000 0000 0000 0000"}));

INSTANTIATE_TEST_SUITE_P(
    RealsAsIntegers, FormatCase,
    ::testing::Values(Case{R(1e30), kUns, kDefaults, "9 223 372 036 854 775 808"},
                      Case{R(3.99), kHex, kDefaults, "3"},
                      Case{R(-1.5), kHex, kDefaults, "FFFF FFFF FFFF FFFF"},
                      Case{R(-2.9), kUns, kDefaults, "18 446 744 073 709 551 614"},
                      Case{R(5.9), kBin, kDefaults, "101"},
                      Case{R(kNaN), kUns, kDefaults, "9 223 372 036 854 775 808"},
                      Case{R(kInf), kHex, kDefaults, "8000 0000 0000 0000"},
                      Case{R(-kInf), kBin, Options(4, 1, 0), "1" + std::string(63, '0')},
                      Case{R(-0.5), kHex, kDefaults, "0"}));

TEST(FormatResultTest, AppendsToText) {
    std::string text = "x";
    FormatResult(I(1), text, kDec, kDefaults);
    EXPECT_EQ(text, "x1");
}

// Places beyond the 17th significant digit print as zeros, up to the largest double.
TEST(FormatResultTest, LargestDoubleHasSeventeenDigitsThenZeros) {
    const std::string text = Format(R(std::numeric_limits<double>::max()), kDec, Options(2, 0, 0));
    EXPECT_EQ(text, "17976931348623157" + std::string(292, '0') + ".00");
}

TEST(FormatResultTest, SmallestDenormalIsZero) {
    EXPECT_EQ(Format(R(std::numeric_limits<double>::denorm_min()), kDec, Options(15, 0)),
              "0.000000000000000");
    EXPECT_EQ(Format(R(-std::numeric_limits<double>::denorm_min()), kDec, Options(15, 0)),
              "-0.000000000000000");
}

// The printed value is within half a unit of the last place of the value (plus the
// 17-digit rounding), for values spread over many magnitudes.
TEST(FormatResultTest, RoundTripsWithinHalfAPlace) {
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 14);
    std::uniform_int_distribution<int> places(0, 15);
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        const int decimals = places(random);
        const std::string text = Format(R(value), kDec, Options(decimals, 0, 0));
        const double back = std::strtod(text.c_str(), nullptr);
        const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * 1e-16;
        ASSERT_LE(std::fabs(back - value), tolerance)
            << value << " at " << decimals << ": " << text;
        const size_t point = text.find('.');
        ASSERT_EQ(point == std::string::npos ? 0 : text.size() - point - 1,
                  static_cast<size_t>(decimals))
            << text;
    }
}

TEST(FormatResultTest, GroupsOfThreeFromTheRight) {
    std::string digits;
    for (int length = 1; length <= 20; ++length) {
        digits += static_cast<char>('1' + length % 9);
        for (const std::string sign : {"", "-"}) {
            const double value = std::strtod((sign + digits).c_str(), nullptr);
            const std::string text = Format(R(value), kDec, Options(0));
            ASSERT_EQ(text.compare(0, sign.size(), sign), 0) << text;
            // Split what follows the sign at the spaces: the first group holds one to three
            // digits, every other group exactly three.
            std::vector<size_t> groups{0};
            for (size_t i = sign.size(); i < text.size(); ++i) {
                if (text[i] == ' ') {
                    groups.push_back(0);
                } else {
                    ++groups.back();
                }
            }
            ASSERT_GE(groups.front(), 1u) << text;
            ASSERT_LE(groups.front(), 3u) << text;
            for (size_t g = 1; g < groups.size(); ++g) {
                ASSERT_EQ(groups[g], 3u) << text;
            }
        }
    }
}

struct SuffixCase {
    std::string line;
    DisplayMode mode;
    std::string rest;
};

void PrintTo(const SuffixCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class SuffixTest : public ::testing::TestWithParam<SuffixCase> {};

TEST_P(SuffixTest, StripsRecognisedSuffix) {
    std::string line = GetParam().line;
    EXPECT_EQ(ParseDisplaySuffix(line), GetParam().mode);
    EXPECT_EQ(line, GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SuffixTest,
    ::testing::Values(SuffixCase{"255,x", kHex, "255"}, SuffixCase{"255,b", kBin, "255"},
                      SuffixCase{"255,u", kUns, "255"}, SuffixCase{"255,X", kDec, "255,X"},
                      SuffixCase{"255,B", kDec, "255,B"}, SuffixCase{"255,U", kDec, "255,U"},
                      SuffixCase{"255,d", kDec, "255,d"}, SuffixCase{"255x", kDec, "255x"},
                      SuffixCase{",x", kHex, ""}, SuffixCase{"x", kDec, "x"},
                      SuffixCase{"", kDec, ""}, SuffixCase{",", kDec, ","},
                      SuffixCase{"1+2//see,x", kHex, "1+2//see"}, SuffixCase{"1,x,b", kBin, "1,x"},
                      SuffixCase{"x=255,x", kHex, "x=255"}));

} // namespace
