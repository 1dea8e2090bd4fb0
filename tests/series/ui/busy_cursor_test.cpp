#include <QGuiApplication>
#include <QPlainTextEdit>
#include <optional>

#include <gtest/gtest.h>

#include "series/ui/busy_cursor.h"
#include "series/ui/message_service.h"

namespace aqualen::ui {
namespace {

std::optional<Qt::CursorShape> Override()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? std::optional<Qt::CursorShape>(cursor->shape()) : std::nullopt;
}

QString Lines(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("1\n");
    return text;
}

// Remembers the cursor the user saw when each box came up.
class CursorAtMessage final : public MessageService {
public:
    CursorAtMessage() { SetMessageService(this); }
    ~CursorAtMessage() override { SetMessageService(nullptr); }
    void Show(MessageKind, const QString&, const QString&, QWidget*) override { seen.push_back(Override()); }
    std::vector<std::optional<Qt::CursorShape>> seen;
};

TEST(BusyCursor, OnlyForPanesOfManyLinesAndOnlyWhileItLives)
{
    QPlainTextEdit shortPane;
    QPlainTextEdit longPane;
    shortPane.setPlainText(Lines(10));
    longPane.setPlainText(Lines(kBusyLines / 2));
    {
        const BusyCursor busy({&shortPane});
        EXPECT_EQ(Override(), std::nullopt);
    }
    {
        const BusyCursor busy({&shortPane, &longPane});
        EXPECT_EQ(Override(), std::nullopt);
    }
    {
        // Together the two halves reach the mark.
        const BusyCursor busy({&longPane, &longPane});
        EXPECT_EQ(Override(), Qt::WaitCursor);
    }
    EXPECT_EQ(Override(), std::nullopt);
}

TEST(BusyCursor, MessageBoxesShowTheOrdinaryCursorAndTheWaitComesBack)
{
    QPlainTextEdit longPane;
    longPane.setPlainText(Lines(kBusyLines));
    CursorAtMessage messages;
    {
        const BusyCursor busy({&longPane});
        ShowError(nullptr, QStringLiteral("x"));
        ShowWarning(nullptr, QStringLiteral("x"));
        EXPECT_EQ(Override(), Qt::WaitCursor);
    }
    ShowFault(nullptr, QStringLiteral("x"));
    EXPECT_EQ(messages.seen, (std::vector<std::optional<Qt::CursorShape>>(3, std::nullopt)));
    EXPECT_EQ(Override(), std::nullopt);
}

} // namespace
} // namespace aqualen::ui
