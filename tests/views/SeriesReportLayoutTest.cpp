// Where the report's blocks go by the number of readings, with block sizes
// given by a fixed measurer.
#include <gtest/gtest.h>

#include "views/SeriesReportLayout.h"
#include "views/SeriesReportMeasure.h"

namespace TerrionTest
{
namespace
{

using L = SSeriesReportLayout;

/// Blocks of fixed sizes; the readings stand in columns of 10-pixel lines
/// under a 40-pixel head, 100 pixels a column.
class CFixedMeasure : public CSeriesReportMeasure
{
public:
    explicit CFixedMeasure(int readings) : m_readings(readings) {}
    SGridSize Statistics() override { return statistics; }
    SGridSize Settings() override { return settings; }
    SGridSize Readings(int height) override
    {
        ++readingsAsked;
        const int perColumn = std::max(1, (height - 40) / 10);
        const int columns = std::max(1, (m_readings + perColumn - 1) / perColumn);
        return SGridSize{100 * columns, 40 + 10 * std::min(m_readings, perColumn)};
    }
    int ReadingsOneColumnHeight() override { return 40 + 10 * m_readings; }
    SGridSize Diagram(int width, int height) override { return SGridSize{width - 10, height}; }
    SGridSize Comment(int width) override { return SGridSize{width, comment}; }

    SGridSize statistics{200, 120};
    SGridSize settings{220, 100};
    int comment = 50;
    int readingsAsked = 0;

private:
    int m_readings;
};

TEST(SeriesReportLayout, UpTo25ReadingsEverythingSideBySide)
{
    CFixedMeasure m(25);
    const L l = L::Compute(25, 700, m); // narrower than 800 lays out at 800
    EXPECT_EQ(l.diagramWidth, 800 - 100 - 200);
    EXPECT_EQ(l.at[L::Diagram], (SGridPoint{0, 0}));
    EXPECT_EQ(l.at[L::Readings], (SGridPoint{490, 0}));
    EXPECT_EQ(l.at[L::Statistics], (SGridPoint{590, 0}));
    EXPECT_EQ(l.at[L::Settings], (SGridPoint{590, 120}));
    EXPECT_EQ(l.at[L::Comment], (SGridPoint{590, 220}));
    EXPECT_EQ(l.commentWidth, 800 - 490 - 100);
    EXPECT_EQ(l.total, 300);
    m.comment = 200;
    EXPECT_EQ(L::Compute(25, 700, m).total, 120 + 100 + 200);
}

TEST(SeriesReportLayout, From26ReadingsTheOtherBlocksGoUnderTheReadings)
{
    CFixedMeasure m(40);
    const L l = L::Compute(40, 1000, m);
    // 40 readings in columns of 26: two columns, 300 high.
    EXPECT_EQ(l.diagramWidth, 1000 - 200);
    EXPECT_EQ(l.at[L::Readings], (SGridPoint{790, 0}));
    EXPECT_EQ(l.at[L::Statistics], (SGridPoint{0, 300}));
    EXPECT_EQ(l.at[L::Settings], (SGridPoint{200, 300}));
    EXPECT_EQ(l.at[L::Comment], (SGridPoint{420, 300}));
    EXPECT_EQ(l.commentWidth, 1000 - 420);
    EXPECT_EQ(l.total, 300 + 300);
    // A comment taller than the blocks beside it is not cut off.
    m.comment = 450;
    EXPECT_EQ(L::Compute(40, 1000, m).total, 300 + 450);
}

TEST(SeriesReportLayout, Over50ReadingsTheDiagramSpansTheWidth)
{
    CFixedMeasure m(51);
    L l = L::Compute(51, 800, m);
    EXPECT_FALSE(l.stacked); // 3 columns of 17 beside statistics and settings: 720 <= 800
    EXPECT_EQ(l.readingsHeight, 210);
    EXPECT_EQ(l.diagramWidth, 800);
    EXPECT_EQ(l.at[L::Readings], (SGridPoint{0, 300}));
    EXPECT_EQ(l.at[L::Statistics], (SGridPoint{300, 300}));
    EXPECT_EQ(l.at[L::Settings], (SGridPoint{500, 300}));
    EXPECT_EQ(l.at[L::Comment], (SGridPoint{300, 420}));
    EXPECT_EQ(l.total, 300 + 120 + 300);

    // Too wide side by side: settings under the statistics, readings as tall as both.
    m.statistics = SGridSize{450, 120};
    l = L::Compute(51, 800, m);
    EXPECT_TRUE(l.stacked);
    EXPECT_EQ(l.readingsHeight, 220);
    EXPECT_EQ(l.at[L::Settings], (SGridPoint{300, 420}));
    EXPECT_EQ(l.at[L::Comment], (SGridPoint{300, 520}));
    EXPECT_EQ(l.total, 300 + 120 + 100 + 300);
}

TEST(SeriesReportLayout, TallerColumnsUntilTheReadingsFitAndNoFurther)
{
    CFixedMeasure m(60);
    m.statistics = SGridSize{700, 120};
    L l = L::Compute(60, 800, m);
    // 100 wide (one column of 60) beside 700: columns grow by 20 from 220 to 640.
    EXPECT_TRUE(l.stacked);
    EXPECT_EQ(l.readingsHeight, 640);
    EXPECT_EQ(l.at[L::Statistics].x, 100);

    // Statistics alone wider than the report: the readings stop at one column.
    m.statistics = SGridSize{900, 120};
    l = L::Compute(60, 800, m);
    EXPECT_EQ(l.readingsHeight, 640);
    EXPECT_LT(m.readingsAsked, 100);
}

} // namespace
} // namespace TerrionTest
