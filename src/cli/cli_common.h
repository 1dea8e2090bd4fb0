#pragma once
// What every aqualen-cli command shares: argument scanning (options may stand
// before or after the file arguments), the decimal separator, reading series
// files or standard input, and the exit statuses.

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "series/report_sink.h"
#include "series/series_lines.h"

namespace aqualen {
struct SeriesTable;
}

namespace aqualen::cli {

// Writes each report line the moment it is known, so a fault leaves those
// before it on standard output; points are not written.
class StreamReportSink final : public ReportSink {
public:
    explicit StreamReportSink(std::ostream& out) : out_(out) {}
    void Line(const std::string& line) override;

private:
    std::ostream& out_;
};

enum ExitStatus : int {
    kExitReport = 0,      // report written
    kExitRejected = 1,    // input rejected: the window's own message on stderr
    kExitFault = 2,       // floating-point fault: its text on stderr
    kExitTooShort = 3,    // too few lines
    kExitUsage = 4,       // usage error, or an input file that cannot be read
    kExitCannotWrite = 5, // the report or the output file could not be written
};

struct ParsedArgs {
    std::map<std::string, std::string> options; // "--decimal" -> ","
    std::set<std::string> flags;                // "--fine"
    std::vector<std::string> files;
    bool help = false;
};

// Scans args (without the command word). `valued` lists options that take a
// value ("--decimal ," or "--decimal=,"), `switches` those that do not.
// Returns nullopt and writes the reason to `error` on an unknown option or a
// missing value. "--" ends the options.
std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valued,
                                    const std::set<std::string>& switches, std::string& error);

// The separator from "--decimal" (',' or '.'), or the system locale's.
// Returns nullopt for any other value.
std::optional<char> DecimalSeparator(const ParsedArgs& parsed);

// The options every command reads its series files with, to be listed among
// the command's valued options.
inline constexpr const char* kDecimalOption = "--decimal";
inline constexpr const char* kColumnOption = "--column";
inline constexpr const char* kSheetOption = "--sheet";

// How a series file is read: the separator its numbers are written in (and
// the report uses) and the table column to take, if one was chosen.
struct SeriesFileOptions {
    char separator = '.';
    std::optional<size_t> column;     // 0-based; "--column N" counts from 1
    std::optional<std::string> sheet; // a workbook's sheet: its name, or its number from 1
};

// "--decimal", "--column" and "--sheet" of the parsed arguments. Returns nullopt and
// sets `reason` (for UsageError) when either has a value it does not take.
std::optional<SeriesFileOptions> ReadSeriesFileOptions(const ParsedArgs& parsed, std::string& reason);

// Reads a series file (or standard input for "-" or an empty name) through
// the windows' importer: UTF-8 or the Cyrillic code page, any line ending,
// a byte-order mark; a workbook (.xlsx, .ods, .xls, told by its content)
// through series/ui/workbook_reader, its first sheet or the one of "--sheet".
// Without a column, a file of one column gives its lines exactly as a pane
// holding its text would (a workbook's numbers written with the separator),
// and a table (two cells or more in most lines) is refused with its columns
// named. With a column, that column's cells, a header row left out and the
// numbers written with the separator. A folder, a file that cannot be opened
// or a read error is no series either; nor is "--sheet" for a text file. Refusals return nullopt and set
// `error` to the reason ("cannot read NAME: reason", ...).
std::optional<SeriesLines> ReadSeriesFile(const std::string& path, const SeriesFileOptions& options,
                                          std::string& error);

// The bytes of a file (or of standard input for "-" or an empty name); a
// folder, a file that cannot be opened or a read error gives nullopt and sets
// `error` ("cannot read NAME: reason").
std::optional<std::string> ReadInputBytes(const std::string& path, std::string& error);

// The name a file is called by in messages: its path, or "standard input".
std::string InputName(const std::string& path);

// A table has two cells or more in most of its lines.
bool IsTable(const SeriesTable& table);

// Writes "aqualen-cli COMMAND: " and the reason of a read error to `err`;
// returns kExitUsage.
int ReadError(std::ostream& err, const std::string& command, const std::string& error);

// Gives standard input, output and error a file each when the caller closed
// them: a file opened later must not take their place, and reading or
// writing them must fail as the closed stream would.
void HoldStandardStreams();

// Flushes `out` (standard output) and checks that everything reached it. If
// not, writes "aqualen-cli: cannot write standard output: reason" to `err`
// and returns kExitCannotWrite; otherwise returns `status`.
int CheckWritten(std::ostream& out, std::ostream& err, int status);

// Writes a help text to `out`: kExitReport, or kExitCannotWrite if it could
// not be written.
int WriteHelp(std::ostream& out, std::ostream& err, std::string_view text);

// Writes "aqualen-cli COMMAND: reason", a blank line and the command's usage
// to `err`; returns kExitUsage.
int UsageError(std::ostream& err, const std::string& command, const std::string& reason, std::string_view usage);

// Runs a report and returns its status. A floating-point fault ends it: the
// lines already written stay on `out`, the fault's text goes to `err`, and
// the status is kExitFault. Output that could not be written overrides
// either: kExitCannotWrite (see CheckWritten).
int RunReport(std::ostream& out, std::ostream& err, const std::function<int()>& report);

