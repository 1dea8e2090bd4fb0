#pragma once
// The curve parameters dialog: sheet settings, the value scale, the series
// grid, the smoothing option and the analytic curve, a page each. It writes
// the curve settings only on a successful OK; "Отмена", Esc and the close
// button put every control back to what it showed when the dialog was
// opened, so that between showings the dialog shows what the sheet shows.
// The dialog keeps what reaches across its pages: the OK sequence, the
// cancel, the grid's clipboard actions and the handlers that read or change
// more than one page.

#include <QDialog>
#include <QKeySequence>

#include "curve/auto_scale.h"
#include "curve/curve_settings.h"
#include "curve/sheet_update.h"
#include "curve/ui/control_snapshot.h"
#include "curve/ui/curve_page.h"
#include "curve/ui/parameters_page.h"
#include "curve/ui/scale_page.h"
#include "curve/ui/series_page.h"

class QAction;
class QPushButton;
class QTabWidget;

namespace aqualen::ui {

class AnalyticPage;

// The pages' controls are the dialog's too, under the same names (the
// control bases, copied from the pages once they are made).
class TParamDlg : public QDialog,
                  public ParametersControls,
                  public ScaleControls,
                  public SeriesControls,
                  public CurveControls {
    Q_OBJECT
public:
    TParamDlg(CurveSettings& settings, QWidget* owner);

    QTabWidget* PageControl1;
    QPushButton* btnOk;
    QPushButton* btnCansel;
    ParametersPage* PageParameters = nullptr; // "Параметры"
    ScalePage* PageScale = nullptr;           // "Шкала"
    SeriesPage* PageSeries = nullptr;         // "Ряд данных"
    CurvePage* PageCurve = nullptr;           // "Кривая"
    AnalyticPage* PageAnalytic = nullptr;     // "Аналитическая кривая"
    // ActionList1
    QAction* Copy;
    QAction* Paste;
    QAction* Cut;

    // The number of points n.
    int PointCount() const { return PageSeries->PointCount(); }
    // The plotting formula chosen on the page "Ряд данных".
    PlottingFormula Formula() const { return PageSeries->Formula(); }

    // Closing with OK runs FormCloseQuery first, and stays open when it
    // refuses; any other result closes at once.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

public slots:
    // The pages' own handlers.
    void Edit1Change() { PageParameters->Edit1Change(); }
    void Edit2Change() { PageSeries->Edit2Change(); }
    void RadioGroupPClick() { PageSeries->RadioGroupPClick(); }
    void StringGrid1KeyDown(int key) { PageSeries->StringGrid1KeyDown(key); }
    void sbClearClick() { PageSeries->sbClearClick(); }
    void sbSortedClick() { PageSeries->sbSortedClick(); }
    // The series option switches tools on three pages and the actions.
    void CheckBox1Click();
    void CopyExecute();
    void CutExecute();
    void PasteExecute();
    // Fills the four scale boxes with the scale chosen from the series (and
    // the curves the dialog would draw); nothing is stored until OK.
    void btnAutoScaleClick();

private:
    void FormCreate();
    void CreateActions();
    void ClipboardKey(QKeySequence::StandardKey key);
    // Stores the settings and the series; false keeps the dialog open.
    bool FormCloseQuery(int result);
    // What the controls ask the sheet to be.
    SheetInput ReadSheetInput(char separator);
    // Tells why the OK sequence stopped and shows where.
    void ShowRefusal(const SheetUpdate& update);
    // The scale chosen for the sheet, stored into it and shown in the
    // boxes; false (and why) when there is none.
    bool FitScaleToSheet(CurveSettings& sheet);
    // What the dialog showed when it was opened, put back on a cancel.
    void TakeSnapshot();
    void RestoreSnapshot();

    CurveSettings& settings_;
    ControlSnapshot controls_;
};

} // namespace aqualen::ui
