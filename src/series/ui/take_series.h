#pragma once
// "Взять ряд из главного окна": one series, every window. The main window
// provides its series to the windows it owns; a pane of such a window gets a
// context-menu action that copies the lines, the first year and the name.
// Windows look the provider up through their owners when the action runs, so
// a window made with the main window as its owner needs no wiring of its own.

#include <functional>
#include <optional>

#include "series/ui/pane_series.h"

class QAction;
class QWidget;

namespace aqualen::ui {

class SeriesPane;

using SeriesProvider = std::function<PaneSeries()>;
// Puts a series into the provider's pane, as one edit.
using SeriesReceiver = std::function<void(const PaneSeries&)>;

inline constexpr const char* kTakeSeriesText = "Взять ряд из главного окна";
inline constexpr const char* kNoMainSeriesText = "В главном окне нет ряда!";

// Makes `owner` (the main window) provide this series to the windows it owns
// and, with a receiver, take one from them.
void ProvideSeries(QWidget& owner, SeriesProvider provider, SeriesReceiver receiver = {});

// The series provided to `widget`'s window by it or the nearest of its
// owners; nothing when none provides one.
std::optional<PaneSeries> ProvidedSeries(const QWidget& widget);

// The provided series in the pane as one edit (Undo takes it back); false,
// with a message, when there is none or it is longer than a pane may be.
bool TakeProvidedSeries(SeriesPane& pane);

inline constexpr const char* kReplaceMainSeriesText = "Заменить ряд в главном окне?";

// Puts the series into the pane of the provider found from `widget`'s
// window, after the question "Заменить ряд в главном окне?" when that pane
// holds text. False when none takes series or the user cancelled.
bool PutSeriesInMain(QWidget& widget, const PaneSeries& series);

// Adds "Взять ряд из главного окна" to the pane's context menu; enabled
// while a provider is found. The action is the pane's.
QAction* AddTakeSeriesAction(SeriesPane& pane);

} // namespace aqualen::ui
