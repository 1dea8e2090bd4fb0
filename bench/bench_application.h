#pragma once
// The one QApplication of the benchmark program, on the offscreen platform
// unless another is asked for, and a way to let a window finish its work.

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>
#include <QtGlobal>
#include <memory>

namespace aqualen::bench {

inline QApplication& Application()
{
    static int argc = 1;
    static char name[] = "aqualen_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

// Runs the events a command left behind (chart layout, scene updates) and
// paints the window, so that a measurement ends when the user sees the result.
inline void Settle(QWidget& window)
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    window.repaint();
}

} // namespace aqualen::bench
