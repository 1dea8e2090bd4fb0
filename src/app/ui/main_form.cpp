#include "app/ui/main_form.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "analysis/ui/analysis_form.h"
#include "app/ui/about_form.h"
#include "app/ui/open_on_demand.h"
#include "correl/ui/correl_form.h"
#include "curve/ui/obesp_form.h"
#include "extension/extension_texts.h"
#include "extension/ui/extension_form.h"
#include "homog/ui/odn_form.h"
#include "series/ui/form_parts.h"
#include "series/ui/line_pointer.h"
#include "series/ui/message_service.h"
#include "series/ui/radio_group.h"
#include "series/ui/report_freshness.h"
#include "series/ui/series_files.h"
#include "series/ui/series_pane.h"
#include "series/ui/take_series.h"
#include "stats/bias_correction.h"
#include "stats/ui/statistics_command.h"
#include "work/ui/work_session.h"

namespace aqualen::ui {

TMainForm::TMainForm()
{
    UseDialogFace(*this);

    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    // The windows this one owns show the same emblem.
    QIcon icon;
    icon.addFile(QStringLiteral(":/app/icon-48.png"));
    icon.addFile(QStringLiteral(":/app/icon-128.png"));
    setWindowIcon(icon);
    BuildMenu();
    BuildPanes();
    resize(808, 646 - 30); // outer 808 x 646 less the title bar
    CentreOnScreen(*this);

    // The windows this one owns take its series on request and may give it theirs.
    ProvideSeries(
        *this, [this] { return Ser1Memo->Series(); },
        [this](const PaneSeries& series) { Ser1Memo->SetSeries(series); });

    // Made hidden at start-up, after the main window itself.
    aboutForm_ = new TAboutForm(this);

    // Its items go into "Файл" above the exit; it asks before the window closes.
    work_ = new work::ui::WorkSession(*this);
}

TMainForm::~TMainForm() = default;

TAboutForm* TMainForm::AboutForm() const
{
    return aboutForm_;
}
TCorrelForm* TMainForm::CorrelForm() const
{
    return correlForm_;
}
TOdnForm* TMainForm::OdnForm() const
{
    return odnForm_;
}
TObespForm* TMainForm::ObespForm() const
{
    return obespForm_;
}

TCorrelForm& TMainForm::MakeCorrelForm()
{
    if (!correlForm_)
        correlForm_ = new TCorrelForm(this);
    return *correlForm_;
}

TOdnForm& TMainForm::MakeOdnForm()
{
    if (!odnForm_)
        odnForm_ = new TOdnForm(this);
    return *odnForm_;
}

TObespForm& TMainForm::MakeObespForm()
{
    if (!obespForm_) {
        obespForm_ = new TObespForm(this);
        // The analytic curve's corrected moments take the r(1) chosen here.
        obespForm_->SetR1Source([this] { return RadioGroup1->ItemIndex(); });
    }
    return *obespForm_;
}

analysis::ui::TAnalysisForm& TMainForm::MakeAnalysisForm()
{
    auto* form = findChild<analysis::ui::TAnalysisForm*>(QString(), Qt::FindDirectChildrenOnly);
    return form ? *form : *new analysis::ui::TAnalysisForm(this);
}

extension::ui::TExtensionForm& TMainForm::MakeExtensionForm()
{
    auto* form = findChild<extension::ui::TExtensionForm*>(QString(), Qt::FindDirectChildrenOnly);
    return form ? *form : *new extension::ui::TExtensionForm(this);
}

void TMainForm::BuildMenu()
{
    N1 = menuBar()->addMenu(QStringLiteral("Файл"));
    // The separator above "Выход" shows although nothing precedes it.
    N1->setSeparatorsCollapsible(false);
    mnOpen = N1->addAction(QStringLiteral("Открыть ряд ..."));
    mnOpen->setShortcut(QKeySequence::Open);
    // Ctrl+S saves the work ("Сохранить работу").
    mnSave = N1->addAction(QStringLiteral("Сохранить отчет ..."));
    N4 = N1->addSeparator();
    mnClose = N1->addAction(QStringLiteral("Выход"));
    mnClose->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    mnClose->setShortcutContext(Qt::ApplicationShortcut);

    N3 = menuBar()->addMenu(QStringLiteral("Расчет"));
    mnStatHar = N3->addAction(QStringLiteral("Статистические характеристики"));
    mnCorrel = N3->addAction(QStringLiteral("Корреляция ..."));
    mnOdn = N3->addAction(QStringLiteral("Проверка на однородность ..."));
    // Made on first use and owned by this window, like the others.
    connect(N3->addAction(QStringLiteral("Анализ ряда ...")), &QAction::triggered, this, [this] {
        analysis::ui::TAnalysisForm& form = MakeAnalysisForm();
        form.show();
        form.raise();
        form.activateWindow();
    });
    connect(N3->addAction(QString::fromUtf8(extension::kExtensionMenuText)), &QAction::triggered, this, [this] {
        extension::ui::TExtensionForm& form = MakeExtensionForm();
        form.show();
        form.raise();
        form.activateWindow();
    });

    N5 = menuBar()->addMenu(QStringLiteral("Графика"));
    mnObesp = N5->addAction(QStringLiteral("Кривая обеспеченности ..."));

    N2 = menuBar()->addMenu(QStringLiteral("Справка"));
    mnAbout = N2->addAction(QStringLiteral("О программе ..."));

    connect(mnOpen, &QAction::triggered, this, &TMainForm::mnOpenClick);
    connect(mnSave, &QAction::triggered, this, &TMainForm::mnSaveClick);
    connect(mnClose, &QAction::triggered, this, &TMainForm::mnCloseClick);
    connect(mnStatHar, &QAction::triggered, this, &TMainForm::mnStatHarClick);
    connect(mnCorrel, &QAction::triggered, this, &TMainForm::mnCorrelClick);
    connect(mnOdn, &QAction::triggered, this, &TMainForm::mnOdnClick);
    connect(mnObesp, &QAction::triggered, this, &TMainForm::mnObespClick);
    connect(mnAbout, &QAction::triggered, this, &TMainForm::mnAboutClick);
}

void TMainForm::BuildPanes()
{
    Splitter1 = MakeSplitter(Qt::Horizontal, "Splitter1", 3);

    Panel1 = MakePanel(Splitter1, "Panel1", QFrame::Sunken);
    Panel1->setMinimumWidth(50);
    auto* left = new QVBoxLayout(Panel1);
    left->setContentsMargins(1, 1, 1, 1);
    Ser1Memo = MakeSeriesPane(Panel1, "Ser1Memo");
    Ser1Memo->setToolTip(QStringLiteral("Исследуемый ряд"));
    AcceptFileDrops(*Ser1Memo->viewport(), [this](const QString& path) {
        if (LoadSeriesFile(this, *Ser1Memo, path))
            seriesPath_ = path;
    });
    left->addWidget(Ser1Memo);

    Panel2 = MakePanel(Splitter1, "Panel2", QFrame::Sunken);
    Panel2->setMinimumWidth(50);
    auto* right = new QVBoxLayout(Panel2);
    right->setContentsMargins(1, 1, 1, 1);
    right->setSpacing(0);

    QStringList captions;
    for (const char* caption : kRegionalR1Captions)
        captions << QString::fromUtf8(caption);
    RadioGroup1 = new RadioGroup(QString::fromUtf8(kRegionalR1Title), captions, Panel2, 3);
    RadioGroup1->setMinimumHeight(40);
    RadioGroup1->Grid()->setContentsMargins(8, 2, 8, 2);
    RadioGroup1->SetItemIndex(0);
    right->addWidget(RadioGroup1);

    OutPutMemo = MakeReportPane(Panel2, "OutPutMemo");
    right->addWidget(OutPutMemo, 1);

    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(Panel2);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({190, 808 - 190 - 3});
    setCentralWidget(Splitter1);

    OutPutFreshness = new ReportFreshness(*OutPutMemo);
    OutPutFreshness->AddSource(*Ser1Memo);
    OutPutFreshness->AddChoice(*RadioGroup1);
    OutPutFreshness->SetPathSource([this] { return seriesPath_; });

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setFixedHeight(19);
    setStatusBar(StatusBar1);
}

void TMainForm::mnOpenClick()
{
    const QString path = OpenSeriesFile(this, *Ser1Memo);
    if (!path.isEmpty())
        seriesPath_ = path;
}

void TMainForm::mnSaveClick()
{
    if (OutPutFreshness->ConfirmSave(this))
        SaveReport(this, *OutPutMemo, OutPutFreshness->SourcePath());
}

void TMainForm::mnCloseClick()
{
    close();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // Unsaved changes: "Отмена" keeps the program running.
    if (!work_->MayClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
}

void TMainForm::mnStatHarClick()
{
    const ReportRun run(*OutPutFreshness);
    const int unreadable = RunStatisticsCommand(this, *Ser1Memo, *OutPutMemo, series_, RadioGroup1->ItemIndex());
    if (unreadable >= 0)
        PointAtLine(*Ser1Memo, unreadable, StatusBar1);
}

void TMainForm::mnCorrelClick()
{
    MakeCorrelForm();
    ShowOnDemand(correlForm_, this);
}

void TMainForm::mnOdnClick()
{
    MakeOdnForm();
    ShowOnDemand(odnForm_, this);
}

void TMainForm::mnObespClick()
{
    MakeObespForm();
    ShowOnDemand(obespForm_, this, ShowMode::Maximized);
}

void TMainForm::mnAboutClick()
{
    ShowOnDemand(aboutForm_, this);
}

} // namespace aqualen::ui
