#pragma once
// What every aqualen-cli command shares: argument scanning (options may stand
// before or after the file arguments), the decimal separator, reading series
// files or standard input, and the exit statuses.

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>
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
int WriteHelp(std::ostream& out, std::ostream& err, const char* text);

// Writes "aqualen-cli COMMAND: reason", a blank line and the command's usage
// to `err`; returns kExitUsage.
int UsageError(std::ostream& err, const std::string& command, const std::string& reason, const char* usage);

// Runs a report and returns its status. A floating-point fault ends it: the
// lines already written stay on `out`, the fault's text goes to `err`, and
// the status is kExitFault. Output that could not be written overrides
// either: kExitCannotWrite (see CheckWritten).
int RunReport(std::ostream& out, std::ostream& err, const std::function<int()>& report);

// Writes lines, each followed by "\n", and flushes (RunReport checks them).
void WriteLines(std::ostream& out, const std::vector<std::string>& lines);

// Reads a whole-number option in [low, high]; nullopt when absent is not allowed.
std::optional<int> IntegerOption(const ParsedArgs& parsed, const std::string& name, int fallback, int low, int high);

} // namespace aqualen::cli
