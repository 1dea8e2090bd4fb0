// The correlation and homogeneity windows end to end: from pane text already
// entered to the report and the chart painted, on a shown window offscreen.

#include <QPlainTextEdit>
#include <QString>
#include <random>

#include <benchmark/benchmark.h>

#include "bench_application.h"
#include "correl/ui/correl_form.h"
#include "homog/ui/odn_form.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"

namespace {

using aqualen::bench::Application;
using aqualen::bench::Settle;

QChar Separator()
{
    return QLatin1Char(aqualen::ui::SystemDecimalSeparator());
}

// Daily-discharge-like values with one decimal: lognormal around 90.
QString RunoffText(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::lognormal_distribution<double> runoff(4.5, 0.3);
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QString::number(runoff(random), 'f', 1).replace(QLatin1Char('.'), Separator());
        text += QLatin1Char('\n');
    }
    return text;
}

// Values from a handful of levels: a gauge read to whole decimetres.
QString LevelText(int count, int levels, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> level(0, levels - 1);
    QString text;
    for (int i = 0; i < count; ++i) {
        text += QString::number(120 + 10 * level(random));
        text += QLatin1Char('\n');
    }
    return text;
}

// Pairs that follow each other loosely, as a studied river and its analogue.
void CorrelatedTexts(int count, QString& studied, QString& analogue)
{
    std::mt19937 random(7);
    std::lognormal_distribution<double> runoff(4.5, 0.3);
    std::normal_distribution<double> noise(0, 8);
    for (int i = 0; i < count; ++i) {
        const double x = runoff(random);
        const double y = 0.8 * x + 10 + noise(random);
        studied += QString::number(x, 'f', 1).replace(QLatin1Char('.'), Separator()) + QLatin1Char('\n');
        analogue += QString::number(y, 'f', 1).replace(QLatin1Char('.'), Separator()) + QLatin1Char('\n');
    }
}

void BM_CorrelFormRun(benchmark::State& state)
{
    Application();
    aqualen::ui::TCorrelForm form(nullptr);
    form.show();
    QString studied;
    QString analogue;
    CorrelatedTexts(static_cast<int>(state.range(0)), studied, analogue);
    form.MemoSer1->setPlainText(studied);
    form.MemoSer2->setPlainText(analogue);
    Settle(form);
    for (auto _ : state) {
        form.btnRunClick();
        Settle(form);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// range(0): length of each series; range(1): number of value levels, or 0
// for runoff-like values; at significance level 3, with the rank sum.
void BM_OdnFormRun(benchmark::State& state)
{
    Application();
    aqualen::ui::TOdnForm form(nullptr);
    form.show();
    const int length = static_cast<int>(state.range(0));
    const int levels = static_cast<int>(state.range(1));
    form.MemoSer1->setPlainText(levels > 0 ? LevelText(length, levels, 1) : RunoffText(length, 1));
    form.MemoSer2->setPlainText(levels > 0 ? LevelText(length, levels, 2) : RunoffText(length, 2));
    form.RadioGroup2->SetItemIndex(3);
    Settle(form);
    for (auto _ : state) {
        form.btnRunClick();
        Settle(form);
    }
    state.SetItemsProcessed(state.iterations() * 2 * state.range(0));
}

} // namespace

BENCHMARK(BM_CorrelFormRun)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OdnFormRun)->Args({1000, 0})->Args({65535, 0})->Args({30000, 20})->Unit(benchmark::kMillisecond);
