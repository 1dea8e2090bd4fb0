#pragma once
// The curve window: the exceedance-curve sheet on a white page with a black
// shadow in a scrollable area, three zoom levels, and the parameters and
// print dialogs. It owns the curve settings and hands them on by reference.
// The window opens maximised: the owner only calls show().

#include <QWidget>
#include <functional>

#include "curve/curve_settings.h"
#include "curve/page_zoom.h"

class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace aqualen::ui {

class PaintBox;
class TParamDlg;
class TPrintDlg;
class TSaveSheetDlg;
class TQuantilesForm;
class BandJob;
struct BandOutcome;

class TObespForm : public QWidget {
    Q_OBJECT
public:
    explicit TObespForm(QWidget* owner);
    ~TObespForm() override;

    CurveSettings& Settings() { return settings_; }
    const CurveSettings& Settings() const { return settings_; }
    // How the page is shown: zoom level, placement, whether the sheet is drawn.
    PageView& View() { return zoom_.View(); }
    const PageView& View() const { return zoom_.View(); }

    QFrame* Panel1;
    QToolButton* sbZoomOut;
    QToolButton* sbZoomIn;
    // "По размеру окна" (Ctrl+0): while it is down the page follows the
    // window's size. It is down when the window opens; zooming in or out
    // releases it for the nearest zoom level. Ctrl+wheel and Ctrl+plus/minus
    // step the zoom levels.
    QToolButton* sbZoomFit = nullptr;
    QPushButton* bbParameters;
    QPushButton* bbPrint;
    QPushButton* bbSave; // "Сохранить лист ..." (Ctrl+S)
    QPushButton* bbQuantiles;
    QLabel* lbBand; // shown while the confidence limits are being computed
    QScrollArea* ScrollBox1;
    PaintBox* pbBlack;
    PaintBox* pbPage;
    // Made on first use and kept, with their contents, until the window goes.
    TParamDlg* ParamDlg = nullptr;
    TPrintDlg* PrintDlg = nullptr;
    TSaveSheetDlg* SaveSheetDlg = nullptr;
    TQuantilesForm* QuantilesForm = nullptr;

    void PlacePage();
    // The parameters dialog, made (hidden) on first use.
    TParamDlg& MakeParamDlg();

    // Where the parameters dialog takes the r(1) choice of the corrected
    // moments from: the owner's own choice, asked at each OK.
    void SetR1Source(std::function<int()> source);
    // Blocks until the analytic curve's band, if one is being computed, is
    // on the sheet (printing and the quantile report wait for it).
    void WaitForBand();
    // Starts the band of the sheet's analytic curve, when one is asked for,
    // off the window's thread; the sheet shows it once it is known.
    void StartBand();

public slots:
    void FormActivate();
    void sbZoomOutClick();
    void sbZoomInClick();
    // Shows the page at zoom level 0..2, leaving the fit to the window (a
    // work file puts back the level the user left the sheet at).
    void ShowZoomLevel(int level);
    void sbZoomFitClick();
    void bbParametersClick();
    void bbPrintClick();
    void bbSaveClick();
    void bbQuantilesClick();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormResize();
    void ZoomButtons();
    void pbPagePaint(QPainter& painter);
    void pbBlackPaint(QPainter& painter);
    // Shows the page at the controller's size, placed, with the buttons
    // that lead on from it.
    void ShowPage();
    // The visible area without scroll bars, which a fitted page fills.
    PageSize FitArea() const;
    bool WheelZoom(const QWheelEvent& wheel);

    CurveSettings settings_;
    PageZoom zoom_;               // the page's zoom and place, the window's own view state
    QWidget* pageArea_ = nullptr; // the scrolled content holding the page
    bool placing_ = false;
    bool paintFaultShown_ = false;
    std::function<int()> r1Source_;
    BandJob* bandJob_ = nullptr;
    void BandFinished(const BandOutcome& outcome);
    // The quantile report of the sheet's curve; false when it was refused.
    bool WriteQuantiles();
    void RefreshQuantiles();
    // Counts the sheets confirmed with OK: the quantile report names the one
    // it was written for, and shows itself out of date under a later one.
    int sheetEdition_ = 0;
};

} // namespace aqualen::ui
