// x raised to the power y: exp(y * ln x). First quickly: ln x from the 8-bit table (error below
// 2^-71), y * ln x from 26-bit heads, and an exponential that gives up when its error bound
// leaves the rounding in doubt. Then, for those few, slowly: ln x in double-double (relative
// error below 2^-68) and the product y * ln x exact before the exponential rounds once. The
// special cases are those of IEEE 754 pow.
#include "engine/Maths.h"
#include "engine/MathsKernels.h"

#include <cmath>
#include <cstdlib>
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

// x^n for a whole n, 0 < x finite, by squaring in double-double: each step's error is near
// 2^-104, so the one final rounding is the correct one. Only where every partial power stays
// far inside the normal range (|n| * (|exponent of x| + 1) < 900); otherwise NaN.
double WholePower(double x, double n) {
    // One operation, rounded once: exact to the last bit, overflow and underflow included.
    if (n == 1.0 || n == 2.0 || n == -1.0) {
        return n == 1.0 ? x : (n == 2.0 ? x * x : 1.0 / x);
    }
    const int exponent = static_cast<int>((AsBits(x) >> 52) & 0x7FF) - 1023;
    const double count = std::fabs(n);
    if (exponent == -1023 || count * (std::abs(exponent) + 1) >= 900.0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    auto bits = static_cast<uint32_t>(count);
    DoubleDouble square = {x, 0.0};
    for (; (bits & 1) == 0; bits >>= 1) {
        square = Mul(square, square);
    }
    DoubleDouble result = square; // the lowest set bit's power
    for (bits >>= 1; bits != 0; bits >>= 1) {
        square = Mul(square, square);
        if ((bits & 1) != 0) {
            result = Mul(result, square);
        }
    }
    if (n > 0.0) {
        return result.hi;
    }
    // 1 / result: the quotient, then one correction from its exact remainder.
    const double q = 1.0 / result.hi;
    const DoubleDouble p = TwoProd(q, result.hi);
    return q + (((1.0 - p.hi) - p.lo) - q * result.lo) / result.hi;
}

} // namespace

namespace kernel {

double PowExact(double ax, double y) {
    const DoubleDouble l = LogPositive(ax);
    const double guess = l.hi * y;
    if (!(std::fabs(guess) < 746.0)) {
        return guess > 0.0 ? kInfinity : 0.0; // far beyond the range; y is not huge below
    }
    const DoubleDouble p = TwoProd(l.hi, y);
    return ExpOf({p.hi, p.lo + l.lo * y}); // ExpOf reads the head and adds the tail
}

} // namespace kernel

double Pow(double x, double y) {
    // The common case first, as quickly as possible: a positive finite x and a y below 2^52
    // that is not a whole number (so not 0, nor NaN or infinite; adding 2^52 rounds off its
    // fraction), nor 1/2. The cases below would come to the same call (x = 1 gives 1 there
    // too).
    const double ay = std::fabs(y);
    if (x > 0.0 && x < kInfinity && ay < 0x1p52 && (ay + 0x1p52) - 0x1p52 != ay && y != 0.5) {
        return kernel::PowPositive(x, y);
    }
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

    // Common cases cheaply and exactly rounded: small whole powers and square roots.
    if (parity != Parity::NotInteger && std::fabs(y) <= 64.0) {
        const double r = WholePower(ax, y);
        if (r == r) {
            return negative ? -r : r;
        }
    }
    if (y == 0.5) {
        return std::sqrt(ax); // x is positive and finite here
    }

    const double r = kernel::PowPositive(ax, y);
    return negative ? -r : r;
}

} // namespace maths
