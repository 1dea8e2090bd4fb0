// Series input and number text on their own.

#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "series/number_text.h"
#include "series/series_lines.h"

namespace {

void BM_SplitLines(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < state.range(0); ++i)
        text += std::to_string(100 + i % 900) + ",25\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::SplitLines(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SplitLines)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ParseNumber(benchmark::State& state)
{
    const std::vector<std::string> texts{"123,45", "  -0,5E-3 ", "98765", "1,7976931348623157e308"};
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::ParseNumber(texts[i++ % texts.size()], ','));
}
BENCHMARK(BM_ParseNumber);

void BM_FormatFixed(benchmark::State& state)
{
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> value(-1000.0, 1000.0);
    std::vector<double> values(1024);
    for (double& v : values)
        v = value(random);
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::FormatFixed(values[i++ % values.size()], 3, ','));
}
BENCHMARK(BM_FormatFixed);

void BM_FormatGeneral(benchmark::State& state)
{
    const std::vector<double> values{0.19, -29.71, 1e-5, 1.5e15, 8.1, 123456.789};
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::FormatGeneral(values[i++ % values.size()], ','));
}
BENCHMARK(BM_FormatGeneral);

} // namespace
