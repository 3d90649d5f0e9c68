#pragma once

// Reduction of an angle by pi/2 for the trigonometric functions: x = n * pi/2 + r exactly
// enough that r keeps full double-double precision, even where x lies very near a multiple of
// pi/2 or is as large as the largest double.
#include "engine/DoubleDouble.h"
#include "engine/TrigConstants.h"

#include <cstdint>
#include <cstring>

namespace maths::trig {

struct Reduced {
    DoubleDouble r; // |r| <= pi/4 (a hair more where x lies halfway between two multiples)
    int quadrant;   // n mod 4
};

// Large x, from the bits of 2/pi (Payne and Hanek); for finite x >= 2^20.
Reduced ReduceLarge(double x);

constexpr double kQuarterPi = 0x1.921fb54442d18p-1;
constexpr double kTwoOverPiRounded = 0x1.45f306dc9c883p-1;
// Below this n = round(x * 2/pi) stays under 2^20, so n times each 33-bit piece of pi/2 is exact.
constexpr double kCodyWaiteLimit = 1.6e6;

// For finite x >= 0. Moderate x subtracts n * pi/2 piece by piece (Cody and Waite), every
// product exact.
inline Reduced ReduceHalfPi(double x) {
    if (x <= kQuarterPi) {
        return {{x, 0.0}, 0};
    }
    if (x >= kCodyWaiteLimit) {
        return ReduceLarge(x);
    }
    // n = round(x * 2/pi), read from the low bits of the shifted product: no conversion
    // between integer and floating point on the way to r.
    constexpr double kShift = 0x1.8p52;
    const double shifted = x * kTwoOverPiRounded + kShift;
    const double fn = shifted - kShift;
    uint64_t bits;
    std::memcpy(&bits, &shifted, sizeof bits);
    const auto n = static_cast<int>(bits & 3);
    const double r1 = x - fn * kHalfPi1; // exact: the two lie within a factor of 2
    const DoubleDouble t = TwoSum(r1, -(fn * kHalfPi2));
    const DoubleDouble u = TwoSum(t.hi, -(fn * kHalfPi3));
    const double lo = (t.lo + u.lo) - fn * kHalfPi4;
    return {TwoSum(u.hi, lo), n & 3};
}

} // namespace maths::trig
