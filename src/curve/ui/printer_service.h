#pragma once
// The printer seam of the print dialog. The default wraps QPrinter and
// QPrinterInfo; its list ends with the entry "PDF-файл", which writes the
// same pages to a PDF file whose name is asked when the document begins.
// Tests install a service of their own, or keep the real one and answer the
// file question through SetPdfFileNameAsker.

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;
class QWidget;

namespace aqualen::ui {

inline constexpr const char* kPdfFileEntry = "PDF-файл";

class PrinterService {
public:
    virtual ~PrinterService() = default;
    // The system's printers in its own order, then "PDF-файл".
    virtual QStringList PrinterNames() = 0;
    virtual int CurrentIndex() = 0;
    virtual void SetCurrentIndex(int index) = 0;
    virtual void SetLandscape() = 0;
    // The printable page in device pixels, in the orientation set.
    virtual QSize PageSize() = 0;
    virtual void SetJobTitle(const QString& title) = 0;
    // False when nothing can be printed (the file question was cancelled,
    // the printer refused); the caller then stops without ending.
    virtual bool BeginDocument(QWidget* parent) = 0;
    virtual void NewPage() = 0;
    virtual void EndDocument() = 0;
    // The painter of the current page; valid between begin and end.
    virtual QPainter& PagePainter() = 0;
};

// The service in use; the QPrinter one unless a test set another.
PrinterService& Printers();
// Installs a service (not owned); nullptr restores the QPrinter one.
void SetPrinterService(PrinterService* service);

// Asks for the name of the PDF file to write; an empty name cancels. The
// default is a save-file dialog.
using PdfFileNameAsker = std::function<QString(QWidget* parent)>;
void SetPdfFileNameAsker(PdfFileNameAsker asker);

} // namespace aqualen::ui
