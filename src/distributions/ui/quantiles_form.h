#pragma once
// The quantile report of the sheet's analytic curve: its parameters, then a
// row per probability with P, the return period T, Kp, Qp and, when a band is
// asked for, its lower and upper limits. The probabilities are edited in the
// window (the syntax of aqualen-cli's --p); "Сравнить" shows Pearson III and
// Kritsky–Menkel fitted by the same method side by side. With the series it
// was fitted to, the criteria of fit follow the parameters (of both curves
// in the comparison), their p-values from the bootstrap. The table is
// tab-separated with the locale's decimal separator, so it copies straight
// into a spreadsheet; the report can be saved as a UTF-8 text file.

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "distributions/quantile_report.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace aqualen::ui {

class ReportFreshness;

class TQuantilesForm : public QWidget {
    Q_OBJECT
public:
    explicit TQuantilesForm(QWidget* owner);

    // Writes the report of `fit` into the pane; `band` holds the limits at
    // the standard probabilities (or none). Without a source nothing can be
    // re-estimated: the comparison is off, and limits are shown only at the
    // standard probabilities, and no criteria of fit are given. Raises
    // dist::FitRefused or FloatFault; the lines written before stay.
    void ShowReport(const dist::Fit& fit, const dist::Band* band, char separator);
    void ShowReport(const dist::QuantileRequest& source, const dist::Fit& fit, const dist::Band* band, char separator);

    QFrame* Panel1 = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnCompare = nullptr;
    QLabel* lbProbabilities = nullptr;
    QLineEdit* edProbabilities = nullptr;
    QPlainTextEdit* OutPutMemo = nullptr;
    // Whether the report still belongs to the sheet it was written for: the
    // owner adds the sheet as a signature and rechecks after the sheet changed.
    ReportFreshness* Freshness = nullptr;

public slots:
    // The table (its header and rows) to the clipboard.
    void btnCopyClick();
    // The whole report to a file the user names.
    void btnSaveClick();
    // Toggles between the report and the comparison of the two curves.
    void btnCompareClick();
    // Reads the probability list and shows the report at it.
    void edProbabilitiesEditingFinished();

private:
    void Redraw();
    std::optional<dist::Band> BandAtList() const;
    // `head` is the parameters and the criteria of fit, without the blank line before the table.
    void ShowLines(const std::vector<std::string>& head, const std::vector<std::string>& table);
    void AlignTabs(const std::vector<std::string>& head);
    const dist::QuantileComparison& Comparison();

    std::optional<dist::QuantileRequest> source_;
    std::optional<dist::Fit> fit_;
    std::optional<dist::Band> standardBand_; // at the standard probabilities
    // Worked out once per curve: neither depends on the probabilities.
    std::optional<dist::GoodnessOfFit> goodness_;
    std::optional<dist::QuantileComparison> comparison_;
    std::vector<double> probabilities_ = dist::StandardProbabilities();
    char separator_ = ',';
    std::vector<std::string> table_;
};

} // namespace aqualen::ui
