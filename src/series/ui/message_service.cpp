#include "series/ui/message_service.h"

#include <QMessageBox>
#include <QPushButton>

#include "series/ui/busy_cursor.h"

namespace aqualen::ui {

namespace {

class QtMessageService final : public MessageService {
public:
    void Show(MessageKind kind, const QString& caption, const QString& text, QWidget* parent) override
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        switch (kind) {
        case MessageKind::Error:
            icon = QMessageBox::Critical;
            break;
        case MessageKind::Warning:
            icon = QMessageBox::Warning;
            break;
        case MessageKind::Plain:
            icon = QMessageBox::NoIcon;
            break;
        case MessageKind::Fault:
            icon = QMessageBox::Critical;
            break;
        }
        QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    Answer Ask(const QString& caption, const QString& text, bool withNo, QWidget* parent) override
    {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
        QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        QPushButton* no = withNo ? box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole) : nullptr;
        QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == yes)
            return Answer::Yes;
        if (no && box.clickedButton() == no)
            return Answer::No;
        return Answer::Cancel;
    }

    Answer AskYesNo(const QString& caption, const QString& text, QWidget* parent) override
    {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
        QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
};

QtMessageService& QtService()
{
    static QtMessageService service;
    return service;
}

MessageService* current = nullptr;

// A box shows the ordinary cursor even in the middle of a busy command.
void Show(MessageKind kind, const QString& caption, const QString& text, QWidget* parent)
{
    const CursorPause pause;
    Messages().Show(kind, caption, text, parent);
}

} // namespace

MessageService& Messages()
{
    return current ? *current : QtService();
}

void SetMessageService(MessageService* service)
{
    current = service;
}

void ShowError(QWidget* parent, const QString& text)
{
    Show(MessageKind::Error, QStringLiteral("Error"), text, parent);
}

void ShowWarning(QWidget* parent, const QString& text)
{
    Show(MessageKind::Warning, QStringLiteral("Warning"), text, parent);
}

void ShowPlain(QWidget* parent, const QString& text)
{
    Show(MessageKind::Plain, QString::fromUtf8(kApplicationTitle), text, parent);
}

void ShowFault(QWidget* parent, const QString& text)
{
    Show(MessageKind::Fault, QString::fromUtf8(kApplicationTitle), text, parent);
}

Answer AskYesNoCancel(QWidget* parent, const QString& text)
{
    const CursorPause pause;
    return Messages().Ask(QString::fromUtf8(kApplicationTitle), text, true, parent);
}

Answer AskYesCancel(QWidget* parent, const QString& text)
{
    const CursorPause pause;
    return Messages().Ask(QString::fromUtf8(kApplicationTitle), text, false, parent);
}

Answer AskYesNo(QWidget* parent, const QString& text)
{
    const CursorPause pause;
    return Messages().AskYesNo(QString::fromUtf8(kApplicationTitle), text, parent);
}

} // namespace aqualen::ui
