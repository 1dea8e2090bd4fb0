#include "curve/ui/print_dlg.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <cstdint>

#include "curve/count_text.h"
#include "curve/curve_sheet.h"
#include "curve/probability_scale.h"
#include "curve/ui/count_box.h"
#include "curve/ui/glyphs.h"
#include "curve/ui/paper_page.h"
#include "curve/ui/printer_service.h"
#include "curve/ui/up_down.h"
#include "series/ui/application_setup.h"
#include "series/ui/guarded.h"
#include "series/ui/pane_text.h"

namespace aqualen::ui {

namespace {

QLabel* BoldLabel(const QString& text, int x, int y, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->adjustSize();
    label->move(x, y);
    return label;
}

} // namespace

TPrintDlg::TPrintDlg(const CurveSettings& settings, QWidget* owner) : QDialog(owner), settings_(settings)
{
    FormCreate();
}

void TPrintDlg::FormCreate()
{
    setWindowTitle(QStringLiteral("Печать"));
    setFont(QFont(WindowFamily(), 8));
    setFixedSize(427, 211);

    Image1 = new QLabel(this);
    Image1->setGeometry(22, 24, 32, 32);
    Image1->setPixmap(GlyphPixmap(Glyph::Printer, 32));

    Label1 = BoldLabel(QStringLiteral("Принтер:"), 80, 16, this);
    cbPrinters = new QComboBox(this);
    cbPrinters->setEditable(false);
    cbPrinters->setGeometry(80, 36, 329, 22);

    Label2 = BoldLabel(QStringLiteral("Число копий:"), 80, 80, this);
    Edit1 = new QLineEdit(QStringLiteral("1"), this);
    Edit1->setGeometry(176, 76, 49 - 16, 21);
    UpDown1 = new UpDown(Edit1, 1, 20, 1, this);

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(16, 151, 393, 2);

    bbPrint = new QPushButton(GlyphIcon(Glyph::Print), QStringLiteral("Печать"), this);
    bbPrint->setGeometry(95, 176, 100, 25);
    bbPrint->setDefault(true);
    bbCancel = new QPushButton(QStringLiteral("Отмена"), this);
    bbCancel->setGeometry(231, 176, 100, 25);

    PrinterService& printers = Printers();
    cbPrinters->addItems(printers.PrinterNames());
    cbPrinters->setCurrentIndex(printers.CurrentIndex());

    connect(cbPrinters, &QComboBox::currentIndexChanged, this, &TPrintDlg::cbPrintersChange);
    connect(Edit1, &QLineEdit::textChanged, this, &TPrintDlg::Edit1Change);
    connect(bbPrint, &QPushButton::clicked, this, &TPrintDlg::bbPrintClick);
    connect(bbCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TPrintDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TPrintDlg::FormActivate()
{
    cbPrinters->setFocus();
    Edit1->setText(QStringLiteral("1"));
}

void TPrintDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPrintDlg::cbPrintersChange(int index)
{
    RunGuarded(this, [&] {
        if (index >= 0)
            Printers().SetCurrentIndex(index);
    });
}

void TPrintDlg::Edit1Change()
{
    RunGuarded(this, [&] { CheckCountBox(this, *Edit1, 0, 20, QStringLiteral("1")); });
}

void TPrintDlg::bbPrintClick()
{
    RunGuarded(this, [&] { PrintCopies(); });
}

void TPrintDlg::PrintCopies()
{
    // The box holds 0 to 20 by its own rule.
    const auto copies = static_cast<uint8_t>(ReadInteger(Edit1->text().toStdString()).value_or(0));
    PrinterService& printer = Printers();
    printer.SetLandscape();
    printer.SetJobTitle(QString::fromUtf8(kPrintJobTitle));
    if (!printer.BeginDocument(this))
        return; // nothing begun (e.g. the file question was cancelled): stay open
    // The dialog closes once this handler is done, whether the pages were
    // drawn or a fault stopped them; the document is ended either way.
    setResult(QDialog::Rejected);
    struct DocumentEnd {
        TPrintDlg* dialog;
        PrinterService& printer;
        ~DocumentEnd()
        {
            printer.EndDocument();
            dialog->done(QDialog::Rejected);
        }
    } end{this, printer};
    for (int copy = 1; copy <= copies; ++copy) {
        // Each page's size is read again from the printer, as it draws.
        const QSize page = printer.PageSize();
        DrawPaperPage(printer.PagePainter(), settings_, page, SystemDecimalSeparator());
        if (copy < copies)
            printer.NewPage();
    }
}

} // namespace aqualen::ui
