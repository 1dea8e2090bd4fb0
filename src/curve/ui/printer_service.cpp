#include "curve/ui/printer_service.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>
#include <stdexcept>

namespace aqualen::ui {

namespace {

QString AskWithFileDialog(QWidget* parent)
{
    QString name = QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить в PDF-файл"), QString(),
                                                QStringLiteral("PDF-файлы (*.pdf)"));
    if (!name.isEmpty() && !name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        name += QStringLiteral(".pdf");
    return name;
}

PdfFileNameAsker& Asker()
{
    static PdfFileNameAsker asker = AskWithFileDialog;
    return asker;
}

// The system's printers through QPrinter. The painter begins with the first
// page drawn, so a document of no pages sends nothing to the printer.
class QtPrinterService final : public PrinterService {
public:
    QtPrinterService() : printer_(QPrinter::HighResolution)
    {
        const QStringList names = QPrinterInfo::availablePrinterNames();
        const int defaultIndex = names.indexOf(QPrinterInfo::defaultPrinterName());
        SetCurrentIndex(defaultIndex >= 0 ? defaultIndex : 0);
    }

    QStringList PrinterNames() override
    {
        QStringList names = QPrinterInfo::availablePrinterNames();
        names.append(QString::fromUtf8(kPdfFileEntry));
        return names;
    }

    int CurrentIndex() override { return current_; }

    void SetCurrentIndex(int index) override
    {
        const QStringList names = QPrinterInfo::availablePrinterNames();
        if (index < 0 || index > names.size())
            return;
        current_ = index;
        toFile_ = index == names.size();
        if (toFile_) {
            printer_.setOutputFormat(QPrinter::PdfFormat);
            printer_.setPageSize(QPageSize(QPageSize::A4));
        } else {
            printer_.setOutputFormat(QPrinter::NativeFormat);
            printer_.setPrinterName(names.at(index));
        }
    }

    void SetLandscape() override { printer_.setPageOrientation(QPageLayout::Landscape); }

    QSize PageSize() override { return {printer_.width(), printer_.height()}; }

    void SetJobTitle(const QString& title) override { printer_.setDocName(title); }

    bool BeginDocument(QWidget* parent) override
    {
        if (toFile_) {
            const QString name = Asker()(parent);
            if (name.isEmpty())
                return false;
            printer_.setOutputFileName(name);
        }
        printer_.setCopyCount(1);
        painter_.reset();
        return true;
    }

    void NewPage() override
    {
        if (painter_)
            printer_.newPage();
    }

    void EndDocument() override
    {
        if (painter_ && painter_->isActive())
            painter_->end();
        painter_.reset();
    }

    QPainter& PagePainter() override
    {
        if (!painter_) {
            auto painter = std::make_unique<QPainter>();
            if (!painter->begin(&printer_))
                throw std::runtime_error("Не удалось начать печать на выбранном принтере!");
            painter_ = std::move(painter);
        }
        return *painter_;
    }

private:
    QPrinter printer_;
    std::unique_ptr<QPainter> painter_;
    int current_ = 0;
    bool toFile_ = false;
};

PrinterService* installed = nullptr;

} // namespace

PrinterService& Printers()
{
    if (installed)
        return *installed;
    // Made on first use and gone with the application, before Qt's printing
    // support is torn down.
    static std::unique_ptr<QtPrinterService> service;
    if (!service) {
        service = std::make_unique<QtPrinterService>();
        qAddPostRoutine([] { service.reset(); });
    }
    return *service;
}

void SetPrinterService(PrinterService* service)
{
    installed = service;
}

void SetPdfFileNameAsker(PdfFileNameAsker asker)
{
    Asker() = asker ? std::move(asker) : AskWithFileDialog;
}

} // namespace aqualen::ui
