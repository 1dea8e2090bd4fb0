#pragma once
// The quantile report of the sheet's analytic curve: its parameters, then a
// row per standard probability with Kp, Qp and, when a band is asked for, its
// lower and upper limits. The table is tab-separated with the locale's
// decimal separator, so it copies straight into a spreadsheet; the report can
// be saved as a UTF-8 text file.

#include <string>
#include <vector>

#include <QWidget>

#include "distributions/quantile_report.h"

class QFrame;
class QPlainTextEdit;
class QPushButton;

namespace aqualen::ui {

class TQuantilesForm : public QWidget {
    Q_OBJECT
public:
    explicit TQuantilesForm(QWidget* owner);

    // Writes the report into the pane. Raises dist::FitRefused or FloatFault;
    // the lines written before stay.
    void ShowReport(const dist::Fit& fit, const dist::Band* band, char separator);

    QFrame* Panel1 = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnSave = nullptr;
    QPlainTextEdit* OutPutMemo = nullptr;

public slots:
    // The table (its header and rows) to the clipboard.
    void btnCopyClick();
    // The whole report to a file the user names.
    void btnSaveClick();

private:
    void ShowLines(const dist::QuantileReport& report);
    void AlignTabs(const std::vector<std::string>& parameters);

    std::vector<std::string> table_;
};

} // namespace aqualen::ui
