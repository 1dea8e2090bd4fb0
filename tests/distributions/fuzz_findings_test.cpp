// Inputs the curve-fitting fuzzers (tests/fuzz/fit_curve, confidence_band)
// found faulty, each with the sound outcome.

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "distributions/analytic_curve.h"
#include "distributions/fit_texts.h"
#include "distributions/kritsky_menkel.h"
#include "support/given_parameters.h"

namespace aqualen::dist {
namespace {

FitOptions Given(Distribution d, double mean, double cv, double cs)
{
    return test::GivenParameters(d, mean, cv, cs);
}

// From Cv² = 1/3 on the family reaches every Cs, but only through curves
// with γ + 3b nearer to 0 than doubles hold: the search stopped at the edge
// and passed a curve of Cs 1.3e12 off as one of Cs 6.6e133.
TEST(FuzzFindings, KritskyMenkelCsBeyondWhatTheDoublesResolveIsRefused)
{
    EXPECT_THROW(SolveKritskyMenkel(0.6903152465820312, 6.625640818e133), FitRefused);
    EXPECT_THROW(FitCurve({}, Given(Distribution::KritskyMenkel, 4508959746555904.0, 0.6903152465820312, 6.6e133)),
                 FitRefused);
    // Large but resolvable: the curve has the Cs asked for.
    const KmShape km = SolveKritskyMenkel(0.7, 50);
    EXPECT_NEAR(KritskyMenkelMoments(km.shape, km.power).cs, 50, 1e-6);
}

// x̄ and Cv entered by hand whose Qp = x̄·Kp lies beyond the doubles: the
// report printed "INF" in the table; the curve is refused instead.
TEST(FuzzFindings, HandEnteredCurveWithQuantilesBeyondTheDoublesIsRefused)
{
    EXPECT_THROW(FitCurve({}, Given(Distribution::PearsonIII, 8.3806307934582e159, 1.590841278797595e186, 0.0)),
                 FitRefused);
    EXPECT_THROW(FitCurve({}, Given(Distribution::KritskyMenkel, 1e307, 5, 10)), FitRefused);
    // Large, but every Qp exists.
    EXPECT_NO_THROW(FitCurve({}, Given(Distribution::PearsonIII, 1e290, 1, 2)));
}

// A hand-entered Cv so small beside its Cs that Cs/Cv overflows: the
// parameters' lines printed "Cs/Cv: INF"; the curve is refused instead.
TEST(FuzzFindings, HandEnteredRatioBeyondTheDoublesIsRefused)
{
    EXPECT_THROW(FitCurve({}, Given(Distribution::PearsonIII, 100, 1e-300, 1e10)), FitRefused);
    EXPECT_THROW(FitCurve({}, Given(Distribution::PearsonIII, 100, 4.9e-324, 1)), FitRefused);
    // Tiny but with a ratio the doubles hold.
    const Fit fit = FitCurve({}, Given(Distribution::PearsonIII, 100, 1e-300, 2e-300));
    EXPECT_DOUBLE_EQ(fit.cs / fit.cv, 2);
}

// Three points of a curve of b 1.4e-10: its Cv and Cs were lost to
// cancellation (NaN), and the fit passed them off as a curve without a
// third moment, reported with Cv NaN. Refused, or a curve with its Cv.
TEST(FuzzFindings, KritskyMenkelThroughNearlyEqualPointsHasACvOrIsRefused)
{
    const KmShape km = KritskyMenkelOf(5.439708647, 1.416609732e-10);
    const auto x = [&](double p) { return 42.18505859 * KritskyMenkelQuantile(km, p); };
    const SmoothingPoints points{x(5), x(50), x(95)};
    FitOptions o;
    o.distribution = Distribution::KritskyMenkel;
    o.method = Method::GraphicAnalytic;
    try {
        const Fit fit = FitCurve({}, o, &points);
        EXPECT_TRUE(std::isfinite(fit.cv) && fit.cv > 0) << fit.cv;
        EXPECT_TRUE(std::isfinite(fit.cs)) << fit.cs;
    } catch (const FitRefused&) {
    }
}

// Three points 1e-9 apart: the curve through them got Cs −4.7e8 (its
// moments lost to cancellation), and re-solved from itself Cv NaN.
TEST(FuzzFindings, KritskyMenkelThroughPointsTooCloseIsRefused)
{
    const SmoothingPoints points{1.0625000013367689, 1.0625000000791882, 1.0624999991544248};
    FitOptions o;
    o.distribution = Distribution::KritskyMenkel;
    o.method = Method::GraphicAnalytic;
    try {
        FitCurve({}, o, &points);
        ADD_FAILURE() << "a fit";
    } catch (const FitRefused& refused) {
        EXPECT_STREQ(refused.what(), kPointsTooCloseText);
    }
    // A spread of 1e-3 still has its curve.
    const SmoothingPoints close{1.001, 1.0004, 1.0};
    EXPECT_NO_THROW(FitCurve({}, o, &close));
}

} // namespace
} // namespace aqualen::dist
