#include "distributions/ui/quantiles_form.h"

#include <QClipboard>
#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "series/numeric_routines.h"
#include "series/ui/busy_cursor.h"
#include "series/ui/file_dialogs.h"
#include "series/ui/form_parts.h"
#include "series/ui/guarded.h"
#include "series/ui/message_service.h"
#include "series/ui/report_freshness.h"
#include "series/ui/series_files.h"

namespace aqualen::ui {

namespace {

constexpr int kDesignWidth = 700;
constexpr int kDesignHeight = 560;
constexpr int kPanelHeight = 40;

const char* kProbabilitiesRefused = "Вероятности превышения вводятся в процентах, больше 0 и меньше 100, через «;»!";

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
    btnCompare = new QPushButton(QStringLiteral("Сравнить"), Panel1);
    btnCompare->setCheckable(true);
    btnCompare->setEnabled(false);
    btnCompare->setToolTip(QStringLiteral("Пирсон III и Крицкий–Менкель тем же методом"));
    lbProbabilities = new QLabel(QStringLiteral("P, %:"), Panel1);
    edProbabilities = new QLineEdit(Panel1);
    lbProbabilities->setBuddy(edProbabilities);
    auto* buttons = new QHBoxLayout(Panel1);
    buttons->setContentsMargins(8, 6, 8, 6);
    buttons->addWidget(btnCopy);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCompare);
    buttons->addSpacing(12);
    buttons->addWidget(lbProbabilities);
    buttons->addWidget(edProbabilities, 1);

    OutPutMemo = MakeReportPane(this, "OutPutMemo");
    OutPutMemo->setReadOnly(true);
    Freshness = new ReportFreshness(*OutPutMemo);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(OutPutMemo, 1);

    connect(btnCopy, &QPushButton::clicked, this, &TQuantilesForm::btnCopyClick);
    connect(btnSave, &QPushButton::clicked, this, &TQuantilesForm::btnSaveClick);
    connect(btnCompare, &QPushButton::clicked, this, &TQuantilesForm::btnCompareClick);
    connect(edProbabilities, &QLineEdit::editingFinished, this, &TQuantilesForm::edProbabilitiesEditingFinished);
    resize(kDesignWidth, kDesignHeight);
    CentreOnScreen(*this);
}

void TQuantilesForm::ShowReport(const dist::Fit& fit, const dist::Band* band, char separator)
{
    source_.reset();
    goodness_.reset();
    comparison_.reset();
    fit_ = fit;
    standardBand_ = band ? std::optional<dist::Band>(*band) : std::nullopt;
    separator_ = separator;
    Redraw();
}

void TQuantilesForm::ShowReport(const dist::QuantileRequest& source, const dist::Fit& fit, const dist::Band* band,
                                char separator)
{
    source_.reset();
    goodness_.reset();
    comparison_.reset();
    fit_ = fit;
    standardBand_ = band ? std::optional<dist::Band>(*band) : std::nullopt;
    separator_ = separator;
    source_ = source;
    source_->goodnessOfFit = true;
    if (source.values.size() >= kLeastSeriesLength) {
        const WaitCursor wait;
        goodness_ = dist::TestQuantileFit(*source_, fit);
    }
    Redraw();
}

const dist::QuantileComparison& TQuantilesForm::Comparison()
{
    if (!comparison_) {
        const WaitCursor wait;
        comparison_ = dist::CompareDistributions(*source_);
    }
    return *comparison_;
}

std::optional<dist::Band> TQuantilesForm::BandAtList() const
{
    if (!standardBand_)
        return std::nullopt;
    if (probabilities_ == dist::StandardProbabilities())
        return standardBand_;
    if (!source_)
        return std::nullopt;
    // The bootstrap is seeded, so the limits at a probability are those the
    // sheet's band has there.
    const dist::SmoothingPoints* smoothing = source_->smoothing ? &*source_->smoothing : nullptr;
    return dist::ConfidenceBand(source_->values, *fit_, source_->options, probabilities_, smoothing);
}

