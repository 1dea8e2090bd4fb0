// Fitting the analytic curve by the chosen method, and its quantiles.

#include <algorithm>
#include <cmath>

#include "distributions/analytic_curve.h"
#include "distributions/fit_near.h"
#include "distributions/graphic_analytic.h"
#include "distributions/kritsky_menkel.h"
#include "distributions/math_policy.h"
#include "distributions/max_likelihood.h"
#include "distributions/pearson3.h"
#include "series/numeric_lists.h"
#include "series/numeric_routines.h"
#include "stats/statistics_report.h"

namespace aqualen::dist {

namespace {

const char* const kMeanNotPositive = "Среднее значение должно быть больше нуля!";
const char* const kCvNotPositive = "Коэффициент вариации Cv должен быть больше нуля!";
const char* const kQuantileOutOfRange = "Квантили кривой с такими параметрами выходят за пределы представимых чисел!";
const char* const kRatioOutOfRange =
    "Отношение Cs/Cv кривой с такими параметрами выходит за пределы представимых чисел!";

// The statistics report's values of a series; neither its lines nor its r(1)
// are needed here. A series with a mean of zero or all values equal has no
// Cv and Cs (the report's 0/0): the curve's refusal says so.
StatisticsResult ReportValues(const std::vector<double>& values, int r1Choice)
{
    TDoubleList list;
    for (const double v : values)
        list.Add(v);
    if (!(SeriesMean(list.Data(), list.Count()) > 0))
        throw FitRefused(kMeanNotPositive);
    if (std::all_of(values.begin(), values.end(), [&](double v) { return v == values.front(); }))
        throw FitRefused(kCvNotPositive);
    return ComputeStatisticsWithoutR1(list, RegionalR1At(r1Choice));
}

void RequireSeries(const std::vector<double>& values)
{
    if (values.size() < 3)
        throw FitRefused("Для аналитической кривой нужно не менее трёх значений ряда!");
}

// The fit's fields as given, with the Kritsky–Menkel shape when there is
// one; whatever checks they need come before.
Fit FitOf(const FitOptions& options, double mean, double cv, double cs, const KmShape* km)
{
    Fit fit;
    fit.distribution = options.distribution;
    fit.method = options.method;
    fit.mean = mean;
    fit.cv = cv;
    fit.cs = cs;
    if (km) {
        fit.kmShape = km->shape;
        fit.kmPower = km->power;
        fit.kmScale = km->scale;
    }
    return fit;
}

// The curve with these x̄, Cv and Cs, after the checks every method shares;
// a Kritsky–Menkel curve solved from its moments unless its shape is known.
Fit CurveOf(const FitOptions& options, double mean, double cv, double cs, const Fit* near = nullptr,
            const KmShape* known = nullptr)
{
    if (!std::isfinite(mean) || !(mean > 0))
        throw FitRefused(kMeanNotPositive);
    if (!std::isfinite(cv) || !(cv > 0))
        throw FitRefused(kCvNotPositive);
    if (!std::isfinite(cs))
        throw FitRefused("Коэффициент асимметрии Cs не определён!");
    // A Cv entered next to the least double beside a Cs of ordinary size:
    // the report's Cs/Cv would read "INF".
    if (!std::isfinite(cs / cv))
        throw FitRefused(kRatioOutOfRange);
    if (options.distribution != Distribution::KritskyMenkel)
        return FitOf(options, mean, cv, cs, nullptr);
    const KmShape start{near ? near->kmShape : 0, near ? near->kmPower : 0, 0};
    const KmShape km = known ? *known : SolveKritskyMenkel(cv, cs, near ? &start : nullptr);
    return FitOf(options, mean, cv, cs, &km);
}

double SkewOf(const FitOptions& options, double cv, double cs)
{
    return options.fixRatio ? options.ratio * cv : cs;
}

double MeanOf(const std::vector<double>& values)
{
    long double sum = 0;
    for (const double v : values)
        sum += v;
    return static_cast<double>(sum / static_cast<long double>(values.size()));
}

// The fit by the chosen method. For the bootstrap's re-fits (quantilesOnly)
// a curve that has quantiles but no Cs is a curve too.
Fit FitBy(const std::vector<double>& values, const FitOptions& options, const SmoothingPoints* smoothing,
          const Fit* near, bool quantilesOnly);

// The Kritsky–Menkel curve through the three points themselves; the Pearson
// III relation's Cv and Cs would give one that misses them.
Fit KritskyMenkelThrough(const FitOptions& options, const SmoothingPoints& points, const Fit* near, bool quantilesOnly)
{
    const KmShape start{near ? near->kmShape : 0, near ? near->kmPower : 0, 0};
    const KmPointsEstimate e = KritskyMenkelThroughPoints(points, near ? &start : nullptr, quantilesOnly);
    const MomentEstimate& m = e.moments;
    // Cv and Cs of a curve of the family next to b = 0 may be lost to
    // cancellation (NaN): CurveOf refuses those.
    if (e.thirdMoment)
        return CurveOf(options, m.mean, m.cv, m.cs, near, &e.shape);
    // A re-fit's curve without a third moment: its quantiles, Cv and Cs NaN.
    if (!std::isfinite(m.mean) || !(m.mean > 0))
        throw FitRefused(kMeanNotPositive);
    return FitOf(options, m.mean, m.cv, m.cs, &e.shape);
}

} // namespace

Fit FitCurve(const std::vector<double>& values, const FitOptions& options, const SmoothingPoints* smoothing)
{
    const Fit fit = RefuseEvaluationErrors([&] { return FitBy(values, options, smoothing, nullptr, false); });
    // Every quantile the sheet and the report show must exist; one that does
    // not refuses the curve here rather than breaks the drawing later.
    for (const double p : {0.01, 0.1, 1.0, 5.0, 50.0, 95.0, 99.0, 99.9, 99.99}) {
        const double k = ModularQuantile(fit, p);
        if (!std::isfinite(k))
            throw FitRefused(kNotComputableText);
        // x̄ and Cv entered by hand can put Qp = x̄·Kp beyond the doubles.
        if (!std::isfinite(fit.mean * k))
            throw FitRefused(kQuantileOutOfRange);
    }
    return fit;
}

Fit FitCurveNear(const std::vector<double>& values, const FitOptions& options, const SmoothingPoints* smoothing,
                 const Fit* near)
{
    return RefuseEvaluationErrors([&] { return FitBy(values, options, smoothing, near, true); });
}

namespace {

Fit FitBy(const std::vector<double>& values, const FitOptions& options, const SmoothingPoints* smoothing,
          const Fit* near, bool quantilesOnly)
{
    if (options.distribution == Distribution::None)
        throw FitRefused("Не выбрано распределение аналитической кривой!");
    switch (options.method) {
    case Method::Moments: {
        RequireSeries(values);
        const StatisticsResult s = ReportValues(values, options.r1Choice);
        const CorrectedCoefficients& c = s.bias.corrected;
        return CurveOf(options, s.mean, c.cv, SkewOf(options, c.cv, c.cs), near);
    }
    case Method::SampleMoments: {
        RequireSeries(values);
        const StatisticsResult s = ReportValues(values, options.r1Choice);
        return CurveOf(options, s.mean, s.cv, SkewOf(options, s.cv, s.cs), near);
    }
    case Method::GraphicAnalytic: {
        if (!smoothing)
            throw FitRefused("Для графоаналитического метода нужна сглаживающая кривая!");
        if (options.distribution == Distribution::KritskyMenkel)
            return KritskyMenkelThrough(options, *smoothing, near, quantilesOnly);
        const MomentEstimate e = GraphicAnalyticEstimate(*smoothing);
        return CurveOf(options, e.mean, e.cv, e.cs, near);
    }
    case Method::MaxLikelihood: {
        if (options.distribution != Distribution::KritskyMenkel)
            throw FitRefused("Метод наибольшего правдоподобия применяется только к кривой Крицкого–Менкеля!");
        RequireSeries(values);
        const double mean = MeanOf(values);
        if (!(mean > 0))
            throw FitRefused(kMeanNotPositive);
        std::vector<double> k;
        k.reserve(values.size());
        for (const double v : values) {
            if (!(v > 0))
                throw FitRefused("Для метода наибольшего правдоподобия все значения ряда должны быть больше нуля!");
            k.push_back(v / mean);
        }
        const KmShape start{near ? near->kmShape : 0, near ? near->kmPower : 0, 0};
        const LikelihoodEstimate e = MaxLikelihoodEstimate(k, options.fixRatio, options.ratio, near ? &start : nullptr);
        Fit fit = CurveOf(options, mean, e.cv, e.cs);
        // The likelihood's own curve, not a re-solve of its rounded moments.
        fit.kmShape = e.shape.shape;
        fit.kmPower = e.shape.power;
        fit.kmScale = e.shape.scale;
        const Lambdas lambdas = LikelihoodLambdas(k);
        fit.lambda2 = lambdas.lambda2;
        fit.lambda3 = lambdas.lambda3;
        return fit;
    }
    case Method::Given:
        return CurveOf(options, options.givenMean, options.givenCv, SkewOf(options, options.givenCv, options.givenCs));
    }
    throw FitRefused("Неизвестный метод оценки параметров!");
}

} // namespace

double ModularQuantile(const Fit& fit, double exceedancePercent)
{
    return RefuseEvaluationErrors([&] {
        if (fit.distribution == Distribution::KritskyMenkel)
            return KritskyMenkelQuantile({fit.kmShape, fit.kmPower, fit.kmScale}, exceedancePercent);
        return 1 + fit.cv * PearsonPhi(exceedancePercent, fit.cs);
    });
}

const std::vector<double>& StandardProbabilities()
{
    static const std::vector<double> p{0.01, 0.1, 0.5, 1,  2,  3,  5,  10, 20, 25,   30,  40,
                                       50,   60,  70,  75, 80, 90, 95, 97, 99, 99.5, 99.9};
    return p;
}

} // namespace aqualen::dist
