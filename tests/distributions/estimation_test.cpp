#include <cmath>
#include <string>
#include <vector>

#include <boost/random/gamma_distribution.hpp>
#include <boost/random/mersenne_twister.hpp>
#include <gtest/gtest.h>

#include "distributions/analytic_curve.h"
#include "distributions/fit_near.h"
#include "distributions/fit_texts.h"
#include "distributions/graphic_analytic.h"
#include "distributions/kritsky_menkel.h"
#include "distributions/max_likelihood.h"
#include "distributions/pearson3.h"
#include "series/number_text.h"
#include "series/numeric_lists.h"
#include "stats/statistics_report.h"

namespace aqualen::dist {
namespace {

const std::vector<double> kRunoff{312, 254, 401, 198, 287, 365, 221, 276, 450, 189, 305, 268, 333,
                                  242, 296, 520, 231, 284, 259, 347, 210, 299, 388, 236, 271};

// The report's line with this label, e.g. "Cv:".
std::string ReportValue(const std::vector<double>& values, int r1, const std::string& label)
{
    TDoubleList list;
    for (const double v : values)
        list.Add(v);
    std::string found;
    CollectingReportSink sink;
    StatisticsReport(list, RegionalR1At(r1), ',', sink);
    for (const std::string& line : sink.lines)
        if (line.rfind(label + "\t", 0) == 0)
            found = line.substr(label.size() + 1);
    return found;
}

FitOptions Options(Distribution d, Method m)
{
    FitOptions o;
    o.distribution = d;
    o.method = m;
    return o;
}

// The moments methods start from exactly the statistics report's values,
// with the main window's r(1) choice.
TEST(FitCurve, MomentsAreThoseOfTheStatisticsReport)
{
    for (const int r1 : {0, 1, 2}) {
        FitOptions o = Options(Distribution::PearsonIII, Method::Moments);
        o.r1Choice = r1;
        const Fit corrected = FitCurve(kRunoff, o);
        EXPECT_EQ(FormatFixed(corrected.cv, 3, ','), ReportValue(kRunoff, r1, "Cv:")) << r1;
        EXPECT_EQ(FormatFixed(corrected.cs, 3, ','), ReportValue(kRunoff, r1, "Cs:")) << r1;
    }
    const Fit sample = FitCurve(kRunoff, Options(Distribution::PearsonIII, Method::SampleMoments));
    EXPECT_EQ(FormatFixed(sample.cv, 3, ','), ReportValue(kRunoff, 0, "^Cv:"));
    EXPECT_EQ(FormatFixed(sample.cs, 3, ','), ReportValue(kRunoff, 0, "^Cs:"));
    EXPECT_EQ(FormatFixed(sample.mean, 3, ','), ReportValue(kRunoff, 0, "Среднее значение:"));
}

TEST(FitCurve, FixedRatioAndGivenParameters)
{
    FitOptions o = Options(Distribution::KritskyMenkel, Method::SampleMoments);
    o.fixRatio = true;
    o.ratio = 2.5;
    const Fit fixed = FitCurve(kRunoff, o);
    EXPECT_DOUBLE_EQ(fixed.cs, 2.5 * fixed.cv);
    const KmMoments m = KritskyMenkelMoments(fixed.kmShape, fixed.kmPower);
    EXPECT_NEAR(m.cs, fixed.cs, 1e-10);

    FitOptions given = Options(Distribution::PearsonIII, Method::Given);
    given.givenMean = 120;
    given.givenCv = 0.4;
    given.givenCs = 0.9;
    const Fit g = FitCurve({}, given);
    EXPECT_EQ(g.mean, 120);
    EXPECT_EQ(g.cv, 0.4);
    EXPECT_EQ(g.cs, 0.9);
    given.fixRatio = true;
    given.ratio = 3;
    EXPECT_DOUBLE_EQ(FitCurve({}, given).cs, 1.2);
}

TEST(FitCurve, RefusesWithAReason)
{
    struct Case {
        FitOptions options;
        std::vector<double> values;
        bool smoothing;
        const char* message;
    };
    FitOptions zeroCv = Options(Distribution::PearsonIII, Method::Given);
    zeroCv.givenMean = 100;
    FitOptions negativeMean = zeroCv;
    negativeMean.givenMean = -5;
    negativeMean.givenCv = 0.3;
    const Case cases[] = {
        {Options(Distribution::None, Method::Moments), kRunoff, false,
         "Не выбрано распределение аналитической кривой!"},
        {Options(Distribution::PearsonIII, Method::MaxLikelihood), kRunoff, false,
         "Метод наибольшего правдоподобия применяется только к кривой Крицкого–Менкеля!"},
        {Options(Distribution::PearsonIII, Method::GraphicAnalytic), kRunoff, false,
         "Для графоаналитического метода нужна сглаживающая кривая!"},
        {Options(Distribution::PearsonIII, Method::Moments),
         {1, 2},
         false,
         "Для аналитической кривой нужно не менее трёх значений ряда!"},
        {Options(Distribution::KritskyMenkel, Method::MaxLikelihood),
         {3, 0, 5, 4},
         false,
         "Для метода наибольшего правдоподобия все значения ряда должны быть больше нуля!"},
        {zeroCv, {}, false, "Коэффициент вариации Cv должен быть больше нуля!"},
        {negativeMean, {}, false, "Среднее значение должно быть больше нуля!"},
    };
    for (const Case& c : cases) {
        const SmoothingPoints points{150, 100, 60};
        try {
            FitCurve(c.values, c.options, c.smoothing ? &points : nullptr);
            ADD_FAILURE() << c.message;
        } catch (const FitRefused& refusal) {
            EXPECT_STREQ(refusal.what(), c.message);
        }
    }
}

// Three points read off a Pearson III curve give back its parameters.
TEST(GraphicAnalytic, RecoversThePearsonCurveOfItsPoints)
{
    for (const double cs : {-1.5, -0.3, 0.0, 0.4, 1.0, 2.0, 3.5}) {
        for (const double cv : {0.15, 0.4}) {
            const double mean = 250;
            const auto x = [&](double p) { return mean * (1 + cv * PearsonPhi(p, cs)); };
            const SmoothingPoints points{x(5), x(50), x(95)};
            FitOptions o = Options(Distribution::PearsonIII, Method::GraphicAnalytic);
            const Fit fit = FitCurve({}, o, &points);
            EXPECT_NEAR(fit.cs, cs, 1e-9) << cv << " " << cs;
            EXPECT_NEAR(fit.cv, cv, 1e-9) << cv << " " << cs;
            EXPECT_NEAR(fit.mean, mean, 1e-9 * mean) << cv << " " << cs;
        }
    }
    const SmoothingPoints rising{60, 100, 150};
    EXPECT_THROW(GraphicAnalyticEstimate(rising), FitRefused);
}

// The Kritsky–Menkel curve fitted to three points of one of its own curves
// is that curve: its quantiles at 5, 50 and 95 % are the points, its Cv and Cs
// those of the curve, on both sides of the lognormal (b > 0 and b < 0).
TEST(GraphicAnalytic, KritskyMenkelPassesThroughItsThreePoints)
{
    struct Case {
        double cv, cs;
    };
    for (const Case c : {Case{0.5, 2.0}, {0.5, 1.0}, {0.2, 0.1}, {0.3, 1.5}, {0.8, 2.4}, {1.2, 5.0}, {0.4, -0.2}}) {
        FitOptions given = Options(Distribution::KritskyMenkel, Method::Given);
        given.givenMean = 250;
        given.givenCv = c.cv;
        given.givenCs = c.cs;
        const Fit truth = FitCurve({}, given);
        const auto x = [&](const Fit& f, double p) { return f.mean * ModularQuantile(f, p); };
        const SmoothingPoints points{x(truth, 5), x(truth, 50), x(truth, 95)};
        const Fit fit = FitCurve({}, Options(Distribution::KritskyMenkel, Method::GraphicAnalytic), &points);
        EXPECT_NEAR(x(fit, 5), points.x5, 1e-9 * points.x5) << c.cv << " " << c.cs;
        EXPECT_NEAR(x(fit, 50), points.x50, 1e-9 * points.x50) << c.cv << " " << c.cs;
        EXPECT_NEAR(x(fit, 95), points.x95, 1e-9 * points.x95) << c.cv << " " << c.cs;
        EXPECT_NEAR(fit.cv, c.cv, 1e-8) << c.cv << " " << c.cs;
        EXPECT_NEAR(fit.cs, c.cs, 1e-7) << c.cv << " " << c.cs;
        EXPECT_NEAR(fit.mean, 250, 1e-8 * 250) << c.cv << " " << c.cs;
        EXPECT_EQ(fit.kmPower < 0, truth.kmPower < 0) << c.cv << " " << c.cs;
    }
    // Points symmetric in ln x: the lognormal.
    const SmoothingPoints lognormal{100 * std::exp(0.4), 100, 100 * std::exp(-0.4)};
    const KmPointsEstimate e = KritskyMenkelThroughPoints(lognormal);
    EXPECT_TRUE(e.shape.Lognormal());
    EXPECT_NEAR(e.moments.mean * KritskyMenkelQuantile(e.shape, 5), lognormal.x5, 1e-12 * lognormal.x5);
}

// Where no curve of the family passes through the points, the refusal says
// why; the range of x50 it names is the family's: just inside it a curve
// passes through the points, just outside none does.
TEST(GraphicAnalytic, KritskyMenkelRefusesPointsNoCurvePassesThrough)
{
    const auto refusal = [&](const SmoothingPoints& points, bool quantilesOnly = false) {
        try {
            KritskyMenkelThroughPoints(points, nullptr, quantilesOnly);
        } catch (const FitRefused& refused) {
            return std::string(refused.what());
        }
        return std::string();
    };
    EXPECT_EQ(refusal({150, 160, 60}),
              "Сглаживающая кривая не убывает: её значение при 50 % должно быть меньше, чем при 5 %, и больше, чем "
              "при 95 %!");
    EXPECT_EQ(refusal({150, 55, 60}), refusal({150, 160, 60}));
    EXPECT_EQ(refusal({60, 100, 150}),
              "Сглаживающая кривая не убывает: её значение при 5 % должно быть больше, чем при 95 %!");
    EXPECT_EQ(refusal({150, 50, -10}),
              "Кривая Крицкого–Менкеля положительна: значение сглаживающей кривой при 95 % должно быть больше нуля!");

    // γ = 4, b = −1.5: a curve with a mean (γ + b > 0) but no third moment,
    // refused for its Cs; the bootstrap's re-fits, which need only its
    // quantiles, take it.
    const auto point = [](double p) { return 100 * std::exp(-1.5 * KritskyMenkelLogVariate(4, true, p)); };
    const SmoothingPoints beyond{point(5), point(50), point(95)};
    EXPECT_EQ(refusal(beyond).rfind(std::string(kPointsBeyondThirdMomentText) + " При значениях ", 0), 0u);
    const KmPointsEstimate quantilesOnly = KritskyMenkelThroughPoints(beyond, nullptr, true);
    EXPECT_NEAR(quantilesOnly.shape.shape, 4, 1e-9);
    EXPECT_NEAR(quantilesOnly.shape.power, -1.5, 1e-9);
    EXPECT_TRUE(std::isnan(quantilesOnly.moments.cs));
    for (const double p : {5.0, 50.0, 95.0})
        EXPECT_NEAR(quantilesOnly.moments.mean * KritskyMenkelQuantile(quantilesOnly.shape, p), point(p),
                    1e-9 * point(p));
    const FitOptions graphic = Options(Distribution::KritskyMenkel, Method::GraphicAnalytic);
    try {
        FitCurve({}, graphic, &beyond);
        ADD_FAILURE() << "a fit without a Cs";
    } catch (const FitRefused& refused) {
        EXPECT_EQ(std::string(refused.what()), refusal(beyond));
    }
    const SmoothingPoints ordinary{150, 100, 60};
    const Fit near = FitCurve({}, graphic, &ordinary); // any curve to start from
    EXPECT_NEAR(FitCurveNear({}, graphic, &beyond, &near).kmPower, -1.5, 1e-9);
    // γ = 4, b = −5: no mean either, refused in the re-fits too.
    const auto noMean = [](double p) { return 100 * std::exp(-5 * KritskyMenkelLogVariate(4, true, p)); };
    const std::string noCs = "Через точки сглаживающей кривой не проходит кривая Крицкого–Менкеля с конечным Cs!";
    EXPECT_EQ(refusal({noMean(5), noMean(50), noMean(95)}, true).rfind(noCs + " При значениях ", 0), 0u);

    // x5 = 25, x95 = 10: ln(x5/x50) = R·ln(x50/x95) with R between its
    // limits as γ → 0, (ln 0.95 − ln 0.5)/(ln 0.5 − ln 0.05) for b > 0 and
    // its inverse for b < 0 (a spread this narrow, x5/x95 below 19^(1/3),
    // keeps γ + 3b > 0 there).
    const double lowestR = std::log(0.95 / 0.5) / std::log(0.5 / 0.05);
    const auto median = [](double r) { return 10 * std::pow(2.5, 1 / (1 + r)); };
    const double low = median(1 / lowestR);
    const double high = median(lowestR);
    EXPECT_EQ(refusal({25, low * 0.999, 10}),
              noCs + " При значениях 25,000 (5 %) и 10,000 (95 %) её значение при 50 % должно быть больше " +
                  FormatFixed(std::ceil(low * 1000) / 1000, 3, ',') + " и меньше " +
                  FormatFixed(std::floor(high * 1000) / 1000, 3, ',') + "!");
    EXPECT_EQ(refusal({25, high * 1.001, 10}), refusal({25, low * 0.999, 10}));
    for (const double x50 : {low * 1.001, high * 0.999}) {
        const SmoothingPoints points{25, x50, 10};
        const KmPointsEstimate e = KritskyMenkelThroughPoints(points);
        EXPECT_NEAR(e.moments.mean * KritskyMenkelQuantile(e.shape, 50), x50, 1e-9 * x50);
        EXPECT_NEAR(e.moments.mean * KritskyMenkelQuantile(e.shape, 5), 25, 1e-9 * 25);
    }
}

// A long sample from a known curve: the estimate lies within a few standard
// errors, and no neighbouring (Cv, Cs) has a greater likelihood.
TEST(MaxLikelihood, RecoversKnownParametersAndIsALocalMaximum)
{
    struct Case {
        double cv, cs;
    };
    for (const Case c : {Case{0.5, 1.0}, Case{0.3, 1.2}, Case{0.4, 0.6}}) {
        const KmShape km = KritskyMenkelOf(SolveKritskyMenkel(c.cv, c.cs).shape, SolveKritskyMenkel(c.cv, c.cs).power);
        boost::random::mt19937 engine(7);
        boost::random::gamma_distribution<double> gamma(km.shape);
        std::vector<double> values;
        for (int i = 0; i < 5000; ++i)
            values.push_back(100 * KritskyMenkelFromVariate(km, gamma(engine)));
        FitOptions o = Options(Distribution::KritskyMenkel, Method::MaxLikelihood);
        const Fit fit = FitCurve(values, o);
        // Standard errors at n = 5000: about 0.006 for Cv, 0.1 for Cs.
        EXPECT_NEAR(fit.cv, c.cv, 0.03) << c.cv << " " << c.cs;
        EXPECT_NEAR(fit.cs, c.cs, 0.35) << c.cv << " " << c.cs;

        std::vector<double> k;
        for (const double v : values)
            k.push_back(v / fit.mean);
        const double best = LogLikelihoodOf(k, fit.cv, fit.cs);
        for (const double dcv : {-0.01, 0.0, 0.01})
            for (const double dcs : {-0.02, 0.0, 0.02})
                if (dcv != 0 || dcs != 0) {
                    EXPECT_LE(LogLikelihoodOf(k, fit.cv + dcv, fit.cs + dcs), best + 1e-7)
                        << c.cv << " " << c.cs << " " << dcv << " " << dcs;
                }
    }
}

// The bootstrap's re-estimates start from the original curve: they must end
// where a cold start ends.
TEST(FitCurve, WarmStartsFindTheSameCurve)
{
    const std::vector<double> shifted{150, 420, 190, 260, 330, 205, 610, 280, 240, 175, 300, 365, 228, 199, 480};
    for (const Method m : {Method::MaxLikelihood, Method::SampleMoments, Method::Moments}) {
        const FitOptions o = Options(Distribution::KritskyMenkel, m);
        const Fit near = FitCurve(kRunoff, o);
        const Fit cold = FitCurve(shifted, o);
        const Fit warm = FitCurveNear(shifted, o, nullptr, &near);
        EXPECT_NEAR(warm.cv, cold.cv, 1e-6 * cold.cv) << int(m);
        EXPECT_NEAR(warm.cs, cold.cs, 1e-5 * std::fabs(cold.cs)) << int(m);
        EXPECT_NEAR(ModularQuantile(warm, 1), ModularQuantile(cold, 1), 1e-6) << int(m);
    }
}

TEST(MaxLikelihood, LambdasAreCommonLogarithmsOverNMinusOne)
{
    const Lambdas l = LikelihoodLambdas({0.5, 1.0, 1.5});
    EXPECT_NEAR(l.lambda2, (std::log10(0.5) + std::log10(1.5)) / 2, 1e-15);
    EXPECT_NEAR(l.lambda3, (0.5 * std::log10(0.5) + 1.5 * std::log10(1.5)) / 2, 1e-15);
}

} // namespace
} // namespace aqualen::dist
