#include "work/ui/work_session.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "app/ui/main_form.h"
#include "curve/ui/param_dlg.h"
#include "distributions/ui/quantiles_form.h"
#include "series/ui/message_service.h"
#include "series/ui/radio_group.h"
#include "series/ui/series_names_title.h"
#include "series/ui/series_pane.h"
#include "work/ui/work.h"
#include "work/ui/work_dialogs.h"
#include "work/ui/work_file.h"
#include "work/ui/work_json.h"
#include "work/ui/work_recovery.h"
#include "work/ui/work_settings.h"
#include "work/ui/work_windows.h"
#include "work/work_format.h"
#include "work/work_messages.h"

namespace aqualen::work::ui {

using aqualen::ui::TMainForm;

namespace {

// Set on a window whose changes are followed, so that it is hooked once.
constexpr const char* kWatchedProperty = "aqualenWorkWatched";
// Every window names its report pane so: a calculation writes there.
constexpr const char* kReportPaneName = "OutPutMemo";

bool OwnedBy(const QWidget& window, const QWidget& owner)
{
    for (const QWidget* w = &window; w; w = w->parentWidget())
        if (w == &owner)
            return true;
    return false;
}

QString WithSuffix(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + '.' + QString::fromUtf8(kWorkSuffix) : path;
}

} // namespace

WorkSession::WorkSession(TMainForm& form) : QObject(&form), form_(form)
{
    BuildMenu();
    UpdateTitle();
    connect(form_.Ser1Memo, &aqualen::ui::SeriesPane::SeriesChanged, this, &WorkSession::UpdateTitle);
    Watch(form_);
    // Windows of the menu are watched when they first show.
    qApp->installEventFilter(this);
}

WorkSession::~WorkSession() = default;

void WorkSession::BuildMenu()
{
    QMenu& file = *form_.N1;
    QAction* exitSeparator = form_.N4;
    file.insertSeparator(exitSeparator);
    mnNewWork = new QAction(QStringLiteral("Новая работа"), &file);
    mnOpenWork = new QAction(QStringLiteral("Открыть работу ..."), &file);
    mnSaveWork = new QAction(QStringLiteral("Сохранить работу"), &file);
    mnSaveWork->setShortcut(QKeySequence::Save);
    mnSaveWorkAs = new QAction(QStringLiteral("Сохранить работу как ..."), &file);
    mnSaveWorkAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file.insertActions(exitSeparator, {mnNewWork, mnOpenWork, mnSaveWork, mnSaveWorkAs});
    mnRecentWorks = new QMenu(QStringLiteral("Последние работы"), &file);
    file.insertMenu(exitSeparator, mnRecentWorks);
    FillRecentMenu();

    connect(mnNewWork, &QAction::triggered, this, &WorkSession::mnNewWorkClick);
    connect(mnOpenWork, &QAction::triggered, this, &WorkSession::mnOpenWorkClick);
    connect(mnSaveWork, &QAction::triggered, this, &WorkSession::mnSaveWorkClick);
    connect(mnSaveWorkAs, &QAction::triggered, this, &WorkSession::mnSaveWorkAsClick);
    connect(mnRecentWorks, &QMenu::aboutToShow, this, &WorkSession::FillRecentMenu);
}

void WorkSession::FillRecentMenu()
{
    mnRecentWorks->clear();
    const QStringList recent = RecentWorks();
    int number = 0;
    for (const QString& path : recent) {
        ++number;
        QAction* item =
            mnRecentWorks->addAction(QStringLiteral("&%1 %2").arg(number).arg(QDir::toNativeSeparators(path)));
        connect(item, &QAction::triggered, this, [this, path] {
            if (!QFileInfo::exists(path)) {
                RemoveRecentWork(path);
            }
            OpenWork(path);
        });
    }
    mnRecentWorks->setEnabled(!recent.isEmpty());
}

QString WorkSession::Name() const
{
    return path_.isEmpty() ? QString::fromUtf8(kUntitledWork) : WorkName(path_);
}

void WorkSession::UpdateTitle()
{
    const QString program = QString::fromUtf8(aqualen::ui::kApplicationTitle);
    // "[*]" is where the window shows its mark while the work is unsaved;
    // the series' name follows, as in the other windows.
    const QString work =
        path_.isEmpty() ? program + QStringLiteral("[*]") : QStringLiteral("%1 — %2[*]").arg(program, Name());
    const QString title = aqualen::ui::TitleWithSeriesNames(work, {form_.Ser1Memo->Name()});
    if (form_.windowTitle() != title)
        form_.setWindowTitle(title);
    form_.setWindowModified(modified_);
}

void WorkSession::SetPath(const QString& path, bool modified)
{
    path_ = path;
    modified_ = modified;
    UpdateTitle();
}

void WorkSession::Changed()
{
    if (restoring_ || modified_)
        return;
    modified_ = true;
    UpdateTitle();
}

void WorkSession::CalculationDone()
{
    if (restoring_)
        return;
    Changed();
    if (!recovery_ || autosavePending_)
        return;
    // One copy once the command that wrote the report has finished.
    autosavePending_ = true;
    QTimer::singleShot(0, this, [this] {
        autosavePending_ = false;
        Autosave();
    });
}

bool WorkSession::AskToSave()
{
    if (!modified_)
        return true;
    switch (aqualen::ui::AskYesNoCancel(&form_, QString::fromUtf8(kSaveChangesQuestion).arg(Name()))) {
    case aqualen::ui::Answer::Yes:
        return SaveWork();
    case aqualen::ui::Answer::No:
        return true;
    case aqualen::ui::Answer::Cancel:
        break;
    }
    return false;
}

void WorkSession::Apply(const Work& work)
{
    restoring_ = true;
    ApplyWork(form_, work);
    restoring_ = false;
    WatchAll();
}

bool WorkSession::OpenWork(const QString& path)
{
    // The file is read whole and checked before anything is asked or changed.
    std::variant<Work, QString> read = ReadWorkFile(path);
    if (const QString* error = std::get_if<QString>(&read)) {
        aqualen::ui::ShowError(&form_, *error);
        return false;
    }
    if (!AskToSave())
        return false;
    Apply(std::get<Work>(read));
    const QString absolute = QFileInfo(path).absoluteFilePath();
    SetPath(absolute, false);
    AddRecentWork(absolute);
    SetLastWorkFolder(QFileInfo(absolute).absolutePath());
    if (recovery_)
        recovery_->Remove();
    return true;
}

bool WorkSession::SaveTo(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString error = WriteWorkFile(absolute, WorkToJson(CaptureWork(form_)));
    if (!error.isEmpty()) {
        aqualen::ui::ShowError(&form_, QString::fromUtf8(kWorkNotWritten).arg(QFileInfo(path).fileName(), error));
        return false;
    }
    SetPath(absolute, false);
    AddRecentWork(absolute);
    SetLastWorkFolder(QFileInfo(absolute).absolutePath());
    if (recovery_)
        recovery_->Remove();
    return true;
}

bool WorkSession::SaveWork()
{
    return path_.isEmpty() ? SaveWorkAs() : SaveTo(path_);
}

bool WorkSession::SaveWorkAs()
{
    const QString suggested =
        path_.isEmpty() ? QDir(LastWorkFolder()).filePath(Name() + '.' + QString::fromUtf8(kWorkSuffix)) : path_;
    const QString chosen = WorkFileDialogs().SaveWorkName(&form_, suggested);
    if (chosen.isEmpty())
        return false;
    return SaveTo(WithSuffix(chosen));
}

void WorkSession::mnNewWorkClick()
{
    if (!AskToSave())
        return;
    restoring_ = true;
    ResetWindows(form_);
    restoring_ = false;
    SetPath(QString(), false);
    if (recovery_)
        recovery_->Remove();
}

void WorkSession::mnOpenWorkClick()
{
    const QString folder = path_.isEmpty() ? LastWorkFolder() : QFileInfo(path_).absolutePath();
    const QString path = WorkFileDialogs().OpenWorkName(&form_, folder);
    if (!path.isEmpty())
        OpenWork(path);
}

void WorkSession::mnSaveWorkClick()
{
    SaveWork();
}

void WorkSession::mnSaveWorkAsClick()
{
    SaveWorkAs();
}

bool WorkSession::MayClose()
{
    if (!AskToSave())
        return false;
    SetMainWindowGeometry(form_.saveGeometry());
    if (recovery_)
        recovery_->Remove();
    return true;
}

void WorkSession::StartRecovery(const QString& folder)
{
    recovery_ = std::make_unique<WorkRecovery>(folder);
    if (!recovery_->Start()) {
        recovery_.reset(); // no copies where the folder cannot be made
        return;
    }
    if (!autosaveTimer_) {
        autosaveTimer_ = new QTimer(this);
        autosaveTimer_->setInterval(kAutosaveIntervalMs);
        connect(autosaveTimer_, &QTimer::timeout, this, &WorkSession::Autosave);
    }
    autosaveTimer_->start();
}

bool WorkSession::OfferRecovery()
{
    if (!recovery_)
        return false;
    const QStringList copies = recovery_->LeftCopies();
    if (copies.isEmpty())
        return false;
    switch (aqualen::ui::AskYesNoCancel(&form_, QString::fromUtf8(kRecoverQuestion))) {
    case aqualen::ui::Answer::Yes:
        break;
    case aqualen::ui::Answer::No:
        recovery_->RemoveLeftCopies();
        return false;
    case aqualen::ui::Answer::Cancel:
        return false; // offered again at the next start
    }
    std::variant<Work, QString> read = ReadWorkFile(copies.constFirst());
    if (const QString* error = std::get_if<QString>(&read)) {
        aqualen::ui::ShowError(&form_, *error);
        recovery_->RemoveLeftCopies();
        return false;
    }
    const Work& work = std::get<Work>(read);
    Apply(work);
    // Still unsaved: it belongs to its file again, with the mark.
    SetPath(work.savedPath, true);
    // This run's own copy first, then the old ones go.
    Autosave();
    recovery_->RemoveLeftCopies();
    return true;
}

void WorkSession::Autosave()
{
    if (!recovery_)
        return;
    if (!modified_) {
        recovery_->Remove();
        return;
    }
    Work work = CaptureWork(form_);
    work.savedPath = path_;
    // A copy that cannot be written is tried again at the next occasion; a
    // box every two minutes would help nobody.
    recovery_->Write(WorkToJson(work));
}

void WorkSession::Watch(QWidget& window)
{
    if (window.property(kWatchedProperty).toBool())
        return;
    window.setProperty(kWatchedProperty, true);
    // The curve sheet changes when the parameters are stored.
    if (auto* dialog = qobject_cast<aqualen::ui::TParamDlg*>(&window)) {
        connect(dialog, &QDialog::accepted, this, &WorkSession::CalculationDone);
        return;
    }
    // The quantile report follows the sheet, no change of its own; the list
    // typed and the comparison chosen are kept in the work.
    if (auto* quantiles = qobject_cast<aqualen::ui::TQuantilesForm*>(&window)) {
        connect(quantiles->edProbabilities, &QLineEdit::textEdited, this, &WorkSession::Changed);
        connect(quantiles->btnCompare, &QPushButton::clicked, this, &WorkSession::Changed);
        return;
    }
    // Where a window stands, its splitters and the curve's zoom are kept with
    // the work but are how it is shown, no change of it.
    const auto own = [&window](const QWidget* widget) { return widget->window() == &window; };
    for (QPlainTextEdit* pane : window.findChildren<QPlainTextEdit*>()) {
        if (!own(pane))
            continue;
        if (auto* series = qobject_cast<aqualen::ui::SeriesPane*>(pane))
            connect(series, &aqualen::ui::SeriesPane::SeriesChanged, this, &WorkSession::Changed);
        else if (pane->isReadOnly() || pane->objectName() == QLatin1String(kReportPaneName))
            connect(pane->document(), &QTextDocument::contentsChanged, this, &WorkSession::CalculationDone);
        else
            connect(pane->document(), &QTextDocument::contentsChanged, this, &WorkSession::Changed);
    }
    for (aqualen::ui::RadioGroup* group : window.findChildren<aqualen::ui::RadioGroup*>())
        if (own(group))
            connect(group, &aqualen::ui::RadioGroup::Clicked, this, &WorkSession::Changed);
    for (QButtonGroup* group : window.findChildren<QButtonGroup*>()) {
        const auto* holder = qobject_cast<const QWidget*>(group->parent());
        if (holder && own(holder))
            connect(group, &QButtonGroup::idToggled, this, &WorkSession::Changed);
    }
    for (QSpinBox* box : window.findChildren<QSpinBox*>())
        if (own(box))
            connect(box, &QSpinBox::valueChanged, this, &WorkSession::Changed);
}

void WorkSession::WatchAll()
{
    Watch(form_);
    for (QWidget* widget : form_.findChildren<QWidget*>())
        if (widget->isWindow())
            Watch(*widget);
}

bool WorkSession::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget != &form_ && OwnedBy(*widget, form_))
            Watch(*widget);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace aqualen::work::ui
