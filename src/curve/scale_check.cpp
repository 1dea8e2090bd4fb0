#include "curve/scale_check.h"

#include <cmath>

namespace aqualen {

namespace {

constexpr long double kMaxDivisions = 1000;
// Far above the rounding of a few decimal texts (some 1e-16 of the
// quotient), far below what a typed end could mean.
constexpr long double kDecimalSlack = 1e-12L;

// How many steps fit into the range, or infinity when they cannot be counted.
long double DivisionCount(long double range, double step)
{
    const long double count = std::trunc(range / step);
    return std::isfinite(count) ? count : INFINITY;
}

} // namespace

std::optional<std::string> ScaleSettingsError(double scaleMax, double scaleMin, double mainStep, double additionalStep)
{
    // Written so that a NaN fails every check.
    if (!(scaleMax > scaleMin))
        return "Максимум шкалы должен быть больше минимума!";
    if (!(mainStep > 0))
        return "Шаг основных делений должен быть больше нуля!";
    if (!(additionalStep > 0))
        return "Шаг промежуточных делений должен быть больше нуля!";
    const long double range = static_cast<long double>(scaleMax) - scaleMin;
    if (DivisionCount(range, mainStep) > kMaxDivisions)
        return "Слишком много основных делений шкалы (больше 1000)!";
    if (DivisionCount(range, additionalStep) > kMaxDivisions)
        return "Слишком много промежуточных делений шкалы (больше 1000)!";
    return std::nullopt;
}

long double MainDivisionCount(double scaleMax, double scaleMin, double mainStep)
{
    const long double quotient = (static_cast<long double>(scaleMax) - scaleMin) / mainStep;
    const long double count = std::trunc(quotient);
    if (std::isfinite(count) && count + 1 - quotient <= kDecimalSlack * (count + 1))
        return count + 1;
    return count;
}

} // namespace aqualen
