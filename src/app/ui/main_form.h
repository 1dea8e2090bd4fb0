#pragma once
// The main window: the studied series, the regional r(1) choice, the report
// pane and the menu from which every function is reached.

#include <QMainWindow>
#include <QPointer>

#include "series/numeric_lists.h"
#include "series/ui/series_pane.h"

class QAction;
class QFrame;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;

namespace aqualen::analysis::ui {
class TAnalysisForm;
}
namespace aqualen::extension::ui {
class TExtensionForm;
}
namespace aqualen::work::ui {
class WorkSession;
}

namespace aqualen::ui {

class RadioGroup;
class ReportFreshness;
class TAboutForm;
class TCorrelForm;
class TOdnForm;
class TObespForm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    TMainForm();
    ~TMainForm() override;

    QMenu* N1 = nullptr;       // "Файл"
    QMenu* N3 = nullptr;       // "Расчет"
    QMenu* N5 = nullptr;       // "Графика"
    QMenu* N2 = nullptr;       // "Справка"
    QAction* mnOpen = nullptr; // "Открыть ряд ..."
    QAction* mnSave = nullptr; // "Сохранить отчет ..."
    QAction* N4 = nullptr;     // separator of "Файл"
    QAction* mnClose = nullptr;
    QAction* mnStatHar = nullptr;
    QAction* mnCorrel = nullptr;
    QAction* mnOdn = nullptr;
    QAction* mnObesp = nullptr;
    QAction* mnAbout = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    SeriesPane* Ser1Memo = nullptr;
    QPlainTextEdit* OutPutMemo = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    // Whether OutPutMemo still belongs to the series and r(1) shown.
    ReportFreshness* OutPutFreshness = nullptr;

    // Windows of the menu, made on first use.
    TAboutForm* AboutForm() const;
    TCorrelForm* CorrelForm() const;
    TOdnForm* OdnForm() const;
    TObespForm* ObespForm() const;
    // The same windows, made hidden when they do not exist yet (as the menu
    // makes them, with everything it hands them).
    TCorrelForm& MakeCorrelForm();
    TOdnForm& MakeOdnForm();
    TObespForm& MakeObespForm();
    analysis::ui::TAnalysisForm& MakeAnalysisForm();
    extension::ui::TExtensionForm& MakeExtensionForm();

    // The work the windows show: its file, its unsaved changes, its menu items.
    work::ui::WorkSession& Work() const { return *work_; }

    const TDoubleList& MainSeries() const { return series_; }

    // The series file read last, which names the report by default.
    const QString& SeriesPath() const { return seriesPath_; }

public slots:
    void mnOpenClick();
    void mnSaveClick();
    void mnCloseClick();
    void mnStatHarClick();
    void mnCorrelClick();
    void mnOdnClick();
    void mnObespClick();
    void mnAboutClick();

protected:
    // Closing the main window ends the program, whatever else is open.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void BuildPanes();

    TDoubleList series_;
    QString seriesPath_;
    QPointer<TAboutForm> aboutForm_;
    QPointer<TCorrelForm> correlForm_;
    QPointer<TOdnForm> odnForm_;
    QPointer<TObespForm> obespForm_;
    work::ui::WorkSession* work_ = nullptr;
};

} // namespace aqualen::ui
