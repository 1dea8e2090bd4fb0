#pragma once
// A report pane and what it was computed from. The report remembers the
// series panes, the choices and the file as they stood when it was written;
// once any of them differs, the report belongs to a series no longer shown:
// its text is greyed and a note across the top of the pane says so, until
// the report is computed again (or the sources return to what they were).
// Saving such a report asks first, under the name of the file it came from.

#include <QList>
#include <QObject>
#include <QPalette>
#include <QString>
#include <functional>
#include <optional>

#include "series/ui/pane_series.h"

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace aqualen::ui {

class RadioGroup;

// The note shown above an out-of-date report.
inline constexpr const char* kStaleReportText = "Отчет относится к прежнему ряду";
// The question before such a report is saved.
inline constexpr const char* kSaveStaleReportQuestion =
    "Отчет относится к прежнему ряду, а не к ряду в окне.\nСохранить прежний отчет?";

class ReportFreshness : public QObject {
    Q_OBJECT
public:
    // Watches `report`, and is owned by it.
    explicit ReportFreshness(QPlainTextEdit& report);

    // What the report is computed from: a pane's text (with its first year
    // and name), a radio choice, any other state as text (`Recheck` after it
    // changed), and the file the series came from.
    void AddSource(QPlainTextEdit& pane);
    void AddChoice(RadioGroup& group);
    void AddSignature(std::function<QString()> signature);
    void SetPathSource(std::function<QString()> path);

    // The report as it reads now belongs to the sources as they are now.
    void Computed();
    bool Stale() const { return stale_; }
    // The file the report was computed from; before the first report, the
    // file the sources hold now.
    QString SourcePath() const;
    // Before "Сохранить отчет ...": true when the report is current, or when
    // the user wants the out-of-date one saved all the same.
    bool ConfirmSave(QWidget* parent) const;

    // The note across the top of the report pane (hidden while current).
    QLabel* Note() const { return note_; }

public slots:
    // Compares the sources with the report's again.
    void Recheck();

signals:
    void StaleChanged(bool stale);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ReportRun;
    struct Snapshot {
        QList<PaneSeries> panes;
        QList<int> choices;
        QStringList signatures;
        QString path;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot Take() const;
    void SetStale(bool stale);
    void PlaceNote();

    QPlainTextEdit& report_;
    QLabel* note_ = nullptr;
    QList<QPlainTextEdit*> panes_;
    QList<RadioGroup*> choices_;
    QList<std::function<QString()>> signatures_;
    std::function<QString()> path_;
    std::optional<Snapshot> computedFrom_;
    std::optional<QPalette> freshPalette_;
    bool stale_ = false;
    bool running_ = false;
};

// A calculation that may write the report, for the length of one handler:
// when the report pane's text changed meanwhile, the report belongs to the
// sources as they are at the end (a run refused before it touched the
// report leaves the report as current, or as out of date, as it was).
class ReportRun {
public:
    explicit ReportRun(ReportFreshness& freshness);
    ~ReportRun();
    ReportRun(const ReportRun&) = delete;
    ReportRun& operator=(const ReportRun&) = delete;

private:
    ReportFreshness& freshness_;
    QMetaObject::Connection watch_;
    bool written_ = false;
    bool wasRunning_ = false;
};

} // namespace aqualen::ui
