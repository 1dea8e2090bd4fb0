#include "cli/commands.h"

#include <ostream>

#include "cli/cli_common.h"

namespace aqualen::cli {

int RunCorrel(const std::vector<std::string>&, std::ostream&, std::ostream& err)
{
    err << "aqualen-cli: 'correl' is not built yet\n";
    return kExitUsage;
}

} // namespace aqualen::cli
