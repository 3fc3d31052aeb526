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
    // Statistics, settings and comment share a column as wide as the wider settings.
    EXPECT_EQ(l.diagramWidth, 800 - 100 - 220);
    EXPECT_EQ(l.at[L::Diagram], (SGridPoint{0, 0}));
    EXPECT_EQ(l.at[L::Readings], (SGridPoint{470, 0}));
    EXPECT_EQ(l.at[L::Statistics], (SGridPoint{570, 0}));
    EXPECT_EQ(l.at[L::Settings], (SGridPoint{570, 120}));
    EXPECT_EQ(l.at[L::Comment], (SGridPoint{570, 220}));
    EXPECT_EQ(l.commentWidth, 800 - 470 - 100);
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

/// Blocks measured as the report's texts are in the default font, every
/// text `scale` times as large: the diagram needs room for its title.
class CScaledMeasure : public CSeriesReportMeasure
{
public:
    CScaledMeasure(int readings, double scale) : m_readings(readings), m_scale(scale) {}
    int S(int value) const { return static_cast<int>(value * m_scale); }
    SGridSize Statistics() override { return {S(235), S(150)}; }
    SGridSize Settings() override { return {S(300), S(120)}; }
    SGridSize Readings(int height) override
    {
        const int head = S(45);
        const int perColumn = std::max(1, (height - head) / S(17));
        const int columns = std::max(1, (m_readings + perColumn - 1) / perColumn);
        return {S(90) + (columns - 1) * S(160), head + S(17) * std::min(m_readings, perColumn)};
    }
    int ReadingsOneColumnHeight() override { return S(45) + S(17) * m_readings; }
    SGridSize Diagram(int width, int height) override
    {
        return {std::max(S(400), std::min(width, 20 + 30 * m_readings)), height};
    }
    SGridSize Comment(int width) override { return {width, S(60)}; }

private:
    int m_readings;
    double m_scale;
};

TEST(SeriesReportLayout, AtLargerTextNoBlockPassesTheNextOrTheEdge)
{
    // The desktop's text at 150 percent, on a screen (800 and more) and on
    // paper (narrower), for each arrangement.
    for (const double scale : {1.0, 1.5})
        for (const int readings : {3, 25, 30, 50, 80, 300})
            for (const int width : {600, 800, 930, 1200})
            {
                SCOPED_TRACE(::testing::Message() << scale << "x, " << readings << " readings, " << width);
                CScaledMeasure m(readings, scale);
                const L l = L::Compute(readings, width, m, 0);
                SGridRect boxes[L::BlockCount];
                for (int b = 0; b < L::BlockCount; ++b)
                {
                    boxes[b] =
                        SGridRect{l.at[b].x, l.at[b].y, l.at[b].x + l.size[b].cx, l.at[b].y + l.size[b].cy};
                    EXPECT_LE(boxes[b].right, width) << "block " << b;
                    EXPECT_GE(boxes[b].left, 0) << "block " << b;
                    EXPECT_LE(boxes[b].bottom, l.total) << "block " << b;
                }
                for (int a = 0; a < L::BlockCount; ++a)
                    for (int b = a + 1; b < L::BlockCount; ++b)
                        EXPECT_TRUE(boxes[a].Intersect(boxes[b]).IsEmpty()) << "blocks " << a << " and " << b;
            }
}

TEST(SeriesReportLayout, ABlockTooWideBesideTheOthersMovesBeneathThem)
{
    CScaledMeasure m(3, 1.5);
    // Side by side the diagram's title would not fit: the diagram keeps the
    // readings beside it and the other blocks go beneath.
    L l = L::Compute(3, 900, m, 0);
    EXPECT_EQ(l.at[L::Readings].y, 0);
    EXPECT_GE(l.at[L::Statistics].y, l.size[L::Readings].cy);
    EXPECT_GE(l.at[L::Readings].x, l.size[L::Diagram].cx);
    // On a wide screen everything stands side by side as before.
    l = L::Compute(3, 1400, m);
    EXPECT_EQ(l.at[L::Statistics].y, 0);
    EXPECT_EQ(l.at[L::Settings].x, l.at[L::Statistics].x);
}

} // namespace
} // namespace TerrionTest
