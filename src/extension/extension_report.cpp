#include "extension/extension_report.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <stdexcept>

#include "extension/extension_texts.h"
#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_routines.h"

namespace aqualen::extension {

namespace {

// Standard deviation of n values about their mean, the sum of squared
// deviations divided by n - 1 (the divisor of this whole calculation).
double Deviation(const double* values, int n, double mean)
{
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const long double d = static_cast<long double>(values[i]) - mean;
        sum = StoreDouble(sum + d * d);
    }
    return StoreDouble(CheckedSqrt(CheckedDivide(sum, n - 1)));
}

// The common years' values of a series, in year order.
std::vector<double> Slice(const YearSeries& series, const YearSpan& years)
{
    const auto begin = series.values.begin() + (years.first - series.firstYear);
    return {begin, begin + years.Count()};
}

} // namespace

const char* RefusalText(ExtensionRefusal refusal)
{
    // Indexed by ExtensionRefusal; None, or a value past the end, has no text.
    static constexpr std::array<const char*, 7> kTexts{
        "",
        kNoCommonYearsText,
        kTooFewCommonYearsText,
        kAnalogueShorterText,
        kConstantStudiedText,
        kConstantAnalogueText,
        kNegativeRadicandText,
    };
    static_assert(kTexts.size() == static_cast<size_t>(ExtensionRefusal::NegativeRadicand) + 1);
    const auto i = static_cast<size_t>(refusal);
    return i < kTexts.size() ? kTexts[i] : "";
}

ExtensionRefusal ComputeExtension(const YearSeries& studied, const YearSeries& analogue, ExtensionFigures& figures)
{
    figures = ExtensionFigures{};
    const YearSpan own = studied.Years();
    const YearSpan other = analogue.Years();

    // Periods. The studied record must not outrun the analogue's; within
    // that, studied years the analogue lacks lie on one side only.
    if (own.Count() > other.Count())
        return ExtensionRefusal::AnalogueShorter;
    const YearSpan common{std::max(own.first, other.first), std::min(own.last, other.last)};
    if (common.Count() == 0)
        return ExtensionRefusal::NoCommonYears;
    if (common.Count() < kMinCommonYears)
        return ExtensionRefusal::TooFewCommonYears;
    figures.common = common;
    figures.longPeriod = other;
    if (own.first < common.first)
        figures.outside = {own.first, common.first - 1};
    else if (own.last > common.last)
        figures.outside = {common.last + 1, own.last};
    figures.reached = ExtensionStep::Periods;

    // Regression of y (studied) on x (analogue) over the common years.
    const int n = common.Count();
    const std::vector<double> y = Slice(studied, common);
    const std::vector<double> x = Slice(analogue, common);
    const double meanY = SeriesMean(y.data(), n);
    const double meanX = SeriesMean(x.data(), n);
    const double sigmaY = Deviation(y.data(), n, meanY);
    const double sigmaX = Deviation(x.data(), n, meanX);
    // The means stay within the values, so a constant series deviates by
    // exactly zero.
    if (sigmaX == 0)
        return ExtensionRefusal::ConstantAnalogue;
    if (sigmaY == 0)
        return ExtensionRefusal::ConstantStudied;
    figures.meanY = meanY;
    figures.meanX = meanX;
    figures.sigmaY = sigmaY;
    figures.sigmaX = sigmaX;
    // Rounding can carry |R| a unit past 1 for exactly linear series.
    const double r = std::clamp(CorrelationCoefficient(x.data(), y.data(), n), -1.0, 1.0);
    figures.r = r;
    const long double spread = CheckedDivide(sigmaY, sigmaX);
    figures.k = StoreDouble(r * spread);
    figures.a = StoreDouble(meanY - static_cast<long double>(figures.k) * meanX);
    const long double unexplained = std::max(0.0L, 1 - static_cast<long double>(r) * r);
    figures.sigmaK = StoreDouble(spread * CheckedSqrt(CheckedDivide(unexplained, n - 2)));
    if (figures.sigmaK != 0)
        figures.ratio = StoreDouble(CheckedDivide(figures.k, figures.sigmaK));
    figures.reached = ExtensionStep::Regression;

    figures.yearsMet = n >= kMinConditionYears;
    figures.rMet = r >= kMinConditionR;
    figures.ratioMet = figures.ratio ? *figures.ratio >= kMinConditionRatio : figures.k > 0;
    figures.reached = ExtensionStep::Conditions;

    figures.cvOwn = StoreDouble(CheckedDivide(sigmaY, meanY));
    figures.reached = ExtensionStep::OwnCv;

    // The analogue over its N years carries the studied series there.
    const int longYears = other.Count();
    figures.meanXLong = SeriesMean(analogue.values.data(), longYears);
    figures.sigmaXLong = Deviation(analogue.values.data(), longYears, figures.meanXLong);
    figures.meanYLong = StoreDouble(meanY + static_cast<long double>(figures.k) *
                                                (static_cast<long double>(figures.meanXLong) - meanX));
    figures.reached = ExtensionStep::LongMean;

    const long double k2 = static_cast<long double>(figures.k) * figures.k;
    const long double radicand = static_cast<long double>(sigmaY) * sigmaY +
                                 k2 * (static_cast<long double>(figures.sigmaXLong) * figures.sigmaXLong -
                                       static_cast<long double>(sigmaX) * sigmaX);
    // Algebraically sigma_y^2 (1 - R^2) + k^2 sigma_x,N^2, never negative;
    // only rounding could take it below zero, and then no value is given.
    if (radicand < 0)
        return ExtensionRefusal::NegativeRadicand;
    figures.sigmaYLong = StoreDouble(CheckedSqrt(radicand));
    figures.reached = ExtensionStep::LongSigma;

    figures.cvLong = StoreDouble(CheckedDivide(figures.sigmaYLong, figures.meanYLong));
    figures.reached = ExtensionStep::LongCv;

    // y = a + k x for every analogue year outside the studied record.
    for (int year = other.first; year <= other.last; ++year) {
        if (own.Contains(year))
            continue;
        const double xi = analogue.At(year);
        figures.restored.push_back({year, xi, StoreDouble(figures.a + static_cast<long double>(figures.k) * xi)});
    }
    figures.reached = ExtensionStep::Restored;
    return ExtensionRefusal::None;
}

