#include "distributions/curve_sampling.h"

#include <cmath>

namespace aqualen::dist {

namespace {

constexpr double kZLimit = 7.5;
constexpr int kStepsPerUnit = 128;

} // namespace

NormalScoreQuantile::NormalScoreQuantile(const Fit& fit)
{
    const int nodes = static_cast<int>(2 * kZLimit * kStepsPerUnit) + 1;
    table_.resize(static_cast<size_t>(nodes));
    for (int i = 0; i < nodes; ++i) {
        const double z = -kZLimit + static_cast<double>(i) / kStepsPerUnit;
        // Exceedance in percent, from the upper tail so that large z keep their digits.
        const double exceedance = 50 * std::erfc(z / std::sqrt(2.0));
        table_[static_cast<size_t>(i)] = ModularQuantile(fit, exceedance);
    }
}

double NormalScoreQuantile::operator()(double z) const
{
    const double position = (z + kZLimit) * kStepsPerUnit;
    if (!(position > 0))
        return table_.front();
    const double last = static_cast<double>(table_.size() - 1);
    if (position >= last)
        return table_.back();
    const auto i = static_cast<size_t>(position);
    const double w = position - static_cast<double>(i);
    return table_[i] + w * (table_[i + 1] - table_[i]);
}

SeriesSampler::SeriesSampler(const Fit& fit, double r1, unsigned seed)
    : quantile_(fit), r1_(r1), innovation_(std::sqrt(1 - r1 * r1)), engine_(seed)
{
}

void SeriesSampler::Next(std::vector<double>& sample)
{
    // z(1) from the stationary distribution, then z(t) = r z(t − 1) + √(1 − r²) e(t).
    double z = normal_(engine_);
    for (size_t t = 0; t < sample.size(); ++t) {
        if (t > 0)
            z = r1_ * z + innovation_ * normal_(engine_);
        sample[t] = quantile_(z);
    }
}

} // namespace aqualen::dist
