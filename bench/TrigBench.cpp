// The engine's sin, cos and tan against the C library's, per call, on small arguments and on
// large ones (whose reduction by pi/2 needs the long table of 2/pi).
#include "engine/Maths.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

enum class Range { Small, Large };

const std::vector<double>& Arguments(Range range) {
    static const std::vector<double> small = [] {
        std::mt19937_64 rng(1);
        std::uniform_real_distribution<double> d(-10.0, 10.0);
        std::vector<double> v(4096);
        for (double& x : v) {
            x = d(rng);
        }
        return v;
    }();
    static const std::vector<double> large = [] {
        std::mt19937_64 rng(2);
        std::uniform_real_distribution<double> exponent(6.0, 300.0);
        std::uniform_real_distribution<double> mantissa(1.0, 10.0);
        std::vector<double> v(4096);
        for (double& x : v) {
            x = mantissa(rng) * std::pow(10.0, exponent(rng));
        }
        return v;
    }();
    return range == Range::Small ? small : large;
}

// Through a pointer for both, so neither is inlined into the loop.
void EachCall(benchmark::State& state, double (*f)(double), Range range) {
    const std::vector<double>& arguments = Arguments(range);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(arguments[i]));
        i = (i + 1) & (arguments.size() - 1);
    }
}

double LibcSin(double x) {
    return std::sin(x);
}
double LibcCos(double x) {
    return std::cos(x);
}
double LibcTan(double x) {
    return std::tan(x);
}

} // namespace

BENCHMARK_CAPTURE(EachCall, SinSmall, maths::Sin, Range::Small);
BENCHMARK_CAPTURE(EachCall, LibcSinSmall, LibcSin, Range::Small);
BENCHMARK_CAPTURE(EachCall, CosSmall, maths::Cos, Range::Small);
BENCHMARK_CAPTURE(EachCall, LibcCosSmall, LibcCos, Range::Small);
BENCHMARK_CAPTURE(EachCall, TanSmall, maths::Tan, Range::Small);
BENCHMARK_CAPTURE(EachCall, LibcTanSmall, LibcTan, Range::Small);
BENCHMARK_CAPTURE(EachCall, SinLarge, maths::Sin, Range::Large);
BENCHMARK_CAPTURE(EachCall, LibcSinLarge, LibcSin, Range::Large);
BENCHMARK_CAPTURE(EachCall, CosLarge, maths::Cos, Range::Large);
BENCHMARK_CAPTURE(EachCall, LibcCosLarge, LibcCos, Range::Large);
BENCHMARK_CAPTURE(EachCall, TanLarge, maths::Tan, Range::Large);
BENCHMARK_CAPTURE(EachCall, LibcTanLarge, LibcTan, Range::Large);
