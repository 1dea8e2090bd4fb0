#pragma once
// The refusals of the series checks, shown in a message box by the window
// and on standard error by aqualen-cli (exit status 1).

namespace aqualen::analysis {

inline constexpr const char* kTrendLengthText = "Для проверки тренда нужно от 10 до 10 000 значений ряда!";
inline constexpr const char* kOutlierLengthText =
    "Для проверки выделяющихся значений нужно от 5 до 1 000 значений ряда!";
inline constexpr const char* kAllEqualText = "Все значения ряда одинаковы: критерии не определены!";

// The significance levels offered, in percent.
inline constexpr int kLevels[] = {1, 5, 10};

} // namespace aqualen::analysis
