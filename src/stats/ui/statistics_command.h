#pragma once
// The main window's statistics command between its two panes, so that the
// menu handler is one call.

class QPlainTextEdit;
class QWidget;

namespace aqualen {
class TDoubleList;
}

namespace aqualen::ui {

// Reads the series pane into `series` and writes the report into the output
// pane with the r(1) of radio item `r1Index`:
// - 2 lines or fewer: nothing happens;
// - a line that does not read: the error box "Ряд введен не корректно!", the
//   output pane keeps its report, `series` keeps the values read before it;
// - otherwise the output pane is cleared and gets the report line by line;
//   a floating-point fault ends the command in the generic error box and
//   leaves the lines already written.
// Nothing escapes: it can be the whole body of a slot. Returns the index of
// the line that did not read, -1 when none stopped the command.
int RunStatisticsCommand(QWidget* parent, const QPlainTextEdit& seriesPane, QPlainTextEdit& outputPane,
                         TDoubleList& series, int r1Index);

} // namespace aqualen::ui
