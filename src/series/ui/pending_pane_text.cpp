#include "series/ui/pending_pane_text.h"

#include <utility>

namespace aqualen::ui {

namespace {

// QTextCursor::insertText starts a block at each of these.
bool StartsBlock(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator || c == QChar(0xFDD0) ||
           c == QChar(0xFDD1);
}

} // namespace

QString EditorText(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!StartsBlock(c)) {
            kept += c;
            continue;
        }
        kept += QLatin1Char('\n');
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
    }
    return kept;
}

void PendingPaneText::Keep(QStringView text)
{
    text_ = EditorText(text);
    const auto breaks = static_cast<int>(text_->count(QLatin1Char('\n')));
    lines_ = text_->isEmpty() || text_->endsWith(QLatin1Char('\n')) ? breaks : breaks + 1;
}

QString PendingPaneText::Take()
{
    QString text = std::exchange(text_, std::nullopt).value_or(QString());
    lines_ = 0;
    return text;
}

} // namespace aqualen::ui
