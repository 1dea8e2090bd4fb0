// Prints the regression figures of the extension to the long-term period at
// full precision for the cross-check against SciPy. Reads lines from
// standard input:
//   N x1 ... xN y1 ... yN   ->  k a R sigma_k    (or "refused TEXT")
// x the analogue, y the studied series, over the same N years.

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "extension/extension_report.h"

int main()
{
    using namespace aqualen::extension;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        int n = 0;
        in >> n;
        YearSeries analogue{1900, std::vector<double>(static_cast<size_t>(n))};
        YearSeries studied{1900, std::vector<double>(static_cast<size_t>(n))};
        for (double& x : analogue.values)
            in >> x;
        for (double& y : studied.values)
            in >> y;
        ExtensionFigures figures;
        const ExtensionRefusal refusal = ComputeExtension(studied, analogue, figures);
        if (refusal != ExtensionRefusal::None)
            std::printf("refused %s\n", RefusalText(refusal));
        else
            std::printf("%.17g %.17g %.17g %.17g\n", figures.k, figures.a, figures.r, figures.sigmaK);
    }
    return 0;
}
