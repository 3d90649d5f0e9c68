// sin, cos, tan, cot, sec and csc against MPFR over the whole double range, with the arguments
// that are hardest to reduce: near multiples of pi/2, and huge.
#include "MpfrReference.h"

#include "engine/Maths.h"
#include "engine/TrigConstants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using mpfr_reference::Number;

struct TrigFunction {
    const char* name;
    double (*ours)(double);
    mpfr_reference::Unary exact;
};

void PrintTo(const TrigFunction& f, std::ostream* out) {
    *out << f.name;
}

// The ordinary run: 200,000 each, some 5 s of CPU for all six; `make test-maths-long` runs a
// million each.
constexpr uint64_t kDefaultCases = 200000;

// Arguments whose reduction loses the most bits, and other classic cases.
const double kHardCases[] = {
    0.0,                    // and -0.0, as every case runs with both signs: sin(-0) is -0
    0x1.6ac5b262ca1ffp+849, // 6381956970095103 * 2^797: closest to a multiple of pi/2
    1e22,
    0x1.921fb54442d18p+0, // the double nearest pi/2
    0x1.921fb54442d18p+1, // pi
    0x1.2d97c7f3321d2p+1, // 3pi/4
    1.7976931348623157e308,
    0x1p+1023,
    4468971748.930488,
    1.5341711378938592e+270,
    1e300,
    0x1.0p-1074,
    0x1.0p-1022,
    0x1.fffffffffffffp-28,
    0x1p-27,
    0.7853981633974483,
    0.7853981633974484,
    1.6e6,
    1599999.9999999998,
    355.0,
    103993.0,
    104348.0,
    411557987.0,
    1068966896.0,
    2549491779.0,
    6167950454.0,
    14885392687.0,
};

// A double close to k * pi/2, a few ulps either way.
double NearHalfPiMultiple(std::mt19937_64& rng, double k) {
    Number exact(k);
    Number halfPi;
    mpfr_const_pi(halfPi.get(), MPFR_RNDN);
    mpfr_div_2ui(halfPi.get(), halfPi.get(), 1, MPFR_RNDN);
    mpfr_mul(exact.get(), exact.get(), halfPi.get(), MPFR_RNDN);
    double x = mpfr_get_d(exact.get(), MPFR_RNDN);
    const int steps = static_cast<int>(rng() % 7) - 3;
    for (int i = 0; i < steps; ++i) {
        x = std::nextafter(x, 2 * x);
    }
    for (int i = 0; i > steps; --i) {
        x = std::nextafter(x, 0.0);
    }
    return x;
}

// The double closest to a multiple of pi/2 in each binade from 2^20 up, and how close it comes.
// For x = m * 2^e (2^52 <= m < 2^53), x * 2/pi = m * alpha with alpha = 2^e * 2/pi; m * alpha
// comes closest to a whole number where m is a denominator of the continued fraction of alpha
// mod 1 (a convergent or an intermediate fraction), or a small multiple of one. These are the
// arguments whose reduction cancels the most leading bits, up to 61.
struct Closest {
    double x;
    double distance; // from x * 2/pi to the nearest whole number
};

