// The curve window driven offscreen: page sizes at the zoom levels, the zoom
// buttons, the page's placement, and the whole road from the parameters
// dialog to the points and the blue curve on the page.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>

#include <gtest/gtest.h>

#include "curve/ui/obesp_form.h"
#include "curve/ui/paint_box.h"
#include "curve/ui/param_dlg.h"
#include "curve/ui/series_grid_view.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

struct PixelCount {
    int black = 0;
    int blue = 0;
    int silver = 0;
    int other = 0;
};

PixelCount CountPixels(const QImage& image)
{
    PixelCount count;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == Qt::white)
                continue;
            if (c == QColor(0, 0, 0))
                ++count.black;
            else if (c.red() < 80 && c.green() < 80 && c.blue() > 200)
                ++count.blue;
            else if (c == QColor(192, 192, 192))
                ++count.silver;
            else
                ++count.other;
        }
    }
    return count;
}

// Saves a picture for a person to look at when AQUALEN_SHOTS names a folder.
void Shot(QWidget* widget, const char* name)
{
    if (const char* folder = std::getenv("AQUALEN_SHOTS"))
        widget->grab().save(QString::fromUtf8(folder) + "/" + name + ".png");
}

class ObespFormTest : public ::testing::Test {
protected:
    ~ObespFormTest() override { form.hide(); }

    QSize Page() const { return form.pbPage->size(); }
    // Leaves the fit the window opens with for zoom level 1, the page of
    // 345 × 244 made from the designed width: zooming out goes to the
    // largest level smaller than the fitted page.
    void LevelOne()
    {
        for (int i = 0; i < 3 && (form.sbZoomFit->isChecked() || View().ZoomLevel > 1); ++i)
            form.sbZoomOut->click();
        ASSERT_EQ(Page(), QSize(345, 244));
    }
    const CurveSettings& Settings() const { return form.Settings(); }
    const PageView& View() const { return form.View(); }

    // Opens the parameters dialog modally and lets `fill` set it up before
    // pressing the button.
    template <typename Fill> void RunParameters(Fill fill, bool ok)
    {
        QTimer::singleShot(0, &form, [this, fill, ok] {
            TParamDlg* dialog = form.ParamDlg;
            fill(*dialog);
            (ok ? dialog->btnOk : dialog->btnCansel)->click();
            if (dialog->isVisible()) // refused: leave the modal loop anyway
                dialog->reject();
        });
        form.bbParametersClick();
    }

    test::RecordingMessages messages;
    QWidget owner;
    TObespForm form{&owner};
};

TEST_F(ObespFormTest, CreatedWithTheInitialPageAndState)
{
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Кривая обеспеченности"));
    EXPECT_TRUE(form.isWindow());
    EXPECT_EQ(form.parentWidget(), &owner);
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    // Opened fitted to the window, its shadow inside the visible area.
    EXPECT_TRUE(form.sbZoomFit->isChecked());
    const QSize view = form.ScrollBox1->maximumViewportSize();
    EXPECT_LE(Page().width() + 4, view.width());
    EXPECT_LE(Page().height() + 4, view.height());
    EXPECT_NEAR(Page().width() / double(Page().height()), 1.414, 0.01);
    EXPECT_EQ(form.pbBlack->size(), Page());
    EXPECT_EQ(View().ZoomLevel, 1);
    // The zoom levels are the ones made from the designed width.
    LevelOne();
    EXPECT_EQ(form.pbBlack->size(), QSize(345, 244));
    EXPECT_FALSE(form.sbZoomFit->isChecked());
    EXPECT_EQ(View().ZoomLevel, 1);
    EXPECT_TRUE(View().PlacementPending);
    EXPECT_FALSE(View().SheetReady);
    EXPECT_EQ(Settings().PointRadius, 3);
    EXPECT_EQ(Settings().ScaleMax, 17);
    EXPECT_EQ(form.bbParameters->text(), QString::fromUtf8("Параметры ..."));
    EXPECT_EQ(form.bbPrint->text(), QString::fromUtf8("Печать ... "));
    EXPECT_TRUE(form.sbZoomIn->isEnabled());
    EXPECT_TRUE(form.sbZoomOut->isEnabled());
}

TEST_F(ObespFormTest, ThreeZoomLevelsWithTheirButtons)
{
    form.show();
    LevelOne();
    form.sbZoomIn->click();
    EXPECT_EQ(Page(), QSize(690, 488));
    EXPECT_EQ(View().ZoomLevel, 2);
    EXPECT_FALSE(form.sbZoomIn->isEnabled());
    EXPECT_TRUE(form.sbZoomOut->isEnabled());
    form.sbZoomOut->click();
    EXPECT_EQ(Page(), QSize(345, 244));
    form.sbZoomOut->click();
    EXPECT_EQ(Page(), QSize(172, 122)); // 172.5 rounds to the even 172
    EXPECT_EQ(form.pbBlack->size(), QSize(172, 122));
    EXPECT_EQ(View().ZoomLevel, 0);
    EXPECT_FALSE(form.sbZoomOut->isEnabled());
    EXPECT_TRUE(form.sbZoomIn->isEnabled());
    form.sbZoomIn->click();
    EXPECT_EQ(Page(), QSize(344, 244));
    EXPECT_TRUE(form.sbZoomIn->isEnabled());
    EXPECT_TRUE(form.sbZoomOut->isEnabled());

    // Hidden and shown again: the same zoom.
    form.hide();
    form.show();
    EXPECT_EQ(Page(), QSize(344, 244));
    EXPECT_EQ(View().ZoomLevel, 1);
}

