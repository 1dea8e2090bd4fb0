#include "series/ui/pane_text.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "series/ui/raw_pane_text.h"
#include "series/ui/series_pane.h"

namespace aqualen::ui {

SeriesLines PaneLines(const QPlainTextEdit& pane)
{
    // A series pane may not have its text in the editor yet.
    if (const SeriesPane* series = AsSeriesPane(pane))
        return series->Lines();
    // The raw text, not toPlainText(): that one turns a no-break space into a
    // plain one, so a pane would read "\u00A0120" that a series file may
    // not hold. Blocks are joined by the paragraph separator; a line break
    // typed or pasted (CR LF, LF or a lone CR) always starts a new block.
    // Split in one pass, the separator standing for a line feed.
    return LinesOfRawText(pane.document()->toRawText());
}

void AppendLine(QPlainTextEdit& pane, const std::string& line)
{
    pane.appendPlainText(QString::fromStdString(line));
}

void PaneReportSink::Begin()
{
    pane_.clear();
}

void SetLines(QPlainTextEdit& pane, const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    pane.setPlainText(QString::fromStdString(text));
}

} // namespace aqualen::ui
