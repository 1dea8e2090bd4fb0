#include "cli/cli_common.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <limits>
#include <ostream>

#include "analysis/series_values.h"
#include "series/float_fault.h"
#include "series/messages.h"
#include "series/numeric_routines.h"
#include "series/series_file_import.h"
#include "series/ui/decimal_separator.h"
#include "series/ui/workbook_reader.h"

namespace aqualen::cli {

void StreamReportSink::Line(const std::string& line)
{
    out_ << line << '\n';
}

std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valued,
                                    const std::set<std::string>& switches, std::string& error)
{
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.rfind("-", 0) != 0) {
            parsed.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string name = arg.substr(0, eq);
        if (valued.count(name)) {
            if (eq != std::string::npos) {
                parsed.options[name] = arg.substr(eq + 1);
            } else if (i + 1 < args.size()) {
                parsed.options[name] = args[++i];
            } else {
                error = "option " + name + " needs a value";
                return std::nullopt;
            }
        } else if (switches.count(arg)) {
            parsed.flags.insert(arg);
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    return parsed;
}

std::optional<char> DecimalSeparator(const ParsedArgs& parsed)
{
    const auto it = parsed.options.find(kDecimalOption);
    if (it == parsed.options.end())
        return ui::SystemDecimalSeparator();
    if (it->second != "," && it->second != ".")
        return std::nullopt;
    return it->second[0];
}

std::optional<SeriesFileOptions> ReadSeriesFileOptions(const ParsedArgs& parsed, std::string& reason)
{
    SeriesFileOptions options;
    const std::optional<char> separator = DecimalSeparator(parsed);
    if (!separator) {
        reason = "--decimal takes ',' or '.'";
        return std::nullopt;
    }
    options.separator = *separator;
    if (parsed.options.count(kColumnOption)) {
        const std::optional<int> column = IntegerOption(parsed, kColumnOption, 1, 1, std::numeric_limits<int>::max());
        if (!column) {
            reason = "--column takes a column number from 1";
            return std::nullopt;
        }
        options.column = static_cast<size_t>(*column - 1);
    }
    if (const auto sheet = parsed.options.find(kSheetOption); sheet != parsed.options.end()) {
        if (sheet->second.empty()) {
            reason = "--sheet takes a sheet's name or its number from 1";
            return std::nullopt;
        }
        options.sheet = sheet->second;
    }
    return options;
}

namespace {

// The whole content of an open file, or nullopt with the system's reason.
std::optional<std::string> ReadAll(int fd, std::string& reason)
{
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        reason = std::strerror(EISDIR);
        return std::nullopt;
    }
    std::string text;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count > 0) {
            text.append(buffer, static_cast<size_t>(count));
        } else if (count == 0) {
            return text;
        } else if (errno != EINTR) {
            reason = std::strerror(errno);
            return std::nullopt;
        }
    }
}

// "NAME holds a table of 2 columns: 1 «Год», 2 «Q»; choose one with --column N":
// a column is named by its caption, else by its first cell.
std::string TableRefusal(const std::string& name, const SeriesTable& table)
{
    const std::vector<std::string>* first = nullptr;
    for (const std::vector<std::string>& row : table.rows)
        if (!row.empty()) {
            first = &row;
            break;
        }
    std::string text = name + " holds a table of " + std::to_string(table.columns) + " columns";
    if (first) {
        text += table.header ? ": " : " (first row): ";
        for (size_t column = 0; column < table.columns; ++column) {
            if (column > 0)
                text += ", ";
            text += std::to_string(column + 1) + " \"" + (column < first->size() ? (*first)[column] : "") + "\"";
        }
    }
    return text + "; choose one with --column N";
}

} // namespace

// A column of numbers with a stray "12 5" or "1 000" among them is still a
// column: it reads as a pane would, and that line is the one that does not read.
bool IsTable(const SeriesTable& table)
{
    size_t filled = 0;
    size_t split = 0;
    for (const std::vector<std::string>& row : table.rows) {
        filled += row.empty() ? 0 : 1;
        split += row.size() > 1 ? 1 : 0;
    }
    return 2 * split > filled;
}

namespace {

// "1 "Лист1", 2 "Данные"": the sheets by number and name.
std::string SheetList(const std::vector<std::string>& names)
{
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i > 0 ? ", " : "") + std::to_string(i + 1) + " \"" + names[i] + "\"";
    return text;
}

// The table of the workbook's sheet, or nullopt with the reason in `error`.
std::optional<SeriesTable> ReadWorkbook(const std::string& name, const QByteArray& bytes,
                                        const std::optional<std::string>& wanted, std::string& error)
{
    ui::WorkbookFault fault = ui::WorkbookFault::None;
    const std::optional<std::vector<std::string>> names = ui::WorkbookSheetNames(bytes, fault);
    std::optional<size_t> sheet;
    if (names && !names->empty())
        sheet = wanted ? ui::FindSheet(*names, *wanted) : std::optional<size_t>(0);
    if (names && !names->empty() && !sheet) {
        error = name + " has no sheet \"" + *wanted + "\" (it holds " + SheetList(*names) + ")";
        return std::nullopt;
    }
    std::optional<SeriesTable> table;
    if (sheet)
        table = ui::ReadWorkbookSheet(bytes, *sheet, fault);
    if (table)
        return table;
    switch (fault) {
    case ui::WorkbookFault::TooManyRows:
        error = name + ": sheet \"" + (*names)[*sheet] + "\" has more than " + std::to_string(ui::kMaxWorkbookRows) +
                " rows";
        break;
    case ui::WorkbookFault::TooLarge:
        error = name + ": the workbook is too large for a series";
        break;
    default:
        error = "cannot read " + name + ": not a readable .xlsx, .ods or .xls workbook";
        break;
    }
    return std::nullopt;
}

} // namespace