TEST_F(ObespFormTest, PageIsCentredWhenItFitsElseAtTheEdgeWithScrolling)
{
    form.show();
    LevelOne();
    const QSize view = form.ScrollBox1->viewport()->size();
    ASSERT_GT(view.width(), 345);
    EXPECT_FALSE(View().PlacementPending);
    EXPECT_EQ(View().ViewWidth, view.width());
    const int left = (view.width() - 345) / 2; // halves to even below
    EXPECT_NEAR(View().PageLeft, left, 1);
    EXPECT_EQ(form.pbPage->pos(), QPoint(View().PageLeft, View().PageTop));
    EXPECT_EQ(form.pbBlack->pos(), form.pbPage->pos() + QPoint(4, 4));
    EXPECT_NEAR(View().PageTop, (view.height() - 244) / 2, 1);

    form.setWindowState(Qt::WindowNoState);
    form.resize(420, 300);
    QApplication::processEvents();
    const QSize small = form.ScrollBox1->viewport()->size();
    EXPECT_EQ(View().ViewWidth, small.width());
    form.sbZoomIn->click();
    EXPECT_EQ(View().PageLeft, 0);
    EXPECT_EQ(View().PageTop, 0);
    EXPECT_EQ(form.pbPage->pos(), QPoint(0, 0));
    EXPECT_GT(form.ScrollBox1->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(form.ScrollBox1->verticalScrollBar()->maximum(), 0);
}

TEST_F(ObespFormTest, BlankPageWithItsShadowUntilTheFirstOk)
{
    form.show();
    LevelOne();
    const PixelCount page = CountPixels(form.pbPage->grab().toImage());
    EXPECT_EQ(page.black, 0);
    EXPECT_EQ(page.silver, 2 * 345 + 2 * 244 - 4);
    const QImage shadow = form.pbBlack->grab().toImage();
    EXPECT_EQ(shadow.pixelColor(344, 100), QColor(Qt::black));
    EXPECT_EQ(shadow.pixelColor(100, 243), QColor(Qt::black));

    RunParameters([](TParamDlg&) {}, false);
    EXPECT_FALSE(View().SheetReady);
    EXPECT_EQ(CountPixels(form.pbPage->grab().toImage()).black, 0);
}

TEST_F(ObespFormTest, WholeRoadFromTheDialogToThePointsAndTheCurve)
{
    form.show();
    QGuiApplication::clipboard()->setText("8\r\n15\r\n5\r\n12\r\n10\r\n");
    RunParameters(
        [](TParamDlg& dialog) {
            dialog.edNameKrOb->setText(QString::fromUtf8("Река Тест"));
            dialog.CheckBox1->setChecked(true);
            dialog.PageControl1->setCurrentIndex(2);
            dialog.Edit2->setText("5");
            dialog.StringGrid1->SetCurrentRow(1);
            dialog.PasteExecute();
            dialog.CheckBoxCurve->setChecked(true);
            const char* names[] = {"param_page0", "param_page1", "param_page2", "param_page3"};
            for (int i = 0; i < 4; ++i) {
                dialog.PageControl1->setCurrentIndex(i);
                Shot(&dialog, names[i]);
            }
        },
        true);
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_TRUE(View().SheetReady);
    EXPECT_TRUE(Settings().SmoothCurve);
    ASSERT_EQ(Settings().Values.Count(), 5);
    EXPECT_EQ(Settings().Values.Get(0), 15);

    form.sbZoomIn->click();
    const QImage page = form.pbPage->grab().toImage();
    const PixelCount count = CountPixels(page);
    EXPECT_GT(count.black, 2000); // grid, labels and points
    EXPECT_GT(count.blue, 100);   // the smoothing curve
    Shot(&form, "curve_zoom2");
    form.sbZoomOut->click();
    Shot(&form, "curve_zoom1");
    form.sbZoomOut->click();
    Shot(&form, "curve_zoom0");
    EXPECT_GT(CountPixels(form.pbPage->grab().toImage()).blue, 20);

    // Cancelling the dialog afterwards draws the same sheet again.
    form.sbZoomIn->click();
    const QImage before = form.pbPage->grab().toImage();
    RunParameters([](TParamDlg& dialog) { dialog.edMax->setText("99"); }, false);
    EXPECT_EQ(form.pbPage->grab().toImage(), before);
}

} // namespace
} // namespace aqualen::ui
