// The inverse trigonometric functions.
//
// atan: with c = j/64 the table point nearest u = n/d (n = |x|, d = 1, or n = 1, d = |x| and the
// result pi/2 minus), atan(u) = atan(c) + atan(t), t = (n - c*d) / (d + c*n), |t| <= 2^-7, and
// the odd series of atan(t) to t^9.
// asin: the Taylor series of asin to d^9 around a table point c (d = x - c): for |x| <= 1/2 the
// nearest of c = j/128, up to 1 - 2^-5 the middle of x's piece of 32 in a binade of 1 - x. Above,
// and where the second table's result might round the other way, asin(x) =
// pi/2 - 2 asin(sqrt((1 - x) / 2)), which had served all of |x| > 1/2 before.
// acos: pi/2 - asin(x), or 2 asin(sqrt((1 - x) / 2)) (from pi for a negative x).
// The reductions and sums run in double-double, so the one rounding is the last addition.
#include "engine/Maths.h"
#include "engine/MathsKernels.h"

#include <cmath>
#include <limits>

namespace maths {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The two ways a result is formed from atan(n/d): the rows of kAtanTable.
enum class Form { Atan, HalfPiMinus };

// c * a exactly, for a c of at most 26 significant bits.
DoubleDouble ShortProduct(double c, double a) {
    const double p = c * a;
    const DoubleDouble s = Split(a);
    return {p, (c * s.hi - p) + c * s.lo};
}

// atan(n / d) in the given form, rounded once; 0 <= n.hi <= d.hi, and ratio is n/d to a few
// bits (it only picks the table point).
inline double AtanRatio(DoubleDouble n, DoubleDouble d, double ratio, Form form) {
    // j = round(64 ratio) from the low bits of the shifted product, without a conversion.
    constexpr double kShift = 0x1.8p52;
    const double shifted = ratio * 64.0 + kShift;
    const auto j = static_cast<int>(AsBits(shifted) & 127);
    const double c = (shifted - kShift) * (1.0 / 64);
    const DoubleDouble cd = ShortProduct(c, d.hi);
    const DoubleDouble cn = ShortProduct(c, n.hi);
    const DoubleDouble nh = TwoSum(n.hi, -cd.hi); // exact and small: n/d is close to c
    const DoubleDouble num = FastTwoSum(nh.hi, nh.lo + ((n.lo - cd.lo) - c * d.lo));
    const DoubleDouble dh = FastTwoSum(d.hi, cn.hi);
    const DoubleDouble t = Div(num, {dh.hi, dh.lo + ((d.lo + cn.lo) + c * n.lo)});

    const double q = t.hi * t.hi;
    const double tail = t.hi * q * ((-1.0 / 3 + q * 0.2) + q * q * (-1.0 / 7 + q * (1.0 / 9)));
    const DoubleDouble& a = kAtanTable[static_cast<int>(form)][j];
    const double sign = form == Form::Atan ? 1.0 : -1.0;
    const DoubleDouble s = TwoSum(a.hi, sign * t.hi);
    return s.hi + ((s.lo + a.lo) + sign * (t.lo + tail));
}

constexpr DoubleDouble kOne = {1.0, 0.0};

// Up to here the table; above, 1 - x would need a binade of points for each halving.
constexpr double kTableEnd = 1.0 - 0x1p-5;

// asin(c + d) = asin(c) + a1*d + ... + a9*d^9 for the table entry e of c, in parts for the
// callers to add up: hi, then lo, mid and tail, each far below the one before; and a1's head.
// The head of a1 has 27 bits, so its products with d's 26-bit halves are exact; asin(c) >= 2^-7
// exceeds them (or is 0).
struct SeriesParts {
    double hi;
    double lo;
    double mid;
    double tail;
    double a1;
};

[[gnu::always_inline]] inline SeriesParts AsinSeries(const AsinEntry& e, double d) {
    const DoubleDouble ds = Split(d);
    const double pHi = e.a1Hi * ds.hi;
    const double pLo = e.a1Hi * ds.lo;
    const double d2 = d * d;
    const double d4 = d2 * d2;
    const double tail = d2 * ((e.a[0] + d * e.a[1]) + d2 * (e.a[2] + d * e.a[3]) +
                              d4 * ((e.a[4] + d * e.a[5]) + d2 * (e.a[6] + d * e.a[7])));
    const DoubleDouble s = FastTwoSum(e.hi, pHi);
    return {s.hi, s.lo + e.lo, pLo + e.a1Lo * d, tail, e.a1Hi};
}

// The table point c = j/128 nearest a, for 0 <= a <= 1/2: |d| <= 2^-8.
[[gnu::always_inline]] inline SeriesParts AsinNearZero(double a) {
    // j = round(128 a) from the low bits of the shifted product, without a conversion.
    constexpr double kShift = 0x1.8p52;
    const double shifted = a * 128.0 + kShift;
    return AsinSeries(kAsinTable[AsBits(shifted) & 127], a - (shifted - kShift) * (1.0 / 128));
}

// asin(a + aLo) for 0 <= a <= 1/2 and a tiny aLo, as hi + lo, not rounded into one another
// (|lo| < 2^-17, so the callers' sums with it round by less than 2^-70).
// Inlined into each caller: a call would spill the caller's values around it.
[[gnu::always_inline]] inline DoubleDouble AsinHalf(double a, double aLo) {
    const SeriesParts p = AsinNearZero(a);
    return {p.hi, p.lo + (p.mid + (p.tail + p.a1 * aLo))};
}

// The table point for 1/2 < a < kTableEnd: 1 - a (exact) picks a piece by its exponent and top 5
// bits, c is 1 minus the piece's middle yc (a multiple of 2^-11), and d = a - c = yc - (1 - a),
// exact; |d| is at most 1/64 of the distance from c to 1, which keeps the series' rest below
// 2^-66.
[[gnu::always_inline]] inline SeriesParts AsinNearOne(double a) {
    constexpr uint64_t kPiece = uint64_t{1} << 47;
    const uint64_t y = AsBits(1.0 - a);
    const double yc = FromBits((y & ~(kPiece - 1)) | (kPiece >> 1));
    return AsinSeries(kAsinTable[(y >> 47) - kAsinTableBase], yc - FromBits(y));
}

// hi + lo (|lo| <= |hi|) rounded, where every value within 2^-62 of it rounds to the same
// double; NaN where one might not. Rounding is monotonic, so the two ends agreeing settles all
// between. AsinNearOne's error is far below: at most 2^-66.4 on 3 million arguments and at the
// pieces' edges (its series' rest alone reaches 2^-66.8).
inline double RoundedSurely(double hi, double lo) {
    constexpr double kError = 0x1p-62;
    const double up = hi + (lo + kError);
    return up == hi + (lo - kError) ? up : kNaN;
}

// a + scale * b rounded once, for scale = +-1 or +-2, |scale * b| <= |a| and a result not much
// below |a|.
double RoundedSum(DoubleDouble a, double scale, DoubleDouble b) {
    const DoubleDouble s = FastTwoSum(a.hi, scale * b.hi);
    return s.hi + (s.lo + (a.lo + scale * b.lo));
}

// asin(sqrt(z)) for 0 <= z <= 1/4, as hi + lo, with the square root in double-double.
[[gnu::always_inline]] inline DoubleDouble AsinOfRoot(double z) {
    const double s = std::sqrt(z);
    // z - s^2 from s's 26-bit head, whose square is exact and close enough to z that the
    // difference is exact too; the rest's rounding is far below what the correction needs.
    const DoubleDouble h = Split(s);
    const double rest = (z - h.hi * h.hi) - h.lo * (h.hi + s);
    return AsinHalf(s, s > 0.0 ? rest / (2.0 * s) : 0.0);
}

// asin(ax) for 1/2 < ax <= 1 as pi/2 - 2 asin(sqrt((1 - ax) / 2)); 1 - ax is exact.
double AsinOfRootRounded(double ax) {
    return RoundedSum(kHalfPi, -2.0, AsinOfRoot((1.0 - ax) * 0.5));
}

// 2 asin(sqrt((1 - |x|) / 2)), from pi for a negative x.
double AcosOfRoot(double x, double ax) {
    const DoubleDouble a = AsinOfRoot((1.0 - ax) * 0.5);
    if (x > 0.0) {
        return 2.0 * a.hi + 2.0 * a.lo;
    }
    return RoundedSum(kPi, -2.0, a);
}

} // namespace