std::string InputName(const std::string& path)
{
    return path.empty() || path == "-" ? "standard input" : path;
}

std::optional<std::string> ReadInputBytes(const std::string& path, std::string& error)
{
    std::string reason;
    std::optional<std::string> bytes;
    if (path.empty() || path == "-") {
        bytes = ReadAll(STDIN_FILENO, reason);
    } else {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            reason = std::strerror(errno);
        } else {
            bytes = ReadAll(fd, reason);
            close(fd);
        }
    }
    if (!bytes)
        error = "cannot read " + InputName(path) + ": " + reason;
    return bytes;
}

std::optional<SeriesLines> ReadSeriesFile(const std::string& path, const SeriesFileOptions& options, std::string& error)
{
    const std::string name = InputName(path);
    const std::optional<std::string> bytes = ReadInputBytes(path, error);
    if (!bytes)
        return std::nullopt;
    const QByteArray raw = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
    const bool workbook = ui::LooksLikeWorkbook(raw);
    if (options.sheet && !workbook) {
        error = name + " is not a workbook: --sheet reads .xlsx, .ods and .xls files";
        return std::nullopt;
    }
    std::optional<SeriesTable> read =
        workbook ? ReadWorkbook(name, raw, options.sheet, error) : ReadSeriesTable(*bytes);
    if (!read)
        return std::nullopt;
    const SeriesTable& table = *read;
    if (options.column) {
        if (*options.column >= std::max<size_t>(table.columns, 1)) {
            error = name + " has no column " + std::to_string(*options.column + 1) + " (it holds " +
                    std::to_string(table.columns) + ")";
            return std::nullopt;
        }
        return ColumnLines(table, *options.column, table.header, options.separator);
    }
    if (IsTable(table)) {
        error = TableRefusal(name, table);
        return std::nullopt;
    }
    if (workbook)
        return ColumnLines(table, 0, false, options.separator);
    // One column: the lines as a pane holding the decoded text counts them,
    // every character kept, so that a report reads as it would in the window.
    return SplitLines(DecodeSeriesFile(*bytes));
}

int ReadError(std::ostream& err, const std::string& command, const std::string& error)
{
    err << "aqualen-cli " << command << ": " << error << '\n';
    return kExitUsage;
}

void HoldStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // Opened the other way round, so that a read of standard input or a
        // write to the others fails. The lowest free number is `fd`.
        const int held = open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (held >= 0 && held != fd)
            close(held);
    }
}

int CheckWritten(std::ostream& out, std::ostream& err, int status)
{
    errno = 0;
    out.flush();
    if (out)
        return status;
    const int cause = errno;
    err << "aqualen-cli: cannot write standard output";
    if (cause != 0)
        err << ": " << std::strerror(cause);
    err << '\n';
    return kExitCannotWrite;
}

int WriteHelp(std::ostream& out, std::ostream& err, std::string_view text)
{
    out << text;
    return CheckWritten(out, err, kExitReport);
}

int UsageError(std::ostream& err, const std::string& command, const std::string& reason, std::string_view usage)
{
    err << "aqualen-cli " << command << ": " << reason << "\n\n" << usage;
    return kExitUsage;
}

int RunReport(std::ostream& out, std::ostream& err, const std::function<int()>& report)
{
    int status = kExitReport;
    try {
        status = report();
    } catch (const FloatFault& fault) {
        out.flush(); // the lines before the fault first
        err << fault.what() << '\n';
        status = kExitFault;
    }
    return CheckWritten(out, err, status);
}

void WriteLines(std::ostream& out, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        out << line << '\n';
    out.flush();
}

