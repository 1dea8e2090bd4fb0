#pragma once
// The curve window's part of a work: the sheet, whether it is drawn, the
// zoom, the parameters dialog's controls and grid, the quantile window.

#include "work/ui/work.h"

namespace aqualen::ui {
class TObespForm;
class TParamDlg;
} // namespace aqualen::ui

namespace aqualen::work::ui {

CurveWork CaptureCurve(aqualen::ui::TObespForm& form);
// Into a window just made: the sheet is drawn again and its band, when one
// is asked for, computed again.
void ApplyCurve(aqualen::ui::TObespForm& form, const CurveWork& curve);

ParamsWork CaptureParams(aqualen::ui::TParamDlg& dialog);
void ApplyParams(aqualen::ui::TParamDlg& dialog, const ParamsWork& params);

} // namespace aqualen::work::ui
