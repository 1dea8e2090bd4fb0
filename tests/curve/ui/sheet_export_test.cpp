// The sheet saved to files: each of PDF, PNG and SVG is the printed page (the
// same canvas calls as the print dialog makes on a page of that size, and for
// PNG the same pixels), and "Сохранить лист" in the curve window writes them,
// says why when it cannot and leaves the old file as it was.

#include <sys/resource.h>
#include <unistd.h>

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "curve/analytic_fit.h"
#include "curve/recording_canvas.h"
#include "curve/smoothing_fit.h"
#include "curve/ui/obesp_form.h"
#include "curve/ui/paper_page.h"
#include "curve/ui/print_dlg.h"
#include "curve/ui/printer_service.h"
#include "curve/ui/save_sheet_dlg.h"
#include "series/ui/pane_text.h"
#include "series/ui/radio_group.h"
#include "support/recording_file_dialogs.h"
#include "support/recording_messages.h"

#include <signal.h>

namespace aqualen::ui {
namespace {

using test::RecordingCanvas;

// Points, both curves, the band and the return periods: every kind of mark.
CurveSettings FullSheet()
{
    CurveSettings s;
    const double values[] = {15, 12, 11, 10, 9.5, 8, 7, 6.5, 5, 4};
    for (int m = 1; m <= 10; ++m) {
        s.Probabilities.Add(100.0 * m / 11);
        s.Values.Add(values[m - 1]);
    }
    s.Title = "р. Тест";
    s.AxisName = "Q, м3/с";
    s.ReturnPeriodAxis = true;
    FitSmoothingCurve(s);
    s.SmoothCurve = true;
    s.Analytic.Options.distribution = dist::Distribution::PearsonIII;
    s.Analytic.Options.method = dist::Method::SampleMoments;
    FitAnalyticCurve(s);
    s.Analytic.BandProbabilities = {1, 10, 50, 90, 99};
    s.Analytic.Band = dist::Band{std::vector<double>(5, 0.7), std::vector<double>(5, 1.3), 90};
    return s;
}

// A printer whose pages are painted on a device the test makes.
class DevicePrinter final : public PrinterService {
public:
    explicit DevicePrinter(std::function<QPaintDevice&()> device) : device_(std::move(device))
    {
        SetPrinterService(this);
    }
    ~DevicePrinter() override { SetPrinterService(nullptr); }

    QStringList PrinterNames() override { return {"Device"}; }
    int CurrentIndex() override { return 0; }
    void SetCurrentIndex(int) override {}
    void SetLandscape() override {}
    QSize PageSize() override
    {
        QPaintDevice& device = device_();
        return {device.width(), device.height()};
    }
    void SetJobTitle(const QString&) override {}
    bool BeginDocument(QWidget*) override { return true; }
    void NewPage() override {}
    void EndDocument() override { painter_.end(); }
    QPainter& PagePainter() override
    {
        if (!painter_.isActive())
            painter_.begin(&device_());
        return painter_;
    }

private:
    std::function<QPaintDevice&()> device_;
    QPainter painter_;
};

// The calls of every paper page drawn while it lives.
struct Tap {
    Tap() { SetPaperPageTap(&canvas); }
    ~Tap() { SetPaperPageTap(nullptr); }
    RecordingCanvas canvas;
};

void PrintOneCopy(const CurveSettings& settings)
{
    TPrintDlg dialog(settings, nullptr);
    dialog.show();
    dialog.Edit1->setText("1");
    dialog.bbPrintClick();
}

void ExpectSameCalls(const RecordingCanvas& file, const RecordingCanvas& printed, const char* what)
{
    EXPECT_GT(file.calls, 1000) << what;
    EXPECT_EQ(file.calls, printed.calls) << what;
    EXPECT_TRUE(file.lines == printed.lines) << what;
    EXPECT_TRUE(file.texts == printed.texts) << what;
    EXPECT_TRUE(file.ellipses == printed.ellipses) << what;
    EXPECT_TRUE(file.pixels == printed.pixels) << what;
    EXPECT_TRUE(file.rectangles == printed.rectangles) << what;
    EXPECT_EQ(file.brushColor, kWhite) << what;
}

class SheetExportTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }

    test::RecordingMessages messages;
    QTemporaryDir dir;
    const CurveSettings sheet = FullSheet();
};

