#include <QPlainTextEdit>
#include <QString>
#include <QTextDocument>
#include <random>

#include <gtest/gtest.h>

#include "series/ui/pane_text.h"
#include "series/ui/raw_pane_text.h"

namespace aqualen::ui {
namespace {

// The lines as the whole text converted and split at once.
SeriesLines Reference(QString raw)
{
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return SplitLines(raw.toStdString());
}

TEST(LinesOfRawText, SplitsAsTheWholeTextWould)
{
    const QString ps(QChar::ParagraphSeparator);
    const QList<QString> cases = {
        QString(),
        QStringLiteral("1"),
        QStringLiteral("1") + ps + QStringLiteral("2") + ps,
        QStringLiteral("1") + ps + ps + QStringLiteral("2"),
        QStringLiteral("1\r") + ps + QStringLiteral("2\r\n3\r4\n"),
        ps + ps,
        QStringLiteral("\r\r\n\n"),
        QStringLiteral("12,5\u00A0") + ps + QStringLiteral("Ё\u2028x"),
        QString(QChar(0xD83D)) + QChar(0xDE00) + ps + QChar(0xD800) + ps + QChar(0xDC00) + QStringLiteral("a"),
    };
    for (const QString& raw : cases)
        EXPECT_EQ(LinesOfRawText(raw), Reference(raw)) << raw.toStdString();
}

TEST(LinesOfRawText, RandomTextsOfBreaksDigitsAndOtherCharacters)
{
    const char16_t alphabet[] = {u'1', u'2', u',', u' ', u'\r', u'\n', 0x2029, 0x00A0, 0x0416, 0x2028, 0xD83D, 0xDE00};
    std::mt19937 random(20240617);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<size_t> pick(0, std::size(alphabet) - 1);
    for (int trial = 0; trial < 5000; ++trial) {
        QString raw;
        for (int i = length(random); i > 0; --i)
            raw += QChar(alphabet[pick(random)]);
        ASSERT_EQ(LinesOfRawText(raw), Reference(raw)) << trial;
    }
}

// Through a real pane: typed line breaks become paragraph separators.
TEST(LinesOfRawText, PaneLinesOfAPastedSeries)
{
    QPlainTextEdit pane;
    pane.setPlainText(QStringLiteral("10,5\r\n11\n\u00A012\n"));
    EXPECT_EQ(PaneLines(pane), (SeriesLines{"10,5", "11", "\u00A012"}));
}

} // namespace
} // namespace aqualen::ui
