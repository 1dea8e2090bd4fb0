#include "curve/ui/scale_choice.h"

#include <QApplication>
#include <optional>

#include "curve/analytic_fit.h"
#include "series/float_fault.h"
#include "series/number_text.h"

namespace aqualen::ui {

namespace {

// The bootstrap takes a few tenths of a second.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

AutoScale ScaleWithBand(CurveSettings& sheet)
{
    if (sheet.Analytic.BandPending()) {
        if (const std::optional<BandRequest> request = MakeBandRequest(sheet)) {
            const WaitCursor wait;
            try {
                sheet.Analytic.Band = ComputeBand(*request);
            } catch (const dist::FitRefused&) {
            } catch (const FloatFault&) {
            }
        }
    }
    return AutoScaleOf(sheet);
}

std::array<QString, 4> ScaleTexts(const SheetScale& scale, char separator)
{
    auto text = [separator](double value) { return QString::fromStdString(FormatGeneral(value, separator)); };
    return {text(scale.scaleMax), text(scale.scaleMin), text(scale.mainStep), text(scale.additionalStep)};
}

} // namespace aqualen::ui
