// The print dialog: the copies box, the printer choice, Esc, and what reaches
// the printer, through a recording printer and through the real print
// service (a CUPS queue "PDF" writing PDF files) and the "PDF-файл" entry.

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "curve/smoothing_fit.h"
#include "curve/ui/print_dlg.h"
#include "curve/ui/printer_service.h"
#include "curve/ui/up_down.h"
#include "key_input.h"
#include "support/recording_messages.h"

namespace aqualen::ui {
namespace {

namespace fs = std::filesystem;

// Keeps every call; each page is drawn on an image of a small landscape page.
class RecordingPrinter final : public PrinterService {
public:
    RecordingPrinter() { SetPrinterService(this); }
    ~RecordingPrinter() override { SetPrinterService(nullptr); }

    QStringList PrinterNames() override { return {"Laser", QString::fromUtf8(kPdfFileEntry)}; }
    int CurrentIndex() override { return current; }
    void SetCurrentIndex(int index) override { current = index; }
    void SetLandscape() override { calls.push_back("landscape"); }
    QSize PageSize() override { return {1169, 827}; }
    void SetJobTitle(const QString& title) override { calls.push_back("title " + title.toStdString()); }
    bool BeginDocument(QWidget*) override
    {
        calls.push_back("begin");
        pages.assign(1, Blank());
        return beginAnswer;
    }
    void NewPage() override
    {
        calls.push_back("new page");
        painter.end();
        pages.push_back(Blank());
    }
    void EndDocument() override
    {
        calls.push_back("end");
        if (painter.isActive())
            painter.end();
    }
    QPainter& PagePainter() override
    {
        calls.push_back("draw");
        if (failOnDraw && --failOnDraw == 0)
            throw std::runtime_error("Floating point overflow");
        if (!painter.isActive())
            painter.begin(&pages.back());
        return painter;
    }

    static QImage Blank()
    {
        QImage image(1169, 827, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }

    int current = 1;
    bool beginAnswer = true;
    int failOnDraw = 0;
    std::vector<std::string> calls;
    std::vector<QImage> pages;
    QPainter painter;
};

CurveSettings Sheet()
{
    CurveSettings settings;
    for (const double p : {16.7, 33.3, 50.0, 66.7, 83.3})
        settings.Probabilities.Add(p);
    for (const double v : {15, 12, 10, 8, 5})
        settings.Values.Add(v);
    FitSmoothingCurve(settings);
    settings.SmoothCurve = true;
    settings.Title = "Aqualen test sheet";
    return settings;
}

int BlackPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(0, 0, 0);
    return count;
}

class PrintDlgTest : public ::testing::Test {
protected:
    ~PrintDlgTest() override { dialog.hide(); }

    std::vector<std::string> Calls(std::initializer_list<const char*> list)
    {
        std::vector<std::string> calls{"landscape", std::string("title ") + kPrintJobTitle};
        calls.insert(calls.end(), list.begin(), list.end());
        return calls;
    }

    test::RecordingMessages messages;
    RecordingPrinter printer;
    CurveSettings settings = Sheet();
    TPrintDlg dialog{settings, nullptr};
};

TEST_F(PrintDlgTest, ShowsThePrintersWithTheCurrentOneAndOneCopy)
{
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Печать"));
    EXPECT_EQ(dialog.size(), QSize(427, 211));
    ASSERT_EQ(dialog.cbPrinters->count(), 2);
    EXPECT_EQ(dialog.cbPrinters->itemText(1), QString::fromUtf8("PDF-файл"));
    EXPECT_EQ(dialog.cbPrinters->currentIndex(), 1);
    dialog.cbPrinters->setCurrentIndex(0);
    EXPECT_EQ(printer.current, 0);

    dialog.Edit1->setText("7");
    dialog.show();
    EXPECT_EQ(dialog.Edit1->text(), "1");
    if (const char* shots = std::getenv("AQUALEN_SHOTS"))
        dialog.grab().save(QString::fromUtf8(shots) + "/print_dialog.png");
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.cbPrinters->currentIndex(), 0); // still the chosen printer
}

TEST_F(PrintDlgTest, CopiesBoxRules)
{
    dialog.Edit1->setText("2");
    EXPECT_EQ(dialog.Edit1->text(), "2");
    dialog.Edit1->setText("25");
    EXPECT_EQ(dialog.Edit1->text(), "1");
    dialog.Edit1->setText("3x");
    EXPECT_EQ(dialog.Edit1->text(), "3");
    dialog.Edit1->setText("x");
    EXPECT_EQ(dialog.Edit1->text(), "1");
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].text, QString::fromUtf8("Следует ввести число!"));
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Plain);
    dialog.Edit1->setText("0");
    EXPECT_EQ(dialog.Edit1->text(), "0");
    dialog.UpDown1->StepUp();
    EXPECT_EQ(dialog.Edit1->text(), "2"); // the spin control keeps to 1..20
}

