// Series on which a fit once crashed or faulted: each must now give a curve
// or the curve's refusal, never a Boost error or a floating-point fault.

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "distributions/analytic_curve.h"
#include "distributions/fit_texts.h"
#include "series/float_fault.h"
#include "series/numeric_lists.h"
#include "stats/statistics_report.h"

namespace aqualen::dist {
namespace {

FitOptions Options(Distribution d, Method m, int band = 0)
{
    FitOptions o;
    o.distribution = d;
    o.method = m;
    o.bandLevel = band;
    return o;
}

// A bootstrap sample of this series re-fitted by the likelihood landed next
// to the lognormal (γ ≈ 9e10), where the gamma inverse's series gave up and
// the uncaught error ended aqualen-cli (exit 134).
TEST(FitFailures, LikelihoodBandOfAnOrdinarySampleIsBuilt)
{
    const std::vector<double> values{42.1852,  112.2727, 93.8176, 138.4582, 46.8837,  109.6764, 196.8446, 164.9020,
                                     101.6916, 56.2514,  86.6641, 206.5805, 145.2773, 68.1582,  47.5357,  37.4635,
                                     81.4148,  86.4625,  98.2411, 228.1150, 104.8744, 156.9664, 136.4268, 164.5787,
                                     39.8475,  49.7873,  47.9074, 64.7000,  61.3898,  98.6687};
    for (const int level : {90}) {
        const FitOptions o = Options(Distribution::KritskyMenkel, Method::MaxLikelihood, level);
        const Fit fit = FitCurve(values, o);
        const Band band = ConfidenceBand(values, fit, o, StandardProbabilities());
        ASSERT_EQ(band.lowK.size(), StandardProbabilities().size()) << level;
        for (size_t i = 0; i < band.lowK.size(); ++i) {
            const double k = ModularQuantile(fit, StandardProbabilities()[i]);
            EXPECT_LE(band.lowK[i], k) << level << " " << i;
            EXPECT_GE(band.highK[i], k) << level << " " << i;
        }
    }
}

// The curve needs Cv and Cs, not r(1): a series whose first or last n − 1
// values are equal (r(1) = 0/0) is fitted; one that is constant or has a
// mean of zero gets the curve's refusal. The statistics report, which
// prints r(1), keeps its fault.
TEST(FitFailures, MomentFitsDoNotNeedTheLagOneCorrelation)
{
    std::vector<double> lastDiffers(11, 50.0);
    lastDiffers.push_back(50.1);
    std::vector<double> firstDiffers = lastDiffers;
    std::reverse(firstDiffers.begin(), firstDiffers.end());
    for (const Method m : {Method::Moments, Method::SampleMoments})
        for (const auto& values : {lastDiffers, firstDiffers}) {
            const Fit fit = FitCurve(values, Options(Distribution::PearsonIII, m));
            EXPECT_GT(fit.cv, 0) << int(m);
            EXPECT_GT(fit.cs, 0) << int(m);
            // Cs near 3.5 and more at Cv near 0.001: beyond the Kritsky–Menkel
            // family (Cs below about 2 there), whose refusal is the answer.
            EXPECT_THROW(FitCurve(values, Options(Distribution::KritskyMenkel, m)), FitRefused) << int(m);
        }

    TDoubleList list;
    for (const double v : lastDiffers)
        list.Add(v);
    EXPECT_THROW(ComputeStatistics(list, RegionalR1At(0)), FloatFault);

    struct Case {
        std::vector<double> values;
        const char* message;
    };
    const Case cases[] = {
        {{7, 7, 7, 7, 7}, "Коэффициент вариации Cv должен быть больше нуля!"},
        {{-1, 0, 1}, "Среднее значение должно быть больше нуля!"},
        {{-5, 2, 3}, "Среднее значение должно быть больше нуля!"},
    };
    for (const Case& c : cases)
        for (const Method m : {Method::Moments, Method::SampleMoments}) {
            try {
                FitCurve(c.values, Options(Distribution::PearsonIII, m));
                ADD_FAILURE() << c.message;
            } catch (const FitRefused& refusal) {
                EXPECT_STREQ(refusal.what(), c.message);
            }
        }
}

// Where the likelihood rises to a limit of the family, no fit is reported:
// the refusal says which limit binds.
TEST(FitFailures, LikelihoodOnALimitOfTheFamilyIsRefused)
{
    std::vector<double> nearConstant(11, 50.0);
    nearConstant.push_back(50.000001);
    struct Case {
        std::vector<double> values;
        const char* limit;
    };
    const Case cases[] = {
        // Once Cv 1947.826, Cs 6.3e27 on γ + 3b = 0.
        {{100, 120, 90, 80, 150, 110, 95, 130, 70, 105, 115, 85, 1e6}, "γ + 3b = 0"},
        // Once Cs -12964908.871 from cancellation at γ = 0.111.
        {nearConstant, "γ → 0"},
    };
    for (const Case& c : cases) {
        try {
            const Fit fit = FitCurve(c.values, Options(Distribution::KritskyMenkel, Method::MaxLikelihood));
            ADD_FAILURE() << c.limit << ": Cv " << fit.cv << ", Cs " << fit.cs;
        } catch (const FitRefused& refusal) {
            const std::string what = refusal.what();
            EXPECT_EQ(what.rfind("Правдоподобие не имеет максимума внутри семейства Крицкого–Менкеля", 0), 0u) << what;
            EXPECT_NE(what.find(c.limit), std::string::npos) << what;
        }
    }
}

// A series with one value orders of magnitude above the others: the
// likelihood has a maximum inside the family, but on a curve whose Cv no
// series of that length has (at most √n); it was reported with exit 0.
TEST(FitFailures, LikelihoodOfOneValueOrdersAboveTheRestIsRefused)
{
    const std::vector<double> ordinary{100, 120, 90, 80, 150, 110, 95, 130, 70, 105, 115, 85};
    const auto with = [&](size_t count, double outlier) {
        std::vector<double> values(ordinary.begin(), ordinary.begin() + static_cast<std::ptrdiff_t>(count));
        values.push_back(outlier);
        return values;
    };
    struct Case {
        std::vector<double> values;
        const char* bound;
    };
    const Case cases[] = {
        {with(8, 8.8e14), "√n = 3,000, наибольшего Cv ряда из 9 положительных значений"}, // once Cv 3.3e14, Cs 6.1e72
        {with(12, 3e21), "√n = 3,606, наибольшего Cv ряда из 13 положительных значений"}, // once Cv 2.1e22
        {with(3, 1e10), "√n = 2,000, наибольшего Cv ряда из 4 положительных значений"},   // once Cv 917, Cs 1.3e6
    };
    for (const Case& c : cases) {
        try {
            const Fit fit = FitCurve(c.values, Options(Distribution::KritskyMenkel, Method::MaxLikelihood));
            ADD_FAILURE() << c.bound << ": Cv " << fit.cv << ", Cs " << fit.cs;
        } catch (const FitRefused& refusal) {
            const std::string what = refusal.what();
            EXPECT_EQ(what.rfind(kLikelihoodCvBeyondSeriesText, 0), 0u) << what;
            EXPECT_NE(what.find(c.bound), std::string::npos) << what;
        }
    }
    // A value a few times the others is no such series: it has its curve.
    const Fit fit = FitCurve(with(12, 300), Options(Distribution::KritskyMenkel, Method::MaxLikelihood));
    EXPECT_LT(fit.cv, 1);
}

} // namespace
} // namespace aqualen::dist
