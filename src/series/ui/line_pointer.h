#pragma once
// After a series is refused, the cursor goes to the line that stopped it:
// the line is selected, scrolled into view and the pane gets the focus.

class QPlainTextEdit;
class QStatusBar;

namespace aqualen::ui {

// Selects line `index` (0-based) of the pane. With a status bar, it says the
// line's number there ("Строка 12: не число").
void PointAtLine(QPlainTextEdit& pane, int index, QStatusBar* statusBar = nullptr);

} // namespace aqualen::ui
