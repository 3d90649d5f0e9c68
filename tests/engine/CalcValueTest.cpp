#include "engine/CalcValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

CalcValue I(int64_t v) {
    return CalcValue::MakeInteger(v);
}
CalcValue R(double v) {
    return CalcValue::MakeReal(v);
}

using BinaryOp = void (*)(CalcValue&, const CalcValue&);

struct BinaryCase {
    const char* name;
    BinaryOp op;
    CalcValue left;
    CalcValue right;
    CalcValue expected;
};

void ExpectSame(const CalcValue& actual, const CalcValue& expected) {
    ASSERT_EQ(actual.kind, expected.kind);
    if (expected.kind == ValueKind::Integer) {
        EXPECT_EQ(actual.integer, expected.integer);
    } else if (std::isnan(expected.real)) {
        EXPECT_TRUE(std::isnan(actual.real));
    } else {
        EXPECT_EQ(actual.real, expected.real);
    }
}

TEST(CalcValueOps, TwoOperandTable) {
    const BinaryCase cases[] = {
        // integer arithmetic wraps on 64 bits
        {"max+1", Add, I(kMax), I(1), I(kMin)},
        {"min-1", Subtract, I(kMin), I(1), I(kMax)},
        {"2^32*2^32", Multiply, I(4294967296), I(4294967296), I(0)},
        {"min*-1", Multiply, I(kMin), I(-1), I(kMin)},
        {"3+0.5", Add, I(3), R(0.5), R(3.5)},
        {"7.5-0x2", Subtract, R(7.5), I(2), R(5.5)},
        {"1e308*10", Multiply, R(1e308), I(10), R(kInf)},
        // division: integer truncates toward zero, mixed kinds go real
        {"7/2", Divide, I(7), I(2), I(3)},
        {"-7/2", Divide, I(-7), I(2), I(-3)},
        {"7/-2", Divide, I(7), I(-2), I(-3)},
        {"min/-1", Divide, I(kMin), I(-1), I(kMin)},
        {"7.0/2", Divide, R(7), I(2), R(3.5)},
        {"7/2.0", Divide, I(7), R(2), R(3.5)},
        // remainder: always integer, sign follows the dividend
        {"7.9%3", Remainder, R(7.9), I(3), I(1)},
        {"-7%3", Remainder, I(-7), I(3), I(-1)},
        {"7%-3", Remainder, I(7), I(-3), I(1)},
        {"min%-1", Remainder, I(kMin), I(-1), I(0)},
        {"7.0%2.5", Remainder, R(7), R(2.5), I(1)},
        {"nan%3", Remainder, R(kNaN), I(3), I(-2)},
        // power: always real, the library's special cases
        {"2^10", Power, I(2), I(10), R(1024)},
        {"-2^3", Power, I(-2), I(3), R(-8)},
        {"-2^0.5", Power, I(-2), R(0.5), R(kNaN)},
        {"0^-1", Power, I(0), I(-1), R(kInf)},
        {"5^0", Power, R(5), I(0), R(1)},
        // bitwise: operands converted to integer
        {"5.7&3", BitAnd, R(5.7), I(3), I(1)},
        {"4|1", BitOr, I(4), I(1), I(5)},
        {"6^^3", BitXor, I(6), R(3.9), I(5)},
        {"-2.9&-1", BitAnd, R(-2.9), I(-1), I(-2)},
        // shifts: count is the low 8 bits of the right operand
        {"1<<64", ShiftLeft, I(1), I(64), I(0)},
        {"1<<256", ShiftLeft, I(1), I(256), I(1)},
        {"1<<-1", ShiftLeft, I(1), I(-1), I(0)},
        {"1<<63", ShiftLeft, I(1), I(63), I(kMin)},
        {"-1<<1", ShiftLeft, I(-1), I(1), I(-2)},
        {"1.9<<2.9", ShiftLeft, R(1.9), R(2.9), I(4)},
        {"-8>>1", ShiftRight, I(-8), I(1), I(-4)},
        {"-1>>100", ShiftRight, I(-1), I(100), I(-1)},
        {"5>>100", ShiftRight, I(5), I(100), I(0)},
        {"min>>63", ShiftRight, I(kMin), I(63), I(-1)},
        {"max>>62", ShiftRight, I(kMax), I(62), I(1)},
        {"-7>>1", ShiftRight, I(-7), I(1), I(-4)},
        {"16>>260", ShiftRight, I(16), I(260), I(1)},
    };
    for (const BinaryCase& c : cases) {
        SCOPED_TRACE(c.name);
        CalcValue left = c.left;
        c.op(left, c.right);
        ExpectSame(left, c.expected);
    }
}

TEST(CalcValueOps, UnaryTable) {
    struct UnaryCase {
        const char* name;
        void (*op)(CalcValue&);
        CalcValue operand;
        CalcValue expected;
    } const cases[] = {
        {"-min", Negate, I(kMin), I(kMin)},      {"-5", Negate, I(5), I(-5)},
        {"-2.5", Negate, R(2.5), R(-2.5)},       {"~0.0", Complement, R(0.0), I(-1)},
        {"~1e30", Complement, R(1e30), I(kMax)}, {"~5", Complement, I(5), I(-6)},
    };
    for (const UnaryCase& c : cases) {
        SCOPED_TRACE(c.name);
        CalcValue value = c.operand;
        c.op(value);
        ExpectSame(value, c.expected);
    }
    CalcValue zero = R(0.0);
    Negate(zero);
    EXPECT_TRUE(std::signbit(zero.real)); // the sign flips, also of zero
}

TEST(CalcValueOps, RemainderByConvertedZeroThrows) {
    for (double divisor : {0.5, -0.25, 0.999}) {
        CalcValue left = R(5);
        EXPECT_THROW(Remainder(left, R(divisor)), std::exception) << divisor;
    }
    CalcValue left = I(5);
    EXPECT_THROW(Remainder(left, I(0)), std::exception);
    left = I(5);
    EXPECT_THROW(Divide(left, I(0)), std::exception); // guarded even though the parser tests first
}

TEST(CalcValueConversions, ToInteger) {
    const struct {
        double in;
        int64_t out;
    } cases[] = {
        {2.9, 2},
        {-2.9, -2},
        {0.0, 0},
        {-9223372036854775808.0, kMin},
        {9223372036854774784.0, 9223372036854774784}, // largest double below 2^63
        {9223372036854775808.0, kMin},                // 2^63 is out of range
        {-9223372036854777856.0, kMin},               // next double below -2^63
        {1e300, kMin},
        {kInf, kMin},
        {-kInf, kMin},
        {kNaN, kMin},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToInteger(R(c.in)), c.out) << c.in;
    }
    EXPECT_EQ(ToInteger(I(-42)), -42);
    EXPECT_EQ(ToReal(I(9007199254740993)), 9007199254740992.0); // the nearest double
}

TEST(CalcValueConversions, ZeroDivisorTest) {
    EXPECT_TRUE(IsZeroDivisor(I(0)));
    EXPECT_TRUE(IsZeroDivisor(R(0.0)));
    EXPECT_TRUE(IsZeroDivisor(R(-0.0)));
    EXPECT_TRUE(IsZeroDivisor(R(kNaN)));
    EXPECT_FALSE(IsZeroDivisor(R(1e-300)));
    EXPECT_FALSE(IsZeroDivisor(R(0.5)));
    EXPECT_FALSE(IsZeroDivisor(I(-1)));
    EXPECT_FALSE(IsZeroDivisor(R(kInf)));
}

} // namespace
