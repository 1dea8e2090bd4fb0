#pragma once
// Every text the extension to the long-term period shows the user, defined
// once for the core, the window and aqualen-cli.

namespace aqualen::extension {

inline constexpr const char* kExtensionTitle = "Приведение к многолетнему периоду";

// Refusals of the calculation.
inline constexpr const char* kNoCommonYearsText = "У исследуемого ряда и аналога нет общих лет!";
inline constexpr const char* kTooFewCommonYearsText = "Общий период короче 3 лет!";
inline constexpr const char* kAnalogueShorterText = "Ряд-аналог короче исследуемого ряда!";
inline constexpr const char* kConstantStudiedText = "Исследуемый ряд в общем периоде постоянен!";
inline constexpr const char* kConstantAnalogueText = "Ряд-аналог в общем периоде постоянен!";
inline constexpr const char* kNegativeRadicandText = "СКО (N лет) не определено: подкоренное выражение отрицательно!";

// Unreadable input.
inline constexpr const char* kStudiedInvalidText = "Исследуемый ряд введен не корректно!";
inline constexpr const char* kAnalogueInvalidText = "Ряд-аналог введен не корректно!";

// The closing line of a report whose conditions are not all met, and the
// refusal to hand such a series on.
inline constexpr const char* kConditionsNotMetText = "Условия приведения не выполнены";
inline constexpr const char* kConditionMetText = "выполнено";
inline constexpr const char* kConditionFailedText = "не выполнено";

// A pane without its first year: the years are what pairs the two series.
inline constexpr const char* kStudiedNoYearText =
    "Задайте первый год исследуемого ряда («Первый год ...» в меню ряда)!";
inline constexpr const char* kAnalogueNoYearText = "Задайте первый год ряда-аналога («Первый год ...» в меню ряда)!";

// The window's menu item and its handover to the main window.
inline constexpr const char* kExtensionMenuText = "Приведение к многолетнему периоду ...";
inline constexpr const char* kSendExtendedText = "Передать продленный ряд в главное окно";
inline constexpr const char* kExtendedNameSuffix = ", продленный";
inline constexpr const char* kConditionsNotMetSendText = "Условия приведения не выполнены: ряд не передан!";

// The restored table's header.
inline constexpr const char* kRestoredHeader = "Год\tАналог\tВосстановлено";

} // namespace aqualen::extension
