#include "stats/bias_correction.h"

#include <stdexcept>

#include "series/float_fault.h"
#include "series/number_text.h"
#include "series/numeric_routines.h"
#include "stats/coefficient_tables.h"

namespace aqualen {

namespace {

std::string CoefficientsText(const char* label, const Coefficients& values, char separator)
{
    std::string text = label;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += '\t';
        text += FormatGeneral(values[i], separator);
    }
    return text;
}

// (c1 + c2/n) + (c3 + c4/n) * x + (c5 + c6/n) * x^2, kept extended until
// the result is stored.
double Corrected(const Coefficients& c, std::int32_t n, double x)
{
    const long double count = n;
    const long double sample = x;
    const long double value = (c[0] + CheckedDivide(c[1], count)) + (c[2] + CheckedDivide(c[3], count)) * sample +
                              (c[4] + CheckedDivide(c[5], count)) * sample * sample;
    return StoreDouble(value);
}

} // namespace

RegionalR1 RegionalR1At(int index)
{
    if (index < 0 || index >= static_cast<int>(kRegionalR1Choices.size()))
        return kRegionalR1Choices[0];
    return kRegionalR1Choices[static_cast<size_t>(index)];
}

RatioColumn ColumnOfRatio(double ratio)
{
    // The whole 64-bit result is compared: a huge ratio must not wrap into
    // the 3 or 4 range.
    const std::int64_t rounded = RoundHalfEven(ratio);
    if (rounded == 3)
        return 3;
    if (rounded >= 4 && rounded <= 99)
        return 4;
    return 2;
}

Coefficients SelectAi(RatioColumn column, double r1)
{
    Coefficients result{};
    for (size_t t = 0; t < kAiTables.size(); ++t) {
        double coefficient = 0;
        for (const CoefficientRow& row : kAiTables[t])
            if (row.key <= column && row.threshold <= r1)
                coefficient = row.value;
        result[t] = coefficient;
    }
    return result;
}

Coefficients SelectBi(int index)
{
    if (index < 0 || index >= 3)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    Coefficients result{};
    for (size_t t = 0; t < kBiTables.size(); ++t)
        result[t] = kBiTables[t][static_cast<size_t>(index)].value;
    return result;
}

void ComputeBiasCorrection(std::int32_t n, double cv, double cs, double ratio, RegionalR1 choice, BiasCorrection& into)
{
    into.column = ColumnOfRatio(ratio);
    into.ai = SelectAi(into.column, choice.value);
    into.bi = SelectBi(choice.index);
    into.known = BiasCorrection::kTables;

    into.corrected = {Corrected(into.ai, n, cv), Corrected(into.bi, n, cs)};
    into.known = BiasCorrection::kCorrected;
    into.ratio = StoreDouble(CheckedDivide(into.corrected.cs, into.corrected.cv));
    into.known = BiasCorrection::kCorrectedRatio;
}

std::vector<std::string> BiasCorrectionLines(const BiasCorrection& bias, RegionalR1 choice, char separator)
{
    std::vector<std::string> lines;
    if (bias.known < BiasCorrection::kTables)
        return lines;
    lines.insert(lines.end(), {"",
                               "----- При: Cs/Cv = " + std::to_string(bias.column) +
                                   "; r(1) = " + FormatGeneral(choice.value, separator) + " -----",
                               "", CoefficientsText("ai:\t", bias.ai, separator), "",
                               CoefficientsText("bi:\t", bias.bi, separator), ""});
    if (bias.known < BiasCorrection::kCorrected)
        return lines;
    lines.push_back("Cv:\t" + FormatFixed(bias.corrected.cv, 3, separator));
    lines.push_back("Cs:\t" + FormatFixed(bias.corrected.cs, 3, separator));
    if (bias.known < BiasCorrection::kCorrectedRatio)
        return lines;
    lines.push_back("Cs/Cv: \t" + FormatFixed(bias.ratio, 1, separator));
    return lines;
}

} // namespace aqualen
