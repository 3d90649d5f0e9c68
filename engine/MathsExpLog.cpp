// The natural logarithm, its base-10 form and the exponential.
//
// The logarithm reduces x = 2^e * z with z in [0.709, 1.418), picks the table piece of z by its
// top bits, and writes ln(x) = e*ln2 - ln(c) + ln(1 + r), r = z*c - 1 (|r| < 2^-8, computed
// exactly). The series of ln(1 + r) to r^9 and the sums run in double-double. The quick form
// reads a second table whose c has 8 bits, so that r is one exact double: ln rounds it directly,
// pow squares the short part of r that comes from z rounded to 21 bits, and log and pow take its
// result when the error bound leaves no doubt about the rounding (Ziv's test), the slower form
// otherwise.
//
// The exponential writes x = (128e + j) * ln2/128 + r (|r| <= ln2/256, Cody-Waite with a
// three-part constant), so exp(x) = 2^e * 2^(j/128) * exp(r), with the series of exp(r) to r^6.
// The result is formed once, so subnormal results are rounded once too. pow's quick form uses
// 2^(j/1024) instead, and the series to r^4.
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

// x = 2^e * z with z in the 8-bit table's piece t, and r = z * t.invc - 1 exactly, also as
// rHi + rLo with a short rHi, whose square is exact.
struct ShortReduced {
    double e;
    const LogEntry* t;
    double r;
    double rHi;
    double rLo;
};

// For the bits ix of a positive normal double times 2^e0.
inline ShortReduced ReduceShortNormal(uint64_t ix, int e0) {
    const uint64_t tmp = ix - kLogOffset;
    const LogEntry& t = kLogShortTable[(tmp >> 45) & 127];
    const int e = e0 + static_cast<int>(static_cast<int64_t>(tmp) >> 52);
    const uint64_t iz = ix - (tmp & (uint64_t{0xFFF} << 52));
    const double z = FromBits(iz);
    // z rounded to 21 bits (a multiple of 2^-21, possibly 1 from below), times the 8-bit c, is
    // exact, within 2^-7 + 2^-20 of 1 and a multiple of 2^-28: rHi is exact and has at most 22
    // bits. The rest of z has at most 32 bits, so rLo is exact too, and below 2^-20. Both are
    // multiples of 2^-60, so their sum r (below 2^-7) has at most 53 bits: exact.
    const double zHead = FromBits((iz + (uint64_t{1} << 31)) & ~((uint64_t{1} << 32) - 1));
    const double rHi = zHead * t.invc - 1.0;
    const double rLo = (z - zHead) * t.invc;
    return {static_cast<double>(e), &t, rHi + rLo, rHi, rLo};
}

