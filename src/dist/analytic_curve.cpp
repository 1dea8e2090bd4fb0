#include "dist/analytic_curve.h"

namespace aqualen::dist {

Fit FitCurve(const std::vector<double>&, const FitOptions& options, const SmoothingPoints*)
{
    Fit f;
    f.distribution = options.distribution;
    f.method = options.method;
    return f;
}

double ModularQuantile(const Fit&, double) { return 1.0; }

Band ConfidenceBand(const std::vector<double>&, const Fit&, const FitOptions&, const std::vector<double>&,
                    const SmoothingPoints*)
{
    return {};
}

const std::vector<double>& StandardProbabilities()
{
    static const std::vector<double> p{0.01, 0.1, 0.5, 1,  2,  3,  5,  10, 20, 25, 30,  40,
                                       50,   60,  70,  75, 80, 90, 95, 97, 99, 99.5, 99.9};
    return p;
}

std::vector<std::string> ParameterLines(const Fit&, char) { return {}; }
std::vector<std::string> QuantileTableLines(const Fit&, const Band*, const std::vector<double>&, char)
{
    return {};
}
std::string CaptionLine(const Fit&, char) { return {}; }

} // namespace aqualen::dist
