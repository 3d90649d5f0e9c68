// The inverse trigonometric functions. All three come down to atan(n / d) with 0 <= n <= d,
// plus a multiple of pi/2: atan(x) = pi/2 - atan(1/x) for x > 1, asin(x) = atan(x / s) and
// acos(x) = atan(s / x) with s = sqrt(1 - x^2), each taken the way round whose quotient is at
// most 1. With c = j/64 the table point nearest n/d, atan(n/d) = atan(c) + atan(t),
// t = (n - c*d) / (d + c*n), |t| <= 2^-7, and the odd series of atan(t) to t^9. The reduction
// runs in double-double, so the one rounding is the last addition.
#include "engine/Maths.h"
#include "engine/MathsKernels.h"

#include <cmath>
#include <limits>

namespace maths {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The four ways a result is formed from atan(n/d): the rows of kAtanTable.
enum class Form { Atan, HalfPiMinus, HalfPiPlus, PiMinus };

// c * a exactly, for a c of at most 26 significant bits.
DoubleDouble ShortProduct(double c, double a) {
    const double p = c * a;
    const DoubleDouble s = Split(a);
    return {p, (c * s.hi - p) + c * s.lo};
}

// a / b in double-double, with one division.
DoubleDouble Divide(DoubleDouble a, DoubleDouble b) {
    const double inverse = 1.0 / b.hi;
    const double q = a.hi * inverse;
    const DoubleDouble p = TwoProd(q, b.hi);
    const double rest = (((a.hi - p.hi) - p.lo) + a.lo) - q * b.lo;
    return FastTwoSum(q, rest * inverse);
}

// sqrt(1 - a^2) for 0 <= a < 1, in double-double, with the inverse of its head. 1 - a*a's
// head is exact (a*a >= 1/2) or at least 1/2, so the sum loses nothing that matters.
struct Root {
    DoubleDouble s;
    double inverse;
};

Root Cosine(double a) {
    const DoubleDouble sq = TwoProd(a, a);
    const DoubleDouble d = TwoSum(1.0, -sq.hi);
    const DoubleDouble w = FastTwoSum(d.hi, d.lo - sq.lo);
    const double s = std::sqrt(w.hi);
    const double inverse = 1.0 / s;
    const DoubleDouble ss = TwoProd(s, s);
    return {FastTwoSum(s, (((w.hi - ss.hi) - ss.lo) + w.lo) * (0.5 * inverse)), inverse};
}

// atan(n / d) in the given form, rounded once; 0 <= n.hi <= d.hi, and ratio is n/d to a few
// bits (it only picks the table point).
inline double AtanRatio(DoubleDouble n, DoubleDouble d, double ratio, Form form) {
    const int j = static_cast<int>(ratio * 64.0 + 0.5);
    const double c = j * (1.0 / 64);
    const DoubleDouble cd = ShortProduct(c, d.hi);
    const DoubleDouble cn = ShortProduct(c, n.hi);
    const DoubleDouble nh = TwoSum(n.hi, -cd.hi); // exact and small: n/d is close to c
    const DoubleDouble num = FastTwoSum(nh.hi, nh.lo + ((n.lo - cd.lo) - c * d.lo));
    const DoubleDouble dh = FastTwoSum(d.hi, cn.hi);
    const DoubleDouble t = Divide(num, {dh.hi, dh.lo + ((d.lo + cn.lo) + c * n.lo)});

    const double q = t.hi * t.hi;
    const double tail = t.hi * q * ((-1.0 / 3 + q * 0.2) + q * q * (-1.0 / 7 + q * (1.0 / 9)));
    const DoubleDouble& a = kAtanTable[static_cast<int>(form)][j];
    const double sign = form == Form::Atan || form == Form::HalfPiPlus ? 1.0 : -1.0;
    const DoubleDouble s = TwoSum(a.hi, sign * t.hi);
    return s.hi + ((s.lo + a.lo) + sign * (t.lo + tail));
}

constexpr DoubleDouble kOne = {1.0, 0.0};

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
    if (ax >= 1.0) {
        return ax == 1.0 ? x * kHalfPi.hi : kNaN;
    }
    const double inverse = 1.0 / ax; // alongside the square root
    const Root c = Cosine(ax);
    // x/s when at most 1, else s/x; chosen by selection, not by a branch, which random
    // arguments would mispredict.
    const bool over = ax > c.s.hi;
    const DoubleDouble a = {ax, 0.0};
    const double r =
        AtanRatio(over ? c.s : a, over ? a : c.s, over ? c.s.hi * inverse : ax * c.inverse,
                  over ? Form::HalfPiMinus : Form::Atan);
    return std::signbit(x) ? -r : r;
}

double Acos(double x) {
    const double ax = std::fabs(x);
    if (x != x) {
        return x;
    }
    if (ax >= 1.0) {
        return ax > 1.0 ? kNaN : (x > 0.0 ? 0.0 : kPi.hi);
    }
    if (ax < 0x1p-57) {
        return kHalfPi.hi;
    }
    const bool negative = x < 0.0;
    const double inverse = 1.0 / ax; // alongside the square root
    const Root c = Cosine(ax);
    // s/x when at most 1, else x/s, chosen as in Asin.
    const bool over = c.s.hi > ax;
    const DoubleDouble a = {ax, 0.0};
    const Form form = over ? (negative ? Form::HalfPiPlus : Form::HalfPiMinus)
                           : (negative ? Form::PiMinus : Form::Atan);
    return AtanRatio(over ? a : c.s, over ? c.s : a, over ? ax * c.inverse : c.s.hi * inverse,
                     form);
}

} // namespace maths
