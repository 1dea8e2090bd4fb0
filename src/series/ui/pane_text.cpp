#include "series/ui/pane_text.h"

#include <QLocale>
#include <QPlainTextEdit>

namespace aqualen::ui {

char SystemDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 128)
        return static_cast<char>(point.at(0).unicode());
    return '.';
}

SeriesLines PaneLines(const QPlainTextEdit& pane)
{
    return SplitLines(pane.toPlainText().toStdString());
}

void AppendLine(QPlainTextEdit& pane, const std::string& line)
{
    pane.appendPlainText(QString::fromStdString(line));
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
