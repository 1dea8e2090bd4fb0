// The curve page on screen: fitting it to the window, the keys and the wheel
// that step the zoom, the screen's light dotted divisions, and pictures of
// every zoom level to look at.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QScrollArea>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "curve/smoothing_fit.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/paint_box.h"
#include "key_input.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

using test::KeyClick;

void CtrlWheel(QWidget* target, int delta)
{
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

class ObespZoomTest : public ::testing::Test {
protected:
    ObespZoomTest()
    {
        form.resize(1000, 700);
        form.showNormal();
        QApplication::processEvents();
    }
    ~ObespZoomTest() override { form.hide(); }

    QSize Page() const { return form.pbPage->size(); }

    // A sheet of n annual values, largest first, with the smoothing curve.
    void Sheet(int n)
    {
        CurveSettings& s = form.Settings();
        s.Probabilities.Clear();
        s.Values.Clear();
        for (int m = 1; m <= n; ++m) {
            s.Probabilities.Add(100.0 * m / (n + 1));
            s.Values.Add(14.0 - 10.0 * m / n + 0.8 * std::sin(m * 2.3));
        }
        s.Values.SortDescending();
        s.Title = "р. Ока — г. Калуга";
        s.AxisName = "Q, м3/с";
        FitSmoothingCurve(s);
        s.SmoothCurve = true;
        form.View().SheetReady = true;
        form.FormActivate();
    }

    test::RecordingMessages messages;
    QWidget owner;
    TObespForm form{&owner};
};

TEST_F(ObespZoomTest, OpensFittedAndLeavesForTheNearestLevel)
{
    EXPECT_TRUE(form.sbZoomFit->isChecked());
    const QSize view = form.ScrollBox1->maximumViewportSize();
    const QSize fitted = Page();
    EXPECT_NEAR(fitted.width() / double(fitted.height()), 1.414, 0.005);
    EXPECT_TRUE(fitted.width() + 20 <= view.width() && fitted.height() + 20 <= view.height());
    EXPECT_TRUE(fitted.width() + 20 + 3 >= view.width() || fitted.height() + 20 + 1 >= view.height())
        << "as large as the window allows";

    // It follows the window while it is on; pressing it again keeps it on.
    form.resize(600, 450);
    QApplication::processEvents();
    const QSize smaller = Page();
    EXPECT_LT(smaller.height(), fitted.height());
    EXPECT_EQ(form.View().ZoomLevel, 1);
    form.sbZoomFit->click();
    EXPECT_TRUE(form.sbZoomFit->isChecked());
    EXPECT_EQ(Page(), smaller);

    // Zooming out leaves the fit for the largest smaller level: 1 (345 × 244).
    ASSERT_GT(smaller.height(), 244);
    form.sbZoomOut->click();
    EXPECT_FALSE(form.sbZoomFit->isChecked());
    EXPECT_EQ(Page(), QSize(345, 244));
    EXPECT_EQ(form.View().ZoomLevel, 1);

    // Off, the page keeps its level's size whatever the window does.
    form.resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(Page(), QSize(345, 244));

    // Fitted again, zooming in goes to the smallest larger level, never
    // back to a smaller page than the one on screen.
    form.resize(600, 450);
    QApplication::processEvents();
    form.sbZoomFit->click();
    ASSERT_EQ(Page(), smaller);
    ASSERT_LT(smaller.height(), 488);
    form.sbZoomIn->click();
    EXPECT_FALSE(form.sbZoomFit->isChecked());
    EXPECT_EQ(Page(), QSize(690, 488));
    EXPECT_EQ(form.View().ZoomLevel, 2);
}

TEST_F(ObespZoomTest, KeysAndTheWheelStepThroughTheLevels)
{
    // Out of the fit the window opens with, to the largest level (690 × 488)
    // or below it.
    while (form.sbZoomFit->isChecked())
        KeyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    while (form.View().ZoomLevel < 2)
        KeyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(Page(), QSize(690, 488));
    KeyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(Page(), QSize(690, 488)) << "no level beyond the largest";
    KeyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    KeyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Page(), QSize(172, 122));
    KeyClick(&form, Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(form.sbZoomFit->isChecked());
    const QSize fitted = Page();
    KeyClick(&form, Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(form.sbZoomFit->isChecked()) << "fitting is left by zooming only";
    EXPECT_EQ(Page(), fitted);
    while (form.sbZoomFit->isChecked())
        KeyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    while (form.View().ZoomLevel > 0)
        KeyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(Page(), QSize(172, 122));

    QWidget* viewport = form.ScrollBox1->viewport();
    CtrlWheel(viewport, 120);
    EXPECT_EQ(Page(), QSize(344, 244));
    CtrlWheel(viewport, 60); // half a notch: nothing yet
    EXPECT_EQ(Page(), QSize(344, 244));
    CtrlWheel(viewport, 60);
    EXPECT_EQ(Page(), QSize(688, 488));
    CtrlWheel(viewport, -240);
    EXPECT_EQ(Page(), QSize(172, 122));
    EXPECT_FALSE(form.sbZoomOut->isEnabled());
}

// A fitted page that grows past the largest level or shrinks below it with
// the window takes the zoom-in button with it.
TEST_F(ObespZoomTest, TheButtonsFollowAFittedPage)
{
    ASSERT_TRUE(form.sbZoomFit->isChecked());
    ASSERT_GT(Page().height(), 488);
    EXPECT_FALSE(form.sbZoomIn->isEnabled());
    EXPECT_TRUE(form.sbZoomOut->isEnabled());
    form.resize(600, 450);
    QApplication::processEvents();
    ASSERT_LT(Page().height(), 488);
    EXPECT_TRUE(form.sbZoomIn->isEnabled());
    form.resize(1000, 700);
    QApplication::processEvents();
    EXPECT_FALSE(form.sbZoomIn->isEnabled());
}

// Dotted divisions on screen are light one-pixel dots: no run of dark dotted
// pixels, and far fewer dark pixels than with paper's 3-on/3-off dashes.
TEST_F(ObespZoomTest, DottedDivisionsStayLightDots)
{
    Sheet(10);
    KeyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    const QImage page = form.pbPage->grab().toImage();
    // A row of the additional divisions between two main ones, clear of text.
    int grey = 0;
    int black = 0;
    for (int y = page.height() / 3; y < page.height() / 3 + 20; ++y) {
        for (int x = page.width() / 2; x < page.width() / 2 + 40; ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() == c.blue() && c.red() > 100 && c.red() < 200)
                ++grey;
            if (c.red() < 40 && c.green() < 40 && c.blue() < 40)
                ++black;
        }
    }
    EXPECT_GT(grey, 20);
    EXPECT_LT(black, grey);
}

// Not a check: with AQUALEN_SCREENSHOTS=dir set, saves the window at every
// zoom level and fitted, with 10 and with 100 points and the curve.
TEST_F(ObespZoomTest, ScreenshotsOfEveryZoomLevel)
{
    const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder to save screenshots";
    for (const int n : {10, 100}) {
        Sheet(n);
        const auto shot = [&](const QString& zoom) {
            QApplication::processEvents();
            form.grab().save(QDir(dir).filePath(QStringLiteral("curve_%1pt_%2.png").arg(n).arg(zoom)));
            // The page's upper left corner three times larger, to see its pixels.
            const QImage page = form.pbPage->grab().toImage();
            page.copy(0, 0, std::min(page.width(), 260), std::min(page.height(), 180))
                .scaled(780, 540, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                .save(QDir(dir).filePath(QStringLiteral("curve_%1pt_%2_pixels.png").arg(n).arg(zoom)));
        };
        while (form.sbZoomFit->isChecked() || form.View().ZoomLevel > 0)
            KeyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
        shot(QStringLiteral("zoom0"));
        KeyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
        shot(QStringLiteral("zoom1"));
        KeyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
        shot(QStringLiteral("zoom2"));
        form.sbZoomFit->click();
        shot(QStringLiteral("fit"));
        form.sbZoomOut->click();
    }
}

} // namespace
} // namespace aqualen::ui
