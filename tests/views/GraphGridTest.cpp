// The chart axes: the step tables, the layout's room for labels, the zero
// axes, and steps that cannot be walked.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "tests/views/RecordingSurface.h"
#include "views/GraphGrid.h"

namespace TerrionTest
{
namespace
{

using NOp = CRecordingSurface::NOp;

TEST(GraphGridSteps, CeilToStep)
{
    const struct
    {
        double v, step, expected;
    } cases[] = {
        {3.0, 1.0, 3.0}, {3.2, 1.0, 4.0},   {-3.5, 1.0, -3.0},
        {0.0, 5.0, 0.0}, {12.0, 5.0, 15.0}, {7.0, 0.0, 7.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(CGraphGrid::CeilToStep(c.v, c.step), c.expected) << c.v << " by " << c.step;
}

TEST(GraphGridSteps, NiceStepAndItsPatterns)
{
    double min = 0.0, max = 97.0;
    std::wstring pattern;
    EXPECT_DOUBLE_EQ(CGraphGrid::NiceStep(&min, &max, pattern, true, true, 11), 10.0);
    EXPECT_EQ(pattern, L"%0.0lf");
    EXPECT_DOUBLE_EQ(min, 0.0); // -10 held at 0
    EXPECT_DOUBLE_EQ(max, 100.0);

    min = 0.0, max = 0.97;
    EXPECT_NEAR(CGraphGrid::NiceStep(&min, &max, pattern, false, false, 11), 0.1, 1e-12);
    EXPECT_EQ(pattern, L"%0.1lf");

    // A raw step of 0.7 becomes 1; only the raw variant keeps a decimal.
    min = 0.0, max = 7.0;
    EXPECT_DOUBLE_EQ(CGraphGrid::NiceStep(&min, &max, pattern, false, false, 11), 1.0);
    EXPECT_EQ(pattern, L"%0.0lf");
    EXPECT_DOUBLE_EQ(CGraphGrid::NiceStepRaw(&min, &max, pattern, false, false, 11), 1.0);
    EXPECT_EQ(pattern, L"%0.1lf");

    // A widened minimum that is already a whole step moves a step down.
    min = 20.0, max = 97.0;
    CGraphGrid::NiceStep(&min, &max, pattern, true, false, 9);
    EXPECT_DOUBLE_EQ(min, 10.0);
}

TEST(GraphGridSteps, InitialSteps)
{
    const struct
    {
        double range;
        double step;
        double minor;
        const wchar_t* x;
        const wchar_t* y;
    } cases[] = {
        {30.0, 5.0, 2.5, L"%0.0lf", L"%5.0lf"},
        {0.3, 0.05, 0.025, L"%0.2lf", L"%5.2lf"},
        {100.0, 10.0, 5.0, L"%0.0lf", L"%5.0lf"},
        {15.0, 2.0, 1.0, L"%0.0lf", L"%5.0lf"},
        {0.0, 0.0, 0.0, L"%0.0lf", L"%5.0lf"},
        {-4.0, -4.0, 0.0, L"%0.0lf", L"%5.0lf"},
        {1e13, 0.0, 0.0, L"%0.0lf", L"%5.0lf"},
        {1e-12, 0.0, 0.0, L"%0.0lf", L"%5.0lf"},
        {std::numeric_limits<double>::infinity(), 0.0, 0.0, L"%0.0lf", L"%5.0lf"},
        {std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0, L"%0.0lf", L"%5.0lf"},
    };
    for (const auto& c : cases)
    {
        double minor = -1.0;
        std::wstring pattern;
        EXPECT_NEAR(CGraphGrid::InitialStepX(c.range, minor, pattern), c.step, 1e-12) << c.range;
        EXPECT_NEAR(minor, c.minor, 1e-12) << c.range;
        EXPECT_EQ(pattern, c.x) << c.range;
        CGraphGrid::InitialStepY(c.range, minor, pattern);
        EXPECT_EQ(pattern, c.y) << c.range;
    }
}

TEST(GraphGridSteps, FitStepsFewerTicksUntilTheLabelsFit)
{
    CRecordingSurface dc; // labels 7 pixels a character, 13 high
    std::wstring pattern;
    double min = 0.0, max = 40.0;
    EXPECT_DOUBLE_EQ(CGraphGrid::FitStepHorizontal(&min, &max, pattern, true, true, 100, dc), 10.0);
    EXPECT_DOUBLE_EQ(max, 40.0); // 40 / 50 < 0.9: a whole step stays
    min = 0.0, max = 90.0;
    EXPECT_DOUBLE_EQ(CGraphGrid::FitStepHorizontal(&min, &max, pattern, true, true, 200, dc), 10.0);
    EXPECT_DOUBLE_EQ(max, 100.0); // 90 / 100 = 0.9 widens

    min = -15.0, max = 45.0;
    EXPECT_DOUBLE_EQ(CGraphGrid::FitStepVertical(&min, &max, pattern, true, true, 100, dc), 20.0);
    EXPECT_DOUBLE_EQ(min, -20.0);
    EXPECT_DOUBLE_EQ(max, 60.0);
}

TEST(GraphGridSteps, RangesNobodyCanStepThroughEndTheSearch)
{
    CRecordingSurface dc;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        double min, max;
    } cases[] = {{5.0, 5.0}, {10.0, 0.0}, {0.0, nan}, {0.0, inf}, {-1e300, 1e300}, {0.0, 1e-20}};
    for (const auto& c : cases)
    {
        for (int pixels : {0, 1, 100000})
        {
            double min = c.min, max = c.max;
            std::wstring pattern;
            const double h = CGraphGrid::FitStepHorizontal(&min, &max, pattern, true, true, pixels, dc);
            min = c.min, max = c.max;
            const double v = CGraphGrid::FitStepVertical(&min, &max, pattern, true, true, pixels, dc);
            EXPECT_FALSE(h < 0.0 || v < 0.0) << c.min << ".." << c.max;
        }
    }
}

SGraphGridSettings Frame(unsigned bottom, unsigned left)
{
    SGraphGridSettings s;
    s.rect = SGridRect{0, 0, 400, 300};
    s.topAxis = s.rightAxis = s.xZeroAxis = s.yZeroAxis = 0;
    s.bottomAxis = bottom;
    s.leftAxis = left;
    s.hGridLines = s.vGridLines = false;
    s.xMin = 1000.0;
    s.xMax = 5000.0;
    s.xStep = 1000.0;
    s.xMinorStep = 500.0;
    s.yMin = 0.0;
    s.yMax = 50.0;
    s.yStep = 10.0;
    s.yMinorStep = 5.0;
    return s;
}

TEST(GraphGridLayout, TheRoomOfTitlesLabelsAndTicksAndTheLabelsOverhang)
{
    CRecordingSurface dc;
    CGraphGrid chart;
    // Bottom labels only: the first and last label ("1000", "5000", 28 wide)
    // reach half their width into the left and right sides.
    chart.SetSettings(Frame(GA_LINE | GA_LABELS | GA_MAJOR_OUT, 0), dc);
    EXPECT_EQ(chart.GetPlotRect(), (SGridRect{14, 0, 400 - 14, 300 - (13 + 5)}));

    // A left axis with labels "%5.0lf" (5 characters), outward minor ticks and
    // a turned title (13 high across the axis); its top label overhangs the top.
    SGraphGridSettings s = Frame(0, GA_LINE | GA_LABELS | GA_MINOR_OUT | GA_TITLE_ROTATED);
    s.yFormat = L"%5.0lf";
    s.yTitle = L"kOhm";
    chart.SetSettings(s, dc);
    EXPECT_EQ(chart.GetPlotRect(), (SGridRect{13 + 35 + 3, 6, 400, 300 - 6}));

    // The pen's width scales the ticks.
    dc.SetPenWidth(2);
    chart.SetSettings(Frame(GA_MAJOR_OUT, 0), dc);
    EXPECT_EQ(chart.GetPlotRect().bottom, 300 - 10);
}

TEST(GraphGridLayout, ValuesMapToThePlotAndAFlatRangeToItsEdge)
{
    CRecordingSurface dc;
    CGraphGrid chart;
    SGraphGridSettings s = Frame(0, 0);
    s.xMin = 0.0;
    s.xMax = 400.0;
    chart.SetSettings(s, dc);
    EXPECT_EQ(chart.ValueToPixelY(0.0), 300);
    EXPECT_EQ(chart.ValueToPixelY(50.0), 0);
    EXPECT_EQ(chart.ValueToPixelY(25.0), 150);
    EXPECT_EQ(chart.ValueToPixelX(400.0), 400);
    s.yMax = s.yMin;
    chart.SetSettings(s, dc);
    EXPECT_EQ(chart.ValueToPixelY(10.0), 300);
}

TEST(GraphGridDraw, ZeroAxesOnlyWhereZeroLiesInTheRange)
{
    auto linesOf = [](const SGraphGridSettings& s)
    {
        CRecordingSurface dc;
        CGraphGrid chart;
        chart.SetSettings(s, dc);
        chart.Draw(dc);
        int horizontal = 0, vertical = 0;
        for (const auto& op : dc.Of(NOp::Line))
            (op.rect.top == op.rect.bottom ? horizontal : vertical)++;
        EXPECT_EQ(dc.SaveDepth(), 0);
        return std::pair{horizontal, vertical};
    };
    SGraphGridSettings s = Frame(0, 0);
    s.xZeroAxis = GA_LINE;
    s.yZeroAxis = GA_LINE;
    s.xMin = 0.0;
    EXPECT_EQ(linesOf(s), (std::pair{0, 1})); // yMin 0: no horizontal zero axis; xMin 0: the vertical one
    s.yMin = -10.0;
    s.xMin = 1.0;
    EXPECT_EQ(linesOf(s), (std::pair{1, 0}));
}

TEST(GraphGridDraw, LabelsTicksAndGridLinesAtTheMajorValues)
{
    CRecordingSurface dc;
    CGraphGrid chart;
    SGraphGridSettings s = Frame(GA_LINE | GA_LABELS | GA_MAJOR_OUT, GA_LINE | GA_LABELS);
    s.hGridLines = true;
    chart.SetSettings(s, dc);
    chart.Draw(dc);
    std::vector<std::wstring> texts = dc.Texts();
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"1000", L"2000", L"3000", L"4000", L"5000", L"0", L"10",
                                                L"20", L"30", L"40", L"50"}));
    const auto first = *dc.FindText(L"1000");
    const SGridRect plot = chart.GetPlotRect();
    EXPECT_EQ(first.rect.left, plot.left - 14); // centred under its value
    EXPECT_EQ(first.rect.top, plot.bottom + 5); // below the outward tick
    EXPECT_EQ(first.align, NGridTextAlign::Left);
    EXPECT_EQ(first.valign, NGridTextVAlign::Top);
    const auto zero = *dc.FindText(L"0");
    EXPECT_EQ(zero.align, NGridTextAlign::Right);
    EXPECT_EQ(zero.rect.left, plot.left);
    int grey = 0;
    for (const auto& op : dc.Of(NOp::Line))
        grey += op.color == GridRgb(168, 168, 168);
    EXPECT_EQ(grey, 6); // one grid line per y label
}