TEST_F(SheetExportTest, PdfIsThePrintedPageOnOneLandscapeA4Page)
{
    Tap file;
    ASSERT_TRUE(WriteSheetPdf(sheet, Path("sheet.pdf").toStdString(), SystemDecimalSeparator()).ok);

    // Printed on a PDF writer of the same page: 1200 dots per inch, no margins.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    DevicePrinter printer([&]() -> QPaintDevice& { return writer; });
    Tap printed;
    PrintOneCopy(sheet);
    ExpectSameCalls(file.canvas, printed.canvas, "pdf");

    QFile pdf(Path("sheet.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1) << "one page";
    // 297 × 210 mm in points.
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 841.89") || bytes.contains("/MediaBox [0 0 842"));
}

TEST_F(SheetExportTest, PngIsThePrintedPageToThePixel)
{
    for (const int dpi : {150, 300}) {
        const QString path = Path(QStringLiteral("sheet%1.png").arg(dpi));
        Tap file;
        ASSERT_TRUE(WriteSheetPng(sheet, path.toStdString(), dpi, SystemDecimalSeparator()).ok);

        // Printed on an image of that page and resolution, white like paper.
        QImage page(A4LandscapeWidth(dpi), A4LandscapeHeight(dpi), QImage::Format_RGB32);
        page.fill(Qt::white);
        const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
        page.setDotsPerMeterX(dotsPerMeter);
        page.setDotsPerMeterY(dotsPerMeter);
        {
            DevicePrinter printer([&]() -> QPaintDevice& { return page; });
            Tap printed;
            PrintOneCopy(sheet);
            ExpectSameCalls(file.canvas, printed.canvas, "png");
        }
        const QImage written(path);
        ASSERT_EQ(written.size(), page.size()) << dpi;
        EXPECT_TRUE(written.convertToFormat(QImage::Format_RGB32) == page) << dpi << " dpi: not the printed pixels";
    }
}

TEST_F(SheetExportTest, SvgIsThePrintedPageAsVectors)
{
    Tap file;
    ASSERT_TRUE(WriteSheetSvg(sheet, Path("sheet.svg").toStdString(), SystemDecimalSeparator()).ok);

    const int width = A4LandscapeWidth(300);
    const int height = A4LandscapeHeight(300);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(300);
    generator.setSize(QSize(width, height));
    generator.setViewBox(QRect(0, 0, width, height));
    DevicePrinter printer([&]() -> QPaintDevice& { return generator; });
    Tap printed;
    PrintOneCopy(sheet);
    ExpectSameCalls(file.canvas, printed.canvas, "svg");

    QSvgRenderer renderer(Path("sheet.svg"));
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, width, height));
    QFile svg(Path("sheet.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("<svg width=\"297mm\" height=\"210mm\"")) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains(">Сглаживающая кривая<")) << "text stays text";
}

// The dialog of the curve window, driven while it is shown modally.
class SaveSheetWindowTest : public ::testing::Test {
protected:
    SaveSheetWindowTest()
    {
        form.Settings() = FullSheet();
        form.View().SheetReady = true;
    }

    // Opens the dialog with the window's button and runs `act` in it.
    void Save(const std::function<void(TSaveSheetDlg&)>& act)
    {
        QTimer::singleShot(0, &form, [&] {
            ASSERT_TRUE(form.SaveSheetDlg);
            act(*form.SaveSheetDlg);
            if (form.SaveSheetDlg->isVisible())
                form.SaveSheetDlg->reject();
        });
        form.bbSave->click();
    }

    QString Path(const QString& name) const { return dir.filePath(name); }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList Texts() const
    {
        QStringList texts;
        for (const auto& m : messages.messages)
            texts << m.text;
        return texts;
    }

    test::RecordingMessages messages;
    test::RecordingFileDialogs files;
    QTemporaryDir dir;
    QWidget owner;
    TObespForm form{&owner};
};

