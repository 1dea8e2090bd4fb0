#include "cli/cli_common.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

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

std::optional<SeriesLines> ReadSeriesFile(const std::string& path, std::string& error)
{
    std::string text;
    if (path.empty() || path == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            error = "cannot read " + path;
            return std::nullopt;
        }
        std::ostringstream buffer;
        buffer << in.rdbuf();
        text = buffer.str();
    }
    // Editors on some systems start UTF-8 files with a byte-order mark; it is
    // no part of the first number.
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    return SplitLines(text);
}

int UsageError(std::ostream& err, const std::string& command, const std::string& reason, const char* usage)
{
    err << "aqualen-cli " << command << ": " << reason << "\n\n" << usage;
    return kExitUsage;
}

int RunReport(std::ostream& out, std::ostream& err, const std::function<int()>& report)
{
    try {
        const int status = report();
        out.flush();
        return status;
    } catch (const FloatFault& fault) {
        out.flush();
        err << fault.what() << '\n';
        return kExitFault;
    }
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
