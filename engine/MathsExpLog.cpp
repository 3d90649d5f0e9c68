// The natural logarithm, its base-10 form and the exponential.
//
// The logarithm reduces x = 2^e * z with z in [0.709, 1.418), picks the table piece of z by its
// top bits, and writes ln(x) = e*ln2 - ln(c) + ln(1 + r), r = z*c - 1 (|r| < 2^-8, computed
// exactly). The series of ln(1 + r) to r^9 and the sums run in double-double. The quick form
// reads a second table whose c has 8 bits, so that r is one exact double: ln rounds it directly,
// pow squares r's 26-bit head exactly, and log and pow take its result when the error bound
// leaves no doubt about the rounding (Ziv's test), the slower form otherwise.
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

// 1/3 - r/4 + ... + r^6/9 - r^7/10, for the quick form's wider |r| < 2^-7.
inline double LongSeriesTail(double r, double q) {
    return (1.0 / 3 - r * 0.25) + q * (0.2 - r * (1.0 / 6)) +
           q * q * ((1.0 / 7 - r * 0.125) + q * (1.0 / 9 - r * 0.1));
}

// x = 2^e * z with z in the 8-bit table's piece t, and r = z * t.invc - 1 exactly.
struct ShortReduced {
    double e;
    const LogEntry* t;
    double r;
};

inline ShortReduced ReduceShort(double x) {
    int e = 0;
    uint64_t ix = AsBits(x);
    if (ix < 0x0010000000000000) { // subnormal: make it normal first
        ix = AsBits(x * 0x1p52);
        e = -52;
    }
    const uint64_t tmp = ix - kLogOffset;
    const LogEntry& t = kLogShortTable[(tmp >> 45) & 127];
    e += static_cast<int>(static_cast<int64_t>(tmp) >> 52);
    const uint64_t iz = ix - (tmp & (uint64_t{0xFFF} << 52));
    const double z = FromBits(iz);
    // c has 8 bits: the 45-bit head of z times c is exact and within 2^-7 of 1, the 8-bit tail
    // times c is exact, and their sum z*c - 1 has at most 53 bits, so r is exact.
    const double zHead = FromBits(iz & ~uint64_t{0xFF});
    return {static_cast<double>(e), &t, (zHead * t.invc - 1.0) + (z - zHead) * t.invc};
}

// ln(x) = hi + lo, unnormalised, from the 8-bit table. e*ln2 + ln(c) is exact, and 0 or at
// least 2^-8 (the table's generator checks it), so its exponent is not below that of r. Where it is
// 0, the errors are those of r's powers, the largest r^2's rounding, below 2^-61 of the result;
// elsewhere |ln x| >= 2^-8 and the errors stay below 2^-72, so under 2^-64 of the result.
inline DoubleDouble LogQuick(double x) {
    const ShortReduced a = ReduceShort(x);
    const double r = a.r;
    const double q = r * r;
    const DoubleDouble s = FastTwoSum(a.e * kLn2.hi + a.t->logcHi, r);
    const double lo =
        ((r * q * LongSeriesTail(r, q) - 0.5 * q) + a.t->logcLo) + (a.e * kLn2.lo + s.lo);
    return {s.hi, lo};
}

