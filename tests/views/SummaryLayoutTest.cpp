// Where the summary page's blocks go, with block sizes given by a fixed
// measurer: side by side, taller columns when values and statistics do not
// fit, and a search for the column height that always ends.
#include <gtest/gtest.h>

#include "views/SummaryLayout.h"
#include "views/SummaryMeasure.h"

namespace TerrionTest
{
namespace
{

using Layout = SSummaryLayout;

/// Blocks of fixed sizes; the values stand in columns of 10-pixel lines
/// under a 40-pixel head, 100 pixels a column.
class CFixedSummaryMeasure : public CSummaryMeasure
{
public:
    explicit CFixedSummaryMeasure(int values) : m_values(values) {}
    SGridSize Title() override { return SGridSize{200, 30}; }
    SGridSize Statistics() override { return statistics; }
    SGridSize Values(int height) override
    {
        heights.push_back(height);
        const int perColumn = std::max(1, (height - 40) / 10);
        const int columns = std::max(1, (m_values + perColumn - 1) / perColumn);
        return SGridSize{100 * columns, 40 + 10 * std::min(m_values, perColumn)};
    }
    int ValuesOneColumnHeight() override { return 40 + 10 * m_values; }
    SGridSize Diagram(int width, int height) override
    {
        diagramWidth = width;
        return SGridSize{diagram, height};
    }
    SGridSize Comment(int width) override
    {
        commentWidth = width;
        return SGridSize{width, comment};
    }

    SGridSize statistics{250, 120};
    int diagram = 300;
    int comment = 50;
    std::vector<int> heights;
    int diagramWidth = 0;
    int commentWidth = 0;

private:
    int m_values;
};

TEST(SummaryLayout, ValuesStatisticsAndCommentGoUnderTheDiagram)
{
    CFixedSummaryMeasure m(10); // one column of 190: 100 wide, 140 high
    const Layout l = Layout::Compute(1200, 10, 0, m);
    EXPECT_EQ(l.contentWidth, 1140);
    EXPECT_EQ(m.diagramWidth, 1140);
    EXPECT_EQ(m.heights, (std::vector<int>{190}));
    EXPECT_EQ(l.columnHeight, 190);
    const int y0 = 20 + 42; // 1.4 x the title's 30 pixels
    EXPECT_EQ(l.at[Layout::Title], (SGridPoint{20, 20}));
    EXPECT_EQ(l.at[Layout::Diagram], (SGridPoint{10, y0}));
    EXPECT_EQ(l.at[Layout::Values], (SGridPoint{10, y0 + 440}));
    EXPECT_EQ(l.at[Layout::Statistics], (SGridPoint{110, y0 + 440}));
    EXPECT_EQ(l.at[Layout::Comment], (SGridPoint{110, y0 + 440 + 120}));
    EXPECT_EQ(l.commentWidth, 1140 - 100);
    EXPECT_EQ(m.commentWidth, 1140 - 100);
    // The scrolled size is 1.1 x (800, the lower blocks + 440), but never
    // short of the lowest block and its margin.
    EXPECT_EQ(l.extent, (SGridSize{880, y0 + 440 + 170 + 10}));
    m.comment = 400;
    EXPECT_EQ(Layout::Compute(1200, 10, 0, m).extent.cy, static_cast<int>((120 + 400 + 440) * 1.1));
}

TEST(SummaryLayout, ANarrowWindowIsLaidOut800Wide)
{
    CFixedSummaryMeasure m(10);
    EXPECT_EQ(Layout::Compute(500, 10, 0, m).contentWidth, 800);
    EXPECT_EQ(m.diagramWidth, 800);
    EXPECT_EQ(Layout::ContentWidth(859), 800);
    EXPECT_EQ(Layout::ContentWidth(861), 801);
    // A diagram wider than the page widens the scrolled size.
    m.diagram = 1500;
    EXPECT_EQ(Layout::Compute(500, 10, 0, m).extent.cx, 1650);
}

TEST(SummaryLayout, ValuesThatDoNotFitBesideTheStatisticsGetTallerColumns)
{
    // 100 values in columns of 190 (15 a column): 7 columns, 700 + 650 > 800.
    CFixedSummaryMeasure m(100);
    m.statistics = SGridSize{650, 120};
    const Layout l = Layout::Compute(500, 100, 0, m);
    // 24 x 100 = 2400 holds them in one column at once.
    EXPECT_EQ(m.heights, (std::vector<int>{190, 2400}));
    EXPECT_EQ(l.columnHeight, 2400);
    EXPECT_EQ(l.size[Layout::Values], (SGridSize{100, 1040}));

    // A remembered height comes first, and grows by 20 until they fit: in
    // one column of 1040 pixels beside the statistics.
    CFixedSummaryMeasure r(100);
    r.statistics = SGridSize{650, 120};
    const Layout remembered = Layout::Compute(500, 100, 400, r);
    EXPECT_EQ(r.heights.front(), 190);
    EXPECT_EQ(r.heights[1], 400);
    EXPECT_EQ(r.heights[2], 420);
    EXPECT_EQ(remembered.columnHeight, 1040);
    EXPECT_EQ(r.heights.back(), 1040);
    EXPECT_EQ(remembered.size[Layout::Values].cx, 100);
}

TEST(SummaryLayout, TheColumnSearchEndsWhenNothingCanMakeThemFit)
{
    // Statistics wider than the whole page: no column height makes room.
    CFixedSummaryMeasure m(300);
    m.statistics = SGridSize{900, 120};
    const Layout l = Layout::Compute(500, 3, 200, m);
    EXPECT_EQ(l.columnHeight, 40 + 10 * 300);
    EXPECT_LT(m.heights.size(), 200u);
    // The page still reaches down to its lowest block.
    EXPECT_GE(l.extent.cy, l.at[Layout::Values].y + l.size[Layout::Values].cy);
}

} // namespace
} // namespace TerrionTest
