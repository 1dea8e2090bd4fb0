#pragma once
// The curve parameters dialog: sheet settings, the value scale, the series
// grid and the smoothing option. It writes the curve settings only on a
// successful OK; "Отмена", Esc and the close button put every control back
// to what it showed when the dialog was opened, so that between showings the
// dialog shows what the sheet shows.

#include <QDialog>
#include <QKeySequence>

#include "curve/auto_scale.h"
#include "curve/curve_settings.h"
#include "curve/series_grid_cells.h"
#include "curve/sheet_update.h"
#include "curve/ui/control_snapshot.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace aqualen::ui {

class AnalyticPage;
class RadioGroup;
class SeriesGridModel;
class SeriesGridView;
class UpDown;

class TParamDlg : public QDialog {
    Q_OBJECT
public:
    TParamDlg(CurveSettings& settings, QWidget* owner);

    QTabWidget* PageControl1;
    QPushButton* btnOk;
    QPushButton* btnCansel;
    // Page "Параметры"
    QLineEdit* Edit1;
    UpDown* UpDown1;
    QLineEdit* edNameKrOb;
    QLineEdit* edAxisName;
    RadioGroup* RadioGroup1;
    QCheckBox* cbLegend;        // "Легенда"
    QCheckBox* cbReturnPeriods; // the return-period axis along the top
    // Page "Шкала"
    QLineEdit* edMax;
    QLineEdit* edMin;
    QLineEdit* edMainPoint;
    QLineEdit* edAdditionalPoint;
    QPushButton* btnAutoScale = nullptr; // "Подобрать по ряду"
    // Page "Ряд данных"
    SeriesGridModel* GridCells;
    SeriesGridView* StringGrid1;
    QLineEdit* Edit2;
    UpDown* UpDown2;
    QToolButton* sbCut;
    QToolButton* sbCopy;
    QToolButton* sbPaste;
    QToolButton* sbClear;
    QToolButton* sbSorted;
    QPushButton* btnTakeSeries = nullptr; // "Взять ряд из главного окна"
    QCheckBox* CheckBox1;
    RadioGroup* RadioGroupP;
    // Page "Кривая"
    QCheckBox* CheckBoxCurve;
    // Page "Аналитическая кривая"
    AnalyticPage* PageAnalytic = nullptr;
    // ActionList1
    QAction* Copy;
    QAction* Paste;
    QAction* Cut;

    // The number of points n.
    int PointCount() const;
    // The plotting formula chosen on the page "Ряд данных".
    PlottingFormula Formula() const;

    // Closing with OK runs FormCloseQuery first, and stays open when it
    // refuses; any other result closes at once.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

public slots:
    void Edit1Change();
    void Edit2Change();
    void RadioGroupPClick();
    void CheckBox1Click();
    void StringGrid1KeyDown(int key);
    void CopyExecute();
    void CutExecute();
    void PasteExecute();
    void sbClearClick();
    void sbSortedClick();
    // Fills the four scale boxes with the scale chosen from the series (and
    // the curves the dialog would draw); nothing is stored until OK.
    void btnAutoScaleClick();

private:
    void FormCreate();
    QWidget* CreateParametersPage();
    QWidget* CreateScalePage();
    QWidget* CreateSeriesPage();
    QWidget* CreateCurvePage();
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
    void ShowScale(const SheetScale& scale);
    // What the dialog showed when it was opened, put back on a cancel.
    void TakeSnapshot();
    void RestoreSnapshot();

    CurveSettings& settings_;
    ControlSnapshot controls_;
    SeriesGridCells openedCells_;
};

} // namespace aqualen::ui
