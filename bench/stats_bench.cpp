// The statistics command's work on long panes: reading the lines into a list
// and writing the whole report.

#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "series/number_text.h"
#include "series/series_lines.h"
#include "stats/statistics_report.h"

namespace {

aqualen::SeriesLines RunoffLines(int count)
{
    std::mt19937 random(42);
    std::uniform_real_distribution<double> runoff(20.0, 900.0);
    aqualen::SeriesLines lines;
    lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back(aqualen::FormatFixed(runoff(random), 2, ','));
    return lines;
}

// Counts the report's characters, so that the lines are really made.
struct CountingSink final : aqualen::ReportSink {
    void Line(const std::string& line) override { written += line.size(); }
    size_t written = 0;
};

void BM_ParseSeriesAndStatisticsReport(benchmark::State& state)
{
    const aqualen::SeriesLines lines = RunoffLines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        aqualen::TDoubleList series;
        if (!aqualen::ParseSeries(lines, series, ','))
            state.SkipWithError("series did not read");
        CountingSink sink;
        aqualen::StatisticsReport(series, aqualen::RegionalR1At(1), ',', sink);
        benchmark::DoNotOptimize(sink.written);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ParseSeriesAndStatisticsReport)->Arg(65535)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_StatisticsReportOnly(benchmark::State& state)
{
    aqualen::TDoubleList series;
    aqualen::ParseSeries(RunoffLines(static_cast<int>(state.range(0))), series, ',');
    for (auto _ : state) {
        CountingSink sink;
        aqualen::StatisticsReport(series, aqualen::RegionalR1At(0), ',', sink);
        benchmark::DoNotOptimize(sink.written);
    }
}
BENCHMARK(BM_StatisticsReportOnly)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
