// Qt's own texts (pane context menus, scroll-bar menus, standard buttons) are
// Russian like the rest of the interface, whatever the user's locale: the
// test programs set up the application as the program does.

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

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

} // namespace
} // namespace aqualen::test
