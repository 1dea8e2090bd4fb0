#pragma once
// The table of a series file (or of a block of several columns being pasted,
// `fileName` then empty) shown before it is read: the user picks the
// column and says whether the first row is a header. A preview shows the
// file as a table with the chosen column marked, and the count of lines the
// pane will get.

#include <QDialog>

#include "series/series_file_import.h"
#include "series/ui/file_dialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

namespace aqualen::ui {

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(const SeriesTable& table, const QString& fileName, QWidget* parent);

    ColumnChoice Choice() const;

    QTableWidget* Preview = nullptr;
    QComboBox* cbColumn = nullptr;
    QCheckBox* cbHeader = nullptr;
    QLabel* lbCount = nullptr;

    // Rows of the file shown in the preview; the rest are read but not shown.
    static constexpr int kPreviewRows = 200;

private:
    void FillPreview();
    void ChoiceChanged();

    const SeriesTable& table_;
};

} // namespace aqualen::ui
