#include "curve/ui/save_sheet_dlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "curve/ui/glyphs.h"
#include "series/ui/application_setup.h"
#include "series/ui/file_dialogs.h"
#include "series/ui/guarded.h"
#include "series/ui/message_service.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"

namespace aqualen::ui {

namespace {

struct FormatEntry {
    SheetFileFormat format;
    const char* item;   // the radio item
    const char* filter; // the file dialog's
    const char* extension;
};

constexpr std::array<FormatEntry, 3> kFormats{{
    {SheetFileFormat::Pdf, "PDF: векторный, одна страница A4", "PDF (*.pdf)", ".pdf"},
    {SheetFileFormat::Png, "PNG: растровый", "PNG (*.png)", ".png"},
    {SheetFileFormat::Svg, "SVG: векторный", "SVG (*.svg)", ".svg"},
}};

constexpr std::array<int, 3> kResolutions{150, 300, 600};

} // namespace

TSaveSheetDlg::TSaveSheetDlg(const CurveSettings& settings, QWidget* owner) : QDialog(owner), settings_(settings)
{
    FormCreate();
}

void TSaveSheetDlg::FormCreate()
{
    setWindowTitle(QStringLiteral("Сохранить лист"));
    setFont(QFont(WindowFamily(), 8));
    setFixedSize(427, 252);

    QStringList items;
    for (const FormatEntry& entry : kFormats)
        items << QString::fromUtf8(entry.item);
    rgFormat = new RadioGroup(QStringLiteral("Формат"), items, this);
    rgFormat->setGeometry(16, 12, 395, 92);
    rgFormat->SetItemIndex(0);

    lbResolution = new QLabel(QStringLiteral("Разрешение PNG:"), this);
    lbResolution->adjustSize();
    lbResolution->move(16, 120);
    cbResolution = new QComboBox(this);
    for (const int dpi : kResolutions)
        cbResolution->addItem(QStringLiteral("%1 точек на дюйм").arg(dpi), dpi);
    cbResolution->setGeometry(140, 116, 160, 22);

    lbFileName = new QLabel(QStringLiteral("Файл:"), this);
    lbFileName->adjustSize();
    lbFileName->move(16, 156);
    edFileName = new QLineEdit(QDir::home().filePath(QStringLiteral("кривая обеспеченности.pdf")), this);
    edFileName->setGeometry(60, 152, 255, 22);
    btnBrowse = new QPushButton(QStringLiteral("Обзор ..."), this);
    btnBrowse->setGeometry(323, 151, 88, 24);

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(16, 194, 395, 2);
    btnSave = new QPushButton(GlyphIcon(Glyph::Save), QStringLiteral("Сохранить"), this);
    btnSave->setGeometry(95, 214, 100, 25);
    btnSave->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Отмена"), this);
    btnCancel->setGeometry(231, 214, 100, 25);

    connect(rgFormat, &RadioGroup::Clicked, this, &TSaveSheetDlg::rgFormatClick);
    connect(btnBrowse, &QPushButton::clicked, this, &TSaveSheetDlg::btnBrowseClick);
    connect(btnSave, &QPushButton::clicked, this, &TSaveSheetDlg::btnSaveClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    rgFormatClick();
}

SheetFileFormat TSaveSheetDlg::Format() const
{
    const int index = rgFormat->ItemIndex();
    return kFormats[static_cast<size_t>(index >= 0 ? index : 0)].format;
}

int TSaveSheetDlg::DotsPerInch() const
{
    return cbResolution->currentData().toInt();
}

void TSaveSheetDlg::rgFormatClick()
{
    const bool png = Format() == SheetFileFormat::Png;
    lbResolution->setEnabled(png);
    cbResolution->setEnabled(png);
    // A name that ends in another format's extension follows the choice.
    const QString name = edFileName->text().trimmed();
    for (const FormatEntry& entry : kFormats) {
        const QString extension = QString::fromUtf8(entry.extension);
        if (name.endsWith(extension, Qt::CaseInsensitive)) {
            edFileName->setText(name.left(name.size() - extension.size()) +
                                QString::fromUtf8(kFormats[static_cast<size_t>(rgFormat->ItemIndex())].extension));
            break;
        }
    }
}

void TSaveSheetDlg::btnBrowseClick()
{
    RunGuarded(this, [&] {
        QStringList filters;
        for (const FormatEntry& entry : kFormats)
            filters << QString::fromUtf8(entry.filter);
        int filter = rgFormat->ItemIndex();
        const QString name =
            Files().SaveNameOfKind(this, QStringLiteral("Сохранить лист"), edFileName->text(), filters, filter);
        if (name.isEmpty())
            return;
        if (filter != rgFormat->ItemIndex())
            rgFormat->SetItemIndex(filter);
        edFileName->setText(name);
        edFileName->setText(TargetName());
        confirmed_ = edFileName->text();
    });
}

QString TSaveSheetDlg::TargetName()
{
    const QString name = edFileName->text().trimmed();
    for (size_t i = 0; i < kFormats.size(); ++i) {
        if (name.endsWith(QString::fromUtf8(kFormats[i].extension), Qt::CaseInsensitive)) {
            if (static_cast<int>(i) != rgFormat->ItemIndex())
                rgFormat->SetItemIndex(static_cast<int>(i));
            return name;
        }
    }
    return name + QString::fromUtf8(kFormats[static_cast<size_t>(rgFormat->ItemIndex())].extension);
}

void TSaveSheetDlg::btnSaveClick()
{
    RunGuarded(this, [&] {
        if (edFileName->text().trimmed().isEmpty()) {
            ShowError(this, QStringLiteral("Укажите имя файла!"));
            edFileName->setFocus();
            return;
        }
        const QString path = TargetName();
        edFileName->setText(path);
        if (QFileInfo::exists(path) && path != confirmed_ &&
            AskYesCancel(this, QStringLiteral("Файл «%1» уже есть. Заменить его?").arg(path)) != Answer::Yes)
            return;
        ExportResult written;
        {
            // A 600 dpi page takes a moment; the cursor comes back whatever happens.
            struct WaitCursor {
                WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
                ~WaitCursor() { QApplication::restoreOverrideCursor(); }
            } wait;
            written = WriteSheet(Format(), settings_, path.toStdString(), DotsPerInch(), SystemDecimalSeparator());
        }
        if (!written.ok) {
            ShowError(this, QStringLiteral("Не удалось сохранить лист в файл «%1»: %2!")
                                .arg(path, QString::fromStdString(written.reason)));
            return;
        }
        confirmed_.clear();
        accept();
    });
}

} // namespace aqualen::ui
