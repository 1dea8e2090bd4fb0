#include "work/ui/curve_work.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <utility>
#include <vector>

#include "curve/series_grid_cells.h"
#include "curve/ui/analytic_page.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_model.h"
#include "curve/ui/series_page.h"
#include "distributions/ui/quantiles_form.h"
#include "series/ui/radio_group.h"
#include "work/ui/window_frame.h"

namespace aqualen::work::ui {

using aqualen::ui::RadioGroup;
using aqualen::ui::TObespForm;
using aqualen::ui::TParamDlg;

namespace {

// The dialog's controls under their member names, in the order they are put
// back: the boxes, then the groups, then the checks, a box that switches
// others before them.
std::vector<std::pair<QString, QLineEdit*>> Boxes(TParamDlg& d)
{
    const aqualen::ui::AnalyticPage& a = *d.PageAnalytic;
    return {{"Edit1", d.Edit1},
            {"edNameKrOb", d.edNameKrOb},
            {"edAxisName", d.edAxisName},
            {"edMax", d.edMax},
            {"edMin", d.edMin},
            {"edMainPoint", d.edMainPoint},
            {"edAdditionalPoint", d.edAdditionalPoint},
            {"Edit2", d.Edit2},
            {"edMean", a.edMean},
            {"edCv", a.edCv},
            {"edCs", a.edCs},
            {"edRatio", a.edRatio}};
}

std::vector<std::pair<QString, RadioGroup*>> Groups(TParamDlg& d)
{
    return {{"RadioGroup1", d.RadioGroup1},
            {"RadioGroupP", d.RadioGroupP},
            {"rgDistribution", d.PageAnalytic->rgDistribution},
            {"rgBand", d.PageAnalytic->rgBand}};
}

std::vector<std::pair<QString, QAbstractButton*>> Checks(TParamDlg& d)
{
    const aqualen::ui::AnalyticPage& a = *d.PageAnalytic;
    return {{"CheckBox1", d.CheckBox1}, {"CheckBoxCurve", d.CheckBoxCurve}, {"cbFixRatio", a.cbFixRatio},
            {"rbMoments", a.rbMoments}, {"rbCorrected", a.rbCorrected},     {"rbSample", a.rbSample},
            {"rbGraphic", a.rbGraphic}, {"rbLikelihood", a.rbLikelihood},   {"rbGiven", a.rbGiven}};
}

} // namespace

ParamsWork CaptureParams(TParamDlg& dialog)
{
    ParamsWork params;
    for (const auto& [name, box] : Boxes(dialog))
        params.boxes.insert(name, box->text());
    for (const auto& [name, group] : Groups(dialog))
        params.groups.insert(name, group->ItemIndex());
    for (const auto& [name, button] : Checks(dialog))
        params.checks.insert(name, button->isChecked());
    // Every text the grid keeps, hidden rows too: they come back when the
    // number of points grows again.
    const SeriesGridCells& cells = dialog.GridCells->Cells();
    for (int row = 0; row <= SeriesGridCells::kMaxPoints; ++row)
        for (int column = 0; column <= SeriesGridCells::kValueColumn; ++column)
            if (const std::string& text = cells.Get(column, row); !text.empty())
                params.cells.push_back({row, column, QString::fromStdString(text)});
    return params;
}

void ApplyParams(TParamDlg& dialog, const ParamsWork& params)
{
    for (const auto& [name, box] : Boxes(dialog))
        if (const auto text = params.boxes.constFind(name); text != params.boxes.cend())
            box->setText(*text);
    for (const auto& [name, group] : Groups(dialog))
        if (const auto index = params.groups.constFind(name);
            index != params.groups.cend() && *index >= 0 && *index < group->ItemCount())
            group->SetItemIndex(*index);
    for (const auto& [name, button] : Checks(dialog)) {
        const auto checked = params.checks.constFind(name);
        // A radio button goes off when another of its group comes on.
        if (checked != params.checks.cend() && (*checked || !qobject_cast<QRadioButton*>(button)))
            button->setChecked(*checked);
    }
    dialog.CheckBox1Click();
    dialog.PageAnalytic->UpdateControls();
    // The grid last: the count box and the formula have refilled the P column.
    SeriesGridCells cells;
    for (const GridCell& cell : params.cells)
        cells.Set(cell.column, cell.row, cell.text.toStdString());
    dialog.PageSeries->ShowCells(std::move(cells));
}

CurveWork CaptureCurve(TObespForm& form)
{
    CurveWork curve;
    curve.frame = CaptureFrame(form);
    curve.sheet = std::make_shared<const CurveSettings>(CopyCurveSettings(form.Settings()));
    curve.sheetReady = form.View().SheetReady;
    curve.zoomLevel = form.View().ZoomLevel;
    curve.zoomFit = form.sbZoomFit->isChecked();
    if (form.ParamDlg)
        curve.params = CaptureParams(*form.ParamDlg);
    if (form.QuantilesForm) {
        curve.quantilesOpen = form.QuantilesForm->isVisible();
        curve.probabilities = form.QuantilesForm->edProbabilities->text();
        curve.compare = form.QuantilesForm->btnCompare->isChecked();
        curve.quantilesFrame = CaptureFrame(*form.QuantilesForm);
    }
    return curve;
}

void ApplyCurve(TObespForm& form, const CurveWork& curve)
{
    form.Settings() = CopyCurveSettings(*curve.sheet);
    form.View().SheetReady = curve.sheetReady;
    // The window opens fitted; a level is put back as the page of that level.
    if (curve.zoomFit) {
        if (!form.sbZoomFit->isChecked())
            form.sbZoomFit->click();
    } else {
        form.ShowZoomLevel(curve.zoomLevel);
    }
    if (curve.params)
        ApplyParams(form.MakeParamDlg(), *curve.params);
    ApplyFrame(form, curve.frame);
    form.StartBand();
    if (curve.quantilesOpen && curve.sheetReady && form.Settings().Analytic.Fit) {
        form.bbQuantilesClick(); // waits for the band
        if (form.QuantilesForm) {
            form.QuantilesForm->edProbabilities->setText(curve.probabilities);
            form.QuantilesForm->edProbabilitiesEditingFinished();
            if (form.QuantilesForm->btnCompare->isChecked() != curve.compare &&
                form.QuantilesForm->btnCompare->isEnabled())
                form.QuantilesForm->btnCompare->click();
            ApplyFrame(*form.QuantilesForm, curve.quantilesFrame);
        }
    }
    form.FormActivate();
}

} // namespace aqualen::work::ui
