#pragma once
// The two plotting-position formulas of the empirical points and how the
// parameters dialog and the sheet's legend name them.

namespace aqualen {

enum class PlottingFormula {
    Weibull,    // P = m / (n+1) * 100%
    Chegodayev, // P = (m-0.3) / (n+0.4) * 100%
};

constexpr const char* PlottingFormulaText(PlottingFormula formula)
{
    return formula == PlottingFormula::Chegodayev ? "P = (m-0.3) / (n+0.4) * 100%" : "P = m / (n+1) * 100%";
}

} // namespace aqualen
