#include "series/ui/busy_cursor.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "series/ui/series_pane.h"

namespace aqualen::ui {

BusyCursor::BusyCursor(std::initializer_list<const QPlainTextEdit*> panes)
{
    // A pane's block count is kept by its document (a series pane's count
    // of a text not yet in the editor, by the pane): no text is read here.
    qint64 lines = 0;
    for (const QPlainTextEdit* pane : panes) {
        const SeriesPane* series = AsSeriesPane(*pane);
        lines += series ? series->LineCount() : pane->document()->blockCount();
    }
    if (lines < kBusyLines)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    shown_ = true;
}

BusyCursor::~BusyCursor()
{
    if (shown_)
        QGuiApplication::restoreOverrideCursor();
}

WaitCursor::WaitCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

CursorPause::CursorPause()
{
    while (const QCursor* cursor = QGuiApplication::overrideCursor()) {
        paused_.push_back(*cursor);
        QGuiApplication::restoreOverrideCursor();
    }
}

CursorPause::~CursorPause()
{
    for (auto cursor = paused_.rbegin(); cursor != paused_.rend(); ++cursor)
        QGuiApplication::setOverrideCursor(*cursor);
}

} // namespace aqualen::ui
