#pragma once
// The commands of aqualen-cli. Each takes the arguments after its name and
// returns the exit status.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace aqualen::cli {

int RunStats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCorrel(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunHomog(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCurve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunQuantiles(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunOutliers(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunTrend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunExtend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct ParsedArgs;
struct SeriesFileOptions;
// --level of the series checks: 1, 5 (default) or 10 percent; nullopt otherwise.
std::optional<int> LevelOption(const ParsedArgs& parsed);

// The values of the one series file (or standard input) of a series check: on
// a refusal the message is written to err and status holds the exit status.
std::optional<std::vector<double>> ReadCommandValues(const ParsedArgs& parsed, const SeriesFileOptions& options,
                                                     const char* command, std::ostream& err, int& status);

} // namespace aqualen::cli
