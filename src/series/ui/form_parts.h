#pragma once
// The building blocks the calculation windows share: bevelled panels, series
// and report panes, splitters that never collapse a side.

#include <QFrame>
#include <Qt>

class QPlainTextEdit;
class QSplitter;
class QWidget;

namespace aqualen::ui {

// A panel with a bevel (QFrame::Sunken for lowered, QFrame::Raised for raised).
QFrame* MakePanel(QWidget* parent, const char* name, QFrame::Shadow shadow);

// A multi-line pane without word wrap and with both scroll bars.
QPlainTextEdit* MakePane(QWidget* parent, const char* name);

QSplitter* MakeSplitter(Qt::Orientation orientation, const char* name, int handleWidth);

} // namespace aqualen::ui