std::optional<int> IntegerOption(const ParsedArgs& parsed, const std::string& name, int fallback, int low, int high)
{
    const auto it = parsed.options.find(name);
    if (it == parsed.options.end())
        return fallback;
    int value = 0;
    const std::string& text = it->second;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::string OptionHelp(std::string_view option, HelpColumn column, std::initializer_list<std::string_view> lines)
{
    const size_t width = static_cast<size_t>(column);
    std::string text = "  " + std::string(option);
    text.append(width > text.size() ? width - text.size() : 1, ' ');
    bool first = true;
    for (const std::string_view line : lines) {
        if (!first)
            text.append(width, ' ');
        text.append(line);
        text += '\n';
        first = false;
    }
    return text;
}

std::string DecimalHelp(HelpColumn column)
{
    return OptionHelp("--decimal SEP", column,
                      {"decimal separator for reading and writing, ',' or '.'", "(default: the locale's)"});
}

std::string ColumnSheetHelp(HelpColumn column)
{
    const std::string columnHelp =
        column == HelpColumn::Short
            ? OptionHelp(
                  "--column N", column,
                  {"the column N (from 1) of a table file, its header line", "skipped (a table is refused without it)"})
            : OptionHelp("--column N", column, {"the column N (from 1) of a table file, its header", "line skipped"});
    return columnHelp + OptionHelp("--sheet S", column,
                                   {"the sheet S of a workbook (.xlsx, .ods, .xls), by",
                                    "its name or its number from 1 (default: the first)"});
}

int RunCommand(const std::function<int()>& steps)
{
    try {
        return steps();
    } catch (const CommandStop& stop) {
        return stop.status;
    }
}

CommandLine::CommandLine(const CommandHelp& help, const std::vector<std::string>& args,
                         const std::set<std::string>& valued, const std::set<std::string>& switches,
                         std::ostream& outStream, std::ostream& errStream)
    : out(outStream), err(errStream), help_(help)
{
    std::string error;
    std::optional<ParsedArgs> parsed = ParseArgs(args, valued, switches, error);
    if (!parsed)
        Refuse(error);
    parsed_ = std::move(*parsed);
    if (parsed_.help)
        throw CommandStop{WriteHelp(out, err, help_.text)};
}

std::string CommandLine::Text(const std::string& option, const std::string& fallback) const
{
    const auto it = parsed_.options.find(option);
    return it == parsed_.options.end() ? fallback : it->second;
}

void CommandLine::Refuse(const std::string& reason) const
{
    throw CommandStop{UsageError(err, help_.name, reason, help_.text)};
}

void CommandLine::ReadFailed(const std::string& error) const
{
    throw CommandStop{ReadError(err, help_.name, error)};
}

void CommandLine::Reject(const std::string& message, int status) const
{
    err << message << '\n';
    throw CommandStop{status};
}

std::string CommandLine::OptionalFile() const
{
    if (parsed_.files.size() > 1)
        Refuse("one series file at most");
    return parsed_.files.empty() ? std::string() : parsed_.files.front();
}

void CommandLine::ExpectFiles(size_t count, const std::string& reason) const
{
    if (parsed_.files.size() != count)
        Refuse(reason);
}

int CommandLine::Integer(const std::string& option, int fallback, int low, int high, const std::string& reason) const
{
    const std::optional<int> value = IntegerOption(parsed_, option, fallback, low, high);
    if (!value)
        Refuse(reason);
    return *value;
}

int CommandLine::R1Index() const
{
    return Integer(kR1Option, 0, 0, 2, "--r1 takes 0, 1 or 2");
}

int CommandLine::Level() const
{
    const int level = Integer(kLevelOption, 5, 1, 10, "--level takes 1, 5 or 10");
    if (level != 1 && level != 5 && level != 10)
        Refuse("--level takes 1, 5 or 10");
    return level;
}

char CommandLine::Separator() const
{
    const std::optional<char> separator = DecimalSeparator(parsed_);
    if (!separator)
        Refuse("--decimal takes ',' or '.'");
    return *separator;
}

SeriesFileOptions CommandLine::FileOptions() const
{
    std::string reason;
    const std::optional<SeriesFileOptions> options = ReadSeriesFileOptions(parsed_, reason);
    if (!options)
        Refuse(reason);
    return *options;
}

SeriesLines CommandLine::ReadSeries(const std::string& path, const SeriesFileOptions& options) const
{
    std::string error;
    std::optional<SeriesLines> lines = ReadSeriesFile(path, options, error);
    if (!lines)
        ReadFailed(error);
    return std::move(*lines);
}

std::string CommandLine::TooFewLinesText() const
{
    return "aqualen-cli " + std::string(help_.name) + ": too few lines (a series needs at least " +
           std::to_string(kLeastSeriesLength) + ")";
}

void CommandLine::RequireLength(const SeriesLines& lines) const
{
    if (lines.size() < kLeastSeriesLength)
        Reject(TooFewLinesText(), kExitTooShort);
}

std::vector<double> CommandLine::ReadValues(const std::string& path, const SeriesFileOptions& options) const
{
    const SeriesLines lines = ReadSeries(path, options);
    RequireLength(lines);
    std::optional<std::vector<double>> values = analysis::ReadValues(lines, options.separator);
    if (!values)
        Reject(kSeriesInvalidText);
    return std::move(*values);
}

int CommandLine::OutcomeStatus(ReportOutcome outcome, const std::string& tooShortText, int seriesCount) const
{
    switch (outcome) {
    case ReportOutcome::TooShort:
        err << tooShortText << '\n';
        return kExitTooShort;
    case ReportOutcome::DifferentLengths:
    case ReportOutcome::InvalidInput:
        err << ReportOutcomeMessage(outcome, seriesCount) << '\n';
        return kExitRejected;
    case ReportOutcome::Report:
        break;
    }
    return kExitReport;
}

} // namespace aqualen::cli
