#include "curve/curve_settings.h"

namespace aqualen {

namespace {

void CopyList(const TDoubleList& from, TDoubleList& to)
{
    to.Clear();
    for (int32_t i = 0; i < from.Count(); ++i)
        to.Add(from.Get(i));
}

} // namespace

CurveSettings CopyCurveSettings(const CurveSettings& sheet)
{
    CurveSettings copy;
    copy.FineGrid = sheet.FineGrid;
    copy.SmoothCurve = sheet.SmoothCurve;
    copy.CurveA = sheet.CurveA;
    copy.CurveB = sheet.CurveB;
    copy.CurveC = sheet.CurveC;
    copy.PointRadius = sheet.PointRadius;
    copy.Title = sheet.Title;
    copy.AxisName = sheet.AxisName;
    copy.ScaleMax = sheet.ScaleMax;
    copy.ScaleMin = sheet.ScaleMin;
    copy.MainStep = sheet.MainStep;
    copy.AdditionalStep = sheet.AdditionalStep;
    copy.Legend = sheet.Legend;
    copy.ReturnPeriodAxis = sheet.ReturnPeriodAxis;
    copy.Formula = sheet.Formula;
    CopyList(sheet.Probabilities, copy.Probabilities);
    CopyList(sheet.Values, copy.Values);
    CopyList(sheet.PointX, copy.PointX);
    CopyList(sheet.PointY, copy.PointY);
    copy.Analytic = sheet.Analytic;
    return copy;
}

} // namespace aqualen
