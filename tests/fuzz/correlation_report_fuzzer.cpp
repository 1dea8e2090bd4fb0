// Two pane texts to the correlation report. Input: one choice byte (bit 0 the
// separator), the studied text, a NUL, the analogue text.

#include <string>

#include "correl/correlation_report.h"
#include "fuzz_checks.h"
#include "series/float_fault.h"

using namespace aqualen;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::Guarded([&] {
        fuzz::FuzzInput in(data, size);
        const char separator = (in.Byte() & 1) ? ',' : '.';
        const SeriesLines studied = SplitLines(in.Text());
        const SeriesLines analogue = SplitLines(in.Rest());
        size_t pairs = 0;
        try {
            const CorrelationOutcome outcome =
                CorrelationReport(studied, analogue, separator, [&](const CorrelationPoint&) { ++pairs; });
            for (const std::string& line : outcome.lines)
                fuzz::CheckReportLine(line);
            if (outcome.kind == ReportOutcome::Report) {
                fuzz::Expect(outcome.lines.size() == 9, "a report of other than 9 lines");
                fuzz::Expect(outcome.lines[0] == "Длина:\t" + std::to_string(studied.size()), "wrong length line",
                             outcome.lines[0]);
                fuzz::Expect(pairs == studied.size() && outcome.points.size() == pairs, "pairs lost");
            } else {
                fuzz::Expect(outcome.lines.empty(), "lines from a refused pair of series");
            }
        } catch (const FloatFault&) {
            // Raised only once every pair was read.
            fuzz::Expect(pairs == studied.size(), "a fault before all pairs were read");
        }
    });
}
