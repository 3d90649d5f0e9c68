// One line through the evaluator, and the formatting of one result.
#include "engine/CalcEvaluator.h"
#include "engine/ResultFormat.h"

#include <benchmark/benchmark.h>

#include <string>

static void BM_EvaluateLine(benchmark::State& state) {
    const std::string line = "(1.5+2)*3-4/5^2+sin(pi/4)*0x1F%7-~0b1010<<2";
    for (auto _ : state) {
        // A fresh evaluator per line, as the worksheet does.
        CalcEvaluator evaluator;
        CalcValue result;
        benchmark::DoNotOptimize(evaluator.Evaluate(line, result));
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_EvaluateLine);

static void BM_FormatResult(benchmark::State& state) {
    const auto mode = static_cast<DisplayMode>(state.range(0));
    // A real with a fraction in decimal; a large integer in the other modes.
    const CalcValue value = mode == DisplayMode::Decimal
                                ? CalcValue::MakeReal(-1234567.891011)
                                : CalcValue::MakeInteger(-81985529216486896);
    for (auto _ : state) {
        std::string text;
        FormatResult(value, text, mode);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_FormatResult)
    ->ArgName("mode")
    ->Arg(static_cast<int>(DisplayMode::Decimal))
    ->Arg(static_cast<int>(DisplayMode::Unsigned))
    ->Arg(static_cast<int>(DisplayMode::Hex))
    ->Arg(static_cast<int>(DisplayMode::Binary));
