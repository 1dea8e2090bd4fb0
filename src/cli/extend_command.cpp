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
#include "series/numeric_routines.h"
#include "series/series_file_import.h"

namespace aqualen::cli {

namespace {

const CommandHelp kExtendHelp{"extend",
                              "Usage: aqualen-cli extend [--decimal SEP] [--first-year Y] [--analogue-first-year Y]\n"
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
                              "written.\n"};

constexpr const char* kFirstYearOption = "--first-year";
constexpr const char* kAnalogueFirstYearOption = "--analogue-first-year";

// One of the two inputs: its file, the option that gives its first year and
// the message of a value that does not read.
struct Input {
    const std::string& path;
    const char* firstYearOption;
    const char* invalidText;
};

// Reads one input into a year series; a refusal stops the command.
extension::YearSeries ReadInput(const CommandLine& line, const Input& input, char separator)
{
    std::string error;
    const std::optional<std::string> bytes = ReadInputBytes(input.path, error);
    if (!bytes)
        line.ReadFailed(error);
    const std::string name = InputName(input.path);
    const SeriesTable table = ReadSeriesTable(*bytes);
    const bool yearOption = line.Has(input.firstYearOption);

    SeriesLines lines;
    int firstYear = 0;
    if (IsTable(table)) {
        if (table.columns != 2)
            line.ReadFailed(name + " holds " + std::to_string(table.columns) +
                            " columns; a file gives two: the year and the value");
        if (yearOption)
            line.Refuse(name + " has a year column; " + input.firstYearOption + " is for a file of one column");
        const extension::YearColumn years = extension::ReadYearColumn(table, 0);
        if (years.problem)
            line.Reject(name + ": " + extension::YearColumnProblemText(*years.problem));
        lines = ColumnLines(table, 1, table.header, separator);
        firstYear = years.firstYear.value_or(extension::kMinFirstYear);
    } else {
        // One column: the lines a pane holding the text would count.
        lines = SplitLines(DecodeSeriesFile(*bytes));
        if (!yearOption)
            line.Refuse(name + " holds one column; give its first year with " + input.firstYearOption);
        firstYear = line.Integer(input.firstYearOption, 0, extension::kMinFirstYear, extension::kMaxFirstYear,
                                 std::string(input.firstYearOption) + " takes a year from 1 to 9999");
    }
    if (lines.size() < kLeastSeriesLength)
        line.Reject("aqualen-cli extend: too few lines in " + name + " (a series needs at least 3)", kExitTooShort);
    size_t badLine = 0;
    std::optional<extension::YearSeries> series = extension::ReadYearSeries(lines, firstYear, separator, badLine);
    if (!series)
        line.Reject(input.invalidText);
    return std::move(*series);
}

// A fault part-way keeps the lines of the steps before it; a refusal is
// rejected input and writes none.
int WriteExtension(const CommandLine& line, const extension::YearSeries& studied, const extension::YearSeries& analogue,
                   char separator)
{
    extension::ExtensionFigures figures;
    extension::ExtensionRefusal refusal = extension::ExtensionRefusal::None;
    try {
        refusal = extension::ComputeExtension(studied, analogue, figures);
    } catch (const FloatFault&) {
        WriteLines(line.out, extension::ExtensionLines(figures, separator));
        throw;
    }
    if (refusal != extension::ExtensionRefusal::None) {
        line.err << extension::RefusalText(refusal) << '\n';
        return kExitRejected;
    }
    WriteLines(line.out, extension::ExtensionLines(figures, separator));
    line.out << '\n';
    WriteLines(line.out, extension::RestoredTableLines(figures, separator));
    return kExitReport;
}

} // namespace

int RunExtend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunCommand([&] {
        const CommandLine line(kExtendHelp, args, {kDecimalOption, kFirstYearOption, kAnalogueFirstYearOption}, {}, out,
                               err);
        line.ExpectFiles(2, "two series files are needed: the studied and the analogue");
        const char separator = line.Separator();
        const extension::YearSeries studied =
            ReadInput(line, {line.Files()[0], kFirstYearOption, extension::kStudiedInvalidText}, separator);
        const extension::YearSeries analogue =
            ReadInput(line, {line.Files()[1], kAnalogueFirstYearOption, extension::kAnalogueInvalidText}, separator);
        return RunReport(out, err, [&] { return WriteExtension(line, studied, analogue, separator); });
    });
}

} // namespace aqualen::cli
