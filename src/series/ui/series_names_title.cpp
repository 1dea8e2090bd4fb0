#include "series/ui/series_names_title.h"

#include <QWidget>
#include <algorithm>

#include "series/ui/series_pane.h"

namespace aqualen::ui {

QString TitleWithSeriesNames(const QString& title, const QStringList& names)
{
    if (std::all_of(names.begin(), names.end(), [](const QString& name) { return name.isEmpty(); }))
        return title;
    QStringList shown;
    for (const QString& name : names)
        shown << (name.isEmpty() ? QString::fromUtf8(kUnnamedSeriesText) : name);
    return title + QStringLiteral(" — ") + shown.join(QStringLiteral(" / "));
}

void ShowSeriesNamesInTitle(QWidget& window, const QList<SeriesPane*>& panes)
{
    const QString own = window.windowTitle();
    const auto update = [&window, own, panes] {
        QStringList names;
        for (const SeriesPane* pane : panes)
            names << pane->Name();
        // Every keystroke in a pane gets here; the title changes only with a name.
        const QString title = TitleWithSeriesNames(own, names);
        if (window.windowTitle() != title)
            window.setWindowTitle(title);
    };
    for (SeriesPane* pane : panes)
        QObject::connect(pane, &SeriesPane::SeriesChanged, &window, update);
    update();
}

} // namespace aqualen::ui
