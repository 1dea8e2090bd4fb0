#include "curve/curve_settings.h"

namespace aqualen {

void CurveSettings::SetWindowDefaults()
{
    SheetReady = false;
    FineGrid = false;
    SmoothCurve = false;
    ZoomLevel = 1;
    PlacementPending = true;
    PointRadius = 3;
    Title.clear();
    AxisName.clear();
    ScaleMax = 17;
    ScaleMin = 0;
    MainStep = 1;
    AdditionalStep = 0.2;
    Probabilities.Clear();
    Values.Clear();
    PointX.Clear();
    PointY.Clear();
    Analytic = {};
}

} // namespace aqualen
