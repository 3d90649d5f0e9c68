// ln, log, exp, pow, asin, acos and atan against MPFR: random arguments over each function's
// whole range, with extra weight where accuracy is hardest (subnormals, near 1 for the
// logarithms, near overflow and underflow for exp and pow, huge powers of numbers near 1),
// and the classic hard cases. Each reports its largest error in ulps and the count of results
// that are not the correctly rounded one; above 1 ulp fails.
#include "engine/Maths.h"
#include "engine/MathsKernels.h"
#include "tests/engine/accuracy/MpfrReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using mpfr_reference::CaseCount;
using mpfr_reference::RandomDouble;
using mpfr_reference::UlpError;

constexpr uint64_t kDefaultCases = 100000;

// The largest error seen, where, and how many results were not correctly rounded.
struct Tally {
    double worst = 0.0;
    double worstX = 0.0;
    double worstY = 0.0;
    uint64_t cases = 0;
    uint64_t misrounded = 0;

    void Add(double error, double x, double y = 0.0) {
        ++cases;
        if (error > 0.5) {
            ++misrounded;
        }
        if (error > worst || error != error) {
            worst = error;
            worstX = x;
            worstY = y;
        }
    }
    void Report(const char* name) const {
        std::printf("%-6s %9llu cases  max error %.4f ulp at %a %a  not correctly rounded %llu\n",
                    name, static_cast<unsigned long long>(cases), worst, worstX, worstY,
                    static_cast<unsigned long long>(misrounded));
        EXPECT_LE(worst, 1.0) << name << " at " << worstX << ", " << worstY;
    }
};

using Draw = std::function<double(std::mt19937_64&)>;

// Runs f on `cases` random arguments, shared evenly among the draws.
void CheckUnary(const char* name, double (*f)(double), mpfr_reference::Unary exact,
                const std::vector<Draw>& draws, const std::vector<double>& hard) {
    const uint64_t cases = CaseCount(kDefaultCases);
    std::mt19937_64 rng(20261209);
    Tally tally;
    for (uint64_t i = 0; i < cases; ++i) {
        const double x = draws[i % draws.size()](rng);
        tally.Add(UlpError(f(x), exact, x), x);
    }
    for (double x : hard) {
        tally.Add(UlpError(f(x), exact, x), x);
        tally.Add(UlpError(f(-x), exact, -x), -x);
    }
    tally.Report(name);
}

double Uniform(std::mt19937_64& rng, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng);
}

Draw Anywhere(int minExponent, int maxExponent) {
    return [=](std::mt19937_64& rng) { return RandomDouble(rng, minExponent, maxExponent); };
}

Draw Positive(int minExponent, int maxExponent) {
    return [=](std::mt19937_64& rng) {
        return std::fabs(RandomDouble(rng, minExponent, maxExponent));
    };
}

// 1 plus or minus 2^e, e in [minExponent, maxExponent].
Draw NearOne(int minExponent, int maxExponent) {
    return [=](std::mt19937_64& rng) { return 1.0 + RandomDouble(rng, minExponent, maxExponent); };
}

Draw Between(double low, double high) {
    return [=](std::mt19937_64& rng) { return Uniform(rng, low, high); };
}

// Arguments whose logarithm or exponential lies close to a double or a rounding boundary are
// the hard ones of the literature; these are a few with results near half-ulp points, plus the
// places where each formula switches.
const std::vector<double> kLogHard = {
    0.0,
    0x1.fffffffffffffp-1,
    0x1.0000000000001p+0,
    0x1.6a09e667f3bcdp+0,
    0x1.6a09e667f3bccp-1,
    0x1.6b00000000000p-1,
    0x1.fe00000000000p-1,
    0x1.0100000000000p+0,
    0x1p-1074,
    0x1.fffffffffffffp+1023,
    0x1p-1022,
    0x1.ea71d85cee020p-509,
    0x1.80000000000ap+0,
    10.0,
    1000.0,
    1e22,
    1e-300,
    2.718281828459045,
    0x1.1p-1060,
};
const std::vector<double> kExpHard = {
    709.782712893384,      709.7827128933841,
    -708.3964185322641,    -708.3964185322642,
    -745.1332191019411,    -745.1332191019412,
    -744.4400719213812,    0x1.62e42fefa39efp+9,
    0x1.fffffffffffffp-55, 0x1p-54,
    7.541232533872553e-10, 1e-300,
    0x1.5bf0a8b145769p+1,  0.5,
    -0x1.74910d52d3051p+9, 0x1.2e8f20cf3cbe7p+8,
};
const std::vector<double> kArcHard = {
    0.0,
    0x1p-1074,
    0x1.fffffffffffffp-9, // asin's table point rounds up to 1/128 here
    0x1p-27,
    0x1.0000000000001p-27,
    0x1p-26,
    0x1p-57,
    0.5,
    0x1.fffffffffffffp-2,
    0x1.6a09e667f3bcdp-1,
    0x1.fffffffffffffp-1,
    1.0,
    0x1.0000000000001p+0,
    0x1p+54,
    1e300,
    0x1.ff8p-7,
    0x1.01p-6,
    0x1.5p-1,
    0x1.0fdp-1,
    0x1.0000000000001p-1, // asin's table points from 1 - x start above 1/2
    0x1.7ffffffffffffp-1,
    0.75,
    0x1.7bfffffffffffp-1, // a piece's edge
    0x1.7cp-1,
    0x1.dffffffffffffp-1,
    0.9375,
    0x1.effffffffffffp-1, // the last point, and the square root's route after it
    0x1.fp-1,
    0x1.e68d1ff991542p-1, // rounding in doubt on the table's value
    0x1.926172cec5652p-1,
    0x1.77ed310dea36cp-1,
    0x1.8e1d426deffbap-1,
};

