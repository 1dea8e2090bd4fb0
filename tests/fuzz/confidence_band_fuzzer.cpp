// The bootstrap band of a fitted curve: a level byte (80, 90 or 95 %), then
// the fit request of fit_input.h. This harness builds the band with few
// samples (AQUALEN_BAND_SAMPLES, see CMakeLists.txt), so that an input runs in
// milliseconds; the re-fits are the same. A refusal is fine; a band must have
// a finite pair of limits per probability, lower below upper, both falling
// as P grows (each sample's curve does), and around the fitted curve.

#include <string>
#include <vector>

#include "distributions/analytic_curve.h"
#include "fit_input.h"
#include "fuzz_checks.h"
#include "series/float_fault.h"

using namespace aqualen;

namespace {

constexpr size_t kMostValues = 60;

bool Below(double a, double b)
{
    return a <= b + 1e-9 * std::max(1.0, std::fabs(b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::Guarded([&] {
        fuzz::FuzzInput in(data, size);
        const int levels[] = {80, 90, 95};
        const int level = levels[in.Byte() % 3];
        fuzz::FitInput input = fuzz::ReadFitInput(in, kMostValues);
        input.options.bandLevel = level;
        dist::Fit fit;
        try {
            fit = dist::FitCurve(input.values, input.options, &input.smoothing);
        } catch (const dist::FitRefused&) {
            return;
        } catch (const FloatFault&) {
            return; // the fit harness looks at these
        }
        const std::vector<double>& probabilities = dist::StandardProbabilities();
        dist::Band band;
        try {
            band = dist::ConfidenceBand(input.values, fit, input.options, probabilities, &input.smoothing);
        } catch (const dist::FitRefused& e) {
            const std::string message = e.what();
            fuzz::Expect(!message.empty() && message.back() == '!', "a refusal that is not a sentence", message);
            return;
        }
        fuzz::Expect(band.level == level, "band of another level");
        fuzz::Expect(band.lowK.size() == probabilities.size() && band.highK.size() == probabilities.size(),
                     "not one pair of limits per probability");
        for (size_t j = 0; j < probabilities.size(); ++j) {
            const double low = band.lowK[j];
            const double high = band.highK[j];
            const double k = dist::ModularQuantile(fit, probabilities[j]);
            const std::string at = "P " + std::to_string(probabilities[j]) + ": " + std::to_string(low) + " .. " +
                                   std::to_string(high) + ", curve " + std::to_string(k);
            fuzz::Expect(std::isfinite(low) && std::isfinite(high), "limit not finite", at);
            fuzz::Expect(low <= high, "lower limit above the upper", at);
            if (j > 0)
                fuzz::Expect(Below(low, band.lowK[j - 1]) && Below(high, band.highK[j - 1]), "limit grows with P", at);
            fuzz::Expect(Below(low, k) && Below(k, high), "the band misses its curve", at);
        }
    });
}
