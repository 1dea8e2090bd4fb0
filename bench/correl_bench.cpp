// Correlation report over two long series, from pane lines to report lines.

#include <string>

#include <benchmark/benchmark.h>

#include "correl/correlation_report.h"

namespace {

// Runoff-like values with a decimal part, the analogue loosely following.
void MakeSeries(int n, aqualen::SeriesLines& studied, aqualen::SeriesLines& analogue)
{
    studied.clear();
    analogue.clear();
    unsigned state = 12345;
    const auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % 20000);
    };
    for (int i = 0; i < n; ++i) {
        const int x = 5000 + next();
        const int y = x * 4 / 5 + next() / 4;
        studied.push_back(std::to_string(x / 10) + "," + std::to_string(x % 10));
        analogue.push_back(std::to_string(y / 10) + "," + std::to_string(y % 10));
    }
}

void BM_CorrelationReport(benchmark::State& state)
{
    aqualen::SeriesLines studied;
    aqualen::SeriesLines analogue;
    MakeSeries(static_cast<int>(state.range(0)), studied, analogue);
    for (auto _ : state) {
        const aqualen::CorrelationOutcome outcome = aqualen::CorrelationReport(studied, analogue, ',');
        benchmark::DoNotOptimize(outcome.lines.data());
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_CorrelationReport)
    ->RangeMultiplier(4)
    ->Range(1024, 65535)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
