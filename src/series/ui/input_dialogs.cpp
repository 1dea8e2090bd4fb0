#include "series/ui/input_dialogs.h"

#include <QInputDialog>

namespace aqualen::ui {

namespace {

class QtInputDialogs final : public InputDialogs {
public:
    std::optional<int> AskNumber(QWidget* parent, const NumberQuestion& question) override
    {
        QInputDialog dialog(parent);
        dialog.setWindowTitle(question.title);
        dialog.setLabelText(question.label);
        dialog.setInputMode(QInputDialog::IntInput);
        dialog.setIntRange(question.minimum, question.maximum);
        dialog.setIntValue(question.proposed);
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(QStringLiteral("Отмена"));
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.intValue();
    }
};

QtInputDialogs& QtDialogs()
{
    static QtInputDialogs dialogs;
    return dialogs;
}

InputDialogs* current = nullptr;

} // namespace

InputDialogs& Inputs()
{
    return current ? *current : QtDialogs();
}

void SetInputDialogs(InputDialogs* dialogs)
{
    current = dialogs;
}

} // namespace aqualen::ui
