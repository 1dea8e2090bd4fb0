#pragma once
// The work the windows show: its file, whether it has unsaved changes (the
// main window's title carries its name and a mark), the commands of "Файл"
// that make, open and save works, the question before unsaved changes are
// lost, and the recovery copy kept while they are unsaved.

#include <QObject>
#include <QString>
#include <memory>

class QAction;
class QMenu;
class QTimer;
class QWidget;

namespace aqualen::ui {
class TMainForm;
}

namespace aqualen::work::ui {

struct Work;
class WorkRecovery;

class WorkSession : public QObject {
    Q_OBJECT
public:
    // Adds its items to the form's menu "Файл", above the exit.
    explicit WorkSession(aqualen::ui::TMainForm& form);
    ~WorkSession() override;

    QAction* mnNewWork = nullptr;    // "Новая работа"
    QAction* mnOpenWork = nullptr;   // "Открыть работу ..."
    QAction* mnSaveWork = nullptr;   // "Сохранить работу", Ctrl+S
    QAction* mnSaveWorkAs = nullptr; // "Сохранить работу как ...", Ctrl+Shift+S
    QMenu* mnRecentWorks = nullptr;  // "Последние работы"

    // The work's file; empty for a work not saved yet.
    const QString& Path() const { return path_; }
    // The file's name without folder and suffix, or "Без имени".
    QString Name() const;
    bool Modified() const { return modified_; }

    // Opens the work in `path`: a file that does not read is refused with a
    // message and leaves the windows as they were; unsaved changes are asked
    // about first. False when nothing was opened.
    bool OpenWork(const QString& path);
    // Saves to the work's file, or asks for one; false when not saved.
    bool SaveWork();
    bool SaveWorkAs();

    // Asks about unsaved changes before the program ends; false when the
    // user stays. On true the recovery copy is gone and the window's
    // geometry kept for the next run.
    bool MayClose();

    // Recovery: this run's copy in `folder`, written every two minutes and
    // after each calculation while the work has unsaved changes.
    void StartRecovery(const QString& folder);
    WorkRecovery* Recovery() const { return recovery_.get(); }
    // Offers the newest copy a crashed run left; true when it was restored.
    bool OfferRecovery();
    // Writes the copy now (or removes it when nothing is unsaved).
    void Autosave();

public slots:
    void mnNewWorkClick();
    void mnOpenWorkClick();
    void mnSaveWorkClick();
    void mnSaveWorkAsClick();
    // Something in a window changed.
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    void FillRecentMenu();
    // true to go on: nothing unsaved, saved, or "Нет".
    bool AskToSave();
    bool SaveTo(const QString& path);
    void Apply(const Work& work);
    void SetPath(const QString& path, bool modified);
    void UpdateTitle();
    // Follows the changes of this window's panes and choices.
    void Watch(QWidget& window);
    void WatchAll();
    // A report was written or the curve sheet stored: the copy follows.
    void CalculationDone();

    aqualen::ui::TMainForm& form_;
    QString path_;
    bool modified_ = false;
    bool restoring_ = false;
    bool autosavePending_ = false;
    std::unique_ptr<WorkRecovery> recovery_;
    QTimer* autosaveTimer_ = nullptr;
};

} // namespace aqualen::work::ui
