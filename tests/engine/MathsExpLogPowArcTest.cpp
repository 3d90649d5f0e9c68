// The engine's ln, log, exp, pow, asin, acos and atan: special values, exact results, and
// correctly rounded values (from MPFR) that every build, Windows under Wine too, must give bit
// for bit. Accuracy over the whole range is tested against MPFR in tests/engine/accuracy/.
#include "engine/Maths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMinSubnormal = 0x1p-1074;

uint64_t Bits(double x) {
    uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

// Same value and same sign (so +0 and -0 differ), NaN equal to NaN.
#define EXPECT_SAME(expected, actual)                                                              \
    EXPECT_TRUE((std::isnan(expected) && std::isnan(actual)) || Bits(expected) == Bits(actual))    \
        << #actual << " = " << (actual) << " (" << std::hexfloat << (actual) << ")"

TEST(MathsTest, CorrectlyRoundedValuesAreTheSameBitsOnEveryBuild) {
    struct Case {
        double (*f)(double);
        double x;
        double expected;
    };
    const Case cases[] = {
        {maths::Exp, 1.0, 0x1.5bf0a8b145769p+1},
        {maths::Exp, -0.1, 0x1.cf46d99d52b3ap-1},
        {maths::Exp, 700.5, 0x1.8625c7d4f56c2p+1010},
        {maths::Exp, -740.25, 0x0.0000000000042p-1022},
        {maths::Exp, 1e-10, 0x1.000000006df38p+0},
        {maths::Ln, 10.0, 0x1.26bb1bbb55516p+1},
        {maths::Ln, 0x1.0000000000001p+0, 0x1.fffffffffffffp-53},
        {maths::Ln, kMinSubnormal, -0x1.74385446d71c3p+9},
        {maths::Ln, 0x1.7e43c8800759cp+996, 0x1.5963447f87fb5p+9},
        {maths::Log10, 2.0, 0x1.34413509f79ffp-2},
        {maths::Log10, 0.3, -0x1.0bb6c34d81502p-1},
        {maths::Log10, 1e-310, -310.0},
        // Near 1 (where the quick logarithm's table point is 1), large and subnormal.
        {maths::Log10, 0x1.ff8p-1, -0x1.bcef518e29612p-12},
        {maths::Log10, 0x1.004p+0, 0x1.bc80239e5b56p-12},
        {maths::Log10, 123456.789, 0x1.45db61a282512p+2},
        {maths::Log10, 0x0.000000000003p-1022, -0x1.419ffe4d91004p+8},
        {maths::Atan, 1.0, 0x1.921fb54442d18p-1},
        {maths::Atan, 0.3, 0x1.2a73a661eaf06p-2},
        {maths::Atan, -7e10, -0x1.921fb544331c7p+0},
        {maths::Asin, 0.5, 0x1.0c152382d7366p-1},
        {maths::Asin, -0.999999, -0x1.91c306b2c13adp+0},
        {maths::Acos, 0.5, 0x1.0c152382d7366p+0},
        {maths::Acos, -0.7, 0x1.2c501446cd5f1p+1},
        {maths::Acos, 0.9999999999, 0x1.da88066815a95p-17},
        // Where the table point from 1 - x changes piece or binade, and where the table ends.
        {maths::Asin, 0x1.0000000000001p-1, 0x1.0c152382d7367p-1},
        {maths::Acos, 0x1.7ffffffffffffp-1, 0x1.720a392c1d956p-1},
        {maths::Asin, 0x1.7cp-1, 0x1.ac333ef06451ap-1},
        {maths::Acos, 0x1.7bfffffffffffp-1, 0x1.780c2b9821518p-1},
        {maths::Asin, 0x1.dffffffffffffp-1, 0x1.3722d2feb24c6p+0},
        {maths::Acos, 0x1.effffffffffffp-1, 0x1.00abe0c129e26p-2},
        {maths::Asin, 0x1.fp-1, 0x1.51f4bd13f8591p+0},
        // Close to a rounding boundary, where the table's value alone would round the other way.
        {maths::Asin, -0x1.e68d1ff991542p-1, -0x1.41122ab175577p+0},
        {maths::Acos, 0x1.926172cec5652p-1, 0x1.5552b119dbd25p-1},
        {maths::Acos, 0x1.77ed310dea36cp-1, 0x1.7e161814548cp-1},
        {maths::Acos, -0x1.8e1d426deffbap-1, 0x1.3b152b4bf7d61p+1},
    };
    for (const Case& c : cases) {
        EXPECT_SAME(c.expected, c.f(c.x));
    }
    struct PowCase {
        double x;
        double y;
        double expected;
    };
    const PowCase powers[] = {
        {2.0, 0.5, 0x1.6a09e667f3bcdp+0},
        {10.0, -2.0, 0.01},
        {1.0000001, 1e9, 0x1.349445c228792p+144},
        {-2.5, -7.0, -0x1.ad7f29abcaf48p-10},
        {7.0, 0.1, 0x1.36fe0d9dde8a3p+0},
        {0.5, 1074.0, kMinSubnormal},
        {3.0, -680.5, 0.0},
        // y ln x near the top of the quick path (its error bound grows with |y ln x| and |y|)
        // and just above it, where the double-double path takes over.
        {1e300, 1.02, 0x1.6c8e5ca239078p+1016},
        {0x1.000000006df38p+0, 6.5e12, 0x1.af17b73e084fp+937},
        {0.7, -1979.5, 0x1.836096ed8da32p+1018},
        {0.7, -1980.5, 0x1.14b2b4f2d2e24p+1019},
        {3.7, -2.9, 0x1.70aae60a70ef7p-6},
    };
    for (const PowCase& c : powers) {
        EXPECT_SAME(c.expected, maths::Pow(c.x, c.y));
    }
}

TEST(MathsTest, ExactResultsAreExact) {
    EXPECT_SAME(0.0, maths::Ln(1.0));
    EXPECT_SAME(0.0, maths::Log10(1.0));
    EXPECT_SAME(1.0, maths::Exp(0.0));
    EXPECT_SAME(1.0, maths::Exp(-0.0));
    double power = 1.0;
    for (int k = 0; k <= 22; ++k) { // 10^k is a double exactly up to 10^22
        EXPECT_SAME(static_cast<double>(k), maths::Log10(power));
        EXPECT_SAME(power, maths::Pow(10.0, k));
        power *= 10.0;
    }
    for (int k = -1074; k <= 1023; ++k) {
        EXPECT_SAME(std::ldexp(1.0, k), maths::Pow(2.0, k)) << k;
    }
    EXPECT_SAME(-0x1p-1074, maths::Pow(-0x1p-358, 3.0));
    EXPECT_SAME(-27.0, maths::Pow(-3.0, 3.0));
    // Squares and inverses are one rounded operation, to overflow and underflow too.
    EXPECT_SAME(kInf, maths::Pow(-1e200, 2.0));
    EXPECT_SAME(kMinSubnormal, maths::Pow(0x1p-537, 2.0));
    EXPECT_SAME(-kInf, maths::Pow(-kMinSubnormal, -1.0));
    EXPECT_SAME(0.1, maths::Pow(10.0, -1.0));
    EXPECT_SAME(81.0, maths::Pow(-3.0, 4.0));
    EXPECT_SAME(0.125, maths::Pow(4.0, -1.5));
    EXPECT_SAME(0.0, maths::Asin(0.0));
    EXPECT_SAME(-0.0, maths::Asin(-0.0));
    EXPECT_SAME(-0.0, maths::Atan(-0.0));
    EXPECT_SAME(0.0, maths::Acos(1.0));
    EXPECT_SAME(3.141592653589793, maths::Acos(-1.0));
    EXPECT_SAME(1.5707963267948966, maths::Acos(0.0));
    EXPECT_SAME(-1.5707963267948966, maths::Asin(-1.0));
    EXPECT_SAME(kMinSubnormal, maths::Asin(kMinSubnormal));
    EXPECT_SAME(-kMinSubnormal, maths::Atan(-kMinSubnormal));
}

TEST(MathsTest, DomainsEndsAndSpecialValues) {
    EXPECT_SAME(-kInf, maths::Ln(0.0));
    EXPECT_SAME(-kInf, maths::Ln(-0.0));
    EXPECT_SAME(-kInf, maths::Log10(0.0));
    EXPECT_SAME(kNaN, maths::Ln(-1.0));
    EXPECT_SAME(kNaN, maths::Log10(-kMinSubnormal));
    EXPECT_SAME(kNaN, maths::Ln(-kInf));
    EXPECT_SAME(kInf, maths::Ln(kInf));
    EXPECT_SAME(kInf, maths::Log10(kInf));
    EXPECT_SAME(kNaN, maths::Ln(kNaN));

    EXPECT_SAME(kInf, maths::Exp(kInf));
    EXPECT_SAME(0.0, maths::Exp(-kInf));
    EXPECT_SAME(kNaN, maths::Exp(kNaN));
    EXPECT_SAME(kInf, maths::Exp(709.79)); // just beyond the largest double
    EXPECT_SAME(0x1.fffffffffff2ap+1023, maths::Exp(709.782712893384));
    EXPECT_SAME(kMinSubnormal, maths::Exp(-745.13)); // just above half the smallest subnormal
    EXPECT_SAME(0.0, maths::Exp(-745.14));
    EXPECT_SAME(0.0, maths::Exp(-1e300));

    EXPECT_SAME(kNaN, maths::Asin(1.0000000000000002));
    EXPECT_SAME(kNaN, maths::Acos(-1.0000000000000002));
    EXPECT_SAME(kNaN, maths::Asin(kInf));
    EXPECT_SAME(kNaN, maths::Acos(kNaN));
    EXPECT_SAME(1.5707963267948966, maths::Atan(kInf));
    EXPECT_SAME(-1.5707963267948966, maths::Atan(-1e300));
    EXPECT_SAME(kNaN, maths::Atan(kNaN));
}

// The cases of IEEE 754 pow, in the order the standard lists them.
TEST(MathsTest, PowSpecialCasesFollowIeee) {
    struct Case {
        double x;
        double y;
        double expected;
    };
    const Case cases[] = {
        {kNaN, 0.0, 1.0},
        {kInf, -0.0, 1.0},
        {1.0, kNaN, 1.0},
        {1.0, -kInf, 1.0},
        {kNaN, 2.0, kNaN},
        {2.0, kNaN, kNaN},
        {-1.0, kInf, 1.0},
        {-1.0, -kInf, 1.0},
        {0.5, kInf, 0.0},
        {0.5, -kInf, kInf},
        {-2.0, kInf, kInf},
        {-2.0, -kInf, 0.0},
        {0.0, -3.0, kInf},
        {-0.0, -3.0, -kInf},
        {-0.0, -2.0, kInf},
        {-0.0, -0.5, kInf},
        {-0.0, -kInf, kInf},
        {0.0, 3.0, 0.0},
        {-0.0, 3.0, -0.0},
        {-0.0, 2.0, 0.0},
        {-0.0, 0.5, 0.0},
        {-kInf, -3.0, -0.0},
        {-kInf, -2.0, 0.0},
        {-kInf, 3.0, -kInf},
        {-kInf, 2.5, kInf},
        {kInf, -0.5, 0.0},
        {kInf, 0.5, kInf},
        {-8.0, 1.0 / 3, kNaN},
        {-2.0, 0.5, kNaN},
        {-2.0, 1e300, kInf},
        {-2.0, -1e300, 0.0},
        {-0.5, 1e300, 0.0},
        {10.0, 309.0, kInf},
        {-10.0, 309.0, -kInf},
        {10.0, -400.0, 0.0},
        {-10.0, -401.0, -0.0},
        {-1.0, 0x1.fffffffffffffp+52, -1.0},
        {-1.0, 0x1p+53, 1.0},
        {0x1.fffffffffffffp-1, -0x1p+70, kInf},
        {1.5, kMinSubnormal, 1.0},
    };
    for (const Case& c : cases) {
        EXPECT_SAME(c.expected, maths::Pow(c.x, c.y)) << " for " << c.x << " ^ " << c.y;
    }
}

} // namespace