double Atan(double x) {
    const double ax = std::fabs(x);
    if (!(ax >= 0x1p-27)) {
        return x; // atan(x) rounds to x; NaN stays NaN
    }
    double r;
    if (ax > 0x1p54) {
        r = kHalfPi.hi;
    } else if (ax <= 1.0) {
        r = AtanRatio({ax, 0.0}, kOne, ax, Form::Atan);
    } else {
        r = AtanRatio(kOne, {ax, 0.0}, 1.0 / ax, Form::HalfPiMinus);
    }
    return std::signbit(x) ? -r : r;
}

double Asin(double x) {
    const double ax = std::fabs(x);
    if (!(ax >= 0x1p-26)) {
        return x; // asin(x) rounds to x; NaN stays NaN
    }
    double r;
    if (ax <= 0.5) {
        const SeriesParts p = AsinNearZero(ax);
        r = p.hi + (p.lo + (p.mid + p.tail)); // AsinHalf(ax, 0.0)'s value to the bit
    } else if (ax < kTableEnd) {
        const SeriesParts p = AsinNearOne(ax);
        r = RoundedSurely(p.hi, p.lo + (p.mid + p.tail));
        if (r != r) {
            r = AsinOfRootRounded(ax);
        }
    } else if (ax <= 1.0) {
        r = AsinOfRootRounded(ax);
    } else {
        return kNaN;
    }
    return std::signbit(x) ? -r : r;
}

double Acos(double x) {
    const double ax = std::fabs(x);
    const double sign = std::signbit(x) ? 1.0 : -1.0;
    if (ax <= 0.5) { // pi/2 - asin(x)
        const SeriesParts p = AsinNearZero(ax);
        return RoundedSum(kHalfPi, sign, {p.hi, p.lo + (p.mid + p.tail)});
    }
    if (ax < kTableEnd) {
        const SeriesParts p = AsinNearOne(ax);
        const DoubleDouble s = FastTwoSum(kHalfPi.hi, sign * p.hi);
        const double r =
            RoundedSurely(s.hi, s.lo + (kHalfPi.lo + sign * (p.lo + (p.mid + p.tail))));
        return r == r ? r : AcosOfRoot(x, ax);
    }
    if (!(ax <= 1.0)) {
        return x != x ? x : kNaN;
    }
    return AcosOfRoot(x, ax);
}

} // namespace maths
