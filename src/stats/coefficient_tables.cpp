#include "stats/coefficient_tables.h"

namespace aqualen {

namespace {

// One table column from its nine values, keyed and thresholded row by row;
// the thresholds are the same doubles as the regional r(1) choices.
constexpr AiTable AiColumn(double k2r0, double k2r3, double k2r5, double k3r0, double k3r3, double k3r5, double k4r0,
                           double k4r3, double k4r5)
{
    return {{{2, 0.0, k2r0},
             {2, 0.3, k2r3},
             {2, 0.5, k2r5},
             {3, 0.0, k3r0},
             {3, 0.3, k3r3},
             {3, 0.5, k3r5},
             {4, 0.0, k4r0},
             {4, 0.3, k4r3},
             {4, 0.5, k4r5}}};
}

constexpr BiTable BiColumn(double r0, double r3, double r5)
{
    return {{{0.0, r0}, {0.3, r3}, {0.5, r5}}};
}

} // namespace

const std::array<AiTable, 6> kAiTables{
    AiColumn(0, 0, 0, 0, 0, 0, 0, -0.02, -0.02),
    AiColumn(0.19, 0.22, 0.18, 0.69, 1.15, 1.75, 1.36, 2.61, 3.47),
    AiColumn(0.99, 0.99, 0.98, 0.98, 1.02, 1.00, 1.02, 1.13, 1.18),
    AiColumn(-0.88, -0.41, 0.41, -4.34, -7.53, -11.79, -9.68, -19.85, -29.71),
    AiColumn(0.01, 0.01, 0.02, 0.01, -0.04, -0.05, -0.05, -0.22, -0.41),
    AiColumn(1.54, 1.51, 1.47, 6.78, 12.38, 21.13, 15.55, 34.15, 58.08),
};

const std::array<BiTable, 6> kBiTables{
    BiColumn(0.03, 0.03, 0.03),    BiColumn(2.00, 1.77, 1.63), BiColumn(0.92, 0.93, 0.92),
    BiColumn(-5.09, -3.45, -0.97), BiColumn(0.03, 0.03, 0.03), BiColumn(8.10, 8.03, 7.94),
};

} // namespace aqualen
