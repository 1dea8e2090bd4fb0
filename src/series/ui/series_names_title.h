#pragma once
// A window that holds named series says so in its title: "<title> — <name>",
// and for two panes "<title> — <first> / <second>", a pane without a name
// standing as "без имени" so that the names keep their places. Without any
// name the title is the window's own.

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace aqualen::ui {

class SeriesPane;

inline constexpr const char* kUnnamedSeriesText = "без имени";

QString TitleWithSeriesNames(const QString& title, const QStringList& names);

// From now on `window`'s title is its present title followed by the names
// of the panes' series, following every change of them.
void ShowSeriesNamesInTitle(QWidget& window, const QList<SeriesPane*>& panes);

} // namespace aqualen::ui
