// One line through the evaluator, and the formatting of one result.
#include "engine/CalcEvaluator.h"
#include "engine/ResultFormat.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void EvaluateEach(benchmark::State& state, const std::string& line) {
    CalcEvaluator evaluator;
    for (auto _ : state) {
        CalcValue result;
        benchmark::DoNotOptimize(evaluator.Evaluate(line, result));
        benchmark::DoNotOptimize(result);
    }
}

} // namespace

static void BM_EvaluateLine(benchmark::State& state) {
    EvaluateEach(state, "(1.5+2)*3-4/5^2+sin(pi/4)*0x1F%7-~0b1010<<2");
}
BENCHMARK(BM_EvaluateLine);

// A valid line and failing lines of the same length: a failure may cost at most half again
// as much as a success.
static void BM_ValidLine(benchmark::State& state) {
    EvaluateEach(state, "(332.5+20)*7-667/7+sqrt(16)");
}
BENCHMARK(BM_ValidLine);

static void BM_FailingLineDivByZero(benchmark::State& state) {
    EvaluateEach(state, "(332.5+20)*7-667/0+sqrt(16)");
}
BENCHMARK(BM_FailingLineDivByZero);

static void BM_FailingLineUnknownName(benchmark::State& state) {
    EvaluateEach(state, "(332.5+20)*7-667/7+sqrt(nn)");
}
BENCHMARK(BM_FailingLineUnknownName);

static void BM_FailingLineMissingParen(benchmark::State& state) {
    EvaluateEach(state, "(332.5+20)*7-(667/7+sqrt(16");
}
BENCHMARK(BM_FailingLineMissingParen);

static void BM_FormatResult(benchmark::State& state) {
    const auto mode = static_cast<DisplayMode>(state.range(0));
    // A real with a fraction in decimal; a large integer in the other modes.
    const CalcValue value = mode == DisplayMode::Decimal
                                ? CalcValue::MakeReal(-1234567.891011)
                                : CalcValue::MakeInteger(-81985529216486896);
    const FormatOptions options;
    for (auto _ : state) {
        std::string text;
        FormatResult(value, text, mode, options);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_FormatResult)
    ->ArgName("mode")
    ->Arg(static_cast<int>(DisplayMode::Decimal))
    ->Arg(static_cast<int>(DisplayMode::Unsigned))
    ->Arg(static_cast<int>(DisplayMode::Hex))
    ->Arg(static_cast<int>(DisplayMode::Binary));
