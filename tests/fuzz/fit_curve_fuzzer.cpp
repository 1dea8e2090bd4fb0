// The analytic curve fitted to a series, three smoothing points or
// hand-entered parameters: both distributions, every method, fixed ratio on
// and off, values from tiny to huge (the input is laid out in fit_input.h).
// A refusal is fine; a curve reported as a fit must pass CheckFit, print no
// non-finite number in its report, and come out the same when re-solved from
// its own curve (as the bootstrap re-solves its samples).

#include <string>

#include "distributions/analytic_curve.h"
#include "distributions/fit_near.h"
#include "distributions/quantile_report.h"
#include "fit_input.h"
#include "fuzz_checks.h"
#include "series/float_fault.h"

using namespace aqualen;

namespace {

constexpr size_t kMostValues = 150;

void CheckRefusal(const dist::FitRefused& e)
{
    const std::string message = e.what();
    fuzz::Expect(!message.empty() && message.back() == '!', "a refusal that is not a sentence", message);
}

// Kp at a few probabilities agree to 1e-6 (both solutions meet the same
// equations to about 1e-14; the family's floor is the least well-conditioned).
void CheckSameCurve(const dist::Fit& a, const dist::Fit& b)
{
    for (const double p : {1.0, 50.0, 99.0}) {
        const double ka = dist::ModularQuantile(a, p);
        const double kb = dist::ModularQuantile(b, p);
        fuzz::Expect(std::fabs(ka - kb) <= 1e-6 * std::max(1.0, std::fabs(ka)), "re-solved curve differs",
                     "P " + std::to_string(p) + ": " + std::to_string(ka) + " vs " + std::to_string(kb));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::Guarded([&] {
        fuzz::FuzzInput in(data, size);
        const fuzz::FitInput input = fuzz::ReadFitInput(in, kMostValues);
        dist::Fit fit;
        try {
            fit = dist::FitCurve(input.values, input.options, &input.smoothing);
        } catch (const dist::FitRefused& e) {
            CheckRefusal(e);
            return;
        } catch (const FloatFault& e) {
            // Only the moments of extreme values may end in a fault; any
            // other belongs in a refusal with its reason.
            if (input.options.method == dist::Method::Given || !fuzz::ExtremeSeries(input.values))
                fuzz::Finding("a fault instead of a refusal", e.what());
            return;
        }
        fuzz::CheckFit(fit, input.options);

        dist::QuantileReport report;
        try {
            dist::BuildQuantileReport(fit, nullptr, dist::StandardProbabilities(), input.separator, report);
        } catch (const FloatFault&) {
            // Qp = x̄·Kp beyond the double range: the table stops with the
            // fault's own message.
        }
        for (const std::string& line : report.Lines())
            fuzz::CheckReportLine(line);
        fuzz::CheckReportLine(dist::CaptionLine(fit, input.separator, 90));

        // The likelihood may climb to another maximum from a given start;
        // the moment equations have one solution.
        if (input.options.method != dist::Method::MaxLikelihood) {
            try {
                CheckSameCurve(fit, dist::FitCurveNear(input.values, input.options, &input.smoothing, &fit));
            } catch (const dist::FitRefused& e) {
                fuzz::Finding("a fit refused when re-solved from its own curve", e.what());
            }
        }
    });
}
