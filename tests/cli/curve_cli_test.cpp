#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

const std::string kFiveValues = "15\n12\n10\n8\n5\n";

bool Exists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

std::string Capture(const std::string& command)
{
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return text;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe))
        text += buffer;
    pclose(pipe);
    return text;
}

// Width and height from the PNG header.
std::pair<unsigned, unsigned> PngSize(const std::string& path)
{
    const std::string bytes = ReadWholeFile(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    auto be32 = [&bytes](size_t at) {
        unsigned v = 0;
        for (size_t i = 0; i < 4; ++i)
            v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {be32(16), be32(20)};
}

TEST(CurveCli, PdfIsOneLandscapeA4Page)
{
    ASSERT_EQ(std::system("command -v pdfinfo >/dev/null 2>&1"), 0) << "pdfinfo (poppler-utils) is needed";
    const std::string values = WriteScratchFile("five.txt", kFiveValues);
    const std::string pdf = ScratchDir() + "/sheet.pdf";
    const CliResult result = RunCli("curve --smooth --title 'Река' '" + values + "' -o '" + pdf + "'");
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string info = Capture("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    EXPECT_NE(info.find("842 x 595 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("Aqualen(Кривая обеспеченности)"), std::string::npos) << info;
}

TEST(CurveCli, PngHasThePageSizeAtTheResolution)
{
    const std::string values = WriteScratchFile("comma.txt", "1,5\n2\n3,25\n4\n0,5\n7\n");
    const std::string png = ScratchDir() + "/sheet.png";
    const CliResult result = RunCli("curve --fine --formula 2 --decimal , --max 10 --main-step 0,5 --dpi 100 '" +
                                    values + "' -o '" + png + "'");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(PngSize(png), (std::pair<unsigned, unsigned>{1169, 827}));
}

TEST(CurveCli, RejectedSeriesWriteNoFile)
{
    const std::string out = ScratchDir() + "/rejected.pdf";
    std::string many;
    for (int i = 0; i < 501; ++i)
        many += std::to_string(i) + "\n";
    const struct {
        std::string content, options, message;
    } cases[] = {
        {"1\n2\n3\n4\n", "", "Число точек должно быть от 5 до 500!"},
        {many, "", "Число точек должно быть от 5 до 500!"},
        {"1\n2\nx\n4\n5\n", "", "Ряд данных введен не корректно!"},
        {"1\n2\n\n4\n5\n", "", "Ряд данных введен не корректно!"},
        {kFiveValues, "--max 0", "Максимум шкалы должен быть больше минимума!"},
        {kFiveValues, "--additional-step 0,01 --decimal ,", "Слишком много промежуточных делений шкалы (больше 1000)!"},
        {kFiveValues, "--max abc", "'abc' is not a valid floating point value"},
    };
    for (const auto& c : cases) {
        std::remove(out.c_str());
        const std::string values = WriteScratchFile("rejected.txt", c.content);
        const CliResult result = RunCli("curve " + c.options + " '" + values + "' -o '" + out + "'");
        EXPECT_EQ(result.status, 1) << c.message;
        // Qt may put a platform notice before the message.
        const std::string tail = c.message + "\n";
        EXPECT_TRUE(result.err.size() >= tail.size() &&
                    result.err.compare(result.err.size() - tail.size(), tail.size(), tail) == 0)
            << result.err;
        EXPECT_FALSE(Exists(out)) << c.message;
    }
}

TEST(CurveCli, UsageErrors)
{
    const std::string values = WriteScratchFile("usage.txt", kFiveValues);
    const std::string out = " -o '" + ScratchDir() + "/usage.pdf'";
    EXPECT_EQ(RunCli("curve '" + values + "'").status, 4);          // no output
    EXPECT_EQ(RunCli("curve '" + values + "' -o x.svg").status, 4); // unknown kind
    EXPECT_EQ(RunCli("curve --radius 21 '" + values + "'" + out).status, 4);
    EXPECT_EQ(RunCli("curve --formula 3 '" + values + "'" + out).status, 4);
    EXPECT_EQ(RunCli("curve --dpi 0 '" + values + "'" + out).status, 4);
    EXPECT_EQ(RunCli("curve --bogus '" + values + "'" + out).status, 4);
    EXPECT_EQ(RunCli("curve" + out).status, 4); // no values file
    const CliResult help = RunCli("curve --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--smooth"), std::string::npos);
    EXPECT_NE(help.out.find("the scale is chosen from the"), std::string::npos);
    // A folder that does not exist: refused, nothing left behind.
    EXPECT_NE(RunCli("curve '" + values + "' -o /nonexistent-aqualen/x.png").status, 0);
}

// 60 annual flows from 445 to 1366.
std::string SixtyFlows()
{
    std::string text;
    for (int i = 0; i < 60; ++i)
        text += std::to_string(445 + (i * 37) % 60 * 921 / 59) + "\n";
    return text;
}

// The words of the sheet's text, as a PDF reader extracts them.
std::string SheetWords(const std::string& pdf)
{
    return " " + Capture("pdftotext -raw '" + pdf + "' - | tr -s ' \n' '  '");
}

bool HasWord(const std::string& words, const std::string& word)
{
    return words.find(" " + word + " ") != std::string::npos;
}

TEST(CurveCli, TheScaleFollowsTheValuesUnlessGiven)
{
    ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0) << "pdftotext (poppler-utils) is needed";
    const std::string values = WriteScratchFile("flows.txt", SixtyFlows());
    const std::string pdf = ScratchDir() + "/flows.pdf";
    const struct {
        std::string options;
        std::vector<std::string> shown, absent;
    } cases[] = {
        {"", {"0", "700", "1400"}, {"17", "1500"}},                         // 0..1400 by 100
        {"--dist p3 --band 95 --smooth", {"-200", "2200"}, {"17", "1500"}}, // and the band
        {"--max 20", {"0", "17", "19"}, {"1400"}},                          // by hand, the rest defaults
        {"--min 400 --max 1400 --main-step 100 --additional-step 20", {"400", "1400"}, {"0", "1500"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        std::remove(pdf.c_str());
        const CliResult result = RunCli("curve --decimal . " + c.options + " '" + values + "' -o '" + pdf + "'");
        ASSERT_EQ(result.status, 0) << result.err;
        const std::string words = SheetWords(pdf);
        for (const std::string& word : c.shown)
            EXPECT_TRUE(HasWord(words, word)) << word << " in" << words;
        for (const std::string& word : c.absent)
            EXPECT_FALSE(HasWord(words, word)) << word << " in" << words;
    }
}

TEST(CurveCli, ValuesBeyondAnyScaleAreRejected)
{
    const std::string values = WriteScratchFile("beyond.txt", "1.7e308\n1.7e308\n1.7e308\n1.7e308\n1.7e308\n");
    const std::string out = ScratchDir() + "/beyond.png";
    std::remove(out.c_str());
    const CliResult result = RunCli("curve --decimal . '" + values + "' -o '" + out + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Шкалу по этим значениям подобрать нельзя"), std::string::npos) << result.err;
    EXPECT_FALSE(Exists(out));
}

TEST(CurveCli, ReadsValuesFromStandardInput)
{
    const std::string png = ScratchDir() + "/stdin.png";
    const CliResult result = RunCli("curve --dpi 40 - -o '" + png + "'", kFiveValues);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(PngSize(png).first, 468u);
}

} // namespace
} // namespace aqualen::test
