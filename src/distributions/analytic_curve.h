#pragma once
// Analytic exceedance curves: Pearson type III and Kritsky–Menkel, their
// parameters from a series, design quantiles, a bootstrap band and the report
// lines. Window-free; k = x / x̄ (modular coefficient), P in percent of years
// exceeding k_P.

#include <stdexcept>
#include <string>
#include <vector>

namespace aqualen::dist {

enum class Distribution { None = 0, PearsonIII = 1, KritskyMenkel = 2 };

enum class Method {
    Moments = 0,         // corrected Cv, Cs of the statistics report (r(1) choice)
    SampleMoments = 1,   // sample ^Cv, ^Cs
    GraphicAnalytic = 2, // from x5, x50, x95 of the smoothing curve
    MaxLikelihood = 3,   // Kritsky–Menkel only
    Given = 4            // x̄, Cv, Cs entered by hand
};

struct FitOptions {
    Distribution distribution = Distribution::None;
    Method method = Method::Moments;
    bool fixRatio = false; // Cs = ratio * Cv (not GraphicAnalytic: its Cs comes from the three points)
    double ratio = 2.0;
    int r1Choice = 0;                               // the main window's r(1) radio index 0,1,2 (r(1) = 0, 0.3, 0.5)
    double givenMean = 0, givenCv = 0, givenCs = 0; // Method::Given (Cs ignored when fixRatio)
    int bandLevel = 0;                              // confidence level in percent: 0 off, 80, 90, 95
};

// The smoothing curve's values at P = 5, 50 and 95 %, for GraphicAnalytic.
struct SmoothingPoints {
    double x5 = 0, x50 = 0, x95 = 0;
};

struct Fit {
    Distribution distribution = Distribution::None;
    Method method = Method::Moments;
    double mean = 0, cv = 0, cs = 0;              // x̄, Cv, Cs of the fitted curve
    double kmShape = 0, kmPower = 0, kmScale = 0; // Kritsky–Menkel γ, b, a
    double lambda2 = 0, lambda3 = 0;              // reported with MaxLikelihood
};

// A curve that cannot be drawn; what() is a Russian sentence ending in "!".
class FitRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Fits the chosen distribution; values is the series (x̄ = its mean, except
// for GraphicAnalytic and Given). Raises FitRefused.
Fit FitCurve(const std::vector<double>& values, const FitOptions& options, const SmoothingPoints* smoothing = nullptr);

// k_P of the fitted curve at exceedance P (percent, 0 < P < 100). Raises
// FitRefused where its special function does not evaluate (FitCurve has
// checked the probabilities the sheet and the report show).
double ModularQuantile(const Fit& fit, double exceedancePercent);

// Confidence limits of k_P, one pair per probability.
struct Band {
    std::vector<double> lowK, highK;
    int level = 0; // the confidence level in percent they were built for
};

// Parametric bootstrap: 2000 samples of the series' length drawn from the
// fitted curve with a fixed seed, each re-estimated by the same method,
// bias-corrected and accelerated percentile limits at options.bandLevel (the
// acceleration from n leave-one-out re-fits of the series); the limits are
// those of x_P, given as multiples of the fitted curve's x̄, and never leave
// the fitted curve outside. For GraphicAnalytic each sample's
// x5, x50, x95 come from a least-squares parabola through the sample's own
// points on normal probability paper (P = m/(n + 1)), as the smoothing curve
// is fitted on the sheet; `smoothing` is not needed. An empty band when
// bandLevel is 0. Raises FitRefused for hand-entered parameters (nothing was
// estimated) and when more than a tenth of the samples have no curve (the
// message gives their share and the refusal most of them met).
Band ConfidenceBand(const std::vector<double>& values, const Fit& fit, const FitOptions& options,
                    const std::vector<double>& exceedancePercents, const SmoothingPoints* smoothing = nullptr);

// 0.01 0.1 0.5 1 2 3 5 10 20 25 30 40 50 60 70 75 80 90 95 97 99 99.5 99.9
const std::vector<double>& StandardProbabilities();

// Report lines (UTF-8), numbers with the given decimal separator.
// "Распределение:", "Метод:", "Среднее значение:", "Cv:", "Cs:", "Cs/Cv:",
// then γ, b, a of Kritsky–Menkel and λ2, λ3 of the likelihood method.
std::vector<std::string> ParameterLines(const Fit& fit, char sep);
// Header "P, %\tT, лет\tKp\tQp[\tQp нижн. (L %)\tQp верхн. (L %)]" and a row per
// probability: P without trailing zeros, T in years, three decimals; the
// limits when band is given.
std::vector<std::string> QuantileTableLines(const Fit& fit, const Band* band,
                                            const std::vector<double>& exceedancePercents, char sep);
// "Пирсон III, метод моментов: Q̄ = …; Cv = …; Cs = …", and with the band's
// level when it is given: "…; Cs = …; доверительные границы 90 %".
std::string CaptionLine(const Fit& fit, char sep, int bandLevel = 0);
// "Пирсон III, метод моментов": the distribution and how it was fitted.
std::string CurveName(const Fit& fit);
// "Доверительные границы 90 %", or "доверительные …" inside a sentence.
std::string BandName(int level, bool sentenceStart);

} // namespace aqualen::dist
