// The cost of one call of the engine's ln, log, exp, pow, asin, acos and atan against the C
// library's, on ordinary arguments (within (-10, 10) where the domain allows) and on large ones.
#include "engine/Maths.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr size_t kArguments = 4096;

std::vector<double> Arguments(double low, double high, bool logScale) {
    std::mt19937_64 rng(5);
    std::vector<double> values(kArguments);
    for (double& v : values) {
        if (logScale) { // |v| from 10^low to 10^high, either sign
            v = std::pow(10.0, std::uniform_real_distribution<double>(low, high)(rng));
            v = rng() % 2 != 0 ? -v : v;
        } else {
            v = std::uniform_real_distribution<double>(low, high)(rng);
        }
    }
    return values;
}

template <double (*F)(double)>
void Unary(benchmark::State& state, double low, double high, bool logScale, bool positive) {
    std::vector<double> args = Arguments(low, high, logScale);
    if (positive) {
        for (double& v : args) {
            v = std::fabs(v);
        }
    }
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(F(args[i]));
        i = (i + 1) % kArguments;
    }
}

template <double (*F)(double, double)>
void Binary(benchmark::State& state, double low, double high, bool large) {
    const std::vector<double> xs = Arguments(low, high, large);
    const std::vector<double> ys = Arguments(-10.0, 10.0, false);
    std::vector<double> bases(kArguments);
    std::vector<double> powers(kArguments);
    for (size_t k = 0; k < kArguments; ++k) {
        bases[k] = std::fabs(xs[k]);
        // Large bases get exponents that keep the result finite: |y * ln x| < 700.
        powers[k] = large ? ys[k] * 70.0 / std::fabs(std::log(bases[k]) + 1e-3) : ys[k];
    }
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(F(bases[i], powers[i]));
        i = (i + 1) % kArguments;
    }
}

double LibcLn(double x) {
    return std::log(x);
}
double LibcLog10(double x) {
    return std::log10(x);
}
double LibcExp(double x) {
    return std::exp(x);
}
double LibcPow(double x, double y) {
    return std::pow(x, y);
}
double LibcAsin(double x) {
    return std::asin(x);
}
double LibcAcos(double x) {
    return std::acos(x);
}
double LibcAtan(double x) {
    return std::atan(x);
}

} // namespace

#define MATHS_UNARY(name, F, low, high, logScale, positive)                                        \
    static void BM_Maths_##name(benchmark::State& state) {                                         \
        Unary<F>(state, low, high, logScale, positive);                                            \
    }                                                                                              \
    BENCHMARK(BM_Maths_##name)
#define MATHS_BINARY(name, F, low, high, large)                                                    \
    static void BM_Maths_##name(benchmark::State& state) {                                         \
        Binary<F>(state, low, high, large);                                                        \
    }                                                                                              \
    BENCHMARK(BM_Maths_##name)

// Small: (-10, 10), the domain's part of it; large: magnitudes from 10 to 1e300 (exp: to 700).
MATHS_UNARY(ln_small, maths::Ln, 0.0, 10.0, false, true);
MATHS_UNARY(libc_ln_small, LibcLn, 0.0, 10.0, false, true);
MATHS_UNARY(ln_large, maths::Ln, 1.0, 300.0, true, true);
MATHS_UNARY(libc_ln_large, LibcLn, 1.0, 300.0, true, true);
MATHS_UNARY(log_small, maths::Log10, 0.0, 10.0, false, true);
MATHS_UNARY(libc_log_small, LibcLog10, 0.0, 10.0, false, true);
MATHS_UNARY(log_large, maths::Log10, 1.0, 300.0, true, true);
MATHS_UNARY(libc_log_large, LibcLog10, 1.0, 300.0, true, true);
MATHS_UNARY(exp_small, maths::Exp, -10.0, 10.0, false, false);
MATHS_UNARY(libc_exp_small, LibcExp, -10.0, 10.0, false, false);
MATHS_UNARY(exp_large, maths::Exp, -700.0, 700.0, false, false);
MATHS_UNARY(libc_exp_large, LibcExp, -700.0, 700.0, false, false);
MATHS_BINARY(pow_small, maths::Pow, 0.0, 10.0, false);
MATHS_BINARY(libc_pow_small, LibcPow, 0.0, 10.0, false);
MATHS_BINARY(pow_large, maths::Pow, 1.0, 300.0, true);
MATHS_BINARY(libc_pow_large, LibcPow, 1.0, 300.0, true);
MATHS_UNARY(asin, maths::Asin, -1.0, 1.0, false, false);
MATHS_UNARY(libc_asin, LibcAsin, -1.0, 1.0, false, false);
MATHS_UNARY(acos, maths::Acos, -1.0, 1.0, false, false);
MATHS_UNARY(libc_acos, LibcAcos, -1.0, 1.0, false, false);
MATHS_UNARY(atan_small, maths::Atan, -10.0, 10.0, false, false);
MATHS_UNARY(libc_atan_small, LibcAtan, -10.0, 10.0, false, false);
MATHS_UNARY(atan_large, maths::Atan, 1.0, 300.0, true, false);
MATHS_UNARY(libc_atan_large, LibcAtan, 1.0, 300.0, true, false);
