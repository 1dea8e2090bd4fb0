#pragma once
// Maximum likelihood for the Kritsky–Menkel curve of modular coefficients
// k_i = x_i/x̄ (the mean fixed at the series mean, so the curve's mean is 1).

#include <vector>

#include "distributions/kritsky_menkel.h"

namespace aqualen::dist {

struct LikelihoodEstimate {
    KmShape shape;
    double cv = 0;
    double cs = 0;
    double logLikelihood = 0;
};

// The (Cv, Cs) whose curve gives the k_i the greatest likelihood, searched
// along Cs = ratio·Cv when fixRatio is set. All k_i > 0.
// Raises FitRefused when no curve with a third moment fits, and when the
// best has a Cv above √n, more than any series of n positive values has.
// A start close to the answer (a bootstrap's original curve) lets Newton's
// method find the maximum from there, several times faster.
LikelihoodEstimate MaxLikelihoodEstimate(const std::vector<double>& k, bool fixRatio, double ratio,
                                         const KmShape* start = nullptr);

// Σ ln f(k_i) of the curve with these Cv and Cs (FitRefused where none).
double LogLikelihoodOf(const std::vector<double>& k, double cv, double cs);

// λ2 = Σ lg k_i/(n − 1) and λ3 = Σ k_i·lg k_i/(n − 1), the statistics
// tabulated against Cv and Cs for this method in practice.
struct Lambdas {
    double lambda2 = 0;
    double lambda3 = 0;
};
Lambdas LikelihoodLambdas(const std::vector<double>& k);

} // namespace aqualen::dist
