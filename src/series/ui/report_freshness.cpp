#include "series/ui/report_freshness.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>

#include "series/ui/message_service.h"
#include "series/ui/radio_group.h"
#include "series/ui/series_pane.h"

namespace aqualen::ui {

namespace {

// The viewport's margins are the scroll area's own business; a pointer to the
// member formed through a derived class is the lawful way in from outside,
// and keeps the pane what it is (any QPlainTextEdit).
struct MarginAccess : QPlainTextEdit {
    static void SetTop(QPlainTextEdit& pane, int top)
    {
        void (QAbstractScrollArea::*set)(int, int, int, int) = &MarginAccess::setViewportMargins;
        (pane.*set)(0, top, 0, 0);
    }
};

} // namespace

ReportFreshness::ReportFreshness(QPlainTextEdit& report) : QObject(&report), report_(report)
{
    setObjectName(QStringLiteral("ReportFreshness"));
    note_ = new QLabel(QString::fromUtf8(kStaleReportText), &report);
    note_->setObjectName(QStringLiteral("StaleReportNote"));
    note_->setAutoFillBackground(true);
    note_->setIndent(4);
    QPalette palette = note_->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ToolTipText));
    note_->setPalette(palette);
    QFont font = note_->font();
    font.setBold(false);
    note_->setFont(font);
    note_->hide();
    report.installEventFilter(this);
    // An emptied report belongs to nothing; a report typed into is the user's.
    connect(&report, &QPlainTextEdit::textChanged, this, &ReportFreshness::Recheck);
}

void ReportFreshness::AddSource(QPlainTextEdit& pane)
{
    panes_.append(&pane);
    if (SeriesPane* series = AsSeriesPane(pane))
        connect(series, &SeriesPane::SeriesChanged, this, &ReportFreshness::Recheck);
    else
        connect(&pane, &QPlainTextEdit::textChanged, this, &ReportFreshness::Recheck);
}

void ReportFreshness::AddChoice(RadioGroup& group)
{
    choices_.append(&group);
    connect(&group, &RadioGroup::Clicked, this, &ReportFreshness::Recheck);
}

void ReportFreshness::AddSignature(std::function<QString()> signature)
{
    signatures_.append(std::move(signature));
}

void ReportFreshness::SetPathSource(std::function<QString()> path)
{
    path_ = std::move(path);
}

ReportFreshness::Snapshot ReportFreshness::Take() const
{
    Snapshot snapshot;
    for (QPlainTextEdit* pane : panes_) {
        if (const SeriesPane* series = AsSeriesPane(*pane))
            snapshot.panes.append(series->Series());
        else
            snapshot.panes.append({pane->toPlainText(), std::nullopt, QString()});
    }
    for (const RadioGroup* group : choices_)
        snapshot.choices.append(group->ItemIndex());
    for (const std::function<QString()>& signature : signatures_)
        snapshot.signatures.append(signature());
    if (path_)
        snapshot.path = path_();
    return snapshot;
}

void ReportFreshness::Computed()
{
    computedFrom_ = Take();
    SetStale(false);
}

void ReportFreshness::Recheck()
{
    if (running_)
        return; // the run decides when it is over
    const bool stale = computedFrom_ && !report_.document()->isEmpty() && Take() != *computedFrom_;
    SetStale(stale);
}

QString ReportFreshness::SourcePath() const
{
    if (computedFrom_)
        return computedFrom_->path;
    return path_ ? path_() : QString();
}

bool ReportFreshness::ConfirmSave(QWidget* parent) const
{
    if (!stale_)
        return true;
    return AskYesCancel(parent, QString::fromUtf8(kSaveStaleReportQuestion)) == Answer::Yes;
}

void ReportFreshness::SetStale(bool stale)
{
    if (stale == stale_)
        return;
    stale_ = stale;
    if (stale) {
        // Greyed: the text in the colour of disabled text, still selectable.
        freshPalette_ = report_.palette();
        QPalette grey = *freshPalette_;
        grey.setColor(QPalette::Active, QPalette::Text, grey.color(QPalette::Disabled, QPalette::Text));
        grey.setColor(QPalette::Inactive, QPalette::Text, grey.color(QPalette::Disabled, QPalette::Text));
        report_.setPalette(grey);
        MarginAccess::SetTop(report_, note_->sizeHint().height());
        PlaceNote();
        note_->show();
    } else {
        if (freshPalette_)
            report_.setPalette(*freshPalette_);
        freshPalette_.reset();
        note_->hide();
        MarginAccess::SetTop(report_, 0);
    }
    emit StaleChanged(stale);
}

void ReportFreshness::PlaceNote()
{
    const QRect inside = report_.contentsRect();
    note_->setGeometry(inside.left(), inside.top(), inside.width(), note_->sizeHint().height());
}

bool ReportFreshness::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &report_ && event->type() == QEvent::Resize && stale_)
        PlaceNote();
    return QObject::eventFilter(watched, event);
}

ReportRun::ReportRun(ReportFreshness& freshness) : freshness_(freshness), wasRunning_(freshness.running_)
{
    freshness_.running_ = true;
    watch_ =
        QObject::connect(&freshness_.report_, &QPlainTextEdit::textChanged, &freshness_, [this] { written_ = true; });
}

ReportRun::~ReportRun()
{
    QObject::disconnect(watch_);
    freshness_.running_ = wasRunning_;
    if (wasRunning_)
        return;
    if (written_)
        freshness_.Computed();
    else
        freshness_.Recheck();
}

} // namespace aqualen::ui
