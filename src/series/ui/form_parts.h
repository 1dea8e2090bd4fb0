#pragma once
// The building blocks the calculation windows share: bevelled panels, series
// and report panes, splitters that never collapse a side.

#include <QFrame>
#include <Qt>
#include <initializer_list>

class QPlainTextEdit;
class QSplitter;
class QWidget;

namespace aqualen::ui {

// A panel with a bevel (QFrame::Sunken for lowered, QFrame::Raised for raised).
QFrame* MakePanel(QWidget* parent, const char* name, QFrame::Shadow shadow);

// A multi-line pane without word wrap and with both scroll bars.
QPlainTextEdit* MakePane(QWidget* parent, const char* name);

class SeriesPane;
// A series pane (a year gutter once the first year is known), set up as MakePane.
SeriesPane* MakeSeriesPane(QWidget* parent, const char* name);

// The pane a report is written into: a pane in the bold face of its window.
QPlainTextEdit* MakeReportPane(QWidget* parent, const char* name);

// The classic 8-point dialog face is not on Linux: the windows use their
// own sans serif (WindowFamily) at 11 pixels, which keeps the layout as designed.
void UseDialogFace(QWidget& window);

// Moves a window to the centre of its screen.
void CentreOnScreen(QWidget& window);

QSplitter* MakeSplitter(Qt::Orientation orientation, const char* name, int handleWidth);

// Left tab stops of a report pane at these many digit widths from its left
// edge, so that a report's tab-separated columns line up.
void SetTabStops(QPlainTextEdit& pane, std::initializer_list<int> digitWidths);

// The widths a window of series panes is designed at, in pixels.
struct PaneLayoutWidths {
    int window = 0;
    int seriesPanel = 0;
    int report = 0;
};
// Lays `window` out as the calculation windows are: the series panel on the
// left ("Splitter1" between), and on the right panel the button panel above
// the report beside its chart ("Splitter3"); the report and the series panel
// keep their widths as the window grows.
void LayOutPaneWindow(QWidget& window, QWidget* seriesPanel, QWidget* right, QWidget* buttons, QWidget* report,
                      QWidget* chart, const PaneLayoutWidths& widths);

} // namespace aqualen::ui