std::vector<Closest> SearchClosestToHalfPiMultiples() {
    constexpr uint64_t kLow = uint64_t{1} << 52;
    constexpr uint64_t kHigh = uint64_t{1} << 53;
    constexpr mpfr_prec_t kBits = 1600; // alpha keeps 600 bits after the point at e = 971
    Number twoOverPi(0.0, kBits);
    mpfr_const_pi(twoOverPi.get(), MPFR_RNDN);
    mpfr_ui_div(twoOverPi.get(), 2, twoOverPi.get(), MPFR_RNDN);
    Number alpha(0.0, kBits);
    Number rest(0.0, kBits);
    Number product(0.0, kBits);
    std::vector<Closest> closest;
    for (int e = -32; e <= 971; ++e) {
        mpfr_mul_2si(alpha.get(), twoOverPi.get(), e, MPFR_RNDN);
        mpfr_frac(alpha.get(), alpha.get(), MPFR_RNDN);
        Closest best{0.0, 1.0};
        auto consider = [&](uint64_t q) {
            for (uint64_t m = q; m < kHigh && m / q <= 8; m += q) {
                if (m < kLow) {
                    continue;
                }
                mpfr_mul_ui(product.get(), alpha.get(), m, MPFR_RNDN);
                mpfr_frac(product.get(), product.get(), MPFR_RNDN);
                if (mpfr_cmp_d(product.get(), 0.5) > 0) {
                    mpfr_ui_sub(product.get(), 1, product.get(), MPFR_RNDN);
                }
                const double d = mpfr_get_d(product.get(), MPFR_RNDN);
                if (d < best.distance) {
                    best = {std::ldexp(static_cast<double>(m), e), d};
                }
            }
        };
        mpfr_set(rest.get(), alpha.get(), MPFR_RNDN);
        uint64_t previous = 0;
        uint64_t current = 1;
        while (current < kHigh && mpfr_zero_p(rest.get()) == 0) {
            mpfr_ui_div(rest.get(), 1, rest.get(), MPFR_RNDN);
            const uint64_t a = mpfr_get_ui(rest.get(), MPFR_RNDZ);
            mpfr_frac(rest.get(), rest.get(), MPFR_RNDN);
            // previous + j * current for the largest j below the range's end.
            const uint64_t last = std::min<uint64_t>(a, (kHigh - 1 - previous) / current);
            for (uint64_t j = last; j >= 1 && j + 64 > last; --j) {
                consider(previous + j * current);
            }
            if (last < a) {
                break;
            }
            const uint64_t next = previous + a * current;
            previous = current;
            current = next;
        }
        closest.push_back(best);
    }
    return closest;
}

const std::vector<Closest>& ClosestToHalfPiMultiples() {
    static const std::vector<Closest> closest = SearchClosestToHalfPiMultiples();
    return closest;
}

// Where the tangent changes its way: the edges between its table points (j + 1/2) / 256,
// the end of its series at 1/8, and pi/4; a few doubles either side of each, as they are and
// a quadrant on (where tan and cot swap).
std::vector<double> TangentSeams() {
    std::vector<double> edges = {0.125, 0.7853981633974483};
    for (int j = 31; j <= 203; ++j) {
        edges.push_back((j + 0.5) / 256);
    }
    std::vector<double> seams;
    for (const double edge : edges) {
        for (const double base : {edge, edge + 0x1.921fb54442d18p+0}) {
            double x = base;
            for (int i = 0; i < 3; ++i) {
                x = std::nextafter(x, 0.0);
            }
            for (int i = 0; i < 7; ++i, x = std::nextafter(x, 2.0)) {
                seams.push_back(x);
            }
        }
    }
    return seams;
}

// Random arguments of every kind, in equal shares: the whole range by binary exponent
// (subnormals to 1.8e308), (-10, 10), moderate up to 2e6, and near multiples of pi/2 with
// small and large multipliers.
std::vector<double> Arguments(uint64_t count) {
    std::mt19937_64 rng(20261209);
    std::vector<double> arguments(std::begin(kHardCases), std::end(kHardCases));
    for (const double x : kHardCases) {
        arguments.push_back(-x);
    }
    for (const Closest& c : ClosestToHalfPiMultiples()) {
        arguments.push_back(c.x);
        arguments.push_back(-c.x);
    }
    for (const double x : TangentSeams()) {
        arguments.push_back(x);
        arguments.push_back(-x);
    }
    std::uniform_real_distribution<double> small(-10.0, 10.0);
    std::uniform_real_distribution<double> moderate(-2e6, 2e6);
    while (arguments.size() < count) {
        switch (arguments.size() % 5) {
        case 0:
            arguments.push_back(mpfr_reference::RandomDouble(rng, -1080, 1023));
            break;
        case 1:
            arguments.push_back(small(rng));
            break;
        case 2:
            arguments.push_back(moderate(rng));
            break;
        case 3:
            arguments.push_back(NearHalfPiMultiple(rng, static_cast<double>(rng() % 2000000)));
            break;
        default: {
            const double k =
                std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 200));
            const double x = NearHalfPiMultiple(rng, k);
            arguments.push_back((rng() & 1) != 0 ? x : -x);
            break;
        }
        }
    }
    return arguments;
}

class TrigAccuracy : public ::testing::TestWithParam<TrigFunction> {};

