#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "curve/sheet_update.h"

namespace aqualen {
namespace {

struct Entered {
    SeriesGridCells cells;
    SheetInput input;

    explicit Entered(const std::vector<std::string>& values)
    {
        for (size_t i = 0; i < values.size(); ++i)
            cells.Set(SeriesGridCells::kValueColumn, static_cast<int>(i) + 1, values[i]);
        input.pointCount = static_cast<int>(values.size());
        FillProbabilityColumn(cells, input.pointCount, PlottingFormula::Weibull, '.');
        input.fineGrid = true;
        input.title = "Title";
        input.scaleTexts = {"20", "0", "2", "0.5"};
        input.seriesOn = true;
    }
};

const std::vector<std::string> kFive{"3", "1", "2", "3", "5"};

TEST(ApplySheetInput, StoresInTheDialogsOrderAndSortsTheGrid)
{
    Entered e(kFive);
    e.input.smoothCurve = true;
    e.input.legend = false;
    e.input.returnPeriodAxis = true;
    e.input.formula = PlottingFormula::Chegodayev;
    CurveSettings s;
    ASSERT_TRUE(ApplySheetInput(s, e.cells, e.input, '.').Stored());
    EXPECT_TRUE(s.FineGrid);
    EXPECT_FALSE(s.Legend);
    EXPECT_TRUE(s.ReturnPeriodAxis);
    EXPECT_EQ(s.Formula, PlottingFormula::Chegodayev);
    EXPECT_EQ(s.Title, "Title");
    EXPECT_EQ(s.ScaleMax, 20);
    EXPECT_EQ(s.AdditionalStep, 0.5);
    ASSERT_EQ(s.Values.Count(), 5);
    EXPECT_EQ(s.Values.Get(0), 5);
    EXPECT_EQ(s.Values.Get(4), 1);
    EXPECT_EQ(e.cells.Get(SeriesGridCells::kValueColumn, 1), "5");
    EXPECT_TRUE(s.SmoothCurve);
    EXPECT_EQ(s.PointX.Count(), 5);
}

TEST(ApplySheetInput, ARefusalStopsThereAndKeepsWhatWasStoredBefore)
{
    struct Case {
        const char* what;
        std::vector<std::string> values;
        std::array<std::string, 4> scale;
        bool smooth;
        dist::Distribution distribution;
        SheetRefusal refusal;
        bool scaleStored;
        bool fault;
    };
    const std::vector<Case> cases{
        {"letters in the maximum", kFive, {"abc", "0", "1", "0.2"}, false, {}, SheetRefusal::ScaleText, false, true},
        {"maximum below minimum", kFive, {"1", "5", "1", "0.2"}, false, {}, SheetRefusal::Scale, false, false},
        {"an empty value cell",
         {"3", "1", "", "3", "5"},
         {"20", "0", "2", "0.5"},
         false,
         {},
         SheetRefusal::Series,
         true,
         false},
        {"a constant series has no Cv: the curve refuses it",
         {"7", "7", "7", "7", "7"},
         {"20", "0", "2", "0.5"},
         false,
         dist::Distribution::PearsonIII,
         SheetRefusal::Analytic,
         true,
         false},
    };
    for (const Case& c : cases) {
        Entered e(c.values);
        e.input.scaleTexts = c.scale;
        e.input.smoothCurve = c.smooth;
        e.input.readAnalytic = [&c](dist::FitOptions& options) {
            options.distribution = c.distribution;
            return true;
        };
        CurveSettings s;
        s.Analytic.Fit = dist::Fit{}; // a curve of an earlier OK
        const SheetUpdate update = ApplySheetInput(s, e.cells, e.input, '.');
        EXPECT_EQ(update.refusal, c.refusal) << c.what;
        EXPECT_EQ(update.fault, c.fault) << c.what;
        EXPECT_FALSE(update.message.empty()) << c.what;
        EXPECT_TRUE(s.FineGrid) << c.what; // stored before the scale
        EXPECT_EQ(s.ScaleMax == 20, c.scaleStored) << c.what;
        if (c.refusal == SheetRefusal::Analytic) {
            EXPECT_FALSE(s.Analytic.Fit) << c.what;
        }
    }
    Entered bad({"3", "1", "", "3", "5"});
    CurveSettings s;
    EXPECT_EQ(ApplySheetInput(s, bad.cells, bad.input, '.').row, 3);
    EXPECT_EQ(ApplySheetInput(s, bad.cells, bad.input, '.').message, kSeriesInputError);
}

TEST(ApplySheetInput, ARefusedSmoothingFitLeavesTheCurveOff)
{
    Entered e(kFive);
    // Every row at one probability: no parabola through them.
    for (int row = 1; row <= 5; ++row)
        e.cells.Set(SeriesGridCells::kProbabilityColumn, row, "50.0");
    e.input.smoothCurve = true;
    CurveSettings s;
    s.SmoothCurve = true;
    const SheetUpdate update = ApplySheetInput(s, e.cells, e.input, '.');
    EXPECT_EQ(update.refusal, SheetRefusal::Smoothing);
    EXPECT_FALSE(s.SmoothCurve);
}

TEST(ApplySheetInput, AnUnreadableAnalyticBoxLeavesNoCurveOfEarlierSettings)
{
    Entered e(kFive);
    e.input.readAnalytic = [](dist::FitOptions&) { return false; };
    CurveSettings s;
    s.Analytic.Fit = dist::Fit{};
    EXPECT_EQ(ApplySheetInput(s, e.cells, e.input, '.').refusal, SheetRefusal::AnalyticInput);
    EXPECT_FALSE(s.Analytic.Fit);
}

} // namespace
} // namespace aqualen
