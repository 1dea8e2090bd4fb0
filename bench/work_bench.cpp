// Saving and opening a work whose every series pane holds 65,535 lines (the
// most a pane may hold): the windows to a file and a fresh window from it,
// as the user waits for each.

#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include "analysis/ui/analysis_form.h"
#include "app/ui/main_form.h"
#include "bench_application.h"
#include "correl/ui/correl_form.h"
#include "homog/ui/odn_form.h"
#include "series/ui/pane_series.h"
#include "series/ui/series_pane.h"
#include "work/ui/work_dialogs.h"
#include "work/ui/work_session.h"

namespace {

using aqualen::bench::Application;
using aqualen::bench::Settle;

QString LongSeries(int seed)
{
    QString text;
    for (int i = 0; i < aqualen::ui::kMaxPaneLines; ++i)
        text += QString::number(100 + ((i + seed) * 37) % 61) + QStringLiteral(",5\n");
    return text;
}

// Every series pane of every window full.
void FillWork(aqualen::ui::TMainForm& form)
{
    form.Ser1Memo->SetSeries({LongSeries(0), 1, QStringLiteral("длинный")});
    auto& correl = form.MakeCorrelForm();
    correl.MemoSer1->SetSeries({LongSeries(1), std::nullopt, QString()});
    correl.MemoSer2->SetSeries({LongSeries(2), std::nullopt, QString()});
    auto& odn = form.MakeOdnForm();
    odn.MemoSer1->SetSeries({LongSeries(3), std::nullopt, QString()});
    odn.MemoSer2->SetSeries({LongSeries(4), std::nullopt, QString()});
    form.MakeAnalysisForm().SeriesMemo->setPlainText(LongSeries(5));
}

// The file named where the program would ask for one.
class FixedName final : public aqualen::work::ui::WorkDialogs {
public:
    explicit FixedName(QString path) : path_(std::move(path)) { aqualen::work::ui::SetWorkDialogs(this); }
    ~FixedName() override { aqualen::work::ui::SetWorkDialogs(nullptr); }
    FixedName(const FixedName&) = delete;
    FixedName& operator=(const FixedName&) = delete;
    QString OpenWorkName(QWidget*, const QString&) override { return path_; }
    QString SaveWorkName(QWidget*, const QString&) override { return path_; }
    const QString& Path() const { return path_; }

private:
    QString path_;
};

QString WorkPath(const QTemporaryDir& folder)
{
    return QDir(folder.path()).filePath(QStringLiteral("длинная.aqualen"));
}

void BM_SaveLongWork(benchmark::State& state)
{
    Application();
    const QTemporaryDir folder;
    const FixedName name(WorkPath(folder));
    aqualen::ui::TMainForm form;
    FillWork(form);
    Settle(form);
    for (auto _ : state) {
        if (!form.Work().SaveWorkAs())
            state.SkipWithError("not saved");
    }
}

void BM_OpenLongWork(benchmark::State& state)
{
    Application();
    const QTemporaryDir folder;
    const FixedName name(WorkPath(folder));
    {
        aqualen::ui::TMainForm writer;
        FillWork(writer);
        writer.Work().SaveWorkAs();
    }
    aqualen::ui::TMainForm form;
    form.show();
    for (auto _ : state) {
        if (!form.Work().OpenWork(name.Path()))
            state.SkipWithError("not opened");
        Settle(form);
    }
}

// What opening spends on each pane: one series pane filled with 65,535
// lines, against the floor of a bare text document (no widget, no undo, no
// layout) taking the same text, which is where nearly all the time goes.
void BM_FillLongPane(benchmark::State& state)
{
    Application();
    const QString text = LongSeries(0);
    aqualen::ui::SeriesPane pane;
    for (auto _ : state) {
        pane.SetSeries({text, 1, QStringLiteral("длинный")});
        state.PauseTiming();
        pane.SetSeries({});
        state.ResumeTiming();
    }
}

void BM_LongTextDocument(benchmark::State& state)
{
    Application();
    const QString text = LongSeries(0);
    for (auto _ : state) {
        QTextDocument document;
        document.setUndoRedoEnabled(false);
        QTextCursor(&document).insertText(text);
        benchmark::DoNotOptimize(document.blockCount());
    }
}

} // namespace

BENCHMARK(BM_SaveLongWork)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLongWork)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillLongPane)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongTextDocument)->Unit(benchmark::kMillisecond);
