#include "extension/year_series.h"

#include <charconv>
#include <set>

#include "series/number_text.h"

namespace aqualen::extension {

std::optional<YearSeries> ReadYearSeries(const SeriesLines& lines, int firstYear, char separator, size_t& badLine)
{
    YearSeries series;
    series.firstYear = firstYear;
    series.values.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::optional<double> value = ParseNumber(lines[i], separator);
        if (!value) {
            badLine = i;
            return std::nullopt;
        }
        series.values.push_back(*value);
    }
    return series;
}

namespace {

// A whole year, digits only: "1950", not "1950.5", "+1950" or "1 950".
std::optional<int> ParseYear(const std::string& cell)
{
    int year = 0;
    const char* end = cell.data() + cell.size();
    const auto [stop, error] = std::from_chars(cell.data(), end, year);
    if (cell.empty() || cell[0] == '-' || error != std::errc() || stop != end)
        return std::nullopt;
    if (year < kMinFirstYear || year > kMaxFirstYear)
        return std::nullopt;
    return year;
}

} // namespace

YearColumn ReadYearColumn(const SeriesTable& table, size_t column)
{
    YearColumn result;
    std::set<int> seen;
    std::optional<int> previous;
    for (size_t row = table.header ? 1 : 0; row < table.rows.size(); ++row) {
        const std::vector<std::string>& cells = table.rows[row];
        const std::string cell = column < cells.size() ? cells[column] : std::string();
        const std::optional<int> year = ParseYear(cell);
        YearColumnProblem problem;
        problem.row = row;
        if (!year) {
            problem.kind = YearColumnProblem::Kind::NotAYear;
            problem.cell = cell;
            result.problem = problem;
            return result;
        }
        problem.year = *year;
        if (previous && *year != *previous + 1) {
            if (seen.count(*year))
                problem.kind = YearColumnProblem::Kind::Repeated;
            else if (*year < *previous)
                problem.kind = YearColumnProblem::Kind::Backward;
            else {
                problem.kind = YearColumnProblem::Kind::Missing;
                problem.year = *previous + 1;
            }
            result.problem = problem;
            return result;
        }
        if (!previous)
            result.firstYear = *year;
        seen.insert(*year);
        previous = year;
    }
    return result;
}

std::string YearColumnProblemText(const YearColumnProblem& problem)
{
    const std::string row = " (строка " + std::to_string(problem.row + 1) + ")!";
    const std::string year = std::to_string(problem.year);
    switch (problem.kind) {
    case YearColumnProblem::Kind::NotAYear:
        return "Год не прочитан: «" + problem.cell + "»" + row;
    case YearColumnProblem::Kind::Repeated:
        return "Год " + year + " повторяется" + row;
    case YearColumnProblem::Kind::Missing:
        return "Пропущен год " + year + row;
    case YearColumnProblem::Kind::Backward:
        return "Год " + year + " стоит после более позднего" + row;
    }
    return {};
}

} // namespace aqualen::extension
