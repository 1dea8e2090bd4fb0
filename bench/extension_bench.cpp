// Extension to the long-term period: the regression, the long-term figures
// and the restored years, then the report and table lines.

#include <vector>

#include <benchmark/benchmark.h>

#include "extension/extension_report.h"

namespace {

using aqualen::extension::YearSeries;

// An analogue of `years` runoff-like values and a studied series over its
// last fifth that loosely follows it.
void MakeSeries(int years, YearSeries& studied, YearSeries& analogue)
{
    unsigned state = 12345;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<double>((state >> 8) % 20000) / 10;
    };
    analogue = {1, {}};
    for (int i = 0; i < years; ++i)
        analogue.values.push_back(500 + next());
    const int own = years / 5 < 3 ? 3 : years / 5;
    studied = {1 + years - own, {}};
    for (int i = years - own; i < years; ++i)
        studied.values.push_back(analogue.values[static_cast<size_t>(i)] * 0.8 + next() / 4);
}

void BM_Extension(benchmark::State& state)
{
    YearSeries studied;
    YearSeries analogue;
    MakeSeries(static_cast<int>(state.range(0)), studied, analogue);
    for (auto _ : state) {
        aqualen::extension::ExtensionFigures figures;
        aqualen::extension::ComputeExtension(studied, analogue, figures);
        std::vector<std::string> lines = aqualen::extension::ExtensionLines(figures, ',');
        std::vector<std::string> table = aqualen::extension::RestoredTableLines(figures, ',');
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(table);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Extension)->Arg(70)->Arg(1000)->Arg(65535);

} // namespace
