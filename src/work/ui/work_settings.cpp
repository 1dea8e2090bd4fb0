#include "work/ui/work_settings.h"

#include <QSettings>
#include <memory>
#include <string>
#include <vector>

#include "work/recent_works.h"

namespace aqualen::work::ui {

namespace {

QString& SettingsFile()
{
    static QString path;
    return path;
}

std::unique_ptr<QSettings> Settings()
{
    if (!SettingsFile().isEmpty())
        return std::make_unique<QSettings>(SettingsFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("Aqualen"), QStringLiteral("Aqualen"));
}

std::vector<std::string> ToList(const QStringList& paths)
{
    std::vector<std::string> list;
    for (const QString& path : paths)
        list.push_back(path.toStdString());
    return list;
}

QStringList FromList(const std::vector<std::string>& list)
{
    QStringList paths;
    for (const std::string& path : list)
        paths << QString::fromStdString(path);
    return paths;
}

const QString kLastFolder = QStringLiteral("works/lastFolder");
const QString kRecent = QStringLiteral("works/recent");
const QString kGeometry = QStringLiteral("mainWindow/geometry");

} // namespace

QString LastWorkFolder()
{
    return Settings()->value(kLastFolder).toString();
}

void SetLastWorkFolder(const QString& folder)
{
    Settings()->setValue(kLastFolder, folder);
}

QStringList RecentWorks()
{
    // Whatever another version left there, the list keeps its limit.
    return FromList(WithoutRecentWork(ToList(Settings()->value(kRecent).toStringList()), std::string()));
}

void AddRecentWork(const QString& path)
{
    Settings()->setValue(kRecent, FromList(WithRecentWork(ToList(RecentWorks()), path.toStdString())));
}

void RemoveRecentWork(const QString& path)
{
    Settings()->setValue(kRecent, FromList(WithoutRecentWork(ToList(RecentWorks()), path.toStdString())));
}

QByteArray MainWindowGeometry()
{
    return Settings()->value(kGeometry).toByteArray();
}

void SetMainWindowGeometry(const QByteArray& geometry)
{
    Settings()->setValue(kGeometry, geometry);
}

void UseSettingsFile(const QString& path)
{
    SettingsFile() = path;
}

} // namespace aqualen::work::ui