TEST_F(SaveSheetWindowTest, WritesTheChosenFormatAndAddsItsExtension)
{
    EXPECT_EQ(form.bbSave->text(), QString::fromUtf8("Сохранить лист ..."));
    bool closed = false;
    Save([&](TSaveSheetDlg& d) {
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Сохранить лист"));
        EXPECT_FALSE(d.cbResolution->isEnabled()) << "PDF has no resolution to choose";
        d.rgFormat->SetItemIndex(1);
        EXPECT_TRUE(d.cbResolution->isEnabled());
        ASSERT_EQ(d.cbResolution->count(), 3);
        d.cbResolution->setCurrentIndex(1); // 300
        d.edFileName->setText(Path("лист"));
        d.btnSave->click();
        closed = !d.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_TRUE(Texts().isEmpty()) << Texts().join("; ").toStdString();
    EXPECT_EQ(QImage(Path("лист.png")).size(), QSize(3508, 2480));

    // The dialog keeps its choice; a name ending in another format's
    // extension takes that format.
    Save([&](TSaveSheetDlg& d) {
        EXPECT_EQ(d.rgFormat->ItemIndex(), 1);
        EXPECT_EQ(d.DotsPerInch(), 300);
        d.edFileName->setText(Path("лист.svg"));
        d.btnSave->click();
        EXPECT_EQ(d.Format(), SheetFileFormat::Svg);
    });
    EXPECT_TRUE(Read(Path("лист.svg")).contains("<svg"));
}

TEST_F(SaveSheetWindowTest, BrowseTakesTheNameAndTheKindFromTheFileDialog)
{
    files.saveAnswer = Path("из диалога");
    files.kindAnswer = 0; // PDF
    Save([&](TSaveSheetDlg& d) {
        d.rgFormat->SetItemIndex(2);
        d.btnBrowse->click();
        EXPECT_EQ(d.Format(), SheetFileFormat::Pdf);
        EXPECT_EQ(d.edFileName->text(), Path("из диалога.pdf"));
        d.btnSave->click();
    });
    ASSERT_EQ(files.filtersShown.size(), 1u);
    EXPECT_EQ(files.filtersShown[0], (QStringList{"PDF (*.pdf)", "PNG (*.png)", "SVG (*.svg)"}));
    EXPECT_EQ(files.filtersOffered[0], 2);
    EXPECT_TRUE(Read(Path("из диалога.pdf")).startsWith("%PDF"));
}

TEST_F(SaveSheetWindowTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo)
{
    Write(Path("old.pdf"), "the user's old sheet");
    messages.answers = {Answer::Cancel, Answer::Yes};
    Save([&](TSaveSheetDlg& d) {
        d.rgFormat->SetItemIndex(0);
        d.edFileName->setText(Path("old.pdf"));
        d.btnSave->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Read(Path("old.pdf")), "the user's old sheet");
        d.btnSave->click();
    });
    ASSERT_EQ(messages.questions.size(), 2u);
    EXPECT_TRUE(messages.questions[0].contains(QStringLiteral("уже есть")));
    EXPECT_TRUE(Read(Path("old.pdf")).startsWith("%PDF"));
}

TEST_F(SaveSheetWindowTest, AFailedWriteIsAnErrorBoxAndTheOldFileStays)
{
    // An empty name, a folder that is a file, and (where the user is not
    // the superuser) a folder that may not be written.
    Write(Path("file"), "not a folder");
    const QString locked = Path("locked");
    ASSERT_TRUE(QDir().mkpath(locked));
    Write(locked + "/sheet.png", "the user's old sheet");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool lockedHolds = geteuid() != 0;
    messages.answers = {Answer::Yes};
    Save([&](TSaveSheetDlg& d) {
        d.rgFormat->SetItemIndex(1);
        d.edFileName->setText(QStringLiteral("  "));
        d.btnSave->click();
        d.edFileName->setText(Path("file") + "/sheet.png");
        d.btnSave->click();
        EXPECT_TRUE(d.isVisible()) << "stays open to try another name";
        if (lockedHolds) {
            d.edFileName->setText(locked + "/sheet.png");
            d.btnSave->click();
        }
    });
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QStringList texts = Texts();
    ASSERT_EQ(texts.size(), lockedHolds ? 3 : 2) << texts.join("; ").toStdString();
    EXPECT_EQ(texts[0], QString::fromUtf8("Укажите имя файла!"));
    for (int i = 1; i < texts.size(); ++i) {
        EXPECT_TRUE(texts[i].startsWith(QString::fromUtf8("Не удалось сохранить лист в файл «"))) << i;
        EXPECT_TRUE(texts[i].endsWith("!"));
    }
    for (const auto& m : messages.messages)
        EXPECT_EQ(m.kind, MessageKind::Error);
    EXPECT_EQ(Read(locked + "/sheet.png"), "the user's old sheet");
}

TEST_F(SaveSheetWindowTest, ADiskThatFillsUpLeavesTheOldFileAndNoPart)
{
    // Files may grow to 4 KiB only; the signal that would end the process
    // is ignored, so the write returns its error.
    for (const char* name : {"full.pdf", "full.png", "full.svg"}) {
        Write(Path(name), "the user's old sheet");
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto previous = signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
        messages.answers = {Answer::Yes};
        Save([&](TSaveSheetDlg& d) {
            d.edFileName->setText(Path(name));
            d.btnSave->click();
        });
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, previous);
        ASSERT_EQ(messages.messages.size(), 1u) << name;
        EXPECT_TRUE(messages.messages[0].text.startsWith(QString::fromUtf8("Не удалось сохранить"))) << name;
        EXPECT_EQ(Read(Path(name)), "the user's old sheet") << name;
        messages.messages.clear();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "no temporary file left";
}

} // namespace
} // namespace aqualen::ui
