// The cost of one worksheet pass, which runs on every keystroke in the expression pane.
#include "SheetGenerator.h"
#include "worksheet/Worksheet.h"

#include <benchmark/benchmark.h>

#include <string>

static void BM_WorksheetPass(benchmark::State& state) {
    const std::string sheet = MakeSheet(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        Worksheet worksheet;
        std::string results;
        worksheet.EvaluateText(sheet, results);
        benchmark::DoNotOptimize(results.data());
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WorksheetPass)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
