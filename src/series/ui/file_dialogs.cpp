#include "series/ui/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

#include "series/series_file_import.h"
#include "series/ui/import_dialog.h"

namespace aqualen::ui {

namespace {

class QtFileDialogs final : public FileDialogs {
public:
    QString OpenName(QWidget* parent) override
    {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Открыть ряд"), QString(),
                                            QStringLiteral("Ряды (*.txt *.csv *.dat *.prn *.tsv *.xlsx *.ods *.xls);;"
                                                           "Текстовые файлы (*.txt *.csv *.dat *.prn *.tsv);;"
                                                           "Книги (*.xlsx *.ods *.xls);;Все файлы (*)"));
    }

    QString SaveName(QWidget* parent, const QString& suggested) override
    {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить отчет"), suggested,
                                            QStringLiteral("Текстовые файлы (*.txt);;Все файлы (*)"));
    }

    QString SaveNameOfKind(QWidget* parent, const QString& caption, const QString& suggested,
                           const QStringList& filters, int& filter) override
    {
        QString selected = filters.value(filter);
        const QString name =
            QFileDialog::getSaveFileName(parent, caption, suggested, filters.join(QStringLiteral(";;")), &selected);
        if (!name.isEmpty() && filters.contains(selected))
            filter = static_cast<int>(filters.indexOf(selected));
        return name;
    }

    std::optional<ColumnChoice> ChooseColumn(QWidget* parent, const SeriesTable& table,
                                             const QString& fileName) override
    {
        ImportDialog dialog(table, fileName, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Choice();
    }

    std::optional<int> ChooseSheet(QWidget* parent, const QStringList& sheets, const QString& fileName) override
    {
        bool chosen = false;
        const QString sheet = QInputDialog::getItem(
            parent, QStringLiteral("Открыть ряд"),
            QStringLiteral("Лист книги «%1»:").arg(QFileInfo(fileName).fileName()), sheets, 0, false, &chosen);
        if (!chosen)
            return std::nullopt;
        return static_cast<int>(sheets.indexOf(sheet));
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
