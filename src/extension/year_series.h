#pragma once
// A series of consecutive years: the year of its first value and the values
// in year order. How pane lines and a year column of a table become one.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "series/series_file_import.h"
#include "series/series_lines.h"

namespace aqualen::extension {

// Years a series may start in.
inline constexpr int kMinFirstYear = 1;
inline constexpr int kMaxFirstYear = 9999;

// The years first..last, both included. Empty when last < first.
struct YearSpan {
    int first = 0;
    int last = -1;

    int Count() const { return last < first ? 0 : last - first + 1; }
    bool Contains(int year) const { return year >= first && year <= last; }
    bool operator==(const YearSpan&) const = default;
};

struct YearSeries {
    int firstYear = 0;
    std::vector<double> values;

    YearSpan Years() const { return {firstYear, firstYear + static_cast<int>(values.size()) - 1}; }
    // The value of a year inside Years().
    double At(int year) const { return values[static_cast<size_t>(year - firstYear)]; }
};

// Reads pane lines as the values of consecutive years from `firstYear`. At
// the first line that is not a number it returns nullopt and sets `badLine`
// to its index.
std::optional<YearSeries> ReadYearSeries(const SeriesLines& lines, int firstYear, char separator, size_t& badLine);

// Why a year column does not give consecutive years.
struct YearColumnProblem {
    enum class Kind {
        NotAYear, // the cell is not a whole year in [kMinFirstYear, kMaxFirstYear]
        Repeated, // the year stands again
        Missing,  // the year is left out between its neighbours
        Backward, // the year comes after a later one
    };
    Kind kind = Kind::NotAYear;
    int year = 0;     // the repeated, missing or backward year
    size_t row = 0;   // 0-based row of the table where it shows
    std::string cell; // the cell that is not a year
};

// The first year of a year column (cells of `column` in the table's data
// rows, the header left out), or the first problem with it.
struct YearColumn {
    std::optional<int> firstYear;
    std::optional<YearColumnProblem> problem;
};
YearColumn ReadYearColumn(const SeriesTable& table, size_t column);

// "Год 1951 повторяется (строка 4)!" and the like; rows counted from 1.
std::string YearColumnProblemText(const YearColumnProblem& problem);

} // namespace aqualen::extension
