#include "distributions/ui/quantiles_form.h"

#include <algorithm>

#include <QClipboard>
#include <QFontMetrics>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "series/ui/file_dialogs.h"
#include "series/ui/form_parts.h"
#include "series/ui/guarded.h"
#include "series/ui/message_service.h"
#include "series/ui/series_files.h"

namespace aqualen::ui {

namespace {

constexpr int kDesignWidth = 700;
constexpr int kDesignHeight = 560;
constexpr int kPanelHeight = 40;

QString JoinLines(const std::vector<std::string>& lines)
{
    QString text;
    for (const std::string& line : lines) {
        text += QString::fromStdString(line);
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace

TQuantilesForm::TQuantilesForm(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("Квантили"));
    UseDialogFace(*this);

    Panel1 = MakePanel(this, "Panel1", QFrame::Raised);
    Panel1->setFixedHeight(kPanelHeight);
    btnCopy = new QPushButton(QStringLiteral("Копировать таблицу"), Panel1);
    btnSave = new QPushButton(QStringLiteral("Сохранить ..."), Panel1);
    auto* buttons = new QHBoxLayout(Panel1);
    buttons->setContentsMargins(8, 6, 8, 6);
    buttons->addWidget(btnCopy);
    buttons->addWidget(btnSave);
    buttons->addStretch(1);

    OutPutMemo = MakeReportPane(this, "OutPutMemo");
    OutPutMemo->setReadOnly(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(OutPutMemo, 1);

    connect(btnCopy, &QPushButton::clicked, this, &TQuantilesForm::btnCopyClick);
    connect(btnSave, &QPushButton::clicked, this, &TQuantilesForm::btnSaveClick);
    resize(kDesignWidth, kDesignHeight);
    CentreOnScreen(*this);
}

void TQuantilesForm::ShowReport(const dist::Fit& fit, const dist::Band* band, char separator)
{
    OutPutMemo->clear();
    table_.clear();
    dist::QuantileReport report;
    try {
        dist::BuildQuantileReport(fit, band, dist::StandardProbabilities(), separator, report);
    } catch (...) {
        ShowLines(report); // what was known before the fault stays
        throw;
    }
    ShowLines(report);
}

void TQuantilesForm::ShowLines(const dist::QuantileReport& report)
{
    if (report.parameters.empty())
        return;
    AlignTabs(report.parameters);
    for (const std::string& line : report.parameters)
        OutPutMemo->appendPlainText(QString::fromStdString(line));
    OutPutMemo->appendPlainText(QString());
    for (const std::string& line : report.table)
        OutPutMemo->appendPlainText(QString::fromStdString(line));
    table_ = report.table;
    OutPutMemo->moveCursor(QTextCursor::Start);
}

void TQuantilesForm::AlignTabs(const std::vector<std::string>& parameters)
{
    // One tab stop past the longest label, so that the values of the
    // parameters line up, and no narrower than a column of the table.
    const QFontMetrics metrics(OutPutMemo->font());
    int widest = metrics.horizontalAdvance(QStringLiteral("000000000"));
    for (const std::string& line : parameters) {
        const QString label = QString::fromStdString(line).section(QLatin1Char('\t'), 0, 0);
        widest = std::max(widest, metrics.horizontalAdvance(label));
    }
    OutPutMemo->setTabStopDistance(widest + metrics.horizontalAdvance(QStringLiteral("00")));
}

void TQuantilesForm::btnCopyClick()
{
    RunGuarded(this, [&] { QGuiApplication::clipboard()->setText(JoinLines(table_)); });
}

void TQuantilesForm::btnSaveClick()
{
    RunGuarded(this, [&] {
        if (OutPutMemo->document()->isEmpty())
            return;
        const QString path = Files().SaveName(this, QStringLiteral("квантили.txt"));
        if (path.isEmpty())
            return;
        QString text = OutPutMemo->toPlainText();
        if (!text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        if (!WriteTextFile(path, text))
            ShowError(this, QStringLiteral("Не удалось записать файл «%1»!").arg(QDir::toNativeSeparators(path)));
    });
}

} // namespace aqualen::ui