TEST(AccuracyTest, LnIsWithinOneUlpEverywhere) {
    CheckUnary("ln", maths::Ln, mpfr_log,
               {Positive(-1074, 1023), Positive(-1090, -1020), NearOne(-53, -1), Between(0.5, 2.0)},
               kLogHard);
}

TEST(AccuracyTest, LogIsWithinOneUlpEverywhere) {
    CheckUnary(
        "log", maths::Log10, mpfr_log10,
        {Positive(-1074, 1023), Positive(-1090, -1020), NearOne(-53, -1), Between(0.5, 20.0)},
        kLogHard);
}

TEST(AccuracyTest, ExpIsWithinOneUlpEverywhere) {
    CheckUnary("exp", maths::Exp, mpfr_exp,
               {Anywhere(-1074, 10), Between(-746.0, 710.0), Between(700.0, 709.8),
                Between(-745.2, -700.0), Between(-10.0, 10.0)},
               kExpHard);
}

TEST(AccuracyTest, AtanIsWithinOneUlpEverywhere) {
    CheckUnary("atan", maths::Atan, mpfr_atan,
               {Anywhere(-1074, 1023), Anywhere(-30, 60), Between(-10.0, 10.0)}, kArcHard);
}

TEST(AccuracyTest, AsinIsWithinOneUlpEverywhere) {
    CheckUnary("asin", maths::Asin, mpfr_asin,
               {Anywhere(-1074, -1), Between(-1.0, 1.0), NearOne(-53, -2)}, kArcHard);
}

TEST(AccuracyTest, AcosIsWithinOneUlpEverywhere) {
    CheckUnary("acos", maths::Acos, mpfr_acos,
               {Anywhere(-1074, -1), Between(-1.0, 1.0), NearOne(-53, -2),
                [](std::mt19937_64& rng) { return -1.0 + std::fabs(RandomDouble(rng, -53, -2)); }},
               kArcHard);
}

