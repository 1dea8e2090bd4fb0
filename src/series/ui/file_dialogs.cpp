#include "series/ui/file_dialogs.h"

#include <QFileDialog>

#include "series/series_file_import.h"
#include "series/ui/import_dialog.h"

namespace aqualen::ui {

namespace {

class QtFileDialogs final : public FileDialogs {
public:
    QString OpenName(QWidget* parent) override
    {
        return QFileDialog::getOpenFileName(
            parent, QStringLiteral("Открыть ряд"), QString(),
            QStringLiteral("Текстовые файлы (*.txt *.csv *.dat *.prn *.tsv);;Все файлы (*)"));
    }

    QString SaveName(QWidget* parent, const QString& suggested) override
    {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить отчет"), suggested,
                                            QStringLiteral("Текстовые файлы (*.txt);;Все файлы (*)"));
    }

    std::optional<ColumnChoice> ChooseColumn(QWidget* parent, const SeriesTable& table,
                                             const QString& fileName) override
    {
        ImportDialog dialog(table, fileName, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Choice();
    }
};

QtFileDialogs& QtDialogs()
{
    static QtFileDialogs dialogs;
    return dialogs;
}

FileDialogs* current = nullptr;

} // namespace

FileDialogs& Files()
{
    return current ? *current : QtDialogs();
}

void SetFileDialogs(FileDialogs* dialogs)
{
    current = dialogs;
}

} // namespace aqualen::ui
