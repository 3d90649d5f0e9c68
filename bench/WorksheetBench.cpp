// The cost of one worksheet pass, which runs on every keystroke in the expression pane.
#include "SheetGenerator.h"
#include "worksheet/Worksheet.h"

#include <benchmark/benchmark.h>

#include <string>

static void RunPasses(benchmark::State& state, bool failingLines) {
    const std::string sheet = MakeSheet(static_cast<size_t>(state.range(0)), failingLines);
    for (auto _ : state) {
        Worksheet worksheet;
        std::string results;
        worksheet.EvaluateText(sheet, results);
        benchmark::DoNotOptimize(results.data());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// One line in eight fails, as while typing.
static void BM_WorksheetPass(benchmark::State& state) {
    RunPasses(state, true);
}
BENCHMARK(BM_WorksheetPass)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

// The same sheet with every line valid, to show what the failing lines cost.
static void BM_WorksheetPassAllValid(benchmark::State& state) {
    RunPasses(state, false);
}
BENCHMARK(BM_WorksheetPassAllValid)->Arg(1000)->Unit(benchmark::kMicrosecond);