// Writes lines, each followed by "\n", and flushes (RunReport checks them).
void WriteLines(std::ostream& out, const std::vector<std::string>& lines);

// Reads a whole-number option in [low, high]; nullopt when absent is not allowed.
std::optional<int> IntegerOption(const ParsedArgs& parsed, const std::string& name, int fallback, int low, int high);

// The paragraphs several help texts share, each written once. An option's
// lines start at the column of its help text's option list: 17 in the short
// lists, 23 in the long ones of curve and quantiles.
enum class HelpColumn : size_t { Short = 17, Long = 23 };

// "  OPTION" padded to the column, then the lines, the later ones indented to it.
std::string OptionHelp(std::string_view option, HelpColumn column, std::initializer_list<std::string_view> lines);

// "--decimal SEP": for reading and writing, ',' or '.', the locale's by default.
std::string DecimalHelp(HelpColumn column);

// "--column N" and "--sheet S". The short lists add that a table is refused
// without --column.
std::string ColumnSheetHelp(HelpColumn column);

// The exit statuses of the commands that write a report and refuse nothing
// of their own, and of aqualen-cli itself.
inline constexpr std::string_view kExitStatusHelp =
    "Exit status: 0 report written, 1 input rejected, 2 floating-point fault,\n"
    "3 too few lines, 4 usage error or an input that cannot be read,\n"
    "5 the report could not be written.\n";

// What a command is called and its help text, for its messages.
struct CommandHelp {
    const char* name;
    std::string text;
};

// Ends a command before its report: the reason is on standard error already
// (or the help on standard output), and `status` is the exit status.
struct CommandStop {
    int status;
};

// Runs a command's steps; a CommandStop on the way gives its status.
int RunCommand(const std::function<int()>& steps);

inline constexpr const char* kR1Option = "--r1";
inline constexpr const char* kLevelOption = "--level";

// One command's arguments and the steps the commands share. Each step gives
// its value or, on a refusal, writes the reason to `err` and throws
// CommandStop; so a command reads as its steps, in the order it checks them.
class CommandLine {
public:
    // Scans args (ParseArgs). "--help" writes the help and stops with its
    // status; an unknown option or a missing value is a usage error.
    CommandLine(const CommandHelp& help, const std::vector<std::string>& args, const std::set<std::string>& valued,
                const std::set<std::string>& switches, std::ostream& out, std::ostream& err);

    const ParsedArgs& Parsed() const { return parsed_; }
    const std::vector<std::string>& Files() const { return parsed_.files; }
    bool Flag(const std::string& name) const { return parsed_.flags.count(name) > 0; }
    bool Has(const std::string& option) const { return parsed_.options.count(option) > 0; }
    // The option's text, or `fallback` when it was not given.
    std::string Text(const std::string& option, const std::string& fallback) const;

    // Writes "aqualen-cli NAME: reason", a blank line and the usage; stops
    // with kExitUsage.
    [[noreturn]] void Refuse(const std::string& reason) const;
    // Writes "aqualen-cli NAME: error" for an input that cannot be read;
    // stops with kExitUsage.
    [[noreturn]] void ReadFailed(const std::string& error) const;
    // Writes the message and a line end to `err`; stops with `status`.
    [[noreturn]] void Reject(const std::string& message, int status = kExitRejected) const;

    // The series file, or "" for standard input: one file at most.
    std::string OptionalFile() const;
    // Exactly `count` files, or Refuse(reason).
    void ExpectFiles(size_t count, const std::string& reason) const;
    // A whole number in [low, high], `fallback` when absent, or Refuse(reason).
    int Integer(const std::string& option, int fallback, int low, int high, const std::string& reason) const;
    // "--r1": 0 (default), 1 or 2, the index of the regional r(1).
    int R1Index() const;
    // "--level" of the series checks: 1, 5 (default) or 10 percent.
    int Level() const;
    // "--decimal": ',' or '.', the locale's by default.
    char Separator() const;
    // "--decimal", "--column" and "--sheet" (ReadSeriesFileOptions).
    SeriesFileOptions FileOptions() const;

    // The lines of a series file; one that cannot be read stops with kExitUsage.
    SeriesLines ReadSeries(const std::string& path, const SeriesFileOptions& options) const;
    // "aqualen-cli NAME: too few lines (a series needs at least 3)".
    std::string TooFewLinesText() const;
    // Stops with kExitTooShort when a series has fewer lines than a series needs.
    void RequireLength(const SeriesLines& lines) const;
    // The numbers of the series file, read as the series checks read them:
    // too few lines or one that does not read stops the command.
    std::vector<double> ReadValues(const std::string& path, const SeriesFileOptions& options) const;
    // The exit status of a report that ended in `outcome`: kExitReport; or,
    // with its message and a line end on `err`, kExitTooShort for a short
    // series (`tooShortText`) and kExitRejected for a refused input (the
    // ReportOutcomeMessage over `seriesCount` series).
    int OutcomeStatus(ReportOutcome outcome, const std::string& tooShortText, int seriesCount) const;

    std::ostream& out;
    std::ostream& err;

private:
    const CommandHelp& help_;
    ParsedArgs parsed_;
};

} // namespace aqualen::cli
