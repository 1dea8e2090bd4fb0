// The statistics command of the main window on a pasted series of a million
// lines: pane text to report, as the user waits for it.

#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include "app/ui/main_form.h"
#include "bench_application.h"
#include "series/ui/radio_group.h"

namespace {

using aqualen::bench::Application;
using aqualen::bench::Settle;

void BM_MainFormStatistics(benchmark::State& state)
{
    Application();
    aqualen::ui::TMainForm form;
    QString text;
    for (int64_t i = 0; i < state.range(0); ++i)
        text += QString::number(100 + (i * 37) % 61) + QLatin1Char('\n');
    form.show();
    form.Ser1Memo->setPlainText(text);
    Settle(form);
    for (auto _ : state) {
        form.mnStatHarClick();
        Settle(form);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_MainFormStatistics)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);
