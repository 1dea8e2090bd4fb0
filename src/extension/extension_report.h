#pragma once
// Bringing a short series to the long-term period of an analogue river: the
// regression of the studied series on the analogue over their common years,
// the conditions under which it may be used, the long-term mean, deviation
// and Cv it gives, and the values it restores for the analogue's other years.
//
// Method: the regression (analogue) method of bringing series to the
// long-term period (Rozhdestvensky and Chebotarev, "Statistical methods in
// hydrology", 1974), with the conditions n >= 10, R >= 0.7 and
// k / sigma_k >= 2 of the Russian design code SP 33-101-2003. Every standard
// deviation here divides by the number of years less one.

#include <optional>
#include <string>
#include <vector>

#include "extension/year_series.h"

namespace aqualen::extension {

// The conditions under which the regression may be used.
inline constexpr int kMinConditionYears = 10;
inline constexpr double kMinConditionR = 0.7;
inline constexpr double kMinConditionRatio = 2;
// Fewer common years leave no freedom for the coefficient's error.
inline constexpr int kMinCommonYears = 3;

// How far a calculation got: each step's figures are known from it on.
enum class ExtensionStep {
    None,
    Periods,    // common, long and outside spans
    Regression, // means, deviations, R, k, a, sigma_k, k / sigma_k
    Conditions, // the three conditions
    OwnCv,      // the series' own mean and Cv over the common years
    LongMean,   // the analogue over N years and the long-term mean
    LongSigma,  // the long-term standard deviation
    LongCv,     // the long-term Cv
    Restored,   // the restored years
};

// One analogue year outside the studied record and the value it restores.
struct RestoredYear {
    int year = 0;
    double analogue = 0;
    double restored = 0;
};

// The figures of one calculation, filled in step order: a refusal or a
// floating-point fault part-way leaves those of the steps before it.
struct ExtensionFigures {
    ExtensionStep reached = ExtensionStep::None;

    YearSpan common;     // the years both series have (n)
    YearSpan longPeriod; // the analogue's years (N), the common ones included
    YearSpan outside;    // studied years the analogue lacks (empty as a rule)

    double meanY = 0; // studied mean over the common years
    double meanX = 0; // analogue mean over the common years
    double sigmaY = 0;
    double sigmaX = 0;
    double r = 0;      // Pearson R, y studied on x analogue
    double k = 0;      // R * sigma_y / sigma_x
    double a = 0;      // mean_y - k * mean_x
    double sigmaK = 0; // (sigma_y / sigma_x) * sqrt((1 - R^2) / (n - 2))
    // k / sigma_k; nullopt when sigma_k is zero (|R| = 1), the ratio then
    // being infinite with the sign of k.
    std::optional<double> ratio;

    bool yearsMet = false; // n >= 10
    bool rMet = false;     // R >= 0.7
    bool ratioMet = false; // k / sigma_k >= 2

    double cvOwn = 0;     // sigma_y / mean_y over the common years
    double meanXLong = 0; // analogue over N years
    double sigmaXLong = 0;
    double meanYLong = 0;  // mean_y + k * (mean_x,N - mean_x)
    double sigmaYLong = 0; // sqrt(sigma_y^2 + k^2 * (sigma_x,N^2 - sigma_x^2))
    double cvLong = 0;     // sigma_y,N / mean_y,N

    std::vector<RestoredYear> restored; // in year order

    int CommonYears() const { return common.Count(); }
    int LongYears() const { return longPeriod.Count(); }
    bool ConditionsMet() const { return yearsMet && rMet && ratioMet; }
};

// Why a calculation stopped short of its report.
enum class ExtensionRefusal {
    None,
    NoCommonYears,
    TooFewCommonYears, // 1 or 2 common years
    AnalogueShorter,   // the studied record is longer than the analogue's
    ConstantStudied,   // sigma_y = 0 over the common years: R is undefined
    ConstantAnalogue,  // sigma_x = 0 over the common years
    NegativeRadicand,  // sigma_y,N^2 would be negative
};

// The message of a refusal (None has none).
const char* RefusalText(ExtensionRefusal refusal);

// Computes into `figures` step by step. Returns the refusal that stopped it
// (the figures then hold the steps before), or None with every step done.
// Raises FloatFault (a zero mean under a Cv, an overflow); the figures then
// hold the steps before the fault.
ExtensionRefusal ComputeExtension(const YearSeries& studied, const YearSeries& analogue, ExtensionFigures& figures);

// The report lines of the steps reached; a complete report whose conditions
// are not all met closes with "Условия приведения не выполнены". Three
// decimals.
std::vector<std::string> ExtensionLines(const ExtensionFigures& figures, char separator);

// The restored table: its header and one line per restored year.
std::vector<std::string> RestoredTableLines(const ExtensionFigures& figures, char separator);

// The studied series extended: its observed values and the restored ones in
// year order, from the earliest year of either. Needs the restored step.
YearSeries ExtendedSeries(const YearSeries& studied, const ExtensionFigures& figures);

} // namespace aqualen::extension
