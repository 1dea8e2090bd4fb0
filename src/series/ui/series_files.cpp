#include "series/ui/series_files.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTextCursor>
#include <QTimer>
#include <QUrl>

#include "series/series_file_import.h"
#include "series/ui/file_dialogs.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "series/ui/series_pane.h"
#include "series/ui/workbook_reader.h"

namespace aqualen::ui {

namespace {

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The first local file among the dragged URLs; empty when there is none.
QString DraggedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

class FileDropFilter final : public QObject {
public:
    FileDropFilter(QWidget& target, std::function<void(const QString&)> dropped)
        : QObject(&target), dropped_(std::move(dropped))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (DraggedFile(drag->mimeData()).isEmpty())
                return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = DraggedFile(drop->mimeData());
            if (path.isEmpty())
                return false;
            drop->acceptProposedAction();
            // The file is read once the drag is over: a dialog asking for
            // the column must not run inside the drag's own event.
            QTimer::singleShot(0, this, [this, path] { dropped_(path); });
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    std::function<void(const QString&)> dropped_;
};

} // namespace

namespace {

QString YearList(const std::vector<int>& years)
{
    constexpr size_t kShown = 12;
    QStringList shown;
    for (size_t i = 0; i < years.size() && i < kShown; ++i)
        shown << QString::number(years[i]);
    if (years.size() > kShown)
        shown << QStringLiteral("… (всего %1)").arg(years.size());
    return shown.join(QStringLiteral(", "));
}

// The question about a year column that does not run on by one.
QString BrokenYearsQuestion(const YearColumn& years)
{
    QStringList faults;
    if (!years.missing.empty())
        faults << QStringLiteral("пропущены %1").arg(YearList(years.missing));
    if (!years.repeated.empty())
        faults << QStringLiteral("повторены %1").arg(YearList(years.repeated));
    if (faults.isEmpty())
        faults << QStringLiteral("идут не по порядку");
    return QStringLiteral("Годы в столбце %1 идут не подряд: %2.\nВзять значения без лет?")
        .arg(years.column + 1)
        .arg(faults.join(QStringLiteral("; ")));
}

QString WorkbookFaultMessage(WorkbookFault fault, const QString& path, const QString& sheet)
{
    switch (fault) {
    case WorkbookFault::TooManyRows:
        return QStringLiteral("На листе «%1» книги «%2» больше %3 строк!")
            .arg(sheet, Shown(path))
            .arg(kMaxWorkbookRows);
    case WorkbookFault::TooLarge:
        return QStringLiteral("Книга «%1» слишком велика для ряда!").arg(Shown(path));
    default:
        return QStringLiteral("Не удалось прочитать книгу «%1»!").arg(Shown(path));
    }
}

// The table of a workbook's sheet: the only one, or the one the user picks.
std::optional<SeriesTable> ReadWorkbookTable(QWidget* parent, const QByteArray& bytes, const QString& path)
{
    WorkbookFault fault = WorkbookFault::None;
    const std::optional<std::vector<std::string>> names = WorkbookSheetNames(bytes, fault);
    if (!names || names->empty()) {
        ShowError(parent, WorkbookFaultMessage(fault, path, {}));
        return std::nullopt;
    }
    int sheet = 0;
    if (names->size() > 1) {
        QStringList shown;
        for (const std::string& name : *names)
            shown << QString::fromStdString(name);
        const std::optional<int> chosen = Files().ChooseSheet(parent, shown, path);
        if (!chosen || *chosen < 0 || *chosen >= shown.size())
            return std::nullopt;
        sheet = *chosen;
    }
    std::optional<SeriesTable> table = ReadWorkbookSheet(bytes, static_cast<size_t>(sheet), fault);
    if (!table)
        ShowError(parent, WorkbookFaultMessage(fault, path, QString::fromStdString((*names)[sheet])));
    return table;
}

bool FitsPane(QWidget* parent, const SeriesLines& lines)
{
    if (lines.size() <= static_cast<size_t>(kMaxPaneLines))
        return true;
    ShowError(parent, QStringLiteral("В ряду больше %1 строк!").arg(kMaxPaneLines));
    return false;
}

} // namespace

std::optional<ImportedSeries> TakeColumn(QWidget* parent, const SeriesTable& table, const QString& source)
{
    ImportedSeries imported;
    if (!source.isEmpty())
        imported.name = QFileInfo(source).completeBaseName();
    const std::optional<ColumnChoice> chosen = Files().ChooseColumn(parent, table, source);
    if (!chosen)
        return std::nullopt;
    const ColumnChoice choice = *chosen;
    if (choice.skipHeader && !table.rows.empty() && choice.column < table.rows[0].size() &&
        !table.rows[0][choice.column].empty())
        imported.name = QString::fromStdString(table.rows[0][choice.column]);
    if (const std::optional<YearColumn> years = FindYearColumn(table, choice.column, choice.skipHeader)) {
        if (years->Consecutive())
            imported.firstYear = years->firstYear;
        else if (AskYesCancel(parent, BrokenYearsQuestion(*years)) != Answer::Yes)
            return std::nullopt;
    }
    imported.lines = ColumnLines(table, choice.column, choice.skipHeader, SystemDecimalSeparator());
    if (!FitsPane(parent, imported.lines))
        return std::nullopt;
    return imported;
}

std::optional<ImportedSeries> ReadSeriesFile(QWidget* parent, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowError(parent, QStringLiteral("Не удалось прочитать файл «%1»!").arg(Shown(path)));
        return std::nullopt;
    }
    if (file.size() > kMaxSeriesFileBytes) {
        ShowError(parent, QStringLiteral("Файл «%1» слишком велик для ряда!").arg(Shown(path)));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ShowError(parent, QStringLiteral("Не удалось прочитать файл «%1»!").arg(Shown(path)));
        return std::nullopt;
    }
    std::optional<SeriesTable> read;
    if (LooksLikeWorkbook(bytes))
        read = ReadWorkbookTable(parent, bytes, path);
    else
        read = ReadSeriesTable(std::string_view(bytes.constData(), bytes.size()));
    if (!read)
        return std::nullopt;
    const SeriesTable& table = *read;
    if (NeedsColumnChoice(table))
        return TakeColumn(parent, table, path);
    ImportedSeries imported;
    imported.name = QFileInfo(path).completeBaseName();
    imported.lines = ColumnLines(table, 0, false, SystemDecimalSeparator());
    if (!FitsPane(parent, imported.lines))
        return std::nullopt;
    return imported;
}

