#pragma once
// What the program keeps between runs (QSettings): the folder of the last
// work, the recent works and the main window's geometry. Tests point it at a
// file of their own.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace aqualen::work::ui {

QString LastWorkFolder();
void SetLastWorkFolder(const QString& folder);

QStringList RecentWorks();
// Puts `path` first in the list (at most kMaxRecentWorks entries).
void AddRecentWork(const QString& path);
void RemoveRecentWork(const QString& path);

QByteArray MainWindowGeometry();
void SetMainWindowGeometry(const QByteArray& geometry);

// Reads and writes this INI file instead of the user's settings; an empty
// path goes back to them.
void UseSettingsFile(const QString& path);

} // namespace aqualen::work::ui
