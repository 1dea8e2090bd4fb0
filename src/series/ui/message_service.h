#pragma once
// The one road by which windows show modal message boxes. The default shows
// real Qt boxes; tests install a recorder so that nothing ever blocks.

#include <QString>

class QWidget;

namespace aqualen::ui {

enum class MessageKind {
    Error,   // unreadable input: caption "Error", error icon
    Warning, // e.g. panes of different lengths: caption "Warning"
    Plain,   // small number boxes: caption = application title
    Fault,   // generic error box of an uncaught fault: caption = application title
};

inline constexpr const char* kApplicationTitle = "Aqualen 1.2";

// The answers of a question box.
enum class Answer { Yes, No, Cancel };

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void Show(MessageKind kind, const QString& caption, const QString& text, QWidget* parent) = 0;
    // A question with "Да", "Нет" (when `withNo`) and "Отмена". A service
    // that does not answer questions cancels them, so nothing is lost.
    virtual Answer Ask(const QString& caption, const QString& text, bool withNo, QWidget* parent)
    {
        (void)caption, (void)text, (void)withNo, (void)parent;
        return Answer::Cancel;
    }
    // A question with "Да" and "Нет" only. A service that does not answer
    // says No, the answer that leaves things as they are.
    virtual Answer AskYesNo(const QString& caption, const QString& text, QWidget* parent)
    {
        (void)caption, (void)text, (void)parent;
        return Answer::No;
    }
};

// The service in use; a Qt message box service unless a test set another.
MessageService& Messages();
// Installs a service (not owned); nullptr restores the Qt one.
void SetMessageService(MessageService* service);

void ShowError(QWidget* parent, const QString& text);
void ShowWarning(QWidget* parent, const QString& text);
void ShowPlain(QWidget* parent, const QString& text);
void ShowFault(QWidget* parent, const QString& text);
// "Да" / "Нет" / "Отмена" under the application title.
Answer AskYesNoCancel(QWidget* parent, const QString& text);
// "Да" / "Отмена" under the application title.
Answer AskYesCancel(QWidget* parent, const QString& text);
// "Да" / "Нет" under the application title; Esc and the close button say No.
Answer AskYesNo(QWidget* parent, const QString& text);

} // namespace aqualen::ui
