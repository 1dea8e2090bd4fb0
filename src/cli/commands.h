#pragma once
// The commands of aqualen-cli. Each takes the arguments after its name and
// returns the exit status.

#include <iosfwd>
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

} // namespace aqualen::cli