namespace {

std::string SpanText(const YearSpan& span)
{
    return std::to_string(span.first) + "–" + std::to_string(span.last) + "\t" + std::to_string(span.Count()) + " лет";
}

const char* Verdict(bool met)
{
    return met ? kConditionMetText : kConditionFailedText;
}

bool Reached(const ExtensionFigures& figures, ExtensionStep step)
{
    return figures.reached >= step;
}

} // namespace

std::vector<std::string> ExtensionLines(const ExtensionFigures& figures, char separator)
{
    const auto fixed3 = [separator](double value) { return FormatFixed(value, 3, separator); };
    std::vector<std::string> lines;
    if (!Reached(figures, ExtensionStep::Periods))
        return lines;
    lines.push_back("Общий период:\t" + SpanText(figures.common));
    lines.push_back("Длинный период:\t" + SpanText(figures.longPeriod));
    if (figures.outside.Count() > 0)
        lines.push_back("Исследуемый ряд вне аналога:\t" + SpanText(figures.outside));
    lines.push_back("Делитель СКО:\tчисло лет − 1");
    if (!Reached(figures, ExtensionStep::Regression))
        return lines;
    lines.push_back("R:\t" + fixed3(figures.r));
    lines.push_back("k:\t" + fixed3(figures.k));
    lines.push_back("σk:\t" + fixed3(figures.sigmaK));
    lines.push_back("k/σk:\t" + (figures.ratio ? fixed3(*figures.ratio) : std::string(figures.k < 0 ? "-∞" : "∞")));
    lines.push_back("Уравнение:\ty = " + fixed3(figures.a) + " + " + fixed3(figures.k) + "·x");
    if (!Reached(figures, ExtensionStep::Conditions))
        return lines;
    lines.push_back("Условие n ≥ " + std::to_string(kMinConditionYears) + ":\t" + Verdict(figures.yearsMet));
    lines.push_back("Условие R ≥ " + FormatGeneral(kMinConditionR, separator) + ":\t" + Verdict(figures.rMet));
    lines.push_back("Условие k/σk ≥ " + FormatGeneral(kMinConditionRatio, separator) + ":\t" +
                    Verdict(figures.ratioMet));
    if (Reached(figures, ExtensionStep::OwnCv)) {
        lines.push_back("Среднее (n лет):\t" + fixed3(figures.meanY));
        lines.push_back("Cv (n лет):\t" + fixed3(figures.cvOwn));
    }
    if (Reached(figures, ExtensionStep::LongMean))
        lines.push_back("Среднее (N лет):\t" + fixed3(figures.meanYLong));
    if (Reached(figures, ExtensionStep::LongSigma))
        lines.push_back("СКО (N лет):\t" + fixed3(figures.sigmaYLong));
    if (!Reached(figures, ExtensionStep::LongCv))
        return lines;
    lines.push_back("Cv (N лет):\t" + fixed3(figures.cvLong));
    if (!figures.ConditionsMet())
        lines.push_back(kConditionsNotMetText);
    return lines;
}

std::vector<std::string> RestoredTableLines(const ExtensionFigures& figures, char separator)
{
    std::vector<std::string> lines{kRestoredHeader};
    lines.reserve(figures.restored.size() + 1);
    for (const RestoredYear& row : figures.restored)
        lines.push_back(std::to_string(row.year) + "\t" + FormatFixed(row.analogue, 3, separator) + "\t" +
                        FormatFixed(row.restored, 3, separator));
    return lines;
}

YearSeries ExtendedSeries(const YearSeries& studied, const ExtensionFigures& figures)
{
    if (figures.reached < ExtensionStep::Restored)
        throw std::logic_error("ExtendedSeries before the restored years");
    const YearSpan own = studied.Years();
    YearSeries extended;
    extended.firstYear = std::min(own.first, figures.longPeriod.first);
    const int last = std::max(own.last, figures.longPeriod.last);
    extended.values.reserve(static_cast<size_t>(last - extended.firstYear + 1));
    auto restored = figures.restored.begin();
    for (int year = extended.firstYear; year <= last; ++year) {
        if (own.Contains(year)) {
            extended.values.push_back(studied.At(year));
        } else {
            // Years outside both series cannot occur: the two overlap.
            extended.values.push_back(restored->restored);
            ++restored;
        }
    }
    return extended;
}

} // namespace aqualen::extension
