#pragma once
// The analytic curve's options shared by "quantiles" and "curve": --dist,
// --method, --ratio, --band and, for --method given, --mean, --cv, --cs.

#include <string>

#include "cli/cli_common.h"
#include "distributions/analytic_curve.h"

namespace aqualen::cli {

struct AnalyticChoice {
    dist::FitOptions options;
    int status = kExitReport; // when reading fails: kExitUsage or kExitRejected
    std::string reason;       // why, for the command's usage error or on its own line
};

// The option names, for ParseArgs.
inline constexpr const char* kAnalyticOptionNames[] = {"--dist", "--method", "--ratio", "--band",
                                                       "--mean", "--cv",     "--cs"};

// Fills choice.options from the parsed options; `fallback` is the
// distribution without --dist. On a wrong option sets choice.status and
// choice.reason and returns false: kExitUsage for a wrong word, level or
// combination, kExitRejected ("'x' is not a valid floating point value")
// for a number that does not read, as the dialog's boxes refuse it.
bool ReadAnalyticOptions(const ParsedArgs& parsed, char separator, dist::Distribution fallback, AnalyticChoice& choice);

// The same as a command's step: a wrong word, level or combination is its
// usage error, a number that does not read is rejected input on a line of
// its own; either stops the command.
dist::FitOptions AnalyticOptions(const CommandLine& line, char separator, dist::Distribution fallback);

} // namespace aqualen::cli
