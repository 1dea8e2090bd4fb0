#pragma once
// A work as a value: what every window holds that a work file keeps. It is
// taken from the windows (CaptureWork), written and read as JSON
// (work_json.h) and put back into the windows (ApplyWork). A file is read
// whole into this value before any window is touched, so that a file that
// does not read changes nothing.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "curve/curve_settings.h"
#include "series/ui/pane_series.h"

namespace aqualen::work::ui {

// Where a window was and whether it was shown.
struct WindowFrame {
    bool open = false;
    QByteArray geometry;                 // QWidget::saveGeometry(); empty: as the window makes itself
    QMap<QString, QByteArray> splitters; // objectName -> QSplitter::saveState()
};

struct MainWork {
    aqualen::ui::PaneSeries series; // Ser1Memo
    int r1 = 0;                     // RadioGroup1
    QString report;                 // OutPutMemo
    bool reportStale = false;       // the report belongs to a series no longer shown
    WindowFrame frame;
};

// The correlation window: both series, the report and the scatter's pairs.
struct CorrelWork {
    aqualen::ui::PaneSeries series1, series2;
    QString report;
    bool reportStale = false;
    QList<QPointF> points;
    WindowFrame frame;
};

// The homogeneity window: both series, the two choices, the report and the
// two lines of its chart.
struct OdnWork {
    aqualen::ui::PaneSeries series1, series2;
    int row = 0;   // RadioGroup1: the dependence row
    int level = 0; // RadioGroup2: the significance level
    QString report;
    bool reportStale = false;
    QList<QPointF> points1, points2;
    WindowFrame frame;
};

// The window "Анализ ряда": the series, the three choices, the report and
// the lines of its two charts.
struct AnalysisWork {
    aqualen::ui::PaneSeries series;
    int level = 0;  // in percent; 0: the window's default
    int curve = -1; // CurveGroup, R1Group: the selected item; -1: the window's default
    int r1 = -1;
    QString report;
    bool reportStale = false;
    QList<QPointF> values, trend, integral;
    WindowFrame frame;
};

// The window "Приведение к многолетнему периоду": the studied series and
// the analogue, the report and the chart's marks.
struct ExtensionWork {
    aqualen::ui::PaneSeries studied, analogue;
    QString report;
    bool reportStale = false;
    QList<QPointF> common, line, restored;
    WindowFrame frame;
};

// A cell of the curve's series grid that holds text.
struct GridCell {
    int row = 0;
    int column = 0;
    QString text;
};

// The controls of the curve parameters dialog, by their member names.
struct ParamsWork {
    QMap<QString, QString> boxes; // edit boxes: their text
    QMap<QString, bool> checks;   // check boxes and radio buttons
    QMap<QString, int> groups;    // radio groups: the selected item
    std::vector<GridCell> cells;
};

struct CurveWork {
    // What the sheet is; shared because the settings do not copy themselves.
    std::shared_ptr<const CurveSettings> sheet = std::make_shared<CurveSettings>();
    bool sheetReady = false;
    int zoomLevel = 1;
    bool zoomFit = false;
    std::optional<ParamsWork> params; // the dialog, when it was made
    bool quantilesOpen = false;
    QString probabilities; // the quantile window's list, as typed
    bool compare = false;  // the quantile window shows both curves ("Сравнить")
    WindowFrame quantilesFrame;
    WindowFrame frame;
};

// The windows of the menu that exist: a window never made is absent.
struct Work {
    MainWork main;
    std::optional<CorrelWork> correl;
    std::optional<OdnWork> odn;
    std::optional<CurveWork> curve;
    std::optional<AnalysisWork> analysis;
    std::optional<ExtensionWork> extension; // absent in files of older programs
    // Kept in a recovery copy only: the file the work was last saved to
    // (empty for a work never saved).
    QString savedPath;
};

} // namespace aqualen::work::ui
