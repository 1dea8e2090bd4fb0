#pragma once
// What the exceedance-curve sheet is: the sheet settings, the entered series,
// the smoothing fit and the analytic curve with its band. A default-made
// value is a drawable empty sheet (scale 0..17 by 1 and 0.2, radius 3, coarse
// grid). How a window shows the sheet (zoom, placement) is not kept here.

#include <cstdint>
#include <string>

#include "curve/analytic_sheet.h"
#include "curve/plotting_formula.h"
#include "series/numeric_lists.h"

namespace aqualen {

// The caption the parameters dialog and the command line offer for the value axis.
inline constexpr const char* kDefaultAxisName = "Q, м3/с";

struct CurveSettings {
    // How many points a series on the sheet holds: the dialog's count box,
    // the series grid and the command line.
    static constexpr int kMinPoints = 5;
    static constexpr int kMaxPoints = 500;
    static constexpr bool PointCountAllowed(long long n) { return n >= kMinPoints && n <= kMaxPoints; }

    bool FineGrid = false;    // 0.01..99.99 % grid instead of 0.1..99.9 %
    bool SmoothCurve = false; // draw the fitted parabola
    long double CurveA = 0;   // y = A*x^2 + B*x + C in sheet centimetres
    long double CurveB = 0;
    long double CurveC = 0;
    uint8_t PointRadius = 3; // in steps of 0.06 cm
    std::string Title;
    std::string AxisName;
    double ScaleMax = 17;
    double ScaleMin = 0;
    double MainStep = 1;
    double AdditionalStep = 0.2;
    bool Legend = true;                                 // the box naming every line, in a free corner of the graph
    bool ReturnPeriodAxis = false;                      // a second axis "T, лет" (T = 100 / P) along the top
    PlottingFormula Formula = PlottingFormula::Weibull; // how the points' probabilities were given
    TDoubleList Probabilities;                          // percent, ascending
    TDoubleList Values;                                 // same order and count
    TDoubleList PointX;                                 // sheet cm at the last fit
    TDoubleList PointY;
    AnalyticSheet Analytic; // the analytic curve, fitted when the dialog stores it
};

// A copy of every member: the lists own their storage and do not copy
// themselves.
CurveSettings CopyCurveSettings(const CurveSettings& sheet);

} // namespace aqualen
