// The series checks at the lengths their budgets name: trend at 10,000
// values (under 100 ms), outliers at 100 (under 300 ms, the simulation of
// 10,000 series included), the criteria of fit with their bootstrap at 100
// (under 1 s for Pearson III by moments, under 3 s for Kritsky–Menkel by
// likelihood).

#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "analysis/outlier_tests.h"
#include "analysis/trend_tests.h"
#include "distributions/goodness_of_fit.h"

namespace {

std::vector<double> Runoff(int count)
{
    std::mt19937 random(42);
    std::gamma_distribution<double> runoff(4.0, 50.0);
    std::vector<double> values;
    for (int i = 0; i < count; ++i)
        values.push_back(runoff(random) + 0.01 * i);
    return values;
}

void BM_Trend(benchmark::State& state)
{
    const std::vector<double> values = Runoff(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::analysis::ComputeTrend(values));
}
BENCHMARK(BM_Trend)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Outliers(benchmark::State& state)
{
    const std::vector<double> values = Runoff(static_cast<int>(state.range(0)));
    const auto distribution =
        state.range(1) ? aqualen::dist::Distribution::KritskyMenkel : aqualen::dist::Distribution::PearsonIII;
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::analysis::ComputeOutliers(values, distribution, 1, 5));
}
BENCHMARK(BM_Outliers)->Args({100, 0})->Args({100, 1})->Unit(benchmark::kMillisecond);

void BM_GoodnessOfFit(benchmark::State& state)
{
    const std::vector<double> values = Runoff(static_cast<int>(state.range(0)));
    aqualen::dist::FitOptions options;
    if (state.range(1)) {
        options.distribution = aqualen::dist::Distribution::KritskyMenkel;
        options.method = aqualen::dist::Method::MaxLikelihood;
    } else {
        options.distribution = aqualen::dist::Distribution::PearsonIII;
        options.method = aqualen::dist::Method::Moments;
    }
    const aqualen::dist::Fit fit = aqualen::dist::FitCurve(values, options);
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::dist::TestGoodnessOfFit(values, fit, options));
}
BENCHMARK(BM_GoodnessOfFit)->Args({100, 0})->Args({100, 1})->Unit(benchmark::kMillisecond);

} // namespace
