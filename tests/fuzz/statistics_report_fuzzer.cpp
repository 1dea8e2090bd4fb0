// Pane text to the statistics report: either separator, each r(1) choice.
// Input: one choice byte (bit 0 the separator, the rest the r(1) index),
// then the pane's text.

#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "series/float_fault.h"
#include "stats/statistics_report.h"

using namespace aqualen;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::Guarded([&] {
        fuzz::FuzzInput in(data, size);
        const uint8_t choice = in.Byte();
        const char separator = (choice & 1) ? ',' : '.';
        const RegionalR1 r1 = RegionalR1At((choice >> 1) % 3);
        const SeriesLines lines = SplitLines(in.Rest());

        // Checks each line as it comes.
        struct CheckingSink final : ReportSink {
            void Begin() override { cleared = true; }
            void Line(const std::string& line) override
            {
                fuzz::CheckReportLine(line);
                report.push_back(line);
            }
            bool cleared = false;
            std::vector<std::string> report;
        };
        TDoubleList series;
        CheckingSink sink;
        const bool& cleared = sink.cleared;
        const std::vector<std::string>& report = sink.report;
        try {
            const ReportOutcome outcome = RunStatisticsCommand(lines, series, r1, separator, sink);
            if (outcome == ReportOutcome::Report) {
                fuzz::Expect(cleared && report.size() == 17, "a report of other than 17 lines");
                fuzz::Expect(report[0] == "Длина ряда:\t" + std::to_string(lines.size()), "wrong length line",
                             report[0]);
            } else {
                fuzz::Expect(!cleared && report.empty(), "lines from a refused series");
            }
        } catch (const FloatFault&) {
            // A fault ends the report part-way.
            fuzz::Expect(report.size() < 17, "a fault after the whole report");
        }
    });
}
