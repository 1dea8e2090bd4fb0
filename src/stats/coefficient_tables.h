#pragma once
// The constant ai and bi tables of the bias correction.

#include <array>
#include <cstdint>

namespace aqualen {

struct CoefficientRow {
    std::uint8_t key; // the ratio column the row belongs to
    double threshold; // the r(1) from which the row applies
    double value;
};

using AiTable = std::array<CoefficientRow, 9>;

struct BiEntry {
    double r1;
    double value;
};

using BiTable = std::array<BiEntry, 3>;

// a1..a6, rows in the order (2, 0), (2, 0.3), (2, 0.5), (3, 0) ... (4, 0.5).
extern const std::array<AiTable, 6> kAiTables;

// b1..b6, entries for r(1) = 0, 0.3 and 0.5.
extern const std::array<BiTable, 6> kBiTables;

} // namespace aqualen
