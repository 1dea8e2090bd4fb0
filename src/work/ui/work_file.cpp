#include "work/ui/work_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "work/ui/work_json.h"
#include "work/work_format.h"
#include "work/work_messages.h"

namespace aqualen::work::ui {

std::variant<Work, QString> ReadWorkFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString::fromUtf8(kWorkUnreadable).arg(name);
    // The size is asked of the open file, and no more than the limit is read
    // even if the file grows meanwhile.
    if (file.size() > kMaxWorkFileBytes)
        return QString::fromUtf8(kWorkTooLarge).arg(name);
    const QByteArray bytes = file.read(kMaxWorkFileBytes + 1);
    if (bytes.size() > kMaxWorkFileBytes)
        return QString::fromUtf8(kWorkTooLarge).arg(name);
    if (file.error() != QFileDevice::NoError)
        return QString::fromUtf8(kWorkUnreadable).arg(name);
    return WorkFromJson(bytes, name);
}

QString WriteWorkFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

QString WorkName(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}

} // namespace aqualen::work::ui
