// The statistics command of the main window on a pasted series of a million
// lines: pane text to report, as the user waits for it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QtGlobal>

#include <memory>

#include "app/ui/main_form.h"
#include "series/ui/radio_group.h"

namespace {

QApplication& Application()
{
    static int argc = 1;
    static char name[] = "aqualen_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

void BM_MainFormStatistics(benchmark::State& state)
{
    Application();
    aqualen::ui::TMainForm form;
    QString text;
    for (int64_t i = 0; i < state.range(0); ++i)
        text += QString::number(100 + (i * 37) % 61) + QLatin1Char('\n');
    form.Ser1Memo->setPlainText(text);
    for (auto _ : state)
        form.mnStatHarClick();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_MainFormStatistics)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);