std::optional<SeriesLines> ReadSeriesFileLines(QWidget* parent, const QString& path)
{
    std::optional<ImportedSeries> imported = ReadSeriesFile(parent, path);
    if (!imported)
        return std::nullopt;
    return std::move(imported->lines);
}

QString TextOfLines(const SeriesLines& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    // A pane does not count the empty line after a final break: an empty
    // last line needs a break of its own to stay a line.
    if (!lines.empty() && lines.back().empty())
        text += '\n';
    return QString::fromStdString(text);
}

void ReplacePaneLines(QPlainTextEdit& shown, const SeriesLines& lines)
{
    QPlainTextEdit& pane = EditorOf(shown); // Undo goes back to all the pane held
    QTextCursor cursor(pane.document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(TextOfLines(lines));
    cursor.endEditBlock();
    cursor.movePosition(QTextCursor::Start);
    pane.setTextCursor(cursor);
}

bool LoadSeriesFile(QWidget* parent, QPlainTextEdit& pane, const QString& path)
{
    const std::optional<ImportedSeries> imported = ReadSeriesFile(parent, path);
    if (!imported)
        return false;
    if (SeriesPane* series = AsSeriesPane(pane))
        series->SetSeries({TextOfLines(imported->lines), imported->firstYear, imported->name});
    else
        ReplacePaneLines(pane, imported->lines);
    return true;
}

QString OpenSeriesFile(QWidget* parent, QPlainTextEdit& pane)
{
    const QString path = Files().OpenName(parent);
    if (path.isEmpty() || !LoadSeriesFile(parent, pane, path))
        return {};
    return path;
}

QString ReportFileName(const QString& seriesPath)
{
    const QString suffix = QStringLiteral("отчет.txt");
    if (seriesPath.isEmpty())
        return suffix;
    const QFileInfo info(seriesPath);
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('_') + suffix);
}

bool WriteTextFile(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool SaveReport(QWidget* parent, const QPlainTextEdit& report, const QString& seriesPath)
{
    const QString path = Files().SaveName(parent, ReportFileName(seriesPath));
    if (path.isEmpty())
        return false;
    QString text = report.toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    if (!WriteTextFile(path, text)) {
        ShowError(parent, QStringLiteral("Не удалось записать файл «%1»!").arg(Shown(path)));
        return false;
    }
    return true;
}

void AcceptFileDrops(QWidget& target, std::function<void(const QString&)> dropped)
{
    target.setAcceptDrops(true);
    target.installEventFilter(new FileDropFilter(target, std::move(dropped)));
}

void ShowActionsInContextMenu(QPlainTextEdit& pane)
{
    if (AsSeriesPane(pane))
        return; // a series pane shows its actions in its own menu
    pane.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&pane, &QWidget::customContextMenuRequested, &pane, [&pane](const QPoint& position) {
        QMenu* menu = pane.createStandardContextMenu(position);
        const QList<QAction*> standard = menu->actions();
        QAction* first = standard.isEmpty() ? nullptr : standard.first();
        menu->insertActions(first, pane.actions());
        if (first)
            menu->insertSeparator(first);
        menu->exec(pane.viewport()->mapToGlobal(position));
        delete menu;
    });
}

} // namespace aqualen::ui
