#include <cmath>
#include <string>
#include <vector>

#include <boost/random/gamma_distribution.hpp>
#include <boost/random/mersenne_twister.hpp>
#include <gtest/gtest.h>

#include "distributions/analytic_curve.h"
#include "distributions/fit_near.h"
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
