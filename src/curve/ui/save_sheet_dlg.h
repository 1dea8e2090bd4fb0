#pragma once
// "Сохранить лист": the curve sheet written to a file as the printer would
// print it, a vector PDF of one landscape A4 page, a PNG at 150, 300 or 600
// dots per inch, or a vector SVG. The dialog keeps its choices and the file
// name between showings; a failed write says why and leaves the dialog open,
// the old file as it was.

#include <QDialog>

#include "curve/curve_settings.h"
#include "curve/ui/sheet_export.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace aqualen::ui {

class RadioGroup;

class TSaveSheetDlg : public QDialog {
    Q_OBJECT
public:
    // The settings are the curve window's; saving only reads them.
    TSaveSheetDlg(const CurveSettings& settings, QWidget* owner);

    RadioGroup* rgFormat;
    QLabel* lbResolution;
    QComboBox* cbResolution; // 150, 300, 600 dots per inch; PNG only
    QLabel* lbFileName;
    QLineEdit* edFileName;
    QPushButton* btnBrowse;
    QPushButton* btnSave;
    QPushButton* btnCancel;

    SheetFileFormat Format() const;
    int DotsPerInch() const;

public slots:
    void rgFormatClick();
    void btnBrowseClick();
    void btnSaveClick();

private:
    void FormCreate();
    // The name to write: the box's text, with the format's extension added
    // unless it already ends in one of the three (which then sets the format).
    QString TargetName();

    const CurveSettings& settings_;
    QString confirmed_; // a name the file dialog already asked to replace
};

} // namespace aqualen::ui
