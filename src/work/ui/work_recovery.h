#pragma once
// The copy of the unsaved work kept for recovery, in the user's state folder.
// Each run of the program keeps its own copy beside a lock file held while
// it runs; a copy whose lock nobody holds any more was left by a run that
// crashed or was killed, and is offered at the next start. A clean exit
// removes the copy.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QLockFile;

namespace aqualen::work::ui {

class WorkRecovery {
public:
    // Copies go into `folder`, made when needed.
    explicit WorkRecovery(QString folder);
    ~WorkRecovery();
    WorkRecovery(const WorkRecovery&) = delete;
    WorkRecovery& operator=(const WorkRecovery&) = delete;

    // The user's folder: the application's local data folder, "recovery".
    static QString DefaultFolder();

    // Takes this run's place in the folder; false when it cannot be made.
    bool Start();
    bool Started() const { return lock_ != nullptr; }

    // The copies left by runs that no longer run, the newest first.
    QStringList LeftCopies() const;
    void RemoveLeftCopies() const;

    const QString& CopyPath() const { return copyPath_; }
    // An empty string when the copy is written, else why it is not.
    QString Write(const QByteArray& bytes) const;
    void Remove() const;

private:
    QString folder_;
    QString copyPath_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace aqualen::work::ui
