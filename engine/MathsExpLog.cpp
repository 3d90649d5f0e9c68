// The natural logarithm, its base-10 form and the exponential.
//
// The logarithm reduces x = 2^e * z with z in [0.709, 1.418), picks the table piece of z by its
// top bits, and writes ln(x) = e*ln2 - ln(c) + ln(1 + r), r = z*c - 1 (|r| < 2^-8, computed
// exactly). The series of ln(1 + r) to r^9 and the sums run in double-double.
//
// The exponential writes x = (128e + j) * ln2/128 + r (|r| <= ln2/256, Cody-Waite with a
// three-part constant), so exp(x) = 2^e * 2^(j/128) * exp(r), with the series of exp(r) to r^6.
// The result is formed once, so subnormal results are rounded once too.
#include "engine/Maths.h"
#include "engine/MathsKernels.h"

#include <cmath>
#include <limits>

namespace maths {
namespace {

constexpr uint64_t kLogOffset = 0x3FE6B00000000000;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// 2^e for a normal exponent e (-1022..1023).
double TwoTo(int e) {
    return FromBits(static_cast<uint64_t>(e + 1023) << 52);
}

// x = 2^e * z with z in the logarithm's table piece t, and r = z * t.invc - 1 exactly.
struct Reduced {
    double e;
    const LogEntry* t;
    DoubleDouble r;
};

inline Reduced Reduce(double x) {
    int e = 0;
    uint64_t ix = AsBits(x);
    if (ix < 0x0010000000000000) { // subnormal: make it normal first
        ix = AsBits(x * 0x1p52);
        e = -52;
    }
    const uint64_t tmp = ix - kLogOffset;
    const LogEntry& t = kLogTable[(tmp >> 45) & 127];
    e += static_cast<int>(static_cast<int64_t>(tmp) >> 52);
    const double z = FromBits(ix - (tmp & (uint64_t{0xFFF} << 52)));
    // c has 24 bits, so the halves of z times c are exact; z*c is within 2^-8 of 1, so
    // subtracting 1 is exact.
    const double p = z * t.invc;
    const DoubleDouble zs = Split(z);
    const double pErr = (zs.hi * t.invc - p) + zs.lo * t.invc;
    return {static_cast<double>(e), &t, FastTwoSum(p - 1.0, pErr)};
}

// 1/3 - r/4 + r^2/5 - ... + r^6/9, with q = r^2.
inline double SeriesTail(double r, double q) {
    return (1.0 / 3 - r * 0.25) + q * (0.2 - r * (1.0 / 6)) +
           q * q * ((1.0 / 7 - r * 0.125) + q * (1.0 / 9));
}

} // namespace

namespace kernel {

DoubleDouble LogPositive(double x) {
    const Reduced a = Reduce(x);
    const DoubleDouble& r = a.r;
    // ln(1 + r) = r - r^2/2 + r^3 * (1/3 - r/4 + ... + r^6/9); the first two terms exactly.
    const DoubleDouble sq = TwoProd(r.hi, r.hi);
    const double halfSqHi = -0.5 * sq.hi;
    const double halfSqLo = -0.5 * sq.lo - r.hi * r.lo;
    const double cube = r.hi * sq.hi * SeriesTail(r.hi, sq.hi);

    // e*ln2 + ln(c) is exact (both heads are multiples of 2^-42); it is 0 or larger than
    // |r| (pieces next to the one of 1 have |ln c| > 2^-7), and |r| > r^2/2.
    const DoubleDouble s2 = FastTwoSum(a.e * kLn2.hi + a.t->logcHi, r.hi);
    const DoubleDouble s3 = FastTwoSum(s2.hi, halfSqHi);
    const double lo =
        ((cube + halfSqLo) + (r.lo + a.t->logcLo)) + ((a.e * kLn2.lo + s2.lo) + s3.lo);
    return FastTwoSum(s3.hi, lo);
}

} // namespace kernel

namespace {

// exp(v.hi + v.lo). The precise form makes 2^(j/128) * r exactly, for pow, whose argument
// carries more bits than a double; the plain one rounds it (at most 0.51 ulp in all).
template <bool kPrecise> inline double ExpImpl(DoubleDouble v) {
    const double x = v.hi;
    if (!(x < 709.8)) {
        return x != x ? x : kInfinity;
    }
    if (x < -745.2) {
        return 0.0; // below half the smallest subnormal
    }
    if (x > -0x1p-54 && x < 0x1p-54) {
        return 1.0 + x;
    }
    // k = round(x * 128 / ln2), by the shift that leaves the integer in the low bits.
    constexpr double kShift = 0x1.8p52;
    const double kd = (x * k128ByLn2 + kShift) - kShift;
    const int k = static_cast<int>(kd);
    const double r0 = x - kd * kLn2By128[0]; // exact: kd * head is exact, and close to x
    const DoubleDouble r = TwoSum(r0, -kd * kLn2By128[1]);
    const double rl = r.lo + (v.lo - kd * kLn2By128[2]);

    // exp(r.hi + rl) = 1 + r.hi + tail; the tail is r.hi^2/2 + ... + r.hi^6/720 + rl*(1 + r.hi).
    const double q = r.hi * r.hi;
    const double tail =
        q * ((0.5 + r.hi * (1.0 / 6)) + q * ((1.0 / 24 + r.hi * (1.0 / 120)) + q * (1.0 / 720))) +
        (rl + rl * r.hi);

    // 2^(j/128) * (1 + r.hi + tail), with the large product exact.
    const DoubleDouble& t = kExpTable[k & 127];
    DoubleDouble s;
    double lo;
    if (kPrecise) {
        const DoubleDouble tr = TwoProd(t.hi, r.hi);
        s = FastTwoSum(t.hi, tr.hi);
        lo = (s.lo + tr.lo) + (t.lo + (t.hi * tail + t.lo * r.hi));
    } else {
        s = {t.hi, 0.0};
        lo = t.lo + t.hi * (r.hi + tail);
    }

    const int e = k >> 7; // floor(k / 128)
    if (e > -1022) {
        const double y = s.hi + lo;
        return e <= 1023 ? y * TwoTo(e) : y * 0x1p1023 * TwoTo(e - 1023);
    }
    // A result near or below the smallest normal: scale the parts up to 2^-1022 units, then
    // round their sum once to the subnormal's precision (a multiple of 2^-52 there).
    const double scale = TwoTo(e + 1022);
    const double a = s.hi * scale;
    const double b = lo * scale;
    const double y = a + b;
    if (y >= 1.0) {
        return y * 0x1p-1022;
    }
    const double one = 1.0 + a;
    const double rest = ((1.0 - one) + a) + b;
    return ((one + rest) - 1.0) * 0x1p-1022;
}

} // namespace

namespace kernel {

double ExpOf(DoubleDouble v) {
    return ExpImpl<true>(v);
}

} // namespace kernel

double Exp(double x) {
    return ExpImpl<false>({x, 0.0});
}

double Ln(double x) {
    if (!(x > 0.0)) {
        return x == 0.0 ? -kInfinity : (x != x ? x : kNaN);
    }
    if (x == kInfinity) {
        return x;
    }
    // As LogPositive, with r^2 rounded: its error stays below 2^-62 of the result.
    const Reduced a = Reduce(x);
    const DoubleDouble& r = a.r;
    const double q = r.hi * r.hi;
    const DoubleDouble s2 = FastTwoSum(a.e * kLn2.hi + a.t->logcHi, r.hi);
    const double lo = ((r.hi * q * SeriesTail(r.hi, q) - 0.5 * q) + (r.lo + a.t->logcLo)) +
                      (a.e * kLn2.lo + s2.lo);
    return s2.hi + lo;
}

double Log10(double x) {
    if (!(x > 0.0)) {
        return x == 0.0 ? -kInfinity : (x != x ? x : kNaN);
    }
    if (x == kInfinity) {
        return x;
    }
    return Mul(kernel::LogPositive(x), kInvLn10).hi;
}

} // namespace maths