TEST_P(TrigAccuracy, WithinOneUlpEverywhere) {
    const TrigFunction& f = GetParam();
    const std::vector<double> arguments = Arguments(mpfr_reference::CaseCount(kDefaultCases));
    double worst = 0.0;
    double worstArgument = 0.0;
    uint64_t aboveHalf = 0;
    for (const double x : arguments) {
        const double error = mpfr_reference::UlpError(f.ours(x), f.exact, x);
        if (error > 0.5) {
            ++aboveHalf;
        }
        if (!(error <= worst)) {
            worst = error;
            worstArgument = x;
        }
    }
    std::printf("%s: %zu arguments, largest error %.4f ulp at %a, %llu not correctly rounded\n",
                f.name, arguments.size(), worst, worstArgument,
                static_cast<unsigned long long>(aboveHalf));
    EXPECT_LE(worst, 1.0) << f.name << " at " << worstArgument;
}

INSTANTIATE_TEST_SUITE_P(Trig, TrigAccuracy,
                         ::testing::Values(TrigFunction{"sin", maths::Sin, mpfr_sin},
                                           TrigFunction{"cos", maths::Cos, mpfr_cos},
                                           TrigFunction{"tan", maths::Tan, mpfr_tan},
                                           TrigFunction{"cot", maths::Cot, mpfr_cot},
                                           TrigFunction{"sec", maths::Sec, mpfr_sec},
                                           TrigFunction{"csc", maths::Csc, mpfr_csc}),
                         [](const ::testing::TestParamInfo<TrigFunction>& param) {
                             return std::string(param.param.name);
                         });

// The search above is sound: over all binades it finds the double known to lie closest to a
// multiple of pi/2, 2^-61 of a quadrant from it, and in every binade one within 2^-40 (a
// double taken at random lies some 2^-2 from one).
TEST(TrigHardArguments, SearchFindsTheClosestKnown) {
    const std::vector<Closest>& closest = ClosestToHalfPiMultiples();
    ASSERT_EQ(closest.size(), 1004u);
    const Closest* nearest = &closest[0];
    for (const Closest& c : closest) {
        EXPECT_LT(c.distance, 0x1p-40) << c.x;
        nearest = c.distance < nearest->distance ? &c : nearest;
    }
    EXPECT_EQ(nearest->x, 0x1.6ac5b262ca1ffp+849);
    EXPECT_LT(nearest->distance, 0x1p-61);
}

// The table of 2/pi and the pieces of pi/2 are the true constants.
TEST(TrigConstants, MatchMpfr) {
    mpfr_t twoOverPi;
    mpfr_init2(twoOverPi, 32 * maths::trig::kTwoOverPiWords + 64);
    mpfr_const_pi(twoOverPi, MPFR_RNDN);
    mpfr_ui_div(twoOverPi, 2, twoOverPi, MPFR_RNDN);
    for (int i = 0; i < maths::trig::kTwoOverPiWords; ++i) {
        mpfr_mul_2ui(twoOverPi, twoOverPi, 32, MPFR_RNDN);
        const unsigned long word = mpfr_get_ui(twoOverPi, MPFR_RNDZ);
        EXPECT_EQ(word, maths::trig::kTwoOverPi[i]) << "word " << i;
        mpfr_sub_ui(twoOverPi, twoOverPi, word, MPFR_RNDN);
    }
    mpfr_clear(twoOverPi);

    Number halfPi;
    mpfr_const_pi(halfPi.get(), MPFR_RNDN);
    mpfr_div_2ui(halfPi.get(), halfPi.get(), 1, MPFR_RNDN);
    Number pieces(maths::trig::kHalfPi1);
    mpfr_add_d(pieces.get(), pieces.get(), maths::trig::kHalfPi2, MPFR_RNDN);
    mpfr_add_d(pieces.get(), pieces.get(), maths::trig::kHalfPi3, MPFR_RNDN);
    mpfr_sub(pieces.get(), halfPi.get(), pieces.get(), MPFR_RNDN);
    EXPECT_EQ(mpfr_get_d(pieces.get(), MPFR_RNDN), maths::trig::kHalfPi4);
    Number pair(maths::trig::kHalfPiHi);
    mpfr_sub(pair.get(), halfPi.get(), pair.get(), MPFR_RNDN);
    EXPECT_EQ(mpfr_get_d(pair.get(), MPFR_RNDN), maths::trig::kHalfPiLo);
}

} // namespace
