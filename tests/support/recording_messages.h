#pragma once
// A message service for UI tests: records every box instead of showing it.

#include <QString>
#include <vector>

#include "series/ui/message_service.h"

namespace aqualen::test {

struct RecordedMessage {
    ui::MessageKind kind;
    QString caption;
    QString text;
};

class RecordingMessages final : public ui::MessageService {
public:
    RecordingMessages() { ui::SetMessageService(this); }
    ~RecordingMessages() override { ui::SetMessageService(nullptr); }
    RecordingMessages(const RecordingMessages&) = delete;
    RecordingMessages& operator=(const RecordingMessages&) = delete;

    void Show(ui::MessageKind kind, const QString& caption, const QString& text, QWidget*) override
    {
        messages.push_back({kind, caption, text});
    }

    // Questions are recorded too; the answers are taken in order, then Cancel.
    ui::Answer Ask(const QString&, const QString& text, bool, QWidget*) override
    {
        questions.push_back(text);
        if (answers.empty())
            return ui::Answer::Cancel;
        const ui::Answer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }

    // Yes/no questions go to the same record and answers; without an answer, No.
    ui::Answer AskYesNo(const QString&, const QString& text, QWidget*) override
    {
        questions.push_back(text);
        if (answers.empty())
            return ui::Answer::No;
        const ui::Answer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }

    std::vector<RecordedMessage> messages;
    std::vector<QString> questions;
    std::vector<ui::Answer> answers;
};

} // namespace aqualen::test
