#pragma once
// The verdict texts of the homogeneity report, each defined once.

namespace aqualen {

inline constexpr const char* kFisherAlike = "Ряды однородны по критерию Фишера";
inline constexpr const char* kFisherUnlike = "Ряды не однородны по критерию Фишера";
inline constexpr const char* kStudentAlike = "Ряды однородны по критерию Стьюдента";
inline constexpr const char* kStudentUnlike = "Ряды не однородны по критерию Стьюдента";
inline constexpr const char* kWilcoxonAlike = "Ряды однородны по критерию Вилькоксона";
inline constexpr const char* kWilcoxonUnlike = "Ряды не однородны по критерию Вилькоксона";
// The answer after a verdict, in double quotes.
inline constexpr const char* kVerdictYes = "Да";
inline constexpr const char* kVerdictNo = "Нет";

} // namespace aqualen
