// The analytic curves for a series of 100 values: fit and quantile table per
// method (goal under 1 ms, the likelihood method under 20 ms), and the
// bootstrap band of 2000 samples (goal under 300 ms on one core).

#include <vector>

#include <benchmark/benchmark.h>
#include <boost/random/gamma_distribution.hpp>
#include <boost/random/mersenne_twister.hpp>

#include "distributions/analytic_curve.h"

namespace {

using aqualen::dist::Distribution;
using aqualen::dist::Method;

// 100 annual runoff values, gamma-like (Cv about 0.5, Cs about 1).
std::vector<double> Runoff()
{
    boost::random::mt19937 engine(2024);
    boost::random::gamma_distribution<double> gamma(4.0);
    std::vector<double> values;
    for (int i = 0; i < 100; ++i)
        values.push_back(25 * gamma(engine));
    return values;
}

aqualen::dist::FitOptions Options(int64_t distribution, int64_t method, int level = 0)
{
    aqualen::dist::FitOptions o;
    o.distribution = static_cast<Distribution>(distribution);
    o.method = static_cast<Method>(method);
    o.bandLevel = level;
    return o;
}

// The smoothing curve's points of the series, for the graphic-analytic method.
const aqualen::dist::SmoothingPoints kPoints{180, 95, 40};

// {distribution, method}: Pearson III by moments, sample moments and the
// graphic-analytic method; Kritsky–Menkel by the same three and likelihood.
void EveryFit(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"dist", "method"});
    for (const int method : {0, 1, 2})
        b->Args({1, method});
    for (const int method : {0, 1, 2, 3})
        b->Args({2, method});
}

void BM_FitAndTable(benchmark::State& state)
{
    const std::vector<double> values = Runoff();
    const aqualen::dist::FitOptions o = Options(state.range(0), state.range(1));
    for (auto _ : state) {
        const aqualen::dist::Fit fit = aqualen::dist::FitCurve(values, o, &kPoints);
        auto lines = aqualen::dist::ParameterLines(fit, ',');
        auto table = aqualen::dist::QuantileTableLines(fit, nullptr, aqualen::dist::StandardProbabilities(), ',');
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_FitAndTable)->Apply(EveryFit)->Unit(benchmark::kMicrosecond);

void BM_ConfidenceBand(benchmark::State& state)
{
    const std::vector<double> values = Runoff();
    const aqualen::dist::FitOptions o = Options(state.range(0), state.range(1), 90);
    const aqualen::dist::Fit fit = aqualen::dist::FitCurve(values, o, &kPoints);
    for (auto _ : state) {
        const aqualen::dist::Band band =
            aqualen::dist::ConfidenceBand(values, fit, o, aqualen::dist::StandardProbabilities(), &kPoints);
        benchmark::DoNotOptimize(band);
    }
}
BENCHMARK(BM_ConfidenceBand)->Apply(EveryFit)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
