#include <cmath>
#include <string>

#include <boost/math/special_functions/gamma.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>
#include <gtest/gtest.h>

#include "distributions/analytic_curve.h"
#include "distributions/kritsky_menkel.h"
#include "distributions/pearson3.h"

namespace aqualen::dist {
namespace {

const char* const kNoCurve = "Нет кривой Крицкого–Менкеля с такими Cv и Cs!";

using Wide = boost::multiprecision::cpp_bin_float_50;

// Cv and Cs of k = a·y^b from 50-digit log-gammas: an independent check of
// the long double arithmetic of the solver.
KmMoments WideMoments(const KmShape& km)
{
    if (km.Lognormal()) {
        const Wide v = exp(Wide(km.power) * km.power) - 1;
        return {static_cast<double>(sqrt(v)), static_cast<double>((v + 3) * sqrt(v))};
    }
    const Wide g = km.shape;
    const Wide b = km.power;
    const auto logMoment = [&](int m) { return boost::math::lgamma(g + m * b) - boost::math::lgamma(g); };
    const Wide l1 = logMoment(1);
    const Wide m2 = exp(logMoment(2) - 2 * l1);
    const Wide m3 = exp(logMoment(3) - 3 * l1);
    const Wide cv = sqrt(m2 - 1);
    return {static_cast<double>(cv), static_cast<double>((m3 - 3 * m2 + 2) / (cv * cv * cv))};
}

TEST(KritskyMenkel, FittedCurvesReproduceCvAndCs)
{
    int solved = 0;
    for (const double cv : {0.05, 0.1, 0.2, 0.3, 0.5, 0.75, 1.0, 1.25, 1.5}) {
        for (const double ratio : {0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5, 4.0, 4.5, 5.0, 6.0}) {
            const double cs = ratio * cv;
            KmShape km;
            try {
                km = SolveKritskyMenkel(cv, cs);
            } catch (const FitRefused& refusal) {
                // Only low ratios have no curve: the family's smallest ratio
                // at a given Cv rises with Cv.
                EXPECT_LT(ratio, 2.0) << "Cv = " << cv << ", Cs/Cv = " << ratio;
                EXPECT_EQ(std::string(refusal.what()).rfind(kNoCurve, 0), 0u) << refusal.what();
                continue;
            }
            ++solved;
            const KmMoments m = WideMoments(km);
            EXPECT_NEAR(m.cv, cv, 1e-10 * cv) << "Cv = " << cv << ", Cs/Cv = " << ratio;
            EXPECT_NEAR(m.cs, cs, 1e-10 * std::max(1.0, std::fabs(cs))) << "Cv = " << cv << ", Cs/Cv = " << ratio;
            // b < 0 exactly above the lognormal ratio.
            if (!km.Lognormal()) {
                EXPECT_EQ(km.power<0, ratio> 3 + cv * cv) << "Cv = " << cv << ", Cs/Cv = " << ratio;
            }
        }
    }
    EXPECT_GE(solved, 85);
}

// Cs = 2·Cv is the two-parameter gamma: b = 1, γ = 1/Cv², the Pearson III
// curve with the same Cs.
TEST(KritskyMenkel, TwiceCvIsTheGammaCurve)
{
    for (const double cv : {0.1, 0.3, 0.5, 1.0, 1.5}) {
        const KmShape km = SolveKritskyMenkel(cv, 2 * cv);
        EXPECT_NEAR(km.power, 1, 1e-12);
        EXPECT_NEAR(km.shape, 1 / (cv * cv), 1e-10 / (cv * cv));
        for (const double p : StandardProbabilities())
            EXPECT_NEAR(KritskyMenkelQuantile(km, p), 1 + cv * PearsonPhi(p, 2 * cv), 1e-12) << "P = " << p;
    }
    EXPECT_NEAR(KritskyMenkelQuantile(SolveKritskyMenkel(0.5, 1.0), 1), 2.5113, 5e-5);
}

// Across Cs/Cv = 3 + Cv² the curve passes from b > 0 through the lognormal
// to b < 0: its quantiles must not jump.
TEST(KritskyMenkel, ContinuousThroughTheLognormal)
{
    for (const double cv : {0.05, 0.3, 1.0, 1.5}) {
        const double lognormal = (3 + cv * cv) * cv;
        const KmShape at = SolveKritskyMenkel(cv, lognormal);
        EXPECT_TRUE(at.Lognormal());
        for (const double step : {1e-3, 1e-5, 1e-8}) {
            const KmShape below = SolveKritskyMenkel(cv, lognormal - step * cv);
            const KmShape above = SolveKritskyMenkel(cv, lognormal + step * cv);
            for (const double p : {0.01, 1.0, 50.0, 99.9}) {
                const double k = KritskyMenkelQuantile(at, p);
                EXPECT_NEAR(KritskyMenkelQuantile(below, p), k, 10 * step * k) << cv << " " << step << " " << p;
                EXPECT_NEAR(KritskyMenkelQuantile(above, p), k, 10 * step * k) << cv << " " << step << " " << p;
            }
        }
    }
}

TEST(KritskyMenkel, RefusesWhatNoCurveHas)
{
    for (const auto& [cv, cs] : {std::pair{1.5, 0.75}, {1.0, 0.0}, {0.5, -0.5}, {0.0, 1.0}, {-0.3, 0.6}}) {
        try {
            SolveKritskyMenkel(cv, cs);
            ADD_FAILURE() << "Cv = " << cv << ", Cs = " << cs;
        } catch (const FitRefused& refusal) {
            EXPECT_EQ(std::string(refusal.what()).rfind(kNoCurve, 0), 0u) << refusal.what();
        }
    }
}

// The family ends at γ → 0 (the power curves k ∝ U^c): every method solves
// up to those limits and refuses beyond them, naming them.
TEST(KritskyMenkel, EndsWhereItsLimitsSayAndTheRefusalNamesThem)
{
    struct Case {
        double cv, lowest, highest; // highest 0: none
        const char* refusal;
    };
    const Case cases[] = {
        {0.5, -0.18034, 22.1808, "При Cv = 0,500 Cs кривой Крицкого–Менкеля больше -0,180 и меньше 22,180!"},
        {2.0, 2.39637, 0, "При Cv = 2,000 Cs кривой Крицкого–Менкеля больше 2,397!"},
        {0.1, -1.4768, 2.709, "При Cv = 0,100 Cs кривой Крицкого–Менкеля больше"},
    };
    for (const Case& c : cases) {
        const KmSkewRange range = KritskyMenkelSkewRange(c.cv);
        if (c.highest != 0) {
            EXPECT_NEAR(range.highest, c.highest, 0.05 * std::fabs(c.highest)) << c.cv;
        } else {
            EXPECT_TRUE(std::isinf(range.highest)) << c.cv;
        }
        EXPECT_NEAR(range.lowest, c.lowest, 0.05 * std::fabs(c.lowest)) << c.cv;
        // Just inside: solved, with these moments.
        const double inside[] = {range.lowest + 1e-3, std::isinf(range.highest) ? 50.0 : range.highest - 1e-2};
        for (const double cs : inside) {
            const KmMoments m = WideMoments(SolveKritskyMenkel(c.cv, cs));
            EXPECT_NEAR(m.cs, cs, 1e-6 * std::max(1.0, std::fabs(cs))) << c.cv << " " << cs;
        }
        try {
            SolveKritskyMenkel(c.cv, range.lowest - 1e-4);
            ADD_FAILURE() << c.cv;
        } catch (const FitRefused& refusal) {
            EXPECT_EQ(std::string(refusal.what()).rfind(std::string(kNoCurve) + " " + c.refusal, 0), 0u)
                << refusal.what();
        }
    }
    // The limit curves agree with the family's moments at a small γ.
    const KmMoments nearEdge = KritskyMenkelMoments(1e-5, 1e-5 * 0.809017);
    EXPECT_NEAR(nearEdge.cv, 0.5, 1e-4);
    EXPECT_NEAR(nearEdge.cs, -0.18034, 1e-3);
}

// The density integrates to one and has mean one (trapezoids over the
// quantile grid would restate the code; the integral is taken in y).
TEST(KritskyMenkel, DensityIsNormalisedWithUnitMean)
{
    for (const auto& [cv, cs] : {std::pair{0.5, 1.0}, {0.5, 2.0}, {1.0, 1.5}, {0.3, 1.5}}) {
        const KmShape km = SolveKritskyMenkel(cv, cs);
        double mass = 0, mean = 0;
        const double low = KritskyMenkelQuantile(km, 99.9999), high = KritskyMenkelQuantile(km, 0.0001);
        const int steps = 20000;
        const double h = std::log(high / low) / steps;
        for (int i = 0; i <= steps; ++i) {
            const double k = low * std::exp(i * h);
            const double w = (i == 0 || i == steps) ? 0.5 : 1.0;
            const double f = std::exp(KritskyMenkelLogDensity(km, k)) * k * h; // dk = k·d(ln k)
            mass += w * f;
            mean += w * f * k;
        }
        EXPECT_NEAR(mass, 1, 1e-5) << cv << " " << cs;
        EXPECT_NEAR(mean, 1, 1e-4) << cv << " " << cs;
    }
}

} // namespace
} // namespace aqualen::dist
