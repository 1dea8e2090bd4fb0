#include "series/ui/pane_file_commands.h"

#include <QAction>
#include <QKeySequence>
#include <QPlainTextEdit>

#include "series/ui/report_freshness.h"
#include "series/ui/series_files.h"

namespace aqualen::ui {

PaneFileCommands::PaneFileCommands(QWidget& window, const QList<QPlainTextEdit*>& seriesPanes, QPlainTextEdit& report)
    : QObject(&window), window_(window), panes_(seriesPanes)
{
    freshness_ = new ReportFreshness(report);
    for (QPlainTextEdit* pane : panes_)
        freshness_->AddSource(*pane);
    freshness_->SetPathSource([this] { return seriesPath_; });
    for (int i = 0; i < panes_.size(); ++i) {
        QPlainTextEdit& pane = *panes_[i];
        auto* open = new QAction(QStringLiteral("Открыть ряд ..."), &pane);
        open->setShortcut(QKeySequence::Open);
        open->setShortcutContext(Qt::WidgetShortcut); // into the pane that has the focus
        pane.addAction(open);
        ShowActionsInContextMenu(pane);
        connect(open, &QAction::triggered, this, [this, i] {
            const QString path = OpenSeriesFile(&window_, *panes_[i]);
            if (!path.isEmpty())
                seriesPath_ = path;
        });
        AcceptFileDrops(*pane.viewport(), [this, i](const QString& path) { Load(i, path); });
        open_.append(open);
    }
    save_ = new QAction(QStringLiteral("Сохранить отчет ..."), &report);
    save_->setShortcut(QKeySequence::Save);
    save_->setShortcutContext(Qt::WindowShortcut);
    report.addAction(save_);
    ShowActionsInContextMenu(report);
    connect(save_, &QAction::triggered, this, [this, &report] {
        if (freshness_->ConfirmSave(&window_))
            SaveReport(&window_, report, freshness_->SourcePath());
    });
}

void PaneFileCommands::Load(int pane, const QString& path)
{
    if (LoadSeriesFile(&window_, *panes_.at(pane), path))
        seriesPath_ = path;
}

} // namespace aqualen::ui
