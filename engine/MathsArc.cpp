// The inverse trigonometric functions. All three reduce to atan(u) for u in [0, 1]:
// atan(u) = atan(c) + atan(t), c = j/64 the nearest table point and t = (u - c) / (1 + u*c),
// |t| <= 2^-7, with the odd series of atan(t) to t^9. The reductions run in double-double:
// atan(x) = pi/2 - atan(1/x) for x > 1, asin(x) = atan(x / sqrt(1 - x^2)), and acos(x) =
// atan(sqrt(1 - x^2) / x), each taken the way round whose quotient is at most 1.
#include "engine/Maths.h"
#include "engine/MathsKernels.h"

#include <cmath>
#include <limits>

namespace maths {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

DoubleDouble Negated(DoubleDouble a) {
    return {-a.hi, -a.lo};
}

// a / b in double-double.
DoubleDouble Divide(DoubleDouble a, DoubleDouble b) {
    const double q = a.hi / b.hi;
    const DoubleDouble p = TwoProd(q, b.hi);
    const double rest = (((a.hi - p.hi) - p.lo) + a.lo) - q * b.lo;
    return FastTwoSum(q, rest / b.hi);
}

// sqrt(1 - a^2) for 0 <= a <= 1, in double-double; 1 - a^2 is formed without cancellation.
DoubleDouble Cosine(double a) {
    DoubleDouble w;
    if (a >= 0.5) {
        w = Mul(TwoSum(1.0, a), 1.0 - a); // 1 - a is exact here
    } else {
        const DoubleDouble sq = TwoProd(a, a);
        const DoubleDouble d = TwoSum(1.0, -sq.hi);
        w = FastTwoSum(d.hi, d.lo - sq.lo);
    }
    const double s = std::sqrt(w.hi);
    const DoubleDouble ss = TwoProd(s, s);
    return FastTwoSum(s, (((w.hi - ss.hi) - ss.lo) + w.lo) / (2.0 * s));
}

// atan(n / d) for 0 <= n, 0 < d: as atan of the quotient, or pi/2 minus atan of its inverse.
DoubleDouble AtanOfRatio(DoubleDouble n, DoubleDouble d) {
    if (n.hi <= d.hi) {
        return kernel::AtanUnit(Divide(n, d));
    }
    return Add(kHalfPi, Negated(kernel::AtanUnit(Divide(d, n))));
}

} // namespace

namespace kernel {

DoubleDouble AtanUnit(DoubleDouble u) {
    const int j = static_cast<int>(u.hi * 64.0 + 0.5);
    const double c = j * (1.0 / 64);
    // t = (u - c) / (1 + u*c); u.hi - c is exact (c = 0, or u.hi within a factor 2 of c).
    const DoubleDouble num = TwoSum(u.hi - c, u.lo);
    const DoubleDouble uc = TwoProd(u.hi, c);
    const DoubleDouble one = FastTwoSum(1.0, uc.hi);
    const DoubleDouble t = Divide(num, {one.hi, one.lo + (uc.lo + u.lo * c)});

    const double q = t.hi * t.hi;
    const double tail = t.hi * q * ((-1.0 / 3 + q * 0.2) + q * q * (-1.0 / 7 + q * (1.0 / 9)));
    const DoubleDouble& a = kAtanTable[j];
    const DoubleDouble s = TwoSum(a.hi, t.hi);
    return FastTwoSum(s.hi, s.lo + a.lo + t.lo + tail);
}

} // namespace kernel

double Atan(double x) {
    const double ax = std::fabs(x);
    if (!(ax >= 0x1p-27)) {
        return x; // atan(x) rounds to x; NaN stays NaN
    }
    double r;
    if (ax > 0x1p54) {
        r = kHalfPi.hi;
    } else if (ax <= 1.0) {
        r = kernel::AtanUnit({ax, 0.0}).hi;
    } else {
        r = AtanOfRatio({ax, 0.0}, {1.0, 0.0}).hi;
    }
    return std::signbit(x) ? -r : r;
}

double Asin(double x) {
    const double ax = std::fabs(x);
    if (!(ax >= 0x1p-26)) {
        return x; // asin(x) rounds to x; NaN stays NaN
    }
    if (ax > 1.0) {
        return kNaN;
    }
    const double r = ax == 1.0 ? kHalfPi.hi : AtanOfRatio({ax, 0.0}, Cosine(ax)).hi;
    return std::signbit(x) ? -r : r;
}

double Acos(double x) {
    const double ax = std::fabs(x);
    if (x != x) {
        return x;
    }
    if (ax > 1.0) {
        return kNaN;
    }
    if (ax < 0x1p-57) {
        return kHalfPi.hi;
    }
    const DoubleDouble a = ax == 1.0 ? DoubleDouble{0.0, 0.0} : AtanOfRatio(Cosine(ax), {ax, 0.0});
    return std::signbit(x) ? Add(kPi, Negated(a)).hi : a.hi;
}

} // namespace maths
