// The quantile report's lines and the sheet's caption line.

#include "distributions/quantile_report.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "series/number_text.h"

namespace aqualen::dist {

namespace {

// Indexed by Distribution; None, or a value past the end, is "нет".
constexpr std::array<const char*, 3> kDistributionNames{"нет", "Пирсон III", "Крицкий–Менкель"};
static_assert(kDistributionNames.size() == static_cast<size_t>(Distribution::KritskyMenkel) + 1);

// Indexed by Method; a value past the end has no name.
constexpr std::array<const char*, 5> kMethodNames{
    "метод моментов",           "метод моментов (выборочные Cv, Cs)",
    "графоаналитический метод", "метод наибольшего правдоподобия",
    "параметры заданы вручную",
};
static_assert(kMethodNames.size() == static_cast<size_t>(Method::Given) + 1);

const char* DistributionName(Distribution d)
{
    const auto i = static_cast<size_t>(d);
    return i < kDistributionNames.size() ? kDistributionNames[i] : kDistributionNames[0];
}

const char* MethodName(Method m)
{
    const auto i = static_cast<size_t>(m);
    return i < kMethodNames.size() ? kMethodNames[i] : "";
}

std::string Fixed3(double v, char sep)
{
    return FormatFixed(v, 3, sep);
}

// a spans many orders of magnitude: three decimals where they show it, four
// significant digits with an exponent elsewhere ("2,425E-30").
std::string ScaleText(double a, char sep)
{
    if (a >= 1e-3 && a < 1e6)
        return Fixed3(a, sep);
    const int exponent = static_cast<int>(std::floor(std::log10(a)));
    double mantissa = a / std::pow(10.0, exponent);
    int shown = exponent;
    if (FormatFixed(mantissa, 3, '.') == "10.000") {
        mantissa /= 10;
        ++shown;
    }
    return FormatFixed(mantissa, 3, sep) + "E" + std::to_string(shown);
}

// T = 100/P years for P <= 50 %, where a year this wet or wetter comes once
// in T years; above 50 % the period of a year this dry or drier,
// 100/(100 - P), as low-flow practice reads it. One decimal, no trailing zero.
std::string ReturnPeriodText(double p, char sep)
{
    const double years = p <= 50 ? 100 / p : 100 / (100 - p);
    std::string text = FormatFixed(years, 1, sep);
    if (text.size() > 2 && text.compare(text.size() - 2, 2, std::string{sep, '0'}) == 0)
        text.resize(text.size() - 2);
    return text;
}

} // namespace

std::string ProbabilityText(double p, char sep)
{
    return FormatGeneral(p, sep);
}

std::optional<std::vector<double>> ParseProbabilityList(const std::string& text, char sep)
{
    std::vector<double> list;
    std::string item;
    const auto flush = [&]() {
        if (item.empty())
            return true;
        const std::optional<double> p = ParseNumber(item, sep);
        item.clear();
        if (!p || !(*p > 0 && *p < 100))
            return false;
        list.push_back(*p);
        return true;
    };
    for (const char c : text) {
        const bool split = c == ';' || c == ' ' || c == '\t' || (c == ',' && sep != ',');
        if (split) {
            if (!flush())
                return std::nullopt;
        } else {
            item += c;
        }
    }
    if (!flush() || list.empty())
        return std::nullopt;
    return list;
}

std::string ProbabilityListText(const std::vector<double>& list, char sep)
{
    std::string text;
    for (const double p : list)
        text += (text.empty() ? "" : "; ") + ProbabilityText(p, sep);
    return text;
}

std::vector<std::string> ParameterLines(const Fit& fit, char sep)
{
    std::vector<std::string> lines{
        std::string("Распределение:\t") + DistributionName(fit.distribution),
        std::string("Метод:\t") + MethodName(fit.method),
        "Среднее значение:\t" + Fixed3(fit.mean, sep),
        "Cv:\t" + Fixed3(fit.cv, sep),
        "Cs:\t" + Fixed3(fit.cs, sep),
        "Cs/Cv:\t" + FormatFixed(fit.cs / fit.cv, 1, sep),
    };
    if (fit.distribution == Distribution::KritskyMenkel) {
        if (std::isinf(fit.kmShape)) {
            lines.push_back("γ:\t∞ (логнормальное распределение)");
            lines.push_back("σ ln k:\t" + Fixed3(fit.kmPower, sep));
        } else {
            lines.push_back("γ:\t" + Fixed3(fit.kmShape, sep));
            lines.push_back("b:\t" + Fixed3(fit.kmPower, sep));
            // a is beyond the double range for the largest γ; it says nothing then.
            if (std::isnormal(fit.kmScale))
                lines.push_back("a:\t" + ScaleText(fit.kmScale, sep));
        }
    }
    if (fit.method == Method::MaxLikelihood) {
        lines.push_back("λ2:\t" + FormatFixed(fit.lambda2, 4, sep));
        lines.push_back("λ3:\t" + FormatFixed(fit.lambda3, 4, sep));
    }
    return lines;
}

std::vector<std::string> QuantileTableLines(const Fit& fit, const Band* band,
                                            const std::vector<double>& exceedancePercents, char sep)
{
    std::string header = "P, %\tT, лет\tKp\tQp";
    if (band) {
        const std::string level = band->level > 0 ? " (" + std::to_string(band->level) + " %)" : "";
        header += "\tQp нижн." + level + "\tQp верхн." + level;
    }
    std::vector<std::string> lines{header};
    for (size_t i = 0; i < exceedancePercents.size(); ++i) {
        const double k = ModularQuantile(fit, exceedancePercents[i]);
        const double p = exceedancePercents[i];
        std::string row = ProbabilityText(p, sep) + "\t" + ReturnPeriodText(p, sep) + "\t" + Fixed3(k, sep) + "\t" +
                          Fixed3(fit.mean * k, sep);
        if (band && i < band->lowK.size() && i < band->highK.size())
            row += "\t" + Fixed3(fit.mean * band->lowK[i], sep) + "\t" + Fixed3(fit.mean * band->highK[i], sep);
        lines.push_back(row);
    }
    return lines;
}

std::string CaptionLine(const Fit& fit, char sep, int bandLevel)
{
    std::string line = CurveName(fit) + ": Q̄ = " + Fixed3(fit.mean, sep) + "; Cv = " + Fixed3(fit.cv, sep) +
                       "; Cs = " + Fixed3(fit.cs, sep);
    if (bandLevel > 0)
        line += "; " + BandName(bandLevel, false);
    return line;
}

std::string CurveName(const Fit& fit)
{
    return std::string(DistributionName(fit.distribution)) + ", " + MethodName(fit.method);
}

std::string BandName(int level, bool sentenceStart)
{
    return std::string(sentenceStart ? "Доверительные" : "доверительные") + " границы " + std::to_string(level) + " %";
}

QuantileResult RunQuantileRequest(const QuantileRequest& request)
{
    const SmoothingPoints* smoothing = request.smoothing ? &*request.smoothing : nullptr;
    QuantileResult result{FitCurve(request.values, request.options, smoothing), std::nullopt, std::nullopt};
    if (request.options.bandLevel != 0)
        result.band = ConfidenceBand(request.values, result.fit, request.options, request.probabilities, smoothing);
    if (request.goodnessOfFit)
        result.goodness = TestQuantileFit(request, result.fit);
    return result;
}

GoodnessOfFit TestQuantileFit(const QuantileRequest& request, const Fit& fit)
{
    return TestGoodnessOfFit(request.values, fit, request.options);
}

std::vector<std::string> QuantileReport::Lines() const
{
    std::vector<std::string> lines = parameters;
    lines.emplace_back();
    if (!goodness.empty()) {
        lines.insert(lines.end(), goodness.begin(), goodness.end());
        lines.emplace_back();
    }
    lines.insert(lines.end(), table.begin(), table.end());
    return lines;
}

void BuildQuantileReport(const Fit& fit, const Band* band, const std::vector<double>& exceedancePercents, char sep,
                         QuantileReport& report, const GoodnessOfFit* goodness)
{
    report = QuantileReport{};
    report.parameters = ParameterLines(fit, sep);
    if (goodness)
        report.goodness = GoodnessOfFitLines(*goodness, sep);
    report.table = QuantileTableLines(fit, band, exceedancePercents, sep);
}

QuantileComparison CompareDistributions(const QuantileRequest& request)
{
    const SmoothingPoints* smoothing = request.smoothing ? &*request.smoothing : nullptr;
    FitOptions options = request.options;
    options.bandLevel = 0;
    options.distribution = Distribution::PearsonIII;
    QuantileComparison comparison;
    comparison.pearson = FitCurve(request.values, options, smoothing);
    options.distribution = Distribution::KritskyMenkel;
    comparison.kritskyMenkel = FitCurve(request.values, options, smoothing);
    if (request.goodnessOfFit) {
        options.distribution = Distribution::PearsonIII;
        comparison.pearsonGoodness = TestGoodnessOfFit(request.values, comparison.pearson, options);
        options.distribution = Distribution::KritskyMenkel;
        comparison.kritskyMenkelGoodness = TestGoodnessOfFit(request.values, comparison.kritskyMenkel, options);
    }
    return comparison;
}

std::vector<std::string> ComparisonLines(const QuantileComparison& comparison,
                                         const std::vector<double>& exceedancePercents, char sep)
{
    // The parameters side by side, by label: Kritsky–Menkel has every line
    // of Pearson III and its own γ, b, a after them.
    const std::vector<std::string> pearson = ParameterLines(comparison.pearson, sep);
    const auto valueOf = [&](const std::string& label) {
        for (const std::string& line : pearson)
            if (line.compare(0, label.size() + 1, label + "\t") == 0)
                return line.substr(label.size() + 1);
        return std::string();
    };
    std::vector<std::string> lines;
    for (const std::string& line : ParameterLines(comparison.kritskyMenkel, sep)) {
        const size_t tab = line.find('\t');
        const std::string label = line.substr(0, tab);
        lines.push_back(label + "\t" + valueOf(label) + "\t" + line.substr(tab + 1));
    }
    lines.emplace_back();
    for (const auto& [goodness, fit] : {std::pair{&comparison.pearsonGoodness, &comparison.pearson},
                                        std::pair{&comparison.kritskyMenkelGoodness, &comparison.kritskyMenkel}}) {
        if (!*goodness)
            continue;
        const std::vector<std::string> block = GoodnessOfFitLines(**goodness, sep, DistributionName(fit->distribution));
        lines.insert(lines.end(), block.begin(), block.end());
        lines.emplace_back();
    }
    lines.push_back("P, %\tT, лет\tKp (П-III)\tQp (П-III)\tKp (К–М)\tQp (К–М)");
    for (const double p : exceedancePercents) {
        const double kp = ModularQuantile(comparison.pearson, p);
        const double km = ModularQuantile(comparison.kritskyMenkel, p);
        lines.push_back(ProbabilityText(p, sep) + "\t" + ReturnPeriodText(p, sep) + "\t" + Fixed3(kp, sep) + "\t" +
                        Fixed3(comparison.pearson.mean * kp, sep) + "\t" + Fixed3(km, sep) + "\t" +
                        Fixed3(comparison.kritskyMenkel.mean * km, sep));
    }
    return lines;
}

} // namespace aqualen::dist
