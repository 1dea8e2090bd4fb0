// Qt's own texts (pane context menus, scroll-bar menus, standard buttons) are
// Russian like the rest of the interface, whatever the user's locale: the
// test programs set up the application as the program does.

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace aqualen::test {
namespace {

QStringList ActionTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        QString text = action->text();
        text.remove(QLatin1Char('&'));
        texts << text.section(QLatin1Char('\t'), 0, 0);
    }
    return texts;
}

TEST(QtTexts, PaneContextMenuIsRussian)
{
    QPlainTextEdit pane;
    pane.setPlainText(QStringLiteral("12,5"));
    const std::unique_ptr<QMenu> menu(pane.createStandardContextMenu());
    const QStringList texts = ActionTexts(*menu);
    EXPECT_TRUE(texts.contains(QStringLiteral("Копировать"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Вставить"))) << texts.join(u'|').toStdString();
    EXPECT_FALSE(texts.contains(QStringLiteral("Copy")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Select All")));
}

TEST(QtTexts, ScrollBarMenuAndStandardButtonsAreRussian)
{
    EXPECT_EQ(QCoreApplication::translate("QScrollBar", "Scroll here"), QStringLiteral("Прокрутить сюда"));

    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QString cancel = buttons.button(QDialogButtonBox::Cancel)->text();
    cancel.remove(QLatin1Char('&'));
    EXPECT_EQ(cancel, QStringLiteral("Отмена"));
}

// Pictures of Qt's own texts as the user meets them, for a look: the pane's
// context menu, a scroll bar's menu and a message box's button. Only when
// AQUALEN_SCREENSHOTS names a folder.

// Grabs the popup or modal window that `open` shows, then closes it.
void GrabWhatOpens(const QString& file, const std::function<void()>& open)
{
    QTimer::singleShot(0, [file] {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            shown = QApplication::activeModalWidget();
        if (shown) {
            shown->grab().save(file);
            shown->close();
        }
    });
    open();
}

TEST(QtTexts, Screenshots)
{
    const QString folder = qEnvironmentVariable("AQUALEN_SCREENSHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set AQUALEN_SCREENSHOTS to a folder";
    QDir().mkpath(folder);

    QPlainTextEdit pane;
    pane.setPlainText(QStringLiteral("120,5\n98\n143"));
    pane.resize(300, 200);
    pane.show();
    GrabWhatOpens(folder + QStringLiteral("/qt-texts-pane-menu.png"), [&pane] {
        const std::unique_ptr<QMenu> menu(pane.createStandardContextMenu());
        menu->exec(pane.mapToGlobal(QPoint(20, 20)));
    });

    QScrollBar* bar = pane.verticalScrollBar();
    GrabWhatOpens(folder + QStringLiteral("/qt-texts-scrollbar-menu.png"), [bar] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), bar->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(bar, &event);
    });

    GrabWhatOpens(folder + QStringLiteral("/qt-texts-message-box.png"), [] {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("Ряд введен не корректно!"),
                        QMessageBox::Ok | QMessageBox::Cancel);
        box.exec();
    });
}

} // namespace
} // namespace aqualen::test
