// aqualen-cli extend: read the studied and the analogue series with their
// years, bring the studied one to the analogue's long period, write the
// report and the restored table.

#include <ostream>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "extension/extension_report.h"
#include "extension/extension_texts.h"
#include "extension/year_series.h"
#include "series/float_fault.h"
#include "series/series_file_import.h"

namespace aqualen::cli {

namespace {

const char* kExtendUsage = "Usage: aqualen-cli extend [--decimal SEP] [--first-year Y] [--analogue-first-year Y]\n"
                           "                          STUDIED_FILE ANALOGUE_FILE\n"
                           "\n"
                           "Brings the studied series to the long period of the analogue by the\n"
                           "regression of the studied values on the analogue's over their common\n"
                           "years: R, the regression coefficient k, its error and k/sk, the equation,\n"
                           "the conditions n >= 10, R >= 0.7 and k/sk >= 2, the mean and Cv over the\n"
                           "common years and the mean, standard deviation and Cv over the analogue's\n"
                           "years; then an empty line and the table of the restored years (year,\n"
                           "analogue, restored value). Standard deviations divide by the years less one.\n"
                           "\n"
                           "A file holds two columns, the year and the value (columns by tab, semicolon\n"
                           "or blanks; a header line is skipped), the years consecutive; or one number\n"
                           "per line, its first year given by an option.\n"
                           "\n"
                           "  --first-year Y           the year of the first line of a one-column\n"
                           "                           STUDIED_FILE (1 to 9999)\n"
                           "  --analogue-first-year Y  the same for ANALOGUE_FILE\n"
                           "  --decimal SEP            decimal separator for reading and writing, ',' or\n"
                           "                           '.' (default: the locale's)\n"
                           "\n"
                           "Exit status: 0 report written, 1 input rejected (a value or a year that\n"
                           "does not read, a year repeated or missing in a file, no common years or\n"
                           "fewer than 3, an analogue shorter than the studied series, a series\n"
                           "constant over the common years), 2 floating-point fault, 3 too few lines,\n"
                           "4 usage error or an input that cannot be read, 5 the report could not be\n"
                           "written.\n";

constexpr const char* kFirstYearOption = "--first-year";
constexpr const char* kAnalogueFirstYearOption = "--analogue-first-year";

int Usage(std::ostream& err, const std::string& reason)
{
    return UsageError(err, "extend", reason, kExtendUsage);
}

// One of the two inputs: its file, the option that gives its first year and
// the message of a value that does not read.
struct Input {
    const std::string& path;
    const char* firstYearOption;
    const char* invalidText;
};

// Reads one input into a year series. On a refusal writes its message to
// `err`, sets `status` and returns nullopt.
std::optional<extension::YearSeries> ReadInput(const ParsedArgs& parsed, const Input& input, char separator,
                                               std::ostream& err, int& status)
{
    std::string error;
    const std::optional<std::string> bytes = ReadInputBytes(input.path, error);
    if (!bytes) {
        status = ReadError(err, "extend", error);
        return std::nullopt;
    }
    const std::string name = InputName(input.path);
    const SeriesTable table = ReadSeriesTable(*bytes);
    const bool yearOption = parsed.options.count(input.firstYearOption) > 0;

    SeriesLines lines;
    int firstYear = 0;
    if (IsTable(table)) {
        if (table.columns != 2) {
            status = ReadError(err, "extend",
                               name + " holds " + std::to_string(table.columns) +
                                   " columns; a file gives two: the year and the value");
            return std::nullopt;
        }
        if (yearOption) {
            status = Usage(err, name + " has a year column; " + input.firstYearOption + " is for a file of one column");
            return std::nullopt;
        }
        const extension::YearColumn years = extension::ReadYearColumn(table, 0);
        if (years.problem) {
            err << name << ": " << extension::YearColumnProblemText(*years.problem) << '\n';
            status = kExitRejected;
            return std::nullopt;
        }
        lines = ColumnLines(table, 1, table.header, separator);
        firstYear = years.firstYear.value_or(extension::kMinFirstYear);
    } else {
        // One column: the lines a pane holding the text would count.
        lines = SplitLines(DecodeSeriesFile(*bytes));
        if (!yearOption) {
            status = Usage(err, name + " holds one column; give its first year with " + input.firstYearOption);
            return std::nullopt;
        }
        const std::optional<int> year =
            IntegerOption(parsed, input.firstYearOption, 0, extension::kMinFirstYear, extension::kMaxFirstYear);
        if (!year) {
            status = Usage(err, std::string(input.firstYearOption) + " takes a year from 1 to 9999");
            return std::nullopt;
        }
        firstYear = *year;
    }
    if (lines.size() <= 2) {
        err << "aqualen-cli extend: too few lines in " << name << " (a series needs at least 3)\n";
        status = kExitTooShort;
        return std::nullopt;
    }
    size_t badLine = 0;
    std::optional<extension::YearSeries> series = extension::ReadYearSeries(lines, firstYear, separator, badLine);
    if (!series) {
        err << input.invalidText << '\n';
        status = kExitRejected;
    }
    return series;
}

} // namespace

int RunExtend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::optional<ParsedArgs> parsed =
        ParseArgs(args, {kDecimalOption, kFirstYearOption, kAnalogueFirstYearOption}, {}, error);
    if (!parsed)
        return Usage(err, error);
    if (parsed->help)
        return WriteHelp(out, err, kExtendUsage);
    if (parsed->files.size() != 2)
        return Usage(err, "two series files are needed: the studied and the analogue");
    const std::optional<char> separator = DecimalSeparator(*parsed);
    if (!separator)
        return Usage(err, "--decimal takes ',' or '.'");

    int status = kExitReport;
    const std::optional<extension::YearSeries> studied = ReadInput(
        *parsed, {parsed->files[0], kFirstYearOption, extension::kStudiedInvalidText}, *separator, err, status);
    if (!studied)
        return status;
    const std::optional<extension::YearSeries> analogue =
        ReadInput(*parsed, {parsed->files[1], kAnalogueFirstYearOption, extension::kAnalogueInvalidText}, *separator,
                  err, status);
    if (!analogue)
        return status;

    return RunReport(out, err, [&]() -> int {
        // A fault part-way keeps the lines of the steps before it; a refusal
        // is rejected input and writes none.
        extension::ExtensionFigures figures;
        extension::ExtensionRefusal refusal = extension::ExtensionRefusal::None;
        try {
            refusal = extension::ComputeExtension(*studied, *analogue, figures);
        } catch (const FloatFault&) {
            WriteLines(out, extension::ExtensionLines(figures, *separator));
            throw;
        }
        if (refusal != extension::ExtensionRefusal::None) {
            err << extension::RefusalText(refusal) << '\n';
            return kExitRejected;
        }
        WriteLines(out, extension::ExtensionLines(figures, *separator));
        out << '\n';
        WriteLines(out, extension::RestoredTableLines(figures, *separator));
        return kExitReport;
    });
}

} // namespace aqualen::cli
