// A window's title with the names of its series: the text for each mix of
// named and unnamed panes, and a window whose title follows its panes.

#include <QWidget>

#include <gtest/gtest.h>

#include "series/ui/series_names_title.h"
#include "series/ui/series_pane.h"

namespace aqualen::test {
namespace {

using ui::TitleWithSeriesNames;

TEST(SeriesNamesTitle, NamesFollowTheTitleInTheirPlaces)
{
    const QString base = QStringLiteral("Расчет коэффициента корреляции");
    const struct {
        QStringList names;
        const char* title;
    } cases[] = {
        {{}, "Расчет коэффициента корреляции"},
        {{QString()}, "Расчет коэффициента корреляции"},
        {{QString(), QString()}, "Расчет коэффициента корреляции"},
        {{QStringLiteral("Ока")}, "Расчет коэффициента корреляции — Ока"},
        {{QStringLiteral("Ока"), QStringLiteral("Уса")}, "Расчет коэффициента корреляции — Ока / Уса"},
        // The analogue alone named must not read as the studied series.
        {{QString(), QStringLiteral("Уса")}, "Расчет коэффициента корреляции — без имени / Уса"},
        {{QStringLiteral("Ока"), QString()}, "Расчет коэффициента корреляции — Ока / без имени"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TitleWithSeriesNames(base, c.names).toStdString(), c.title) << c.names.join('|').toStdString();
}

TEST(SeriesNamesTitle, AWindowTitleFollowsItsPanes)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Проверка на однородность"));
    auto* first = new ui::SeriesPane(&window);
    auto* second = new ui::SeriesPane(&window);
    second->SetName(QStringLiteral("до")); // named before it is followed
    ui::ShowSeriesNamesInTitle(window, {first, second});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Проверка на однородность — без имени / до"));

    first->SetSeries({QStringLiteral("1\n2"), 1950, QStringLiteral("Ока, 1950–1979")});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Проверка на однородность — Ока, 1950–1979 / до"));
    first->insertPlainText(QStringLiteral("3")); // typing keeps the name
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Проверка на однородность — Ока, 1950–1979 / до"));

    first->SetName(QString());
    second->SetSeries({});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Проверка на однородность"));
}

} // namespace
} // namespace aqualen::test
