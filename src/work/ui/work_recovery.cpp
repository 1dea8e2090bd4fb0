#include "work/ui/work_recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>

#include "work/ui/work_file.h"
#include "work/work_format.h"

namespace aqualen::work::ui {

namespace {

QString LockPathOf(const QString& copyPath)
{
    const QFileInfo info(copyPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".lock"));
}

// True when no running program holds the lock: its owner ended (the lock was
// stale and is gone now) or there was none.
bool Abandoned(const QString& lockPath)
{
    QLockFile lock(lockPath);
    // Stale only when its process is gone, never by age: a program may run
    // for days.
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0))
        return false;
    lock.unlock();
    return true;
}

} // namespace

WorkRecovery::WorkRecovery(QString folder) : folder_(std::move(folder)) {}

WorkRecovery::~WorkRecovery() = default;

QString WorkRecovery::DefaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("recovery"));
}

bool WorkRecovery::Start()
{
    if (lock_)
        return true;
    if (!QDir().mkpath(folder_))
        return false;
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString copy = QDir(folder_).filePath(id + '.' + QString::fromUtf8(kWorkSuffix));
    auto lock = std::make_unique<QLockFile>(LockPathOf(copy));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    copyPath_ = copy;
    lock_ = std::move(lock);
    return true;
}

QStringList WorkRecovery::LeftCopies() const
{
    const QString pattern = QStringLiteral("*.") + QString::fromUtf8(kWorkSuffix);
    QStringList copies;
    for (const QFileInfo& info : QDir(folder_).entryInfoList({pattern}, QDir::Files, QDir::Time))
        if (info.absoluteFilePath() != QFileInfo(copyPath_).absoluteFilePath() &&
            Abandoned(LockPathOf(info.absoluteFilePath())))
            copies << info.absoluteFilePath();
    return copies;
}

void WorkRecovery::RemoveLeftCopies() const
{
    for (const QString& copy : LeftCopies())
        QFile::remove(copy);
}

QString WorkRecovery::Write(const QByteArray& bytes) const
{
    if (!lock_)
        return QStringLiteral("no place for the copy");
    return WriteWorkFile(copyPath_, bytes);
}

void WorkRecovery::Remove() const
{
    if (lock_)
        QFile::remove(copyPath_);
}

} // namespace aqualen::work::ui
