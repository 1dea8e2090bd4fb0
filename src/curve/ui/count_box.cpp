#include "curve/ui/count_box.h"

#include <QLineEdit>
#include <QString>

#include "curve/count_text.h"
#include "series/ui/message_service.h"

namespace aqualen::ui {

void CheckCountBox(QWidget* parent, QLineEdit& box, int low, int high, const QString& reset)
{
    const QString text = box.text();
    switch (CheckCountText(text.toStdString(), low, high)) {
    case CountTextVerdict::Valid:
        break;
    case CountTextVerdict::Reset:
        box.setText(reset);
        break;
    case CountTextVerdict::NotInteger:
        ShowPlain(parent, QString::fromUtf8(kNotANumberText));
        box.setText(text.left(text.size() - 1));
        break;
    }
}

} // namespace aqualen::ui
