#pragma once
// The one road by which windows ask the user for files and for the column of
// a table. The default shows real Qt dialogs; tests install their own answers
// so that nothing ever blocks.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <optional>

class QWidget;

namespace aqualen {
struct SeriesTable;
}

namespace aqualen::ui {

// What the user took from a table: which column, and whether the first row
// is a header to leave out.
struct ColumnChoice {
    size_t column = 0;
    bool skipHeader = false;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // An existing file to read a series from; empty when cancelled.
    virtual QString OpenName(QWidget* parent) = 0;
    // A file to write a report to, `suggested` offered first; empty when cancelled.
    virtual QString SaveName(QWidget* parent, const QString& suggested) = 0;
    // A file to write, of one of the kinds in `filters` ("PDF (*.pdf)"),
    // `filter` the one offered first and, on return, the one chosen; empty
    // when cancelled. Answered as SaveName unless a kind of dialogs says more.
    virtual QString SaveNameOfKind(QWidget* parent, const QString& caption, const QString& suggested,
                                   const QStringList& filters, int& filter)
    {
        (void)caption, (void)filters, (void)filter;
        return SaveName(parent, suggested);
    }
    // The column of a table to read (`fileName` empty for a pasted block);
    // nothing when cancelled.
    virtual std::optional<ColumnChoice> ChooseColumn(QWidget* parent, const SeriesTable& table,
                                                     const QString& fileName) = 0;
    // The sheet of a workbook of several to read (from 0); nothing when cancelled.
    virtual std::optional<int> ChooseSheet(QWidget* parent, const QStringList& sheets, const QString& fileName) = 0;
};

// The dialogs in use; Qt's unless a test set others.
FileDialogs& Files();
// Installs dialogs (not owned); nullptr restores Qt's.
void SetFileDialogs(FileDialogs* dialogs);

} // namespace aqualen::ui
