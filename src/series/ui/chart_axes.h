#pragma once
// Value axes of the small charts under the reports: labels in a point-sized
// font (the chart measures labels by points and elides pixel-sized ones) and
// a few round ticks, so the labels stay readable in a short chart.

#include <QtGlobal>

class QFont;
class QString;
class QValueAxis;

namespace aqualen::ui {

// 1, 2 or 5 times a power of ten, the smallest not below `rough`.
qreal NiceStep(qreal rough);

// Label font and format, ticks at round multiples.
void SetUpValueAxis(QValueAxis& axis, const QFont& windowFont, const QString& labelFormat);

// Fits the axis to [low, high] with a 5 % margin (a single value gets a range
// around it), in about three round intervals. Any finite values give a finite
// range and at most a dozen ticks: where no round step fits (a span below
// the values' precision), the axis falls back to fixed ticks.
void FitValueAxis(QValueAxis& axis, qreal low, qreal high);
// An axis of years (or of line numbers) from the first to the last exactly,
// with about four round intervals between labels at round years.
void FitTimeAxis(QValueAxis& axis, qreal first, qreal last);

} // namespace aqualen::ui
