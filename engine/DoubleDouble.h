#pragma once

// Unevaluated sums of two doubles (hi + lo, |lo| <= ulp(hi) / 2) and the error-free
// transformations that make them. Only plain + - * are used, never a fused multiply-add, so
// the results are the same on every build (the build turns off contraction of a*b+c).
#include <cstdint>
#include <cstring>

namespace maths {

struct DoubleDouble {
    double hi;
    double lo;
};

// a + b exactly, as a rounded sum and its error; any order of magnitudes.
inline DoubleDouble TwoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    const double err = (a - (s - bb)) + (b - bb);
    return {s, err};
}

// a + b exactly, when |a| >= |b| (or a is zero).
inline DoubleDouble FastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// Splits a into two halves of 26 bits each, so that their products are exact: the head is a
// rounded to 26 bits by its bit pattern (no multiplication, so no overflow for huge a), the
// tail is the exact rest.
inline DoubleDouble Split(double a) {
    uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    bits = (bits + (uint64_t{1} << 26)) & ~((uint64_t{1} << 27) - 1);
    double hi;
    std::memcpy(&hi, &bits, sizeof hi);
    return {hi, a - hi};
}

// a * b exactly, as a rounded product and its error (no overflow for |a*b| < 2^996).
inline DoubleDouble TwoProd(double a, double b) {
    const double p = a * b;
    const DoubleDouble sa = Split(a);
    const DoubleDouble sb = Split(b);
    const double err = ((sa.hi * sb.hi - p) + sa.hi * sb.lo + sa.lo * sb.hi) + sa.lo * sb.lo;
    return {p, err};
}

inline DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble s = TwoSum(a.hi, b.hi);
    const DoubleDouble t = TwoSum(a.lo, b.lo);
    DoubleDouble r = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(r.hi, r.lo + t.lo);
}

inline DoubleDouble Add(DoubleDouble a, double b) {
    const DoubleDouble s = TwoSum(a.hi, b);
    return FastTwoSum(s.hi, s.lo + a.lo);
}

inline DoubleDouble Mul(DoubleDouble a, DoubleDouble b) {
    const DoubleDouble p = TwoProd(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

// a / b, with one division: the quotient from the inverse, then one correction from the exact
// remainder.
inline DoubleDouble Div(DoubleDouble a, DoubleDouble b) {
    const double inverse = 1.0 / b.hi;
    const double q = a.hi * inverse;
    const DoubleDouble p = TwoProd(q, b.hi);
    const double rest = (((a.hi - p.hi) - p.lo) + a.lo) - q * b.lo;
    return FastTwoSum(q, rest * inverse);
}

inline DoubleDouble Mul(DoubleDouble a, double b) {
    const DoubleDouble p = TwoProd(a.hi, b);
    return FastTwoSum(p.hi, p.lo + a.lo * b);
}

} // namespace maths
