#pragma once
// The curve window: the exceedance-curve sheet on a white page with a black
// shadow in a scrollable area, three zoom levels, and the parameters and
// print dialogs. It owns the curve settings and hands them on by reference.
// The window opens maximised: the owner only calls show().

#include <QWidget>

#include "curve/curve_settings.h"

class QFrame;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace aqualen::ui {

class PaintBox;
class TParamDlg;
class TPrintDlg;

class TObespForm : public QWidget {
    Q_OBJECT
public:
    explicit TObespForm(QWidget* owner);
    ~TObespForm() override;

    CurveSettings& Settings() { return settings_; }
    const CurveSettings& Settings() const { return settings_; }

    QFrame* Panel1;
    QToolButton* sbZoomOut;
    QToolButton* sbZoomIn;
    QPushButton* bbParameters;
    QPushButton* bbPrint;
    QScrollArea* ScrollBox1;
    PaintBox* pbBlack;
    PaintBox* pbPage;
    // Made on first use and kept, with their contents, until the window goes.
    TParamDlg* ParamDlg = nullptr;
    TPrintDlg* PrintDlg = nullptr;

    void PlacePage();

public slots:
    void FormActivate();
    void sbZoomOutClick();
    void sbZoomInClick();
    void bbParametersClick();
    void bbPrintClick();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormResize();
    void ZoomButtons();
    void pbPagePaint(QPainter& painter);
    void pbBlackPaint(QPainter& painter);
    void ResizePage(int width, int height);

    CurveSettings settings_;
    QWidget* pageArea_ = nullptr; // the scrolled content holding the page
    bool placing_ = false;
    bool paintFaultShown_ = false;
};

} // namespace aqualen::ui
