#include "series/ui/line_pointer.h"

#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>

#include "series/ui/series_pane.h"

namespace aqualen::ui {

void PointAtLine(QPlainTextEdit& shown, int index, QStatusBar* statusBar)
{
    QPlainTextEdit& pane = EditorOf(shown);
    const QTextBlock block = pane.document()->findBlockByNumber(index);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
    pane.centerCursor();
    pane.setFocus(Qt::OtherFocusReason);
    if (!statusBar)
        return;
    statusBar->showMessage(QStringLiteral("Строка %1: не число").arg(index + 1));
    // The note is about the text as it was: the first edit takes it away.
    QObject::connect(&pane, &QPlainTextEdit::textChanged, statusBar, &QStatusBar::clearMessage,
                     Qt::SingleShotConnection);
}

} // namespace aqualen::ui
