#pragma once
// The print dialog of the curve: a printer, a number of copies, and one
// landscape page of the whole sheet per copy, in one job.

#include <QDialog>

#include "curve/curve_settings.h"
#include "curve/curve_sheet.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace aqualen::ui {

class UpDown;

inline constexpr const char* kPrintJobTitle = kSheetJobTitle;

class TPrintDlg : public QDialog {
    Q_OBJECT
public:
    // The settings are the curve window's; printing only reads them.
    TPrintDlg(const CurveSettings& settings, QWidget* owner);

    QLabel* Image1;
    QLabel* Label1;
    QComboBox* cbPrinters;
    QLabel* Label2;
    QLineEdit* Edit1;
    UpDown* UpDown1;
    QPushButton* bbPrint;
    QPushButton* bbCancel;

public slots:
    void cbPrintersChange(int index);
    void Edit1Change();
    void bbPrintClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void PrintCopies();

    const CurveSettings& settings_;
};

} // namespace aqualen::ui
