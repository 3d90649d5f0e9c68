// x raised to the power y: exp(y * ln x), with ln x in double-double (relative error below
// 2^-68) and the product y * ln x exact before the exponential rounds once. The special cases
// are those of IEEE 754 pow.
#include "engine/Maths.h"
#include "engine/MathsKernels.h"

#include <cmath>
#include <limits>

namespace maths {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

enum class Parity { NotInteger, Odd, Even };

Parity ParityOf(double y) {
    const uint64_t bits = AsBits(y);
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
    if (exponent < 0) {
        return y == 0.0 ? Parity::Even : Parity::NotInteger;
    }
    if (exponent > 52) {
        return Parity::Even;
    }
    const uint64_t mantissa = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
    const int fractionBits = 52 - exponent;
    if ((mantissa & ((uint64_t{1} << fractionBits) - 1)) != 0) {
        return Parity::NotInteger;
    }
    return ((mantissa >> fractionBits) & 1) != 0 ? Parity::Odd : Parity::Even;
}

} // namespace

double Pow(double x, double y) {
    if (y == 0.0 || x == 1.0) {
        return 1.0; // even for a NaN as the other
    }
    if (x != x || y != y) {
        return x + y;
    }
    const double ax = std::fabs(x);
    if (std::isinf(y)) {
        if (ax == 1.0) {
            return 1.0;
        }
        return (ax < 1.0) == (y < 0.0) ? kInfinity : 0.0;
    }
    const Parity parity = ParityOf(y);
    const bool negative = std::signbit(x) && parity == Parity::Odd;
    if (x == 0.0 || std::isinf(x)) {
        // 0 and infinity to a power: 0 or infinity, signed only for an odd integer power.
        const bool large = (x == 0.0) == (y < 0.0);
        const double r = large ? kInfinity : 0.0;
        return negative ? -r : r;
    }
    if (x < 0.0 && parity == Parity::NotInteger) {
        return std::numeric_limits<double>::quiet_NaN();
    }

    const DoubleDouble l = kernel::LogPositive(ax);
    const double guess = l.hi * y;
    double r;
    if (!(std::fabs(guess) < 746.0)) {
        r = guess > 0.0 ? kInfinity : 0.0; // far beyond the range; y is not huge below
    } else {
        const DoubleDouble p = TwoProd(l.hi, y);
        r = kernel::ExpOf(FastTwoSum(p.hi, p.lo + l.lo * y));
    }
    return negative ? -r : r;
}

} // namespace maths