// hi + lo rounded, when a relative error of 2^-60 cannot change that rounding; NaN otherwise.
inline double RoundedIfSure(DoubleDouble v) {
    const double bound = v.hi * 0x1p-60;
    const double y = v.hi + v.lo;
    return y == v.hi + (v.lo + bound) && y == v.hi + (v.lo - bound)
               ? y
               : std::numeric_limits<double>::quiet_NaN();
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

// ln(x) for a positive finite x as hi + lo, quicker than LogPositive, with an error below 2^-71;
// lo is not rounded into hi (|lo| < 2^-13 |hi|).
inline DoubleDouble LogFast(double x) {
    const ShortReduced a = ReduceShort(x);
    const double r = a.r;
    // -r^2/2 as an exact head (r's 26-bit head squared) and a small rounded rest.
    const DoubleDouble rs = Split(r);
    const double halfSqHi = -0.5 * (rs.hi * rs.hi);
    const double halfSqLo = -0.5 * (rs.lo * (rs.hi + r));
    const double q = r * r;
    const double cube = r * q * SeriesTail(r, q);
    const DoubleDouble s = FastTwoSum(a.e * kLn2.hi + a.t->logcHi, r);
    const DoubleDouble s2 = FastTwoSum(s.hi, halfSqHi);
    return {s2.hi, ((cube + halfSqLo) + a.t->logcLo) + ((a.e * kLn2.lo + s.lo) + s2.lo)};
}

// exp(v.hi + v.lo) for |v.hi| < 707 and |v.lo| < 2^-24 |v.hi|, rounded to a double, when its
// error (2^-58.5 of it, plus relativeError from v's own error) cannot change the rounding; NaN
// otherwise.
inline double ExpFast(DoubleDouble v, double relativeError) {
    // v.lo may be as large as 2^-24 of v.hi: it goes into r, which stays below 2^-8.
    const double x = v.hi;
    // k = round(x * 128 / ln2) read from the low bits of the shifted sum, without a conversion.
    constexpr double kShift = 0x1.8p52;
    const double shifted = x * k128ByLn2 + kShift;
    const double kd = shifted - kShift;
    const auto k = static_cast<int32_t>(static_cast<uint32_t>(AsBits(shifted)));
    // r rounded twice (2^-61.5 of the result each), the sum and product below three times more;
    // the third part of ln2/128 is left out (kd times it is below 2^-79).
    const double r0 = x - kd * kLn2By128[0]; // exact, as in ExpImpl
    const double r = (r0 - kd * kLn2By128[1]) + v.lo;
    const double q = r * r;
    const double tail =
        q * ((0.5 + r * (1.0 / 6)) + q * ((1.0 / 24 + r * (1.0 / 120)) + q * (1.0 / 720)));
    const DoubleDouble& t = kExpTable[k & 127];
    const double lo = t.lo + t.hi * (r + tail);
    const double bound = t.hi * (relativeError + 0x1.6a09e667f3bcdp-59); // 2^-58.5
    const double y = t.hi + lo;
    if (y != t.hi + (lo + bound) || y != t.hi + (lo - bound)) {
        return kNaN;
    }
    return y * TwoTo(k >> 7); // a normal result: exact
}

} // namespace

namespace kernel {

double PowFast(double ax, double y) {
    const DoubleDouble quick = LogFast(ax);
    const DoubleDouble ys = Split(y);
    const DoubleDouble ls = Split(quick.hi);
    const double ehi = ys.hi * ls.hi; // exact
    const double ylo = y * quick.lo;
    const double elo = ys.lo * ls.hi + (y * ls.lo + ylo);
    if (!(std::fabs(ehi) < 707.0)) {
        return kNaN;
    }
    // The error of y * ln x, from that of ln x and the product's roundings.
    const double error =
        std::fabs(y) * 0x1p-70 + std::fabs(ylo) * 0x1p-51 + std::fabs(ehi) * 0x1p-76;
    return ExpFast({ehi, elo}, error);
}

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
    // From the 8-bit table (r exact), with r^2 rounded: the error stays below 2^-61 of the
    // result, so ln is within 0.51 ulp.
    const ShortReduced a = ReduceShort(x);
    const double r = a.r;
    const double q = r * r;
    const DoubleDouble s2 = FastTwoSum(a.e * kLn2.hi + a.t->logcHi, r);
    const double lo =
        ((r * q * SeriesTail(r, q) - 0.5 * q) + a.t->logcLo) + (a.e * kLn2.lo + s2.lo);
    return s2.hi + lo;
}

double Log10(double x) {
    if (!(x > 0.0)) {
        return x == 0.0 ? -kInfinity : (x != x ? x : kNaN);
    }
    if (x == kInfinity) {
        return x;
    }
    const double y = RoundedIfSure(Mul(LogQuick(x), kInvLn10));
    return y == y ? y : Mul(kernel::LogPositive(x), kInvLn10).hi;
}

} // namespace maths
