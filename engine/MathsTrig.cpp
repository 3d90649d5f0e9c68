// The trigonometric functions: exact reduction by pi/2, then Taylor polynomials of sin and cos
// on [-pi/4, pi/4] whose leading terms are summed in double-double, so a result carries one
// rounding and an error of a few hundredths of an ulp before it. sec and csc divide the
// double-double values before rounding once. tan and cot read a table of tan and cot at points
// j/256 and correct from the nearest one, or use their series near 0.
#include "engine/DoubleDouble.h"
#include "engine/Maths.h"
#include "engine/MathsKernels.h"
#include "engine/TrigReduction.h"

namespace maths {
namespace {

// Below this |x| the cubic term is under a quarter ulp: sin x and tan x round to x, cos x to 1.
constexpr double kTiny = 0x1p-27;
// Below this 1/x does not fit the double-double division (its split would overflow), and
// cot x and csc x round to 1/x anyway: x^2 is far below any rounding difference.
constexpr double kReciprocalOnly = 0x1p-900;

// 1/k!, and 1/3! and 1/2 as double-doubles where the leading terms need them.
constexpr DoubleDouble kInvFact3 = {0x1.5555555555555p-3, 0x1.5555555555555p-57};
constexpr double kInvFact4 = 0x1.5555555555555p-5;
constexpr double kInvFact5 = 0x1.1111111111111p-7;
constexpr double kInvFact6 = 0x1.6c16c16c16c17p-10;
constexpr double kInvFact7 = 0x1.a01a01a01a01ap-13;
constexpr double kInvFact8 = 0x1.a01a01a01a01ap-16;
constexpr double kInvFact9 = 0x1.71de3a556c734p-19;
constexpr double kInvFact10 = 0x1.27e4fb7789f5cp-22;
constexpr double kInvFact11 = 0x1.ae64567f544e4p-26;
constexpr double kInvFact12 = 0x1.1eed8eff8d898p-29;
constexpr double kInvFact13 = 0x1.6124613a86d09p-33;
constexpr double kInvFact14 = 0x1.93974a8c07c9dp-37;
constexpr double kInvFact15 = 0x1.ae7f3e733b81fp-41;
constexpr double kInvFact16 = 0x1.ae7f3e733b81fp-45;
constexpr double kInvFact17 = 0x1.952c77030ad4ap-49;
constexpr double kInvFact18 = 0x1.6827863b97d97p-53;

bool IsFinite(double x) {
    return x - x == 0.0;
}

double Abs(double x) {
    return x < 0.0 ? -x : x;
}

DoubleDouble Negate(DoubleDouble a) {
    return {-a.hi, -a.lo};
}

// r.hi split into halves of 26 bits, and its exact square.
struct Square {
    DoubleDouble x;  // r.hi and r.lo
    DoubleDouble xs; // r.hi split
    DoubleDouble z;  // r.hi^2, exactly
};

Square SquareOf(DoubleDouble r) {
    const DoubleDouble xs = Split(r.hi);
    const double z = r.hi * r.hi;
    const double zl = ((xs.hi * xs.hi - z) + 2.0 * xs.hi * xs.lo) + xs.lo * xs.lo;
    return {r, xs, {z, zl}};
}

// a * b exactly, with a already split.
DoubleDouble TwoProdSplit(double a, DoubleDouble as, double b) {
    const double p = a * b;
    const DoubleDouble bs = Split(b);
    const double err = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {p, err};
}

// sin(r) for |r| <= pi/4: r - r^3/6 in double-double, the rest (below r/400) in double. The
// Taylor series stops at r^17, 2^-63 below the result.
DoubleDouble SinKernel(const Square& q) {
    const double x = q.x.hi;
    const double z = q.z.hi;
    // Estrin's scheme: short chains of dependent operations.
    const double z2 = z * z;
    const double p = (kInvFact5 - z * kInvFact7) + z2 * (kInvFact9 - z * kInvFact11) +
                     (z2 * z2) * ((kInvFact13 - z * kInvFact15) + z2 * kInvFact17);
    const double tail = (x * z2) * p;
    // x^3/6 as (x/6) * z, both double-double.
    const DoubleDouble sixth = TwoProdSplit(x, q.xs, kInvFact3.hi);
    const double sixthLo = sixth.lo + x * kInvFact3.lo;
    const DoubleDouble cube = TwoProd(sixth.hi, z);
    const double cubeLo = cube.lo + (sixth.hi * q.z.lo + sixthLo * z);
    // sin(x + r.lo) = sin x + r.lo cos x, and cos x = 1 - z/2 + z^2/24 is plenty for r.lo.
    const double shift = q.x.lo * (1.0 - z * (0.5 - z * kInvFact4));
    const DoubleDouble s = FastTwoSum(x, -cube.hi);
    return FastTwoSum(s.hi, s.lo + ((tail - cubeLo) + shift));
}

// cos(r) for |r| <= pi/4: 1 - r^2/2 in double-double, the rest (below 1/60) in double. The
// Taylor series stops at r^18, 2^-68 below the result.
DoubleDouble CosKernel(const Square& q) {
    const double x = q.x.hi;
    const double z = q.z.hi;
    const double z2 = z * z;
    const double p =
        (kInvFact4 - z * kInvFact6) + z2 * (kInvFact8 - z * kInvFact10) +
        (z2 * z2) * ((kInvFact12 - z * kInvFact14) + z2 * (kInvFact16 - z * kInvFact18));
    const double tail = z2 * p;
    // cos(x + r.lo) = cos x - r.lo sin x, and x is plenty for sin x here.
    const double shift = -(q.x.lo * x);
    const DoubleDouble s = FastTwoSum(1.0, -0.5 * z); // exact
    return FastTwoSum(s.hi, s.lo + ((tail - 0.5 * q.z.lo) + shift));
}

// a / b, both double-doubles, rounded to a double. The quotient of the leading parts is cut to
// 26 bits, so that its products with the halves of b.hi are exact; the remainder, some 2^-26
// of a, then gives the correction through the inverse of b.hi, computed beside the quotient.
double Divide(DoubleDouble a, DoubleDouble b) {
    const double q = Split(a.hi / b.hi).hi;
    const double inverse = 1.0 / b.hi;
    const DoubleDouble bs = Split(b.hi);
    const double remainder = (((a.hi - q * bs.hi) - q * bs.lo) + a.lo) - q * b.lo;
    return q + remainder * inverse;
}

DoubleDouble SinOfReduced(const trig::Reduced& reduced) {
    const Square q = SquareOf(reduced.r);
    const DoubleDouble s = SinKernel(q);
    const DoubleDouble c = CosKernel(q);
    const DoubleDouble v = (reduced.quadrant & 1) == 0 ? s : c;
    return (reduced.quadrant & 2) == 0 ? v : Negate(v);
}

DoubleDouble CosOfReduced(const trig::Reduced& reduced) {
    const Square q = SquareOf(reduced.r);
    const DoubleDouble s = SinKernel(q);
    const DoubleDouble c = CosKernel(q);
    const DoubleDouble v = (reduced.quadrant & 1) == 0 ? c : s;
    return ((reduced.quadrant + 1) & 2) == 0 ? v : Negate(v);
}

// A value hi + lo not yet rounded, and a bound on its error.
struct Estimate {
    double hi;
    double lo;
    double bound;
};

// tan(a + al) (a >= 0, |al| <= ulp(a)/2) for a < 1/8: its odd series to a^17, whose first term
// left out is below 2^-66 of the result. The tail beyond a is below a^2/3 of the result; its
// roundings (the square, the cube, four in the series, the product and the sum) stay below 8
// of its ulps, and the bound allows 16.
Estimate TanSmall(double a, double al) {
    const double z = a * a;
    const double z2 = z * z;
    const double p = ((0x1.5555555555555p-2 + z * 0x1.1111111111111p-3) +
                      z2 * (0x1.ba1ba1ba1ba1cp-5 + z * 0x1.664f4882c10fap-6)) +
                     (z2 * z2) * ((0x1.226e355e6c23dp-7 + z * 0x1.d6d3d0e157de0p-9) +
                                  z2 * (0x1.7da36452b75e3p-10 + z * 0x1.3558248036744p-11));
    const double tail = (a * z) * p + al * (1.0 + z);
    return {a, tail, Abs(tail) * 0x1p-49 + a * 0x1p-64};
}

// cot(a + al) for 0 < a < 1/8: 1/(a + al), its rounding corrected from the exact remainder,
// minus the series (a + al)/3 + a^3/45 + ... to a^11 (the first term left out is 2^-64 of the
// result), which is below a^2/3 of the result. The series' roundings, like the tangent's, stay
// below 8 of its ulps; the reciprocal's correction is good to 2^-100.
Estimate CotSmall(double a, double al) {
    const double q = 1.0 / a;
    const DoubleDouble p = TwoProd(q, a);
    const double e = ((1.0 - p.hi) - p.lo) - q * al; // 1 - q(a + al); 1 - p.hi is exact
    const double z = a * a;
    const double z2 = z * z;
    const double series = a * (((0x1.5555555555555p-2 + z * 0x1.6c16c16c16c17p-6) +
                                z2 * (0x1.1566abc011567p-9 + z * 0x1.bbd779334ef0bp-13)) +
                               (z2 * z2) * (0x1.66a8f2bf70ebep-16 + z * 0x1.22805d644267fp-19)) +
                          al * 0x1.5555555555555p-2;
    return {q, q * e - series, series * 0x1p-49 + q * 0x1p-63};
}

// The table point c = j/256 nearest a, for 1/8 <= a <= pi/4 and the reduction's hair beyond:
// tan c or cot c, and a - c, which is exact.
struct TablePoint {
    const DoubleDouble& value;
    double offset;
};

TablePoint NearestTablePoint(double a, bool cot) {
    // j = round(256 a) from the low bits of the shifted product, without a conversion.
    constexpr double kShift = 0x1.8p52;
    const double shifted = a * 256.0 + kShift;
    const auto j = static_cast<int>(AsBits(shifted) & 255);
    return {kTanTable[cot ? 1 : 0][j - kTanFirst], a - (shifted - kShift) * (1.0 / 256)};
}

// tan(a + al), or cot, for 1/8 <= a <= pi/4 (and the reduction's hair beyond), from the table
// point c = j/256 nearest a: with V = tan c and t = tan d, d = a + al - c (|d| <= 2^-9),
// tan(c + d) = V + t (1 + V^2) / (1 - V t); with V = cot c, cot(c + d) = V - t (1 + V^2) /
// (1 + V t). The correction is below 2^-5.9 of the result. Relative to it, d and t are
// rounded once each, 1 + V^2 counts four (two roundings and V's tail left out, twice V^2 2^-53
// at most), the product, the denominator and the quotient one each, and adding V's tail one:
// ten of 2^-53 in all, and the series' cut 0.03 more; the bound allows 16.
Estimate TanFromTable(double a, double al, bool cot) {
    const TablePoint point = NearestTablePoint(a, cot);
    const double d = point.offset + al;
    // tan d = d + d^3/3 + 2d^5/15; the next term is below 2^-58 of it.
    const double z = d * d;
    const double t = d + (d * z) * (0x1.5555555555555p-2 + z * 0x1.1111111111111p-3);
    const DoubleDouble& v = point.value;
    const double st = cot ? -t : t;
    const double correction = (st * (1.0 + v.hi * v.hi)) / (1.0 - v.hi * st);
    return {v.hi, v.lo + correction, Abs(correction) * 0x1p-49 + Abs(v.hi) * 0x1p-80};
}

// The same as TanFromTable, in double-double throughout and rounded once: good to some 2^-100
// of the result, for the few values whose rounding the estimate leaves in doubt. tan d's cubic
// part is below 2^-19.6 of it, so its double's error stays below 2^-70 of t.
double TanFromTablePrecise(double a, double al, bool cot) {
    const TablePoint point = NearestTablePoint(a, cot);
    const DoubleDouble d = TwoSum(point.offset, al);
    const double z = d.hi * d.hi;
    const double cubic =
        (d.hi * z) *
        (0x1.5555555555555p-2 +
         z * (0x1.1111111111111p-3 + z * (0x1.ba1ba1ba1ba1cp-5 + z * 0x1.664f4882c10fap-6)));
    const DoubleDouble t = FastTwoSum(d.hi, d.lo + cubic);
    const DoubleDouble st = cot ? Negate(t) : t;
    const DoubleDouble& v = point.value;
    const DoubleDouble numerator = Mul(st, Add(Mul(v, v), 1.0));
    const DoubleDouble denominator = Add(Negate(Mul(v, st)), 1.0);
    const DoubleDouble sum = Add(v, Div(numerator, denominator));
    return sum.hi; // sum.lo is at most half an ulp of it
}

// tan r or cot r, as sin/cos or cos/sin in double-double: slower, but its one rounding is the
// last, within 0.62 ulp.
double TanOrCotByDivision(const trig::Reduced& reduced, bool cot) {
    const Square q = SquareOf(reduced.r);
    const DoubleDouble s = SinKernel(q);
    const DoubleDouble c = CosKernel(q);
    return cot ? Divide(c, s) : Divide(s, c);
}

// tan x, or cot x, of finite x with |x| >= 2^-900: tan or cot of |r|, where odd quadrants
// swap the two (tan x = -cot r there), and the signs of x, r and the quadrant give the sign.
// The estimate is taken when its error bound cannot change the rounding, which makes the
// result the correctly rounded one; otherwise (some 7 in 100 arguments) the table's form in
// double-double decides, or below 1/8 the division.
double TanOrCot(double x, bool cot) {
    const trig::Reduced reduced = trig::ReduceHalfPi(Abs(x));
    const bool odd = (reduced.quadrant & 1) != 0;
    const bool wantCot = odd != cot;
    const bool reducedNegative = reduced.r.hi < 0.0;
    const bool negative = (reducedNegative != odd) != (x < 0.0);
    const double a = reducedNegative ? -reduced.r.hi : reduced.r.hi;
    const double al = reducedNegative ? -reduced.r.lo : reduced.r.lo;
    Estimate m;
    if (a < 0.125) {
        m = wantCot ? CotSmall(a, al) : TanSmall(a, al);
    } else {
        m = TanFromTable(a, al, wantCot);
    }
    // Rounding the exact sum's head, not hi + lo, so the bound is not lost in lo's rounding.
    const DoubleDouble y = FastTwoSum(m.hi, m.lo);
    if (y.hi != y.hi + (y.lo + m.bound) || y.hi != y.hi + (y.lo - m.bound)) {
        if (a >= 0.125) {
            const double t = TanFromTablePrecise(a, al, wantCot);
            return negative ? -t : t;
        }
        const double t = TanOrCotByDivision(reduced, wantCot);
        return negative == reducedNegative ? t : -t;
    }
    return negative ? -y.hi : y.hi;
}

// NaN for NaN and the infinities.
double NotANumber(double x) {
    return x - x;
}

} // namespace

double Sin(double x) {
    if (!IsFinite(x)) {
        return NotANumber(x);
    }
    const double ax = Abs(x);
    if (ax < kTiny) {
        return x;
    }
    const double s = SinOfReduced(trig::ReduceHalfPi(ax)).hi;
    return x < 0.0 ? -s : s;
}

double Cos(double x) {
    if (!IsFinite(x)) {
        return NotANumber(x);
    }
    const double ax = Abs(x);
    if (ax < kTiny) {
        return 1.0;
    }
    return CosOfReduced(trig::ReduceHalfPi(ax)).hi;
}

double Tan(double x) {
    if (!IsFinite(x)) {
        return NotANumber(x);
    }
    const double ax = Abs(x);
    if (ax < kTiny) {
        return x;
    }
    return TanOrCot(x, false);
}

double Cot(double x) {
    if (!IsFinite(x)) {
        return NotANumber(x);
    }
    const double ax = Abs(x);
    if (ax < kReciprocalOnly) {
        return 1.0 / x;
    }
    return TanOrCot(x, true);
}

double Sec(double x) {
    if (!IsFinite(x)) {
        return NotANumber(x);
    }
    const double ax = Abs(x);
    if (ax < kTiny) {
        return 1.0;
    }
    return Divide({1.0, 0.0}, CosOfReduced(trig::ReduceHalfPi(ax)));
}

double Csc(double x) {
    if (!IsFinite(x)) {
        return NotANumber(x);
    }
    const double ax = Abs(x);
    if (ax < kReciprocalOnly) {
        return 1.0 / x;
    }
    const double t = Divide({1.0, 0.0}, SinOfReduced(trig::ReduceHalfPi(ax)));
    return x < 0.0 ? -t : t;
}

} // namespace maths
