#include "cli/cli_common.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <ostream>

#include <QLocale>

#include "series/float_fault.h"

namespace aqualen::cli {

std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args,
                                    const std::set<std::string>& valued,
                                    const std::set<std::string>& switches,
                                    std::string& error)
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
    const auto it = parsed.options.find("--decimal");
    if (it == parsed.options.end()) {
        const QString point = QLocale::system().decimalPoint();
        if (point.size() == 1 && point.at(0).unicode() < 128)
            return static_cast<char>(point.at(0).unicode());
        return '.';
    }
    if (it->second != "," && it->second != ".")
        return std::nullopt;
    return it->second[0];
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

} // namespace

std::optional<SeriesLines> ReadSeriesFile(const std::string& path, std::string& error)
{
    const bool standardInput = path.empty() || path == "-";
    const std::string name = standardInput ? "standard input" : path;
    std::string reason;
    std::optional<std::string> text;
    if (standardInput) {
        text = ReadAll(STDIN_FILENO, reason);
    } else {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            reason = std::strerror(errno);
        } else {
            text = ReadAll(fd, reason);
            close(fd);
        }
    }
    if (!text) {
        error = "cannot read " + name + ": " + reason;
        return std::nullopt;
    }
    // Editors on some systems start UTF-8 files with a byte-order mark; it is
    // no part of the first number.
    if (text->rfind("\xEF\xBB\xBF", 0) == 0)
        text->erase(0, 3);
    return SplitLines(*text);
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

int WriteHelp(std::ostream& out, std::ostream& err, const char* text)
{
    out << text;
    return CheckWritten(out, err, kExitReport);
}

int UsageError(std::ostream& err, const std::string& command, const std::string& reason, const char* usage)
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

std::optional<int> IntegerOption(const ParsedArgs& parsed, const std::string& name, int fallback,
                                 int low, int high)
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

} // namespace aqualen::cli
