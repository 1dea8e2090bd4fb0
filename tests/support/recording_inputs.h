#pragma once
// Number questions for UI tests: answers set beforehand, questions recorded.

#include <optional>
#include <vector>

#include "series/ui/input_dialogs.h"

namespace aqualen::test {

class RecordingInputs final : public ui::InputDialogs {
public:
    RecordingInputs() { ui::SetInputDialogs(this); }
    ~RecordingInputs() override { ui::SetInputDialogs(nullptr); }
    RecordingInputs(const RecordingInputs&) = delete;
    RecordingInputs& operator=(const RecordingInputs&) = delete;

    std::optional<int> AskNumber(QWidget*, const ui::NumberQuestion& question) override
    {
        questions.push_back(question);
        return answer;
    }

    std::optional<int> answer;
    std::vector<ui::NumberQuestion> questions;
};

} // namespace aqualen::test
