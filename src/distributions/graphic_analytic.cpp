#include "distributions/graphic_analytic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

#include <boost/math/tools/roots.hpp>

#include "distributions/math_policy.h"
#include "distributions/pearson3.h"

namespace aqualen::dist {

double SkewIndex(double cs)
{
    const double p5 = PearsonPhi(5, cs);
    const double p50 = PearsonPhi(50, cs);
    const double p95 = PearsonPhi(95, cs);
    return (p5 + p95 - 2 * p50) / (p5 - p95);
}

MomentEstimate GraphicAnalyticEstimate(const SmoothingPoints& points)
{
    if (!(points.x5 > points.x95))
        throw FitRefused("Сглаживающая кривая не убывает: её значение при 5 % должно быть больше, чем при 95 %!");
    const double s = (points.x5 + points.x95 - 2 * points.x50) / (points.x5 - points.x95);
    // S grows with Cs (S(−Cs) = −S(Cs)).
    const double low = SkewIndex(-kLargestSkew);
    const double high = SkewIndex(kLargestSkew);
    if (!(s > low && s < high))
        throw FitRefused("По точкам сглаживающей кривой не удаётся подобрать Cs кривой Пирсона III!");
    double cs = 0;
    if (s != 0) {
        const auto f = [s](double c) { return SkewIndex(c) - s; };
        std::uintmax_t iterations = 200;
        const boost::math::tools::eps_tolerance<double> tolerance(std::numeric_limits<double>::digits - 3);
        const auto [a, b] =
            s > 0 ? boost::math::tools::toms748_solve(f, 0.0, kLargestSkew, -s, high - s, tolerance, iterations)
                  : boost::math::tools::toms748_solve(f, -kLargestSkew, 0.0, low - s, -s, tolerance, iterations);
        cs = a + (b - a) / 2;
    }
    const double phi5 = PearsonPhi(5, cs);
    const double phi50 = PearsonPhi(50, cs);
    const double phi95 = PearsonPhi(95, cs);
    const double sigma = (points.x5 - points.x95) / (phi5 - phi95);
    const double mean = points.x50 - sigma * phi50;
    if (!(mean > 0))
        throw FitRefused("По точкам сглаживающей кривой среднее значение получается не больше нуля!");
    return {mean, sigma / mean, cs};
}

SmoothingPoints SampleSmoothingPoints(std::vector<double> values)
{
    std::sort(values.begin(), values.end(), std::greater<>());
    const Normal normal;
    const auto paper = [&](double percent) {
        return boost::math::quantile(boost::math::complement(normal, percent / 100));
    };
    // Normal equations of y = A z² + B z + C, solved by Cramer's rule.
    const double n = static_cast<double>(values.size());
    std::array<double, 5> zPower{}; // Σ z^0..z^4
    std::array<double, 3> yz{};     // Σ y, Σ y z, Σ y z²
    for (size_t m = 0; m < values.size(); ++m) {
        const double z = paper(100.0 * static_cast<double>(m + 1) / (n + 1));
        double power = 1;
        for (double& sum : zPower) {
            sum += power;
            power *= z;
        }
        yz[0] += values[m];
        yz[1] += values[m] * z;
        yz[2] += values[m] * z * z;
    }
    using Matrix = std::array<std::array<double, 3>, 3>;
    const auto det = [](const Matrix& a) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    // Unknowns (C, B, A); row r holds Σ z^(r+c).
    Matrix a{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            a[r][c] = zPower[static_cast<size_t>(r + c)];
    const double d = det(a);
    std::array<double, 3> coefficient{};
    for (int c = 0; c < 3; ++c) {
        Matrix replaced = a;
        for (int r = 0; r < 3; ++r)
            replaced[r][c] = yz[static_cast<size_t>(r)];
        coefficient[static_cast<size_t>(c)] = det(replaced) / d;
    }
    const auto at = [&](double percent) {
        const double z = paper(percent);
        return coefficient[0] + coefficient[1] * z + coefficient[2] * z * z;
    };
    return {at(5), at(50), at(95)};
}

} // namespace aqualen::dist
