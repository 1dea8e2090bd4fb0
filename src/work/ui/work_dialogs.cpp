#include "work/ui/work_dialogs.h"

#include <QFileDialog>

#include "work/work_format.h"

namespace aqualen::work::ui {

namespace {

QString Filter()
{
    return QStringLiteral("Работы Aqualen (*.%1);;Все файлы (*)").arg(QString::fromUtf8(kWorkSuffix));
}

class QtWorkDialogs final : public WorkDialogs {
public:
    QString OpenWorkName(QWidget* parent, const QString& folder) override
    {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Открыть работу"), folder, Filter());
    }

    QString SaveWorkName(QWidget* parent, const QString& suggested) override
    {
        QFileDialog dialog(parent, QStringLiteral("Сохранить работу"), suggested, Filter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QString::fromUtf8(kWorkSuffix));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    }
};

WorkDialogs* current = nullptr;

} // namespace

WorkDialogs& WorkFileDialogs()
{
    static QtWorkDialogs qtDialogs;
    return current ? *current : qtDialogs;
}

void SetWorkDialogs(WorkDialogs* dialogs)
{
    current = dialogs;
}

} // namespace aqualen::work::ui
