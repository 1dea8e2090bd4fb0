#pragma once
// Where a window is and whether it shows: taken from the window, put back.

#include "work/ui/work.h"

class QWidget;

namespace aqualen::work::ui {

WindowFrame CaptureFrame(const QWidget& window);
// Geometry and splitters; the window is shown or hidden as the frame says
// only when `show` is set (the main window shows itself).
void ApplyFrame(QWidget& window, const WindowFrame& frame, bool show = true);

} // namespace aqualen::work::ui
