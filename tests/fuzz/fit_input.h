#pragma once
// What the two curve-fitting harnesses share: the fit request taken from the
// input's bytes, and the checks every curve reported as a fit must pass.
//
// Input: a flags byte (bit 0 Kritsky–Menkel, bits 1–3 the method modulo 5,
// bit 4 fixed ratio, bit 5 the decimal comma, bits 6–7 the r(1) choice), a
// ratio byte (Cs/Cv = (byte − 64)/16), a series byte (bits 0–1: how the
// values are made, bits 2–3: where the smoothing points come from, bits 4–7:
// where a hand-entered Cs lies), a count byte, then numbers. A number is
// three bytes: a 16-bit mantissa and a signed exponent of 2, stretched
// towards the ends of the double range (see Number).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "distributions/analytic_curve.h"
#include "distributions/graphic_analytic.h"
#include "distributions/kritsky_menkel.h"
#include "fuzz_checks.h"
#include "series/number_text.h"

namespace aqualen::fuzz {

// A positive or negative number from tiny to huge: (1 + m/65536)·2^e, with
// |e| up to 96 taken as it is and beyond stretched up to about 2^995; zero
// for the lowest exponent.
inline double Number(FuzzInput& in)
{
    const int m = in.Byte() * 256 + in.Byte();
    const auto e = static_cast<int8_t>(in.Byte());
    if (e == -128)
        return 0;
    const int magnitude = std::abs(static_cast<int>(e));
    const int exponent = magnitude <= 96 ? magnitude : 96 + (magnitude - 96) * 29;
    return std::ldexp(1 + m / 65536.0, e < 0 ? -exponent : exponent);
}

// A small offset 2^−(0..63) times ±1, for values at the edge of a range.
inline double Offset(FuzzInput& in)
{
    const uint8_t b = in.Byte();
    return std::ldexp((b & 0x80) ? -1.0 : 1.0, -(b & 0x3f));
}

struct FitInput {
    dist::FitOptions options;
    std::vector<double> values;
    dist::SmoothingPoints smoothing;
    char separator = '.';
};

inline FitInput ReadFitInput(FuzzInput& in, size_t mostValues)
{
    FitInput f;
    const uint8_t flags = in.Byte();
    f.options.distribution = (flags & 1) ? dist::Distribution::KritskyMenkel : dist::Distribution::PearsonIII;
    f.options.method = static_cast<dist::Method>(((flags >> 1) & 7) % 5);
    f.options.fixRatio = (flags & 16) != 0;
    f.separator = (flags & 32) ? ',' : '.';
    f.options.r1Choice = (flags >> 6) % 3;
    f.options.ratio = (in.Byte() - 64) / 16.0;
    const uint8_t kind = in.Byte();
    const size_t count = 3 + in.Byte() % (mostValues - 2);

    // The series: numbers each as they come, or a centre with relative
    // deviations of a chosen size (near-constant series, a lone outlier).
    if ((kind & 3) == 0) {
        for (size_t i = 0; i < count; ++i)
            f.values.push_back(Number(in));
    } else {
        const double centre = Number(in);
        const int shrink = in.Byte() % 60;
        for (size_t i = 0; i < count; ++i) {
            const auto d = static_cast<int8_t>(in.Byte());
            f.values.push_back(centre * (1 + std::ldexp(d, -shrink)));
        }
    }

    // The smoothing points: read off the series' own parabola (as the band
    // does), or three numbers, or x50 with relative distances up and down.
    switch ((kind >> 2) & 3) {
    case 0:
        f.smoothing = dist::SampleSmoothingPoints(f.values);
        break;
    case 1:
        f.smoothing = {Number(in), Number(in), Number(in)};
        break;
    default: {
        const double x50 = Number(in);
        const double up = Number(in);
        const double down = Number(in);
        f.smoothing = {x50 * (1 + up), x50, x50 * (1 - down)};
        break;
    }
    }

    // Hand-entered parameters, with Cs at the edges of the Kritsky–Menkel
    // family, next to the lognormal ratio 3 + Cv², or next to 0.
    f.options.givenMean = Number(in);
    f.options.givenCv = Number(in);
    const double cv = f.options.givenCv;
    const dist::KmSkewRange range = dist::KritskyMenkelSkewRange(std::fabs(cv));
    switch ((kind >> 4) % 5) {
    case 0:
        f.options.givenCs = Number(in);
        break;
    case 1:
        f.options.givenCs = range.lowest + Offset(in);
        break;
    case 2:
        f.options.givenCs = std::isfinite(range.highest) ? range.highest + Offset(in) : Number(in);
        break;
    case 3:
        f.options.givenCs = (3 + cv * cv) * cv * (1 + Offset(in) * 1e-3);
        break;
    default:
        f.options.givenCs = Offset(in) * 1e-3;
        break;
    }
    f.options.bandLevel = 0;
    return f;
}

// A series with a value beyond 1e100 or a non-zero one below 1e-100 in
// magnitude: its moments leave the double range, and the statistics stop
// with the fault's own message (FloatFault), as the statistics report does.
inline bool ExtremeSeries(const std::vector<double>& values)
{
    return std::any_of(values.begin(), values.end(), [](double v) {
        const double a = std::fabs(v);
        return a > 1e100 || (a != 0 && a < 1e-100);
    });
}

// For a finding's detail: enough digits to tell two values apart.
inline std::string G(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", v);
    return text;
}

inline bool Finite(double v)
{
    return std::isfinite(v);
}

// Every curve reported as a fit: finite positive x̄ and Cv, finite Cs, the
// fixed ratio kept, a Kritsky–Menkel curve whose own moments are the Cv and
// Cs it is reported with, and finite quantiles that fall as P grows.
inline void CheckFit(const dist::Fit& fit, const dist::FitOptions& options)
{
    const std::string what =
        "x̄ " + G(fit.mean) + " Cv " + G(fit.cv) + " Cs " + G(fit.cs) + " γ " + G(fit.kmShape) + " b " + G(fit.kmPower);
    Expect(Finite(fit.mean) && fit.mean > 0, "x̄ not finite and positive", what);
    Expect(Finite(fit.cv) && fit.cv > 0, "Cv not finite and positive", what);
    Expect(Finite(fit.cs), "Cs not finite", what);
    if (options.fixRatio && options.method != dist::Method::GraphicAnalytic)
        Expect(std::fabs(fit.cs - options.ratio * fit.cv) <= 1e-9 * std::max(1.0, std::fabs(fit.cs)),
               "Cs off the fixed ratio", what);
    if (fit.distribution == dist::Distribution::KritskyMenkel) {
        const dist::KmShape km{fit.kmShape, fit.kmPower, fit.kmScale};
        Expect((Finite(fit.kmShape) || km.Lognormal()) && fit.kmShape > 0, "γ not positive", what);
        Expect(Finite(fit.kmPower), "b not finite", what);
        // a = e^(−shift − b·ln γ) may leave the double range; the quantiles
        // do without it and the report then leaves its line out.
        // Next to the lognormal ratio the lognormal stands in, and at the
        // family's floor (γ = 1e-6) Cs is within about 1e-5 of its limit.
        // Below Cv = 1e-3 the curve is 1 to the digits shown, and the
        // moments' log-gamma differences lose their digits; above Cv = 10
        // the gap around the lognormal ratio grows with Cv².
        if (fit.cv >= 1e-3 && fit.cv <= 10) {
            const dist::KmMoments m = dist::KritskyMenkelMoments(fit.kmShape, fit.kmPower);
            Expect(std::fabs(m.cv - fit.cv) <= 1e-7 * fit.cv, "the curve's Cv is not the reported one",
                   what + " curve's Cv " + G(m.cv));
            Expect(std::fabs(m.cs - fit.cs) <= 1e-4 * std::max(1.0, std::fabs(fit.cs)),
                   "the curve's Cs is not the reported one", what + " curve's Cs " + G(m.cs));
        }
    }
    std::vector<double> probabilities = dist::StandardProbabilities();
    probabilities.insert(probabilities.begin(), 0.001);
    probabilities.push_back(99.99);
    bool known = false;
    double previous = 0;
    for (const double p : probabilities) {
        double k = 0;
        try {
            k = dist::ModularQuantile(fit, p);
        } catch (const dist::FitRefused& e) {
            // FitCurve has checked that every probability the sheet and the
            // report show has its quantile.
            if (p >= 0.01 && p <= 99.99)
                Finding("a fitted curve without a quantile", what + " P " + G(p) + ": " + e.what());
            continue;
        }
        Expect(Finite(k), "quantile not finite", what + " P " + G(p));
        if (fit.distribution == dist::Distribution::KritskyMenkel)
            Expect(k >= 0, "negative Kritsky–Menkel quantile", what);
        if (known)
            Expect(k <= previous + 1e-9 * std::fabs(previous), "quantile grows with P",
                   what + " P " + G(p) + " k " + G(k) + " before " + G(previous));
        previous = k;
        known = true;
    }
}

} // namespace aqualen::fuzz
