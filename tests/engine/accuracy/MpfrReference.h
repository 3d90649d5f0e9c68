#pragma once

// The exact value of a function from MPFR, and how far a double lies from it in units in the
// last place (ulps) of the correctly rounded result. The accuracy tests of the engine's maths
// share it; MPFR is a test-only dependency of the Linux build.
#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace mpfr_reference {

// Bits enough that the reference's own error never shows in a measured error.
constexpr mpfr_prec_t kPrecision = 256;

// An MPFR number that frees itself.
class Number {
public:
    explicit Number(double value = 0.0, mpfr_prec_t precision = kPrecision) {
        mpfr_init2(value_, precision);
        mpfr_set_d(value_, value, MPFR_RNDN);
    }
    ~Number() { mpfr_clear(value_); }
    Number(const Number&) = delete;
    Number& operator=(const Number&) = delete;

    mpfr_ptr get() { return value_; }
    mpfr_srcptr get() const { return value_; }

private:
    mpfr_t value_;
};

using Unary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
using Binary = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

// |got - exact| in ulps of exact: 2^(e - 53) for 2^(e-1) <= |exact| < 2^e, never below the
// smallest subnormal. The ulp is exact's own, not that of its rounded value: just below a power
// of two the rounded value may be the power, whose ulp is twice as large and would halve the
// error. Equal infinities, and NaN against NaN, are 0; a NaN or an infinity against a finite
// value, infinities of opposite sign, and a zero of the wrong sign are infinitely wrong.
inline double UlpError(double got, const Number& exact) {
    const double rounded = mpfr_get_d(exact.get(), MPFR_RNDN);
    const bool exactNaN = mpfr_nan_p(exact.get()) != 0;
    const double inf = std::numeric_limits<double>::infinity();
    if (got != got || exactNaN) {
        return (got != got && exactNaN) ? 0.0 : inf;
    }
    if (got == inf || got == -inf || rounded == inf || rounded == -inf) {
        return got == rounded ? 0.0 : inf;
    }
    if (got == 0.0 && rounded == 0.0 && std::signbit(got) != std::signbit(rounded)) {
        return inf; // e.g. sin(-0) must be -0, and a negative result that underflows -0
    }
    long exponent = -1074;
    if (mpfr_zero_p(exact.get()) == 0) {
        exponent = static_cast<long>(mpfr_get_exp(exact.get())) - 53;
        exponent = exponent < -1074 ? -1074 : exponent;
    }
    Number difference(got);
    mpfr_sub(difference.get(), difference.get(), exact.get(), MPFR_RNDN);
    mpfr_abs(difference.get(), difference.get(), MPFR_RNDN);
    mpfr_mul_2si(difference.get(), difference.get(), -exponent, MPFR_RNDN);
    return mpfr_get_d(difference.get(), MPFR_RNDU);
}

inline double UlpError(double got, Unary f, double x) {
    const Number argument(x);
    Number exact;
    f(exact.get(), argument.get(), MPFR_RNDN);
    return UlpError(got, exact);
}

inline double UlpError(double got, Binary f, double x, double y) {
    const Number first(x);
    const Number second(y);
    Number exact;
    f(exact.get(), first.get(), second.get(), MPFR_RNDN);
    return UlpError(got, exact);
}

// The number of random cases per function: CORVANE_MATHS_CASES when set (the long run),
// otherwise the given default.
inline uint64_t CaseCount(uint64_t fallback) {
    const char* text = std::getenv("CORVANE_MATHS_CASES");
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    return std::strtoull(text, nullptr, 10);
}

// A finite double of either sign whose binary exponent is uniform in [minExponent, maxExponent]
// (-1075 and below give subnormals and zero) and whose significand bits are uniform.
inline double RandomDouble(std::mt19937_64& rng, int minExponent, int maxExponent) {
    std::uniform_int_distribution<int> exponentOf(minExponent, maxExponent);
    const int exponent = exponentOf(rng);
    const uint64_t bits = rng();
    uint64_t pattern = bits & ((uint64_t{1} << 52) - 1);
    if (exponent >= -1022) {
        pattern |= static_cast<uint64_t>(exponent + 1023) << 52;
    } else {
        const int shift = -1022 - exponent; // subnormal: fewer significant bits
        pattern = shift >= 52 ? 0 : pattern >> shift;
    }
    pattern |= bits & (uint64_t{1} << 63);
    double value;
    std::memcpy(&value, &pattern, sizeof value);
    return value;
}

} // namespace mpfr_reference
