// Series input and number text on their own.

#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "series/number_text.h"
#include "series/series_file_import.h"
#include "series/series_lines.h"
#include "series/ui/workbook_reader.h"
#include "support/zip_bytes.h"

namespace {

void BM_SplitLines(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < state.range(0); ++i)
        text += std::to_string(100 + i % 900) + ",25\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::SplitLines(text));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SplitLines)->Arg(65535)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ParseNumber(benchmark::State& state)
{
    const std::vector<std::string> texts{"123,45", "  -0,5E-3 ", "98765", "1,7976931348623157e308"};
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::ParseNumber(texts[i++ % texts.size()], ','));
}
BENCHMARK(BM_ParseNumber);

void BM_FormatFixed(benchmark::State& state)
{
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> value(-1000.0, 1000.0);
    std::vector<double> values(1024);
    for (double& v : values)
        v = value(random);
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::FormatFixed(values[i++ % values.size()], 3, ','));
}
BENCHMARK(BM_FormatFixed);

void BM_FormatGeneral(benchmark::State& state)
{
    const std::vector<double> values{0.19, -29.71, 1e-5, 1.5e15, 8.1, 123456.789};
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(aqualen::FormatGeneral(values[i++ % values.size()], ','));
}
BENCHMARK(BM_FormatGeneral);

} // namespace

// A 65,535-row .xlsx (a header of shared strings, then years and values) to
// pane lines: the whole road of "Открыть ряд ..." after the column choice.
// Goal: under 1 s.
static void BM_ImportXlsx(benchmark::State& state)
{
    QByteArray rows = R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>)";
    std::mt19937 random(7);
    std::uniform_real_distribution<double> flow(1.0, 500.0);
    for (int r = 2; r <= 65536; ++r)
        rows += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"A" + QByteArray::number(r) + "\"><v>" +
                QByteArray::number(1000 + r) + "</v></c><c r=\"B" + QByteArray::number(r) + "\"><v>" +
                QByteArray::number(flow(random), 'g', 17) + "</v></c></row>";
    const QByteArray workbook = aqualen::test::XlsxBytes(rows, "<si><t>Год</t></si><si><t>Расход</t></si>");
    for (auto _ : state) {
        aqualen::ui::WorkbookFault fault = aqualen::ui::WorkbookFault::None;
        const std::optional<aqualen::SeriesTable> table = aqualen::ui::ReadWorkbookSheet(workbook, 0, fault);
        if (!table || table->rows.size() != 65536) {
            state.SkipWithError("the workbook did not read");
            break;
        }
        benchmark::DoNotOptimize(aqualen::ColumnLines(*table, 1, true, ','));
    }
    state.counters["zip_bytes"] = static_cast<double>(workbook.size());
}
BENCHMARK(BM_ImportXlsx)->Unit(benchmark::kMillisecond);
