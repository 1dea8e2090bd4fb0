// aqualen-cli: the reports of the program from files, for scripts and batch
// work, and the curve sheet to PDF or PNG.

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QtGlobal>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"

namespace {

const std::string kUsage =
    std::string("Usage: aqualen-cli COMMAND [options] FILE...\n"
                "\n"
                "Commands:\n"
                "  stats  [--r1 0|1|2] [--decimal SEP] [--column N] [--sheet S] [FILE]\n"
                "  correl [--decimal SEP] [--column N] [--sheet S] STUDIED_FILE ANALOGUE_FILE\n"
                "  homog  [--row R] [--level L] [--decimal SEP] [--column N] [--sheet S]\n"
                "         SERIES1_FILE SERIES2_FILE\n"
                "  curve  [options] VALUES_FILE -o OUT.pdf|OUT.png\n"
                "  quantiles [--dist p3|km] [--method moments|sample|quantile|ml|given] [--ratio M]\n"
                "         [--r1 0|1|2] [--mean X --cv X --cs X] [--p LIST] [--band 80|90|95]\n"
                "         [--decimal SEP] [--column N] [--sheet S] [FILE]\n"
                "  outliers [--dist km|p3] [--r1 0|1|2] [--level 1|5|10] [--decimal SEP]\n"
                "         [--column N] [--sheet S] [FILE]\n"
                "  trend  [--level 1|5|10] [--decimal SEP] [--column N] [--sheet S] [FILE]\n"
                "  extend [--decimal SEP] [--first-year Y] [--analogue-first-year Y]\n"
                "         STUDIED_FILE ANALOGUE_FILE\n"
                "\n"
                "\n"
                "A series file holds one number per line; a table (columns by tab,\n"
                "semicolon or blanks) needs --column N, which skips its header line.\n"
                "A workbook (.xlsx, .ods, .xls) is read from its first sheet, or from the\n"
                "one --sheet S names.\n"
                "extend reads a year and a value per line, or one column with its first year.\n"
                "Run 'aqualen-cli COMMAND --help' for the options of a command.\n") +
    std::string(aqualen::cli::kExitStatusHelp);

} // namespace

int main(int argc, char* argv[])
{
    aqualen::cli::HoldStandardStreams();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return aqualen::cli::kExitUsage;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        return aqualen::cli::WriteHelp(std::cout, std::cerr, kUsage);
    }

    // The curve command draws text, which needs a GUI application; without a
    // display it runs on the offscreen platform. Qt wants a private runtime
    // folder and complains on standard error without one.
    std::unique_ptr<QCoreApplication> app;
    if (command == "curve") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const std::string runtime = "/tmp/aqualen-runtime-" + std::to_string(getuid());
            mkdir(runtime.c_str(), 0700);
            qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime));
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
    const std::pair<const char*, Command> commands[] = {
        {"stats", aqualen::cli::RunStats},         {"correl", aqualen::cli::RunCorrel},
        {"homog", aqualen::cli::RunHomog},         {"curve", aqualen::cli::RunCurve},
        {"quantiles", aqualen::cli::RunQuantiles}, {"outliers", aqualen::cli::RunOutliers},
        {"trend", aqualen::cli::RunTrend},         {"extend", aqualen::cli::RunExtend},
    };
    for (const auto& [name, run] : commands)
        if (command == name)
            return run(args, std::cout, std::cerr);
    std::cerr << "aqualen-cli: unknown command '" << command << "'\n" << kUsage;
    return aqualen::cli::kExitUsage;
}
