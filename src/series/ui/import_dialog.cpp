#include "series/ui/import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace aqualen::ui {

namespace {

QString ColumnCaption(const SeriesTable& table, size_t column, bool header)
{
    const QString number = QStringLiteral("Столбец %1").arg(column + 1);
    if (!header || table.rows.empty() || column >= table.rows[0].size() || table.rows[0][column].empty())
        return number;
    return QStringLiteral("%1: %2").arg(number, QString::fromStdString(table.rows[0][column]));
}

} // namespace

ImportDialog::ImportDialog(const SeriesTable& table, const QString& fileName, QWidget* parent)
    : QDialog(parent), table_(table)
{
    // A table without a file is a block being pasted.
    const bool pasted = fileName.isEmpty();
    setWindowTitle(pasted ? QStringLiteral("Вставить ряд") : QStringLiteral("Открыть ряд"));
    auto* layout = new QVBoxLayout(this);

    auto* file = new QLabel(pasted ? QStringLiteral("Вставляемый текст: столбцов %1").arg(table.columns)
                                   : QStringLiteral("Файл: %1").arg(QFileInfo(fileName).fileName()),
                            this);
    file->setToolTip(fileName);
    layout->addWidget(file);

    Preview = new QTableWidget(this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Preview->setSelectionBehavior(QAbstractItemView::SelectColumns);
    Preview->setSelectionMode(QAbstractItemView::SingleSelection);
    Preview->verticalHeader()->setDefaultSectionSize(Preview->fontMetrics().height() + 4);
    layout->addWidget(Preview, 1);

    auto* form = new QFormLayout;
    cbColumn = new QComboBox(this);
    cbColumn->setObjectName(QStringLiteral("cbColumn"));
    form->addRow(QStringLiteral("Столбец ряда:"), cbColumn);
    cbHeader = new QCheckBox(QStringLiteral("Первая строка — заголовок"), this);
    cbHeader->setObjectName(QStringLiteral("cbHeader"));
    cbHeader->setChecked(table.header);
    cbHeader->setEnabled(!table.rows.empty());
    form->addRow(cbHeader);
    lbCount = new QLabel(this);
    lbCount->setObjectName(QStringLiteral("lbCount"));
    form->addRow(lbCount);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
    layout->addWidget(buttons);

    FillPreview();
    cbColumn->setCurrentIndex(static_cast<int>(DefaultColumn(table)));
    ChoiceChanged();

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(cbColumn, &QComboBox::currentIndexChanged, this, &ImportDialog::ChoiceChanged);
    connect(cbHeader, &QCheckBox::toggled, this, &ImportDialog::ChoiceChanged);
    connect(Preview->horizontalHeader(), &QHeaderView::sectionClicked, cbColumn, &QComboBox::setCurrentIndex);
    connect(Preview, &QTableWidget::cellClicked, this, [this](int, int column) { cbColumn->setCurrentIndex(column); });

    resize(std::max(420, sizeHint().width()), 420);
}

void ImportDialog::FillPreview()
{
    const int columns = static_cast<int>(std::max<size_t>(table_.columns, 1));
    const int rows = static_cast<int>(std::min<size_t>(table_.rows.size(), kPreviewRows));
    Preview->setColumnCount(columns);
    Preview->setRowCount(rows);
    QStringList captions;
    for (int c = 0; c < columns; ++c) {
        captions << QString::number(c + 1);
        cbColumn->addItem(ColumnCaption(table_, static_cast<size_t>(c), table_.header));
    }
    Preview->setHorizontalHeaderLabels(captions);
    for (int r = 0; r < rows; ++r) {
        const std::vector<std::string>& cells = table_.rows[static_cast<size_t>(r)];
        for (size_t c = 0; c < cells.size(); ++c)
            Preview->setItem(r, static_cast<int>(c), new QTableWidgetItem(QString::fromStdString(cells[c])));
    }
    Preview->resizeColumnsToContents();
}

void ImportDialog::ChoiceChanged()
{
    const ColumnChoice choice = Choice();
    Preview->selectColumn(static_cast<int>(choice.column));
    // The header row is greyed while it is left out.
    if (Preview->rowCount() > 0) {
        for (int c = 0; c < Preview->columnCount(); ++c) {
            if (QTableWidgetItem* item = Preview->item(0, c)) {
                QFont font = item->font();
                font.setItalic(choice.skipHeader);
                item->setFont(font);
                item->setForeground(choice.skipHeader ? palette().color(QPalette::Disabled, QPalette::Text)
                                                      : palette().color(QPalette::Text));
            }
        }
    }
    const size_t count = table_.rows.size() - (choice.skipHeader && !table_.rows.empty() ? 1 : 0);
    lbCount->setText(QStringLiteral("Строк в ряду: %1").arg(count));
}

ColumnChoice ImportDialog::Choice() const
{
    return {static_cast<size_t>(std::max(0, cbColumn->currentIndex())), cbHeader->isChecked()};
}

} // namespace aqualen::ui