TEST(GraphGridDraw, StepsThatCannotBeWalkedDrawOnlyTheFrame)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        double step;
        double max;
    } cases[] = {{0.0, 50.0}, {-5.0, 50.0}, {nan, 50.0}, {1e-9, 50.0}, {10.0, 1e300}};
    for (const auto& c : cases)
    {
        CRecordingSurface dc;
        CGraphGrid chart;
        SGraphGridSettings s = Frame(GA_LINE | GA_LABELS | GA_MAJOR_OUT | GA_MINOR_IN, GA_LINE | GA_LABELS);
        s.yStep = s.yMinorStep = c.step;
        s.yMax = c.max;
        s.hGridLines = true;
        chart.SetSettings(s, dc);
        chart.Draw(dc);
        for (const auto& op : dc.Of(NOp::Text))
            EXPECT_EQ(op.text.size(), 4u) << "a y label at step " << c.step; // only the x labels
        EXPECT_LT(dc.ops.size(), 200u);
    }
}

TEST(GraphGridFormat, LabelPatterns)
{
    EXPECT_EQ(CGraphGrid::FormatValue(L"%5.0lf", 10.0), L"   10");
    EXPECT_EQ(CGraphGrid::FormatValue(L"%0.2lf", 0.05), L"0.05");
    EXPECT_EQ(CGraphGrid::FormatValue(L"%0.0lf", -0.0), L"0");
    EXPECT_EQ(CGraphGrid::FormatValue(L"%0.1lf kOhm", 2.26), L"2.3 kOhm");
}

} // namespace
} // namespace TerrionTest
