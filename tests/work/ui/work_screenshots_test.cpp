// Pictures of the save question as Qt shows it and of the title with the
// work's name, the unsaved mark and the series' name (the offscreen platform
// draws no window frame, so the title the window hands the window manager is
// drawn above the window). Saved only when AQUALEN_SCREENSHOTS names a folder.

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include "app/ui/main_form.h"
#include "series/ui/series_pane.h"
#include "work/ui/work_session.h"
#include "work_test_support.h"

namespace aqualen::test {
namespace {

TEST(WorkScreenshots, SaveQuestionAndTitleMark)
{
    const QString dir = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder to save screenshots";
    const QTemporaryDir works;
    RecordingWorkDialogs names;
    names.saveAnswer = QDir(works.path()).filePath(QStringLiteral("Ока"));
    ui::TMainForm form;
    form.show();
    form.Ser1Memo->SetSeries({QStringLiteral("120,5\n98,3\n143,0\n"), 1950, QStringLiteral("Ока у Калуги")});
    ASSERT_TRUE(form.Work().SaveWork());
    form.Ser1Memo->moveCursor(QTextCursor::End);
    form.Ser1Memo->insertPlainText(QStringLiteral("110,2\n"));
    ASSERT_TRUE(form.isWindowModified());
    QApplication::processEvents();

    QImage window = form.grab().toImage();
    QImage titled(window.width(), window.height() + 28, QImage::Format_RGB32);
    titled.fill(QColor(0xde, 0xde, 0xde));
    {
        QPainter painter(&titled);
        painter.drawText(QRect(0, 0, titled.width(), 28), Qt::AlignCenter, form.windowHandle()->title());
        painter.drawImage(0, 28, window);
    }
    titled.save(QDir(dir).filePath(QStringLiteral("work_title_mark.png")));

    // The real box of the question, grabbed and then cancelled.
    bool grabbed = false;
    QTimer::singleShot(0, &form, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->grab().save(QDir(dir).filePath(QStringLiteral("work_save_question.png")));
        grabbed = true;
        for (QAbstractButton* button : box->buttons())
            if (button->text() == QStringLiteral("Отмена"))
                button->click();
    });
    form.close();
    EXPECT_TRUE(grabbed);
    EXPECT_TRUE(form.isVisible()) << "Отмена keeps the program open";
    form.hide();
}

} // namespace
} // namespace aqualen::test