// For any positive finite x, subnormals made normal first.
inline ShortReduced ReduceShort(double x) {
    const uint64_t ix = AsBits(x);
    if (ix < 0x0010000000000000) {
        return ReduceShortNormal(AsBits(x * 0x1p52), -52);
    }
    return ReduceShortNormal(ix, 0);
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

// exp(y ln x) by a logarithm from the 8-bit table, y ln x in two parts from 26-bit heads, and
// an exponential from a table of 2^(j/1024); all in double, with one Ziv test at the end. NaN
// where the test fails, and for |y ln x| >= 707. The bound, in turn:
//
// The logarithm: ln x = E + r - r^2/2 + r^3 (1/3 - ... + r^6/9) + e ln2lo + ln(c)lo, where
// E = e ln2hi + ln(c)hi is exact, 0 (only for c = 1) or above 2^-9, and |r| < 2^-7. The
// sums E + r and + (-rHi^2/2) are exact (the larger part first). The rest, lo, is below
// 2^-22.5: its five roundings are each below 2^-75.5; the series (rounded five times relative to
// r^3/3 < 2^-22.6) and its cut after r^9 (r^10/10 < 2^-73.3) add 2^-73.3 each; the tables' and
// rLo's parts below 2^-78. So l = s2.hi + lo is within 2^-71.7 of ln x, absolutely.
//
// The product: the guess differs from l by the series after r^4 (below 2^-37.3, and 2^-28.3 of
// l, which is above 2^-9 unless c = 1, where the part is r^4/5 of it) and lo's other parts
// (below 2^-33, 2^-31 of l). So lh, its 26-bit head, is within 2^-25.7 of l; s2.hi - lh is exact,
// and the rest lRest below 2^-25.7 |l|. ehi = yh * lh is exact; elo = yl * lh (exact, 27 and 26
// bits) + y * lRest is below 2^-15.3 for |y l| < 707, and its three roundings are below 2^-67.3
// in all. So v = ehi + elo is within |y| 2^-71.7 + 2^-67.3 of y ln x.
//
// The exponential: k = round(1024 ehi / ln2), r = ehi - k ln2/1024 + elo, |r| < 2^-11.42. r
// rounds twice, r + tail, the product with t.hi and the sum with t.lo once each, and t.lo * r
// is left out: six errors, each below 2^-64.4 of t.hi. The series' cut after r^4 adds 2^-64.0,
// its roundings below 2^-75, kd times the dropped part of ln2/1024 below 2^-78, and the test
// needs 2^-64.4 more for the rounding of lo +- bound. With the product's 2^-67.3, all is below
// 2^-61.3 of t.hi, and with the logarithm's the bound below holds: 2^-61 + |y| 2^-71.
inline double PowQuick(double ax, double y) {
    const ShortReduced a = ReduceShort(ax);
    const double r = a.r;
    const double halfSqHi = -0.5 * (a.rHi * a.rHi);
    const double halfSqLo = -0.5 * (a.rLo * (a.rHi + r));
    const double q = r * r;
    const double cube = r * q * SeriesTail(r, q);
    const DoubleDouble s = FastTwoSum(a.e * kLn2.hi + a.t->logcHi, r);
    const DoubleDouble s2 = FastTwoSum(s.hi, halfSqHi);
    const double lo = ((cube + halfSqLo) + a.t->logcLo) + ((a.e * kLn2.lo + s.lo) + s2.lo);

    // The head of ln x, from an early guess of it (within 2^-28 of it); the rest is exact.
    const double guess = s2.hi + (halfSqLo + r * q * (1.0 / 3 - r * 0.25));
    const double lHead = Split(guess).hi;
    const DoubleDouble ys = Split(y);
    const double lRest = (s2.hi - lHead) + lo;
    const double ehi = ys.hi * lHead; // exact (but where it is too small to matter)
    const double elo = ys.lo * lHead + y * lRest;
    if (!(std::fabs(ehi) < 707.0)) {
        return kNaN;
    }

    // k read from the low bits of the shifted sum, without a conversion.
    constexpr double kShift = 0x1.8p52;
    const double shifted = ehi * k1024ByLn2 + kShift;
    const double kd = shifted - kShift;
    const auto k = static_cast<int32_t>(static_cast<uint32_t>(AsBits(shifted)));
    const double r0 = ehi - kd * kLn2By1024[0]; // exact: kd * head is exact, and close to ehi
    const double er = (r0 - kd * kLn2By1024[1]) + elo;
    const double eq = er * er;
    const double tail = eq * ((0.5 + er * (1.0 / 6)) + eq * (1.0 / 24));
    const DoubleDouble& t = kExpFineTable[k & 1023];
    const double elo2 = t.lo + t.hi * (er + tail);
    const double bound = t.hi * (0x1p-61 + std::fabs(y) * 0x1p-71);
    const double result = t.hi + elo2;
    if (result != t.hi + (elo2 + bound) || result != t.hi + (elo2 - bound)) {
        return kNaN;
    }
    return result * TwoTo(k >> 10); // a normal result: exact
}

// ln from the 8-bit table (r exact), with r^2 rounded: the error stays below 2^-61 of the
// result, so ln is within 0.51 ulp.
inline double LnOfReduced(const ShortReduced& a) {
    const double r = a.r;
    const double q = r * r;
    const DoubleDouble s2 = FastTwoSum(a.e * kLn2.hi + a.t->logcHi, r);
    const double lo =
        ((r * q * SeriesTail(r, q) - 0.5 * q) + a.t->logcLo) + (a.e * kLn2.lo + s2.lo);
    return s2.hi + lo;
}

// ln of what is not a positive normal double: zero, subnormals, negatives, infinity, NaN.
[[gnu::noinline]] double LnOther(double x) {
    if (!(x > 0.0)) {
        return x == 0.0 ? -kInfinity : (x != x ? x : kNaN);
    }
    if (x == kInfinity) {
        return x;
    }
    return LnOfReduced(ReduceShort(x));
}

} // namespace

namespace kernel {

double PowFast(double ax, double y) {
    return PowQuick(ax, y);
}

double PowPositive(double ax, double y) {
    const double quick = PowQuick(ax, y);
    return quick == quick ? quick : PowExact(ax, y); // a tail call: nothing to keep
}

double ExpOf(DoubleDouble v) {
    return ExpImpl<true>(v);
}

} // namespace kernel

double Exp(double x) {
    return ExpImpl<false>({x, 0.0});
}

double Ln(double x) {
    // One test for the usual case, a positive normal x; the rest, rare, goes to LnOther.
    const uint64_t ix = AsBits(x);
    if (ix - 0x0010000000000000 >= 0x7FF0000000000000 - 0x0010000000000000) {
        return LnOther(x);
    }
    return LnOfReduced(ReduceShortNormal(ix, 0));
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
