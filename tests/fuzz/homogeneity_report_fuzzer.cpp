// Two pane texts with a dependence row and a significance level to the
// homogeneity report. Input: a choice byte (bit 0 the separator), a row byte,
// a level byte, the first text, a NUL, the second text.

#include <string>

#include "fuzz_checks.h"
#include "homog/critical_tables.h"
#include "homog/homogeneity_report.h"
#include "series/float_fault.h"

using namespace aqualen;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzz::Guarded([&] {
        fuzz::FuzzInput in(data, size);
        const char separator = (in.Byte() & 1) ? ',' : '.';
        const int row = in.Byte() % kDependenceRowCount;
        const int level = in.Byte() % kSignificanceLevelCount;
        const SeriesLines first = SplitLines(in.Text());
        const SeriesLines second = SplitLines(in.Rest());
        CollectingReportSink sink;
        const size_t fullReport = level > kLastWilcoxonLevel ? 9 : 12;
        try {
            const ReportOutcome outcome = HomogeneityReport(first, second, row, level, separator, sink);
            for (const std::string& line : sink.lines)
                fuzz::CheckReportLine(line);
            switch (outcome) {
            case ReportOutcome::Report:
                fuzz::Expect(sink.lines.size() == fullReport, "a report of the wrong length");
                fuzz::Expect(sink.points1.size() == first.size() && sink.points2.size() == second.size(),
                             "points lost");
                break;
            case ReportOutcome::InvalidInput:
                fuzz::Expect(sink.lines.size() <= 1, "report lines after an unreadable line");
                break;
            case ReportOutcome::TooShort:
                fuzz::Expect(sink.lines.empty() && sink.points1.empty() && sink.points2.empty(),
                             "output from series too short");
                break;
            case ReportOutcome::DifferentLengths:
                fuzz::Expect(false, "the homogeneity test pairs no lines");
                break;
            }
        } catch (const FloatFault&) {
            for (const std::string& line : sink.lines)
                fuzz::CheckReportLine(line);
            fuzz::Expect(sink.lines.size() < fullReport, "a fault after the whole report");
        }
    });
}