// pow: exponents chosen so that y * ln(x) covers the whole range of the result, near overflow
// and underflow too; negative bases with integer exponents; numbers near 1 to huge powers.
TEST(AccuracyTest, PowIsWithinOneUlpEverywhere) {
    const uint64_t cases = CaseCount(kDefaultCases);
    std::mt19937_64 rng(20261210);
    Tally tally;
    auto check = [&](double x, double y) {
        tally.Add(UlpError(maths::Pow(x, y), mpfr_pow, x, y), x, y);
    };
    // y with y * ln(x) = target, for x > 0 away from 1 (std::log only aims the draw).
    auto aimed = [](double x, double target) { return target / std::log(x); };
    for (uint64_t i = 0; i < cases; ++i) {
        switch (i % 6) {
        case 0: { // anything, results from the smallest subnormal to the largest double
            const double x = std::fabs(RandomDouble(rng, -1074, 1023));
            check(x, x == 1.0 ? 3.0 : aimed(x, Uniform(rng, -745.2, 709.8)));
            break;
        }
        case 1: // near overflow and underflow
        {
            const double x = std::fabs(RandomDouble(rng, -20, 20));
            const double target =
                rng() % 2 ? Uniform(rng, 700.0, 709.79) : Uniform(rng, -745.2, -700);
            check(x, x == 1.0 ? 3.0 : aimed(x, target));
            break;
        }
        case 2: // negative bases with integer exponents
            check(-std::fabs(RandomDouble(rng, -30, 30)),
                  static_cast<double>(static_cast<int64_t>(rng() % 129) - 64));
            break;
        case 3: // x near 1, huge y
            check(1.0 + RandomDouble(rng, -53, -8), RandomDouble(rng, 8, 60));
            break;
        case 4: // small ordinary numbers
            check(Uniform(rng, 0.0, 10.0), Uniform(rng, -10.0, 10.0));
            break;
        default: // any y, mostly over- or underflowing
            check(std::fabs(RandomDouble(rng, -1074, 1023)), RandomDouble(rng, -1074, 1023));
            break;
        }
    }
    const double hard[][2] = {
        {10.0, -2.0},
        {2.0, 0.5},
        {2.0, -1074.0},
        {2.0, 1023.0},
        {2.0, 1024.0},
        {0.5, 1075.0},
        {3.0, 40.0},
        {-3.0, 39.0},
        {10.0, 308.0},
        {10.0, 309.0},
        {10.0, -323.0},
        {10.0, -324.0},
        {0x1.fffffffffffffp-1, 0x1p62},
        {1.5, 1750.0},
        {0x1.0000000000001p+0, -0x1p60},
        {1e-300, 1.03},
        {7.0, 0.1},
        {0x1p-1074, 0.5},
        {-0.0, 3.0},
        {-0.0, -3.0},
        {-0x1p-1074, 3.0}, // underflows to -0
        {-1e-200, 5.0},
        {-0x1p-1074, -1.0},
        {-10.0, -401.0},
        {0x1.fffffffffffffp-1, 0x1.fffffffffffffp+62},
    };
    for (const auto& h : hard) {
        check(h[0], h[1]);
    }
    tally.Report("pow");
}

// pow's quick path keeps a result only when its error bound proves the rounding, so every result
// it keeps must be the correctly rounded one; where the bound is wrong, it keeps a wrong one.
// Weight on its weak places: ln x near 0 (x by the pieces next to 1, and huge y), results near
// the ends of its range, and the ends of the logarithm's pieces.
TEST(AccuracyTest, PowQuickPathKeepsOnlyCorrectlyRoundedResults) {
    const uint64_t cases = CaseCount(kDefaultCases);
    std::mt19937_64 rng(20261211);
    uint64_t ordinary = 0;
    uint64_t ordinaryKept = 0;
    uint64_t wrong = 0;
    auto aimed = [](double x, double target) { return target / std::log(x); };
    for (uint64_t i = 0; i < cases; ++i) {
        double x = 0.0;
        double target = Uniform(rng, -707.0, 707.0);
        switch (i % 5) {
        case 0:
            x = std::fabs(RandomDouble(rng, -1074, 1023));
            break;
        case 1: // the piece of 1 and those next to it
            x = 1.0 + Uniform(rng, -0x1p-7, 0x1p-6);
            break;
        case 2: // 1 plus or minus a tiny part
            x = 1.0 + RandomDouble(rng, -53, -9);
            break;
        case 3: { // an end of a piece of the logarithm's table, or next to it
            const uint64_t ends = 0x3FE6B00000000000 + ((rng() % 128) << 45);
            x = maths::FromBits(ends + rng() % 3 - 1) *
                std::ldexp(1.0, static_cast<int>(rng() % 64) - 32);
            break;
        }
        default: // ordinary, and near the ends of the range
            x = Uniform(rng, 0.0, 10.0);
            target = rng() % 2 ? Uniform(rng, -10.0, 10.0) : (rng() % 2 ? 706.9 : -706.9);
            break;
        }
        if (!(x > 0.0) || x == 1.0 || std::isinf(x)) {
            continue;
        }
        const double y = aimed(x, target);
        const double got = maths::kernel::PowFast(x, y);
        if (i % 5 == 4) {
            ++ordinary;
            ordinaryKept += got == got ? 1 : 0;
        }
        if (got == got && UlpError(got, mpfr_pow, x, y) > 0.5) {
            ++wrong;
            ADD_FAILURE() << "pow(" << std::hexfloat << x << ", " << y << ") = " << got;
        }
    }
    // Ordinary arguments should rarely need the slow path (the bound is 2^-61 of the result).
    std::printf("pow quick path: %llu of %llu ordinary results kept\n",
                static_cast<unsigned long long>(ordinaryKept),
                static_cast<unsigned long long>(ordinary));
    EXPECT_EQ(wrong, 0u);
    EXPECT_GT(ordinaryKept, ordinary * 97 / 100);
}

} // namespace
