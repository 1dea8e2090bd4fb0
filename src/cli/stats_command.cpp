#include "cli/commands.h"

#include <ostream>

#include "cli/cli_common.h"

namespace aqualen::cli {

int RunStats(const std::vector<std::string>&, std::ostream&, std::ostream& err)
{
    err << "aqualen-cli: 'stats' is not built yet\n";
    return kExitUsage;
}

} // namespace aqualen::cli