void TQuantilesForm::Redraw()
{
    const ReportRun run(*Freshness);
    OutPutMemo->clear();
    table_.clear();
    edProbabilities->setText(QString::fromStdString(dist::ProbabilityListText(probabilities_, separator_)));
    btnCompare->setEnabled(source_.has_value());
    if (!fit_)
        return;
    if (btnCompare->isChecked() && source_) {
        const std::vector<std::string> lines = dist::ComparisonLines(Comparison(), probabilities_, separator_);
        // The table follows the last blank line; the criteria of fit come before it.
        const auto blank = std::find(lines.rbegin(), lines.rend(), std::string()).base() - 1;
        ShowLines({lines.begin(), blank}, {blank + 1, lines.end()});
        return;
    }
    dist::QuantileReport report;
    const auto head = [&] {
        std::vector<std::string> lines = report.parameters;
        if (!report.goodness.empty()) {
            lines.emplace_back();
            lines.insert(lines.end(), report.goodness.begin(), report.goodness.end());
        }
        return lines;
    };
    try {
        const std::optional<dist::Band> band = BandAtList();
        dist::BuildQuantileReport(*fit_, band ? &*band : nullptr, probabilities_, separator_, report,
                                  goodness_ ? &*goodness_ : nullptr);
    } catch (...) {
        ShowLines(head(), report.table); // what was known before the fault stays
        throw;
    }
    ShowLines(head(), report.table);
}

void TQuantilesForm::ShowLines(const std::vector<std::string>& head, const std::vector<std::string>& table)
{
    if (head.empty())
        return;
    AlignTabs(head);
    for (const std::string& line : head)
        OutPutMemo->appendPlainText(QString::fromStdString(line));
    OutPutMemo->appendPlainText(QString());
    for (const std::string& line : table)
        OutPutMemo->appendPlainText(QString::fromStdString(line));
    table_ = table;
    OutPutMemo->moveCursor(QTextCursor::Start);
    // Wide enough for every column: the comparison and the band's limits
    // would otherwise end behind the right edge.
    if (!table.empty()) {
        const QFontMetrics metrics(OutPutMemo->font());
        const QStringList header = QString::fromStdString(table.front()).split(QLatin1Char('\t'));
        const int needed = static_cast<int>(OutPutMemo->tabStopDistance()) * (header.size() - 1) +
                           metrics.horizontalAdvance(header.back()) + metrics.horizontalAdvance(QStringLiteral("0000"));
        if (width() < needed)
            resize(needed, height());
    }
}

void TQuantilesForm::btnCompareClick()
{
    RunGuarded(this, [&] {
        try {
            Redraw();
        } catch (const dist::FitRefused& refused) {
            btnCompare->setChecked(false);
            Redraw();
            ShowError(this, QString::fromUtf8(refused.what()));
        }
    });
}

void TQuantilesForm::edProbabilitiesEditingFinished()
{
    RunGuarded(this, [&] {
        const std::optional<std::vector<double>> list =
            dist::ParseProbabilityList(edProbabilities->text().toStdString(), separator_);
        if (!list) {
            ShowError(this, QString::fromUtf8(kProbabilitiesRefused));
            return;
        }
        if (*list == probabilities_)
            return;
        probabilities_ = *list;
        try {
            Redraw();
        } catch (const dist::FitRefused& refused) {
            ShowError(this, QString::fromUtf8(refused.what()));
        }
    });
}

void TQuantilesForm::AlignTabs(const std::vector<std::string>& head)
{
    // One tab stop past the longest label, so that the values of the
    // parameters line up, and no narrower than a column of the table.
    const QFontMetrics metrics(OutPutMemo->font());
    int widest = metrics.horizontalAdvance(QStringLiteral("000000000"));
    for (const std::string& line : head) {
        if (line.rfind(dist::kGoodnessHeading, 0) == 0)
            continue; // a heading with a note after it, no column of values
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
        if (OutPutMemo->document()->isEmpty() || !Freshness->ConfirmSave(this))
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