TEST_F(PrintDlgTest, ThreeCopiesAreThreeLandscapePagesOfOneJob)
{
    dialog.show();
    dialog.Edit1->setText("3");
    dialog.bbPrint->click();
    EXPECT_EQ(printer.calls, Calls({"begin", "draw", "new page", "draw", "new page", "draw", "end"}));
    ASSERT_EQ(printer.pages.size(), 3u);
    const int black = BlackPixels(printer.pages[0]);
    EXPECT_GT(black, 10000);
    EXPECT_EQ(printer.pages[2], printer.pages[0]);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(PrintDlgTest, NoCopiesBeginsAndEndsWithoutPages)
{
    dialog.show();
    dialog.Edit1->setText("0");
    dialog.bbPrintClick();
    EXPECT_EQ(printer.calls, Calls({"begin", "end"}));
}

TEST_F(PrintDlgTest, DocumentEndsEvenWhenDrawingFails)
{
    dialog.show();
    dialog.Edit1->setText("3");
    printer.failOnDraw = 2;
    dialog.bbPrintClick();
    EXPECT_EQ(printer.calls, Calls({"begin", "draw", "new page", "draw", "end"}));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Fault);
    EXPECT_EQ(messages.messages[0].text, "Floating point overflow");
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PrintDlgTest, CancelledFileQuestionKeepsTheDialogOpen)
{
    dialog.show();
    printer.beginAnswer = false;
    dialog.bbPrintClick();
    EXPECT_EQ(printer.calls, Calls({"begin"}));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(PrintDlgTest, EscapeAnywhereClosesWithoutPrinting)
{
    dialog.show();
    test::KeyClick(dialog.Edit1, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(printer.calls.empty());
}

// The real printing road: the QPrinter service with CUPS and with a file.

std::string Shell(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 512> buffer{};
        while (fgets(buffer.data(), buffer.size(), pipe))
            out += buffer.data();
        pclose(pipe);
    }
    return out;
}

int PdfPages(const std::string& path)
{
    const std::string info = Shell("pdfinfo '" + path + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

std::set<std::string> PdfFiles(const fs::path& folder)
{
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.path().extension() == ".pdf")
            names.insert(entry.path().string());
    return names;
}

class RealPrintTest : public ::testing::Test {
protected:
    test::RecordingMessages messages;
    CurveSettings settings = Sheet();
};

TEST_F(RealPrintTest, ThreeCopiesReachTheCupsQueueAsOnePdfOfThreePages)
{
    if (Shell("lpstat -p PDF 2>/dev/null").find("PDF") == std::string::npos)
        GTEST_SKIP() << "no CUPS queue named PDF (scripts/start-print-service sets it up)";
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    const fs::path folder = fs::path(home) / "PDF";
    const std::set<std::string> before = PdfFiles(folder);

    TPrintDlg dialog(settings, nullptr);
    const int queue = dialog.cbPrinters->findText("PDF");
    ASSERT_GE(queue, 0);
    dialog.cbPrinters->setCurrentIndex(queue);
    dialog.show();
    dialog.Edit1->setText("3");
    dialog.bbPrint->click();
    EXPECT_TRUE(messages.messages.empty());

    // The print service works on its own time: wait for its file.
    std::string made;
    for (int i = 0; i < 300 && made.empty(); ++i) {
        for (const std::string& name : PdfFiles(folder))
            if (!before.count(name) && PdfPages(name) > 0)
                made = name;
        if (made.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_FALSE(made.empty()) << "no PDF arrived in " << folder;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(PdfPages(made), 3);
    const std::string name = fs::path(made).filename().string();
    EXPECT_NE(name.find("Aqualen"), std::string::npos) << name;
    std::printf("printed as %s\n", name.c_str());
    EXPECT_EQ(PdfFiles(folder).size(), before.size() + 1); // one job, one file
    if (const char* shots = std::getenv("AQUALEN_SHOTS"))  // kept for a person to look at
        fs::copy_file(made, fs::path(shots) / "printed.pdf", fs::copy_options::overwrite_existing);
    fs::remove(made);
    Shell("cancel -a PDF 2>/dev/null");
}

TEST_F(RealPrintTest, PdfFileEntryWritesTheSamePagesToAFile)
{
    const fs::path path = fs::temp_directory_path() / "aqualen-print-test.pdf";
    fs::remove(path);
    SetPdfFileNameAsker([&](QWidget*) { return QString::fromStdString(path.string()); });
    {
        TPrintDlg dialog(settings, nullptr);
        const int last = dialog.cbPrinters->count() - 1;
        ASSERT_EQ(dialog.cbPrinters->itemText(last), QString::fromUtf8("PDF-файл"));
        dialog.cbPrinters->setCurrentIndex(last);
        dialog.show();
        dialog.Edit1->setText("0"); // no pages: nothing is written
        dialog.bbPrint->click();
        EXPECT_FALSE(fs::exists(path));
        dialog.show();
        dialog.Edit1->setText("2");
        dialog.bbPrint->click();
    }
    SetPdfFileNameAsker(nullptr);
    EXPECT_TRUE(messages.messages.empty());
    ASSERT_TRUE(fs::exists(path));
    EXPECT_EQ(PdfPages(path.string()), 2);
    const std::string info = Shell("pdfinfo '" + path.string() + "'");
    EXPECT_NE(info.find("842 x 595"), std::string::npos) << info; // landscape A4
    fs::remove(path);
}

} // namespace
} // namespace aqualen::ui
