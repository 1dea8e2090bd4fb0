#pragma once
// The one shape of a report: a calculation computes into a plain result
// struct (filled in step order, so that a floating-point fault part-way
// leaves the values known before it), a formatter turns the struct into
// lines with a given separator, and the lines and the points read stream
// through a ReportSink into a pane and a chart, the command line or a test.
// Every report ends in a ReportOutcome; ReportOutcomeMessage is the one
// place that says what a window or aqualen-cli shows for it.

#include <string>
#include <vector>

#include "series/messages.h"

namespace aqualen {

// How a report over series panes ended.
enum class ReportOutcome {
    TooShort,         // a series of fewer than kLeastSeriesLength lines (or the report's own least): nothing sent
    DifferentLengths, // series paired line by line differ in length: nothing sent
    InvalidInput,     // a line does not read: the values before it were sent as points
    Report,           // every line and every point were sent
};

// Where a report's lines and the values it read go, the moment they are known.
class ReportSink {
public:
    virtual ~ReportSink() = default;
    // Once, when the input is accepted and before the first line: a pane is
    // cleared here, not before, so a refused input leaves the old report.
    virtual void Begin() {}
    virtual void Line(const std::string& line) = 0;
    // The next value of series 1 or 2, in line order (a chart draws them).
    virtual void Point(int /*series*/, double /*value*/) {}
};

// Keeps everything it is sent; for the command line, tests and benchmarks.
class CollectingReportSink final : public ReportSink {
public:
    void Begin() override { begun = true; }
    void Line(const std::string& line) override { lines.push_back(line); }
    void Point(int series, double value) override { (series == 1 ? points1 : points2).push_back(value); }

    bool begun = false;
    std::vector<std::string> lines;
    std::vector<double> points1;
    std::vector<double> points2;
};

// Sends each of `lines` to the sink, in order.
inline void SendLines(const std::vector<std::string>& lines, ReportSink& sink)
{
    for (const std::string& line : lines)
        sink.Line(line);
}

// The message a window shows (and aqualen-cli writes to standard error) for a
// refused input: the singular text over one series, the plural over two.
// TooShort and Report show none (nullptr): a short series is passed over in
// silence by the windows, and aqualen-cli says so in its own words.
inline const char* ReportOutcomeMessage(ReportOutcome outcome, int seriesCount)
{
    switch (outcome) {
    case ReportOutcome::DifferentLengths:
        return kSeriesLengthsDifferText;
    case ReportOutcome::InvalidInput:
        return seriesCount == 1 ? kSeriesInvalidText : kSeriesPairInvalidText;
    case ReportOutcome::TooShort:
    case ReportOutcome::Report:
        break;
    }
    return nullptr;
}

} // namespace aqualen
