// aqualen-cli trend, outliers and quantiles --gof: exit statuses, messages
// and hand-checked reports.

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "support/cli_runner.h"

namespace aqualen::test {
namespace {

const char* kRunoff =
    "312\n254\n401\n198\n287\n365\n221\n276\n450\n189\n305\n268\n333\n242\n296\n920\n231\n284\n259\n347\n";

std::string Lines(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += std::to_string(i) + "\n";
    return text;
}

// The lines of text that start with `prefix`.
std::string LineOf(const std::string& text, const std::string& prefix)
{
    const size_t at = text.rfind(prefix, 0) == 0 ? 0 : text.find("\n" + prefix);
    if (at == std::string::npos)
        return "";
    const size_t start = at == 0 ? 0 : at + 1;
    return text.substr(start, text.find('\n', start) - start);
}

TEST(TrendCli, ALinearSeriesByHand)
{
    // 1 … 10: S = 45 pairs up, Var(S) = 10·9·25/18 = 125, Z = 44/√125 = 3.935;
    // Sen 1 per year; ρ = 1; Pettitt |U(t)| = t(10 − t), K = 25 at t = 5,
    // p = 2·exp(−6·625/1100) = 0.066.
    const CliResult r = RunCli("trend --decimal ,", Lines(1, 10));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Длина ряда:\t10\n"
                     "Манн–Кендалл S:\t45\n"
                     "Манн–Кендалл Z:\t3,935\tp = 0,000\n"
                     "Хамед–Рао Z:\t3,935\tp = 0,000\n"
                     "Сен, наклон:\t1\n"
                     "Спирмен ρ:\t1,000\tp = 0,000\n"
                     "Петтитт K:\t25\tp = 0,066\tсдвиг после: 5\n"
                     "Манн–Кендалл, 5 %:\tтренд значим\n"
                     "Хамед–Рао, 5 %:\tтренд значим\n"
                     "Спирмен, 5 %:\tтренд значим\n"
                     "Петтитт, 5 %:\tсдвиг не значим\n");
    // At 10 % Pettitt's p = 0.066 is significant.
    EXPECT_EQ(LineOf(RunCli("trend --level 10 --decimal .", Lines(1, 10)).out, "Петтитт, 10 %:"),
              "Петтитт, 10 %:\tсдвиг значим, после 5");
}

TEST(TrendCli, ExitStatusesAndMessages)
{
    const struct {
        const char* arguments;
        std::string input;
        int status;
        const char* message; // the start of standard error
    } cases[] = {
        {"trend", Lines(1, 9), 1, "Для проверки тренда нужно от 10 до 10 000 значений ряда!"},
        {"trend", "5\n5\n5\n5\n5\n5\n5\n5\n5\n5\n", 1, "Все значения ряда одинаковы: критерии не определены!"},
        {"trend --decimal .", "1\n2\nx\n", 1, "Ряд введен не корректно!"},
        {"trend", "1\n2\n", 3, "aqualen-cli trend: too few lines"},
        {"trend --level 7", Lines(1, 10), 4, "aqualen-cli trend: --level takes 1, 5 or 10"},
        {"outliers", "1\n2\n3\n4\n", 1, "Для проверки выделяющихся значений нужно от 5 до 1 000 значений ряда!"},
        {"outliers", "4\n4\n4\n4\n4\n", 1, "Все значения ряда одинаковы: критерии не определены!"},
        {"outliers --dist ln", kRunoff, 4, "aqualen-cli outliers: --dist takes km or p3"},
        {"outliers --r1 3", kRunoff, 4, "aqualen-cli outliers: --r1 takes 0, 1 or 2"},
        {"outliers --level 2", kRunoff, 4, "aqualen-cli outliers: --level takes 1, 5 or 10"},
        {"quantiles --gof --method given --mean 1 --cv 1 --cs 1", "", 4,
         "aqualen-cli quantiles: --gof tests the curve against a series"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCli(c.arguments, c.input);
        EXPECT_EQ(r.status, c.status) << c.arguments << "\n" << r.err;
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << c.arguments << "\n" << r.err;
        if (c.status != 0) {
            EXPECT_EQ(r.out, "") << c.arguments;
        }
    }
}

TEST(OutliersCli, RatiosByHandAndTheCurvesRefusal)
{
    // Sorted: 189 198 221 … 401 450 920. Largest: r10 = 470/731, r11 = 470/722,
    // r20 = 519/731, r21 = 519/722, r22 = 519/699; smallest: r10 = 9/731,
    // r11 = 9/(450 − 189), r20 = 32/731, r21 = 32/261, r22 = 32/(401 − 189);
    // G = (920 − 321.9)/s and (321.9 − 189)/s with s = 155.281 (n − 1).
    const CliResult r = RunCli("outliers --dist p3 --decimal .", kRunoff);
    ASSERT_EQ(r.status, 0) << r.err;
    const struct {
        const char* label;
        const char* start;
    } expected[] = {{"Наибольшее значение:", "Наибольшее значение:\t920.000"},
                    {"Диксон r10:", "Диксон r10:\t0.643\t"},
                    {"Диксон r11:", "Диксон r11:\t0.651\t"},
                    {"Диксон r20:", "Диксон r20:\t0.710\t"},
                    {"Диксон r21:", "Диксон r21:\t0.719\t"},
                    {"Диксон r22:", "Диксон r22:\t0.742\t"},
                    {"Смирнов–Граббс G:", "Смирнов–Граббс G:\t3.852\t"}};
    for (const auto& e : expected)
        EXPECT_EQ(LineOf(r.out, e.label).rfind(e.start, 0), 0u) << LineOf(r.out, e.label);
    const std::string smallest = r.out.substr(r.out.find("Наименьшее значение:"));
    for (const auto& [label, start] : {std::pair{"Наименьшее значение:", "Наименьшее значение:\t189.000"},
                                       {"Диксон r10:", "Диксон r10:\t0.012\t"},
                                       {"Диксон r11:", "Диксон r11:\t0.034\t"},
                                       {"Диксон r20:", "Диксон r20:\t0.044\t"},
                                       {"Диксон r21:", "Диксон r21:\t0.123\t"},
                                       {"Диксон r22:", "Диксон r22:\t0.151\t"},
                                       {"Смирнов–Граббс G:", "Смирнов–Граббс G:\t0.856\t"}})
        EXPECT_EQ(LineOf(smallest, label).rfind(start, 0), 0u) << LineOf(smallest, label);
    // Fourteen lines: two blocks of seven and the empty line between them.
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 15);
    // Seeded: the same critical values every time.
    EXPECT_EQ(RunCli("outliers --dist p3 --decimal .", kRunoff).out, r.out);

    // Nineteen values near 100 and one of 200: no Kritsky–Menkel curve has
    // their Cv and Cs, Pearson III does.
    std::string lopsided;
    for (int i = 0; i < 19; ++i)
        lopsided += std::to_string(95 + i % 10) + "\n";
    lopsided += "200\n";
    const CliResult km = RunCli("outliers --decimal .", lopsided);
    EXPECT_EQ(km.status, 1);
    // The family's refusal, followed by the range of Cs it has at this Cv.
    EXPECT_EQ(km.err.rfind("Нет кривой Крицкого–Менкеля с такими Cv и Cs! При Cv = ", 0), 0u) << km.err;
    EXPECT_EQ(RunCli("outliers --dist p3 --decimal .", lopsided).status, 0);
}

TEST(QuantilesCli, GoodnessOfFitAfterTheParameters)
{
    const std::string file = WriteScratchFile("gof_runoff.txt", kRunoff);
    const CliResult plain = RunCli("quantiles --p '1;50' --decimal . '" + file + "'");
    const CliResult gof = RunCli("quantiles --gof --p '1;50' --decimal . '" + file + "'");
    ASSERT_EQ(gof.status, 0) << gof.err;
    // The parameters and the table are those of the plain report; the block
    // sits between them, with D, ω², A² and no χ² at 20 values.
    const size_t block = gof.out.find("\nКритерии согласия:\n");
    ASSERT_NE(block, std::string::npos) << gof.out;
    const size_t table = gof.out.find("\nP, %");
    EXPECT_EQ(gof.out.substr(0, block + 1), plain.out.substr(0, block + 1));
    EXPECT_EQ(gof.out.substr(table), plain.out.substr(plain.out.find("\nP, %")));
    const std::string lines = gof.out.substr(block + 1, table - block - 1);
    EXPECT_NE(lines.find("\nКолмогоров D:\t0."), std::string::npos) << lines;
    EXPECT_NE(lines.find("\nКрамер–Мизес ω²:\t0."), std::string::npos) << lines;
    EXPECT_NE(lines.find("\nАндерсон–Дарлинг A²:\t"), std::string::npos) << lines;
    EXPECT_EQ(lines.find("Пирсон χ²"), std::string::npos) << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\t'), 6) << lines; // value and p on each line
    EXPECT_EQ(RunCli("quantiles --gof --p '1;50' --decimal . '" + file + "'").out, gof.out);

    // Both curves with --compare; χ² from 25 values on, in the locale's separator.
    std::string longer = kRunoff;
    longer += "301\n277\n365\n248\n290\n";
    const CliResult both = RunCli("quantiles --gof --compare --p 1 --decimal ,", longer);
    ASSERT_EQ(both.status, 0) << both.err;
    EXPECT_NE(both.out.find("\nКритерии согласия (Пирсон III):\n"), std::string::npos) << both.out;
    EXPECT_NE(both.out.find("\nКритерии согласия (Крицкий–Менкель):\n"), std::string::npos) << both.out;
    EXPECT_NE(both.out.find("\nПирсон χ² (5 классов):\t"), std::string::npos) << both.out;
    EXPECT_NE(both.out.find("\tp = 0,"), std::string::npos) << both.out;
}

} // namespace
} // namespace aqualen::test
