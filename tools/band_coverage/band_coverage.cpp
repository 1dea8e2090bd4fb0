// How often the bootstrap band of the analytic curve covers the true design
// value: seeded series drawn from a known curve (x̄ 100, Cv 0.5, Cs 1.0,
// Pearson III and Kritsky–Menkel), each fitted by every method and given its
// band at P = 1 %; the share of bands that hold the curve's own Q1% is the
// band's coverage, to be compared with its level.
//
//   band_coverage [--series N] [--level L] [--check TOLERANCE] [--dist p3|km] [--length n]
//
// prints a row per curve, method and series length: coverage and the shares
// of bands that lie wholly above (true value below) and below it. With
// --check it exits 1 when a coverage is further than TOLERANCE points from
// the level (choose it from the binomial spread of N series).

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "distributions/analytic_curve.h"
#include "distributions/curve_sampling.h"
#include "distributions/graphic_analytic.h"

namespace {

using aqualen::dist::Distribution;
using aqualen::dist::Fit;
using aqualen::dist::FitOptions;
using aqualen::dist::Method;

constexpr unsigned kSeed = 20261209;
constexpr double kProbability = 1; // percent
constexpr double kMean = 100, kCv = 0.5, kCs = 1.0;

struct Cell {
    Distribution distribution;
    Method method;
    int length;
};

struct Tally {
    int covered = 0, trueBelow = 0, trueAbove = 0, refused = 0;
    int Counted() const { return covered + trueBelow + trueAbove; }
};

const char* MethodName(Method m)
{
    switch (m) {
    case Method::Moments:
        return "moments";
    case Method::SampleMoments:
        return "sample moments";
    case Method::GraphicAnalytic:
        return "graphic-analytic";
    case Method::MaxLikelihood:
        return "likelihood";
    default:
        return "?";
    }
}

Tally Run(const Cell& cell, int series, int level)
{
    FitOptions truth;
    truth.distribution = cell.distribution;
    truth.method = Method::Given;
    truth.givenMean = kMean;
    truth.givenCv = kCv;
    truth.givenCs = kCs;
    const Fit trueFit = aqualen::dist::FitCurve({}, truth);
    const double trueQ = kMean * aqualen::dist::ModularQuantile(trueFit, kProbability);

    FitOptions options;
    options.distribution = cell.distribution;
    options.method = cell.method;
    options.bandLevel = level;
    // The same series for every method of a curve and length.
    aqualen::dist::SeriesSampler sampler(trueFit, 0, kSeed + static_cast<unsigned>(cell.length));
    std::vector<double> sample(static_cast<size_t>(cell.length));
    Tally tally;
    for (int i = 0; i < series; ++i) {
        sampler.Next(sample);
        for (double& x : sample)
            x *= kMean;
        try {
            // The three points as the bootstrap reads them off each of its samples.
            const aqualen::dist::SmoothingPoints points = aqualen::dist::SampleSmoothingPoints(sample);
            const Fit fit = aqualen::dist::FitCurve(sample, options, &points);
            const aqualen::dist::Band band =
                aqualen::dist::ConfidenceBand(sample, fit, options, {kProbability}, &points);
            if (trueQ < fit.mean * band.lowK[0])
                ++tally.trueBelow;
            else if (trueQ > fit.mean * band.highK[0])
                ++tally.trueAbove;
            else
                ++tally.covered;
        } catch (const aqualen::dist::FitRefused&) {
            ++tally.refused;
        }
    }
    return tally;
}

double Share(int count, int of)
{
    return of > 0 ? 100.0 * count / of : 0;
}

} // namespace

int main(int argc, char** argv)
{
    int series = 1000;
    int level = 90;
    double tolerance = -1;
    std::string onlyDist;
    int onlyLength = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char* value = argv[i + 1];
        if (key == "--series")
            series = std::atoi(value);
        else if (key == "--level")
            level = std::atoi(value);
        else if (key == "--check")
            tolerance = std::atof(value);
        else if (key == "--dist")
            onlyDist = value;
        else if (key == "--length")
            onlyLength = std::atoi(value);
        else {
            std::fprintf(stderr, "band_coverage: unknown option %s\n", key.c_str());
            return 2;
        }
    }
    std::vector<Cell> cells;
    for (const int length : {30, 60}) {
        if (onlyLength != 0 && length != onlyLength)
            continue;
        if (onlyDist.empty() || onlyDist == "p3")
            for (const Method m : {Method::Moments, Method::SampleMoments, Method::GraphicAnalytic})
                cells.push_back({Distribution::PearsonIII, m, length});
        if (onlyDist.empty() || onlyDist == "km")
            for (const Method m :
                 {Method::Moments, Method::SampleMoments, Method::GraphicAnalytic, Method::MaxLikelihood})
                cells.push_back({Distribution::KritskyMenkel, m, length});
    }
    std::printf("%d series per row, band %d %%, true Q1%% of x̄ %g, Cv %g, Cs %g\n", series, level, kMean, kCv, kCs);
    std::printf("curve\tmethod\tn\tcovered %%\ttrue above %%\ttrue below %%\trefused\n");
    bool failed = false;
    for (const Cell& cell : cells) {
        const Tally t = Run(cell, series, level);
        const double coverage = Share(t.covered, t.Counted());
        std::printf("%s\t%s\t%d\t%.1f\t%.1f\t%.1f\t%d\n",
                    cell.distribution == Distribution::PearsonIII ? "Pearson III" : "Kritsky-Menkel",
                    MethodName(cell.method), cell.length, coverage, Share(t.trueAbove, t.Counted()),
                    Share(t.trueBelow, t.Counted()), t.refused);
        std::fflush(stdout);
        if (tolerance >= 0 && std::fabs(coverage - level) > tolerance)
            failed = true;
    }
    return failed ? 1 : 0;
}
