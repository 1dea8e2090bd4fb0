// Prints the analytic curves' quantiles at full precision for the
// cross-check against SciPy. Reads lines from standard input:
//   p3 CS P      ->  Φ(P, Cs)
//   km CV CS P   ->  γ b k_P      (or "refused")
//   gof p3|km MEAN CV CS X1 X2 …  ->  D ω² A² γ b   (γ b of Kritsky–Menkel; A² "inf" beyond the curve)
// and writes one answer line per request.

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "distributions/analytic_curve.h"
#include "distributions/goodness_of_fit.h"
#include "distributions/kritsky_menkel.h"
#include "distributions/pearson3.h"

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string kind;
        in >> kind;
        if (kind == "p3") {
            double cs = 0, p = 0;
            in >> cs >> p;
            std::printf("%.17g\n", aqualen::dist::PearsonPhi(p, cs));
        } else if (kind == "km") {
            double cv = 0, cs = 0, p = 0;
            in >> cv >> cs >> p;
            try {
                const aqualen::dist::KmShape km = aqualen::dist::SolveKritskyMenkel(cv, cs);
                std::printf("%.17g %.17g %.17g\n", km.shape, km.power, aqualen::dist::KritskyMenkelQuantile(km, p));
            } catch (const aqualen::dist::FitRefused&) {
                std::printf("refused\n");
            }
        } else if (kind == "gof") {
            std::string curve;
            aqualen::dist::FitOptions options;
            options.method = aqualen::dist::Method::Given;
            in >> curve >> options.givenMean >> options.givenCv >> options.givenCs;
            options.distribution =
                curve == "km" ? aqualen::dist::Distribution::KritskyMenkel : aqualen::dist::Distribution::PearsonIII;
            std::vector<double> values;
            for (double x = 0; in >> x;)
                values.push_back(x);
            try {
                const aqualen::dist::Fit fit = aqualen::dist::FitCurve({}, options);
                const aqualen::dist::FitStatistics s = aqualen::dist::StatisticsAgainst(fit, values);
                std::printf("%.17g %.17g %.17g %.17g %.17g\n", s.kolmogorov, s.cramerVonMises, s.andersonDarling,
                            fit.kmShape, fit.kmPower);
            } catch (const aqualen::dist::FitRefused&) {
                std::printf("refused\n");
            }
        } else {
            std::printf("unknown\n");
        }
    }
    return 0;
}
