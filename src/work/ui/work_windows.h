#pragma once
// The work and the windows: taking it from them and putting it back. The
// windows of the menu are the main window's own; a work puts back those that
// existed and no others.

#include "work/ui/work.h"

namespace aqualen::ui {
class TMainForm;
}

namespace aqualen::work::ui {

Work CaptureWork(aqualen::ui::TMainForm& form);

// Every window as a fresh program shows it: the main window emptied, the
// windows of the menu gone (the about box stays).
void ResetWindows(aqualen::ui::TMainForm& form);

// ResetWindows, then the work's windows made and filled.
void ApplyWork(aqualen::ui::TMainForm& form, const Work& work);

} // namespace aqualen::work::ui
