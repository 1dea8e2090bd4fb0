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

CorrectedCoefficients BiasCorrectionBlock(std::int32_t n, double cv, double cs, double ratio, RegionalR1 choice,
                                          char separator, const LineSink& sink)
{
    const RatioColumn column = ColumnOfRatio(ratio);
    const Coefficients ai = SelectAi(column, choice.value);
    const Coefficients bi = SelectBi(choice.index);

    sink("");
    sink("----- При: Cs/Cv = " + std::to_string(column) + "; r(1) = " + FormatGeneral(choice.value, separator) +
         " -----");
    sink("");
    sink(CoefficientsText("ai:\t", ai, separator));
    sink("");
    sink(CoefficientsText("bi:\t", bi, separator));
    sink("");

    const double cvCorrected = Corrected(ai, n, cv);
    const double csCorrected = Corrected(bi, n, cs);
    sink("Cv:\t" + FormatFixed(cvCorrected, 3, separator));
    sink("Cs:\t" + FormatFixed(csCorrected, 3, separator));
    const double ratioCorrected = StoreDouble(CheckedDivide(csCorrected, cvCorrected));
    sink("Cs/Cv: \t" + FormatFixed(ratioCorrected, 1, separator));
    return {cvCorrected, csCorrected};
}

} // namespace aqualen
