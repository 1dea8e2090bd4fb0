#pragma once
// Windows reached from the main menu are made on first use, owned by the main
// window, and then shown again and again: closing one only hides it, so its
// panes and results are still there at the next click.

#include <QPointer>
#include <QWidget>

namespace aqualen::ui {

enum class ShowMode { Normal, Maximized };

template <typename Window>
Window& ShowOnDemand(QPointer<Window>& slot, QWidget* owner, ShowMode mode = ShowMode::Normal)
{
    if (!slot)
        slot = new Window(owner);
    if (mode == ShowMode::Maximized)
        slot->showMaximized();
    else
        slot->show();
    slot->raise();
    slot->activateWindow();
    return *slot;
}

} // namespace aqualen::ui
