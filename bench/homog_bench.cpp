// HomogeneityReport on runoff-like series with one decimal (many ties): the
// ranking of the pooled values is O(n log n).

#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "homog/homogeneity_report.h"
#include "series/number_text.h"

namespace {

aqualen::SeriesLines RunoffLines(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::lognormal_distribution<double> runoff(4.5, 0.3);
    aqualen::SeriesLines lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(aqualen::FormatFixed(runoff(random), 1, '.'));
    return lines;
}

void BM_HomogeneityReport(benchmark::State& state)
{
    const int length = static_cast<int>(state.range(0));
    const aqualen::SeriesLines first = RunoffLines(length, 1);
    const aqualen::SeriesLines second = RunoffLines(length, 2);
    for (auto _ : state) {
        aqualen::CollectingReportSink sink;
        const auto outcome = aqualen::HomogeneityReport(first, second, 7, 3, '.', sink);
        benchmark::DoNotOptimize(outcome);
        benchmark::DoNotOptimize(sink.lines.data());
    }
}

} // namespace

BENCHMARK(BM_HomogeneityReport)->Arg(100)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);
