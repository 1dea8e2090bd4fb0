#pragma once
// Bias correction of the sample Cv and Cs: the constant coefficient tables,
// the choice of their column and row, and the last ten report lines.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace aqualen {

// The r(1) typical of the region's rivers, as chosen in the main window. The
// index is kept beside the value: the bi are picked by index.
struct RegionalR1 {
    int index = 0;
    double value = 0.0;
};

// The three choices, in the order of the radio group, with their captions.
inline constexpr std::array<RegionalR1, 3> kRegionalR1Choices{{{0, 0.0}, {1, 0.3}, {2, 0.5}}};
inline constexpr std::array<const char*, 3> kRegionalR1Captions{"r(1) = 0", "r(1) = 0.3", "r(1) = 0.5"};
inline constexpr const char* kRegionalR1Title = "Значение r(1) для рек района:";

// The choice at a radio item index; indices outside 0..2 give the first.
RegionalR1 RegionalR1At(int index);

// Column key of the ai tables: 2, 3 or 4.
using RatioColumn = std::uint8_t;

// The column of a sample ratio q = Cs/Cv: q rounded to the nearest integer
// (halves to even); 0..2 -> 2, 3 -> 3, 4..99 -> 4, anything else -> 2.
// Raises FloatFault (invalid) when q does not round into 64 bits.
RatioColumn ColumnOfRatio(double ratio);

// Six coefficients, a1..a6 or b1..b6.
using Coefficients = std::array<double, 6>;

// For each table the last row whose key <= column and threshold <= r1
// (0 when none matches).
Coefficients SelectAi(RatioColumn column, double r1);

// The entries at the radio item index (0..2) of the six bi tables.
Coefficients SelectBi(int index);

// The bias-corrected Cv' and Cs' as the report states them.
struct CorrectedCoefficients {
    double cv = 0;
    double cs = 0;
};

// The bias correction of one series, filled in step order: `known` counts
// the steps done, so that a floating-point fault part-way leaves the values
// before it (and their report lines) standing.
struct BiasCorrection {
    enum Step { kNone = 0, kTables = 1, kCorrected = 2, kCorrectedRatio = 3 };
    int known = kNone;
    RatioColumn column = 2; // kTables: the ai column and both coefficient sets
    Coefficients ai{};
    Coefficients bi{};
    CorrectedCoefficients corrected; // kCorrected: Cv' and Cs' together
    double ratio = 0;                // kCorrectedRatio: Cs'/Cv'
};

// Fills `into` for a series of n values with the sample Cv, Cs and their
// ratio. Raises FloatFault (a ratio that does not round, an overflow) with
// the steps before it kept.
void ComputeBiasCorrection(std::int32_t n, double cv, double cs, double ratio, RegionalR1 choice, BiasCorrection& into);

// Lines 8 to 17 of the statistics report, as far as `bias` is known: the
// column, the coefficients, then Cv', Cs' and Cs'/Cv'.
std::vector<std::string> BiasCorrectionLines(const BiasCorrection& bias, RegionalR1 choice, char separator);

} // namespace aqualen
