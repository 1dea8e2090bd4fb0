#include "work/ui/window_frame.h"

#include <QSplitter>
#include <QWidget>

namespace aqualen::work::ui {

WindowFrame CaptureFrame(const QWidget& window)
{
    WindowFrame frame;
    frame.open = window.isVisible();
    frame.geometry = window.saveGeometry();
    // Splitters that carry a name (every window names its own), so that a
    // window with more of them later still finds these.
    for (const QSplitter* splitter : window.findChildren<QSplitter*>())
        if (!splitter->objectName().isEmpty() && splitter->window() == &window)
            frame.splitters.insert(splitter->objectName(), splitter->saveState());
    return frame;
}

void ApplyFrame(QWidget& window, const WindowFrame& frame, bool show)
{
    if (!frame.geometry.isEmpty())
        window.restoreGeometry(frame.geometry);
    for (QSplitter* splitter : window.findChildren<QSplitter*>()) {
        const auto state = frame.splitters.constFind(splitter->objectName());
        if (state != frame.splitters.cend() && splitter->window() == &window)
            splitter->restoreState(*state);
    }
    if (!show)
        return;
    if (frame.open)
        window.show();
    else
        window.hide();
}

} // namespace aqualen::work::ui
