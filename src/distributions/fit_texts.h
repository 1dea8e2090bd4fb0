#pragma once
// The refusals of a fit that stops on a limit of the Kritsky–Menkel family,
// each defined once.

namespace aqualen::dist {

// The likelihood rises towards a limit rather than to a maximum inside.
inline constexpr const char* kLikelihoodToThirdMomentText =
    "Правдоподобие не имеет максимума внутри семейства Крицкого–Менкеля: оно растёт к границе "
    "γ + 3b = 0, за которой у кривой нет Cs!";
inline constexpr const char* kLikelihoodToSmallShapeText =
    "Правдоподобие не имеет максимума внутри семейства Крицкого–Менкеля: оно растёт к его краю "
    "γ → 0 (вырожденной кривой)!";
inline constexpr const char* kLikelihoodToDegenerateText =
    "Правдоподобие не имеет максимума внутри семейства Крицкого–Менкеля: оно растёт к вырожденной кривой!";
// The likelihood's maximum lies on a curve whose Cv no series of n positive
// values has (at most √n, all but one value 0): one value of the series
// outweighs the rest by orders of magnitude. The first part of the refusal;
// √n and n follow.
inline constexpr const char* kLikelihoodCvBeyondSeriesText =
    "Правдоподобие не даёт разумной кривой: её Cv больше √n = ";

// The three points of the graphic-analytic method lie on a curve of the
// family only beyond that limit; the range of x50 that would do follows.
inline constexpr const char* kPointsBeyondThirdMomentText =
    "Через точки сглаживающей кривой проходит лишь кривая Крицкого–Менкеля за границей γ + 3b = 0, у "
    "которой нет Cs!";

// Points too close together for the curve's moments: they come from
// differences of log-gammas that cancel as b → 0.
inline constexpr const char* kPointsTooCloseText =
    "Значения сглаживающей кривой при 5 и 95 % почти равны: Cv и Cs кривой Крицкого–Менкеля через её точки не "
    "вычисляются с нужной точностью!";

} // namespace aqualen::dist
