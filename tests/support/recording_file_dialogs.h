#pragma once
// File dialogs for UI tests: answers set beforehand, questions recorded.

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <optional>
#include <utility>
#include <vector>

#include "series/series_file_import.h"
#include "series/ui/file_dialogs.h"

namespace aqualen::test {

class RecordingFileDialogs final : public ui::FileDialogs {
public:
    RecordingFileDialogs() { ui::SetFileDialogs(this); }
    ~RecordingFileDialogs() override { ui::SetFileDialogs(nullptr); }
    RecordingFileDialogs(const RecordingFileDialogs&) = delete;
    RecordingFileDialogs& operator=(const RecordingFileDialogs&) = delete;

    QString OpenName(QWidget*) override { return openAnswer; }
    QString SaveName(QWidget*, const QString& suggested) override
    {
        suggestedNames.push_back(suggested);
        return saveAnswer;
    }
    QString SaveNameOfKind(QWidget*, const QString&, const QString& suggested, const QStringList& filters,
                           int& filter) override
    {
        suggestedNames.push_back(suggested);
        filtersShown.push_back(filters);
        filtersOffered.push_back(filter);
        if (kindAnswer)
            filter = *kindAnswer;
        return saveAnswer;
    }
    std::optional<ui::ColumnChoice> ChooseColumn(QWidget*, const SeriesTable& table, const QString&) override
    {
        tablesShown.push_back(table);
        return columnAnswer;
    }
    std::optional<int> ChooseSheet(QWidget*, const QStringList& sheets, const QString&) override
    {
        sheetsShown.push_back(sheets);
        return sheetAnswer;
    }

    QString openAnswer;
    QString saveAnswer;
    std::optional<ui::ColumnChoice> columnAnswer;
    std::optional<int> sheetAnswer = 0;
    std::optional<int> kindAnswer; // the kind chosen in SaveNameOfKind; unset keeps the offered one
    std::vector<QStringList> filtersShown;
    std::vector<int> filtersOffered;
    std::vector<QStringList> sheetsShown;
    std::vector<QString> suggestedNames;
    std::vector<SeriesTable> tablesShown;
};

// A file with these bytes in a temporary folder that goes with the object.
class TempFile {
public:
    explicit TempFile(const QByteArray& bytes, const QString& name = QStringLiteral("ряд.txt"))
        : path_(dir_.filePath(name))
    {
        QFile file(path_);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    const QString& Path() const { return path_; }
    QString Folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString path_;
};

} // namespace aqualen::test
