#pragma once
// The one shared state of the exceedance curve: sheet settings, the entered
// series, the fitted coefficients and the curve window's page state. One
// instance is owned by whoever shows the curve and handed on by reference.

#include <cstdint>
#include <string>

#include "curve/analytic_sheet.h"
#include "series/numeric_lists.h"

namespace aqualen {

struct CurveSettings {
    bool FineGrid = false;    // 0.01..99.99 % grid instead of 0.1..99.9 %
    bool SmoothCurve = false; // draw the fitted parabola
    long double CurveA = 0;   // y = A*x^2 + B*x + C in sheet centimetres
    long double CurveB = 0;
    long double CurveC = 0;
    uint8_t PointRadius = 0; // in steps of 0.06 cm
    std::string Title;
    std::string AxisName;
    double ScaleMax = 0;
    double ScaleMin = 0;
    double MainStep = 0;
    double AdditionalStep = 0;
    TDoubleList Probabilities; // percent, ascending
    TDoubleList Values;        // same order and count
    TDoubleList PointX;        // sheet cm at the last fit
    TDoubleList PointY;
    AnalyticSheet Analytic; // the analytic curve, fitted when the dialog stores it
    int32_t ViewWidth = 0;
    int32_t ViewHeight = 0;
    int32_t PageLeft = 0;
    int32_t PageTop = 0;
    uint8_t ZoomLevel = 0; // 0 half, 1 initial, 2 double size
    bool PlacementPending = false;
    bool SheetReady = false;

    // The values the curve window sets when it is created (the view size
    // and page placement are the window's own business).
    void SetWindowDefaults();
};

} // namespace aqualen
