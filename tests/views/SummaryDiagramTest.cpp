// The summary diagram on a recording surface whose text is 7 pixels a
// character and two pixels taller than its font: the bars for no, one and
// many series, the three orders, shortened labels, and means that could
// divide by zero.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/SummaryData.h"
#include "tests/views/DesktopSurface.h"
#include "tests/views/RecordingSurface.h"
#include "views/ColorScheme.h"
#include "views/SummaryDiagram.h"

namespace TerrionTest
{
namespace
{

/// Text as high as its font plus two pixels (13 for the default size).
class CSizedSurface : public CRecordingSurface
{
public:
    using CRecordingSurface::CRecordingSurface;
    SGridSize GetTextExtent(std::wstring_view text) override
    {
        ++measured;
        const int height = GetFont().height > 0 ? GetFont().height + 2 : kLineHeight;
        return SGridSize{static_cast<int>(text.size()) * kCharWidth, height};
    }
};

std::vector<SSummaryBar> Bars(int n)
{
    std::vector<SSummaryBar> bars;
    for (int i = 0; i < n; ++i)
        bars.push_back(
            SSummaryBar{static_cast<std::uint16_t>(100 + i), L"S" + std::to_wstring(i), 10.0 + (i % 7), i});
    return bars;
}

SSummaryDiagramInput Input(std::vector<SSummaryBar> bars, int order = SummaryOrderObjectId)
{
    SSummaryDiagramInput in;
    in.count = static_cast<int>(bars.size());
    double sum = 0.0;
    in.largest = 0.0;
    for (const SSummaryBar& bar : bars)
    {
        sum += bar.mean;
        in.largest = std::max(in.largest, bar.mean);
    }
    in.mean = bars.empty() ? 0.0 : sum / static_cast<double>(bars.size());
    in.bars = std::move(bars);
    in.order = order;
    in.unit = L"kOhmcm";
    return in;
}

class SummaryDiagram : public ::testing::Test
{
protected:
    SSummaryDiagramLayout Layout(const SSummaryDiagramInput& in, int width = 800)
    {
        CSummaryDiagram diagram(dc, fonts, 10);
        return diagram.Layout(in, 10, 0, width, 440);
    }
    /// Every bar stands on the plot's bottom, inside the plot, none upside down.
    static void ExpectSound(const SSummaryDiagramLayout& l)
    {
        for (const SSummaryDiagramBar& bar : l.bars)
        {
            EXPECT_EQ(bar.rect.bottom, l.plot.bottom);
            EXPECT_LE(bar.rect.top, bar.rect.bottom);
            EXPECT_GE(bar.rect.top, l.plot.top);
            EXPECT_EQ(bar.rect.right - bar.rect.left, l.barWidth);
        }
        EXPECT_GE(l.chart.yMax, 1.0);
        EXPECT_EQ(l.chart.yMin, 0.0);
    }

    CSizedSurface dc;
    SSummaryFonts fonts = SSummaryFonts::From(SGridFont{L"", 11});
};

TEST_F(SummaryDiagram, BarWidthsAndGapsShrinkWithTheNumberOfSeries)
{
    struct SCase
    {
        int n;
        int avail;
        int width;
        int gap;
        int widest = CSummaryDiagram::kWidestBar;
    };
    const SCase cases[] = {
        {0, 750, 24, 2},
        {1, 750, 24, 2},
        {28, 750, 24, 2},
        {29, 750, 23, 1},
        {60, 750, 11, 1},
        {200, 750, 2, 0},
        {1000, 750, 1, 0},
        {5, -100, 1, 0}, // nothing fits: the narrowest bar all the same
        // A larger font's widest bar keeps its gap of 2; narrower ones have 1.
        {3, 750, 32, 2, 32},
        {30, 750, 23, 1, 32},
        {1000, 750, 1, 0, 32},
    };
    for (const SCase& c : cases)
    {
        int width = 0, gap = 0;
        CSummaryDiagram::FitBars(c.n, c.avail, &width, &gap, c.widest);
        const long long run = static_cast<long long>(c.n) * c.width + (c.n + 2) * c.gap;
        if (c.width > 1)
        {
            EXPECT_LE(run, c.avail) << c.n;
        }
        EXPECT_EQ(width, c.width) << c.n;
        EXPECT_EQ(gap, c.gap) << c.n;
    }
}

TEST_F(SummaryDiagram, TheWidestBarGrowsWithTheTextSoLabelsStay)
{
    EXPECT_EQ(CSummaryDiagram::WidestBar(13), 24);
    EXPECT_EQ(CSummaryDiagram::WidestBar(19), 24);
    EXPECT_EQ(CSummaryDiagram::WidestBar(26), 32); // 1.3 lines are 33 pixels: a bar and its gap take 34
}

TEST_F(SummaryDiagram, BarLabelsStayWithTheDesktopTextAtOneAndAHalfTimes)
{
    const std::vector<SSummaryBar> bars{{1, L"Deck", 21.0, 0},
                                        {2, L"Pier A", 52.0, 1},
                                        {23, L"", 12.0, 2},
                                        {4, L"Column 3", 41.0, 3},
                                        {5, L"A name longer than the label band holds", 30.0, 4}};
    for (const int messageHeight : {13, 20}) // the desktop's text at 100 % and 150 %
    {
        SCOPED_TRACE(messageHeight);
        CDesktopSurface desktop;
        const SSummaryFonts scaled = SSummaryFonts::From(SGridFont{L"", messageHeight});
        CSummaryDiagram diagram(desktop, scaled, 10);
        const SSummaryDiagramLayout l = diagram.Layout(Input(bars), 10, 0, 800, 440);
        ExpectSound(l);
        EXPECT_TRUE(l.values);
        ASSERT_TRUE(l.labels);
        SGridFont valueFont = scaled.vertical;
        valueFont.height = l.valueFontHeight;
        desktop.SetFont(valueFont);
        const int thickness = desktop.GetTextExtent(L"A").cy;
        ASSERT_EQ(l.bars.size(), bars.size());
        for (std::size_t i = 0; i < l.bars.size(); ++i)
        {
            const SSummaryDiagramBar& bar = l.bars[i];
            const int length = desktop.GetTextExtent(bar.label).cx;
            // Under the axis, within the band and the diagram's height.
            EXPECT_LE(length, l.labelBand) << i;
            EXPECT_LE(bar.labelAt.y + length, 440) << i;
            EXPECT_GT(bar.labelAt.y, l.plot.bottom) << i;
            // Side by side, never over the next bar's label or value.
            if (i + 1 < l.bars.size())
            {
                EXPECT_LE(bar.labelAt.x + thickness, l.bars[i + 1].labelAt.x) << i;
                EXPECT_LE(bar.valueAt.x + thickness, l.bars[i + 1].valueAt.x) << i;
            }
        }
        desktop.ops.clear();
        diagram.Draw(l, 0);
        for (const SSummaryDiagramBar& bar : l.bars)
            EXPECT_NE(desktop.FindText(bar.label), nullptr) << bar.label;
    }
}

TEST_F(SummaryDiagram, OneSeriesHasAWideBarAndNoOrderLabel)
{
    std::vector<SSummaryBar> bars{{17, L"Pier A", 14.5, 3}};
    const SSummaryDiagramLayout l = Layout(Input(bars));
    ExpectSound(l);
    EXPECT_TRUE(l.orderLabel.text.empty());
    EXPECT_EQ(l.heading.text, L"Diagram of series ");
    EXPECT_EQ(l.heading.at, (SGridPoint{20, 10}));
    ASSERT_EQ(l.bars.size(), 1u);
    EXPECT_EQ(l.barWidth, 24);
    EXPECT_EQ(l.gap, 2);
    EXPECT_EQ(l.barRun, 30);
    const SSummaryDiagramBar& bar = l.bars[0];
    EXPECT_EQ(bar.rect.left, l.plot.left + 2 + 4);
    EXPECT_LT(bar.rect.top, bar.rect.bottom);
    EXPECT_EQ(bar.index, 3);
    EXPECT_EQ(bar.value, L"14.5");
    EXPECT_EQ(bar.label, L"Pier A");
    // The axis runs from 0 to at least 1.1 x the mean; the plot starts
    // under the heading and the unit's line.
    EXPECT_GE(l.chart.yMax, 1.1 * 14.5);
    EXPECT_EQ(l.chart.rect.top, 10 + 15 + 13 + 10);
    EXPECT_EQ(l.labelBand, 6 * 7);
    EXPECT_EQ(l.chart.rect.bottom, 440 - 10 - l.labelBand);
    EXPECT_TRUE(l.values);
    EXPECT_TRUE(l.labels);
    EXPECT_EQ(l.valueFontHeight, 10); // the first try (one pixel smaller) fits 28 pixels
    // The value reads upward from 3 pixels above the bar, centred on it;
    // the label ends 3 pixels under the axis.
    EXPECT_EQ(bar.valueAt, (SGridPoint{(bar.rect.left + bar.rect.right) / 2 - 6, bar.rect.top - 3}));
    EXPECT_EQ(bar.labelAt, (SGridPoint{(bar.rect.left + bar.rect.right) / 2 - 6, l.plot.bottom + 3}));
    // The context menu's area takes the bar and its value above it.
    EXPECT_EQ(bar.menuArea,
              (SGridRect{bar.rect.left, bar.rect.top - 4 * 7, bar.rect.right, bar.rect.bottom}));
    EXPECT_EQ(l.size.cx, std::max(20 + 18 * 7, 20 + l.axisRoom + 30 + 4)); // the heading or the bars
    EXPECT_EQ(l.size.cy, 440);
}

TEST_F(SummaryDiagram, NoSeriesLaysOutWithoutBars)
{
    const SSummaryDiagramLayout l = Layout(Input({}));
    ExpectSound(l);
    EXPECT_TRUE(l.bars.empty());
    EXPECT_TRUE(l.orderLabel.text.empty());
    EXPECT_EQ(l.barRun, 4);
    EXPECT_EQ(l.size.cx, std::max(20 + 18 * 7, 20 + l.axisRoom + 4 + 4));
}

TEST_F(SummaryDiagram, ManySeriesGetOnePixelBarsWithoutValuesOrLabels)
{
    const SSummaryDiagramLayout l = Layout(Input(Bars(1000)));
    ExpectSound(l);
    ASSERT_EQ(l.bars.size(), 1000u);
    EXPECT_EQ(l.barWidth, 1);
    EXPECT_EQ(l.gap, 0);
    for (std::size_t i = 1; i < l.bars.size(); ++i)
        ASSERT_EQ(l.bars[i].rect.left, l.bars[i - 1].rect.left + 1);
    // The value font would be under 5 pixels and the bars narrower than 1.3 lines.
    EXPECT_LT(l.valueFontHeight, 5);
    EXPECT_FALSE(l.values);
    EXPECT_FALSE(l.labels);
    // The diagram grows past the page to hold its bars.
    EXPECT_EQ(l.size.cx, 20 + l.axisRoom + 1000 + 4);
    EXPECT_EQ(l.orderLabel.text, L"[ordered by object ID]");
    EXPECT_EQ(l.orderLabel.area, CSummaryDiagram::kOrderArea);
}

TEST_F(SummaryDiagram, TheThreeOrdersSortTheBars)
{
    const std::vector<SSummaryBar> bars{{5, L"Beta", 20.0, 0},
                                        {3, L"", 30.0, 1},
                                        {9, L"Alpha", 10.0, 2},
                                        {1, L"", 15.0, 3},
                                        {4, L"Beta", 25.0, 4}};
    struct SCase
    {
        int order;
        std::vector<int> indices;
        const wchar_t* label;
    };
    const SCase cases[] = {
        {SummaryOrderObjectId, {3, 1, 4, 0, 2}, L"[ordered by object ID]"},
        {SummaryOrderValue, {2, 3, 0, 4, 1}, L"[ordered by value]"},
        // Unnamed series by object ID first; equal names keep their order.
        {SummaryOrderName, {3, 1, 2, 0, 4}, L"[ordered by name]"},
        {7, {0, 1, 2, 3, 4}, L""},
    };
    for (const SCase& c : cases)
    {
        std::vector<SSummaryBar> sorted = bars;
        CSummaryDiagram::SortBars(sorted, c.order);
        const SSummaryDiagramLayout l = Layout(Input(sorted, c.order));
        std::vector<int> indices;
        for (const SSummaryDiagramBar& bar : l.bars)
            indices.push_back(bar.index);
        EXPECT_EQ(indices, c.indices) << c.order;
        EXPECT_EQ(l.orderLabel.text, c.label) << c.order;
        if (c.order == SummaryOrderValue)
        {
            for (std::size_t i = 1; i < l.bars.size(); ++i)
                EXPECT_LE(l.bars[i].rect.top, l.bars[i - 1].rect.top); // higher to the right
        }
    }
    // Unnamed series are labelled with their object ID.
    EXPECT_EQ(CSummaryDiagram::Label(bars[1]), L"3");
}

TEST_F(SummaryDiagram, EqualZeroAndNegativeMeansDrawWithoutDividingByZero)
{
    const std::vector<std::vector<double>> cases{
        {12.0, 12.0, 12.0}, {0.0}, {0.0, 0.0}, {-5.0, 3.0}, {-2.0}, {0.04}, {1e300, 2.0},
    };
    for (const auto& means : cases)
    {
        std::vector<SSummaryBar> bars;
        for (std::size_t i = 0; i < means.size(); ++i)
            bars.push_back(SSummaryBar{static_cast<std::uint16_t>(i), L"", means[i], static_cast<int>(i)});
        const SSummaryDiagramLayout l = Layout(Input(bars));
        ExpectSound(l);
        EXPECT_TRUE(std::isfinite(l.chart.yMax));
        for (std::size_t i = 0; i < means.size(); ++i)
        {
            if (means[i] <= 0.0)
            {
                EXPECT_EQ(l.bars[i].rect.top, l.bars[i].rect.bottom) << means[i];
            }
        }
        if (means.size() == 3)
        {
            EXPECT_EQ(l.bars[0].rect.top, l.bars[2].rect.top);
        }
    }
    // All means 0: the axis runs from 0 to 1 (and on to its next step).
    const SSummaryDiagramLayout zero = Layout(Input({{1, L"", 0.0, 0}, {2, L"", 0.0, 1}}));
    EXPECT_LT(zero.chart.yMax, 1.5);
}

TEST_F(SummaryDiagram, LongNamesAreShortenedWithAnEllipsis)
{
    const std::wstring name(40, L'x');
    const SSummaryDiagramLayout l = Layout(Input({{1, name, 5.0, 0}, {2, L"short", 6.0, 1}}));
    ASSERT_EQ(l.bars.size(), 2u);
    // 17 characters and "..." are 140 pixels.
    EXPECT_EQ(l.bars[0].label, std::wstring(17, L'x') + L"...");
    EXPECT_EQ(l.bars[1].label, L"short");
    EXPECT_EQ(l.labelBand, 140);

    CSummaryDiagram diagram(dc, fonts, 10);
    EXPECT_EQ(diagram.FitTextWithEllipsis(std::wstring(20, L'y'), 140), std::wstring(20, L'y'));
    EXPECT_EQ(diagram.FitTextWithEllipsis(std::wstring(21, L'y'), 140), std::wstring(17, L'y') + L"...");
    EXPECT_EQ(diagram.FitTextWithEllipsis(L"abcdef", 14), L"...");
}

TEST_F(SummaryDiagram, TheValueFontSearchEndsWhateverTheFont)
{
    // A surface whose text never gets smaller than 13 pixels and a huge
    // font: the search runs down to nothing and no value is written.
    CRecordingSurface flat;
    const SSummaryFonts huge = SSummaryFonts::From(SGridFont{L"", 100000});
    CSummaryDiagram diagram(flat, huge, 10);
    const SSummaryDiagramLayout l = diagram.Layout(Input(Bars(1000)), 10, 0, 800, 440);
    EXPECT_EQ(l.valueFontHeight, 0);
    EXPECT_FALSE(l.values);
    EXPECT_FALSE(l.labels);
}

TEST_F(SummaryDiagram, DrawsTheBarsTheLayoutHolds)
{
    SSummaryDiagramInput in = Input(Bars(12));
    in.hovered = true;
    CSummaryDiagram diagram(dc, fonts, 10);
    const SSummaryDiagramLayout l = diagram.Layout(in, 10, 0, 800, 440);
    diagram.Draw(l, GridRgb(0, 0, 0));
    int bars = 0;
    for (const auto& op : dc.Of(CRecordingSurface::NOp::Fill))
        if (op.color == theColorScheme.BarColor)
            ++bars;
    EXPECT_EQ(bars, 12);
    const auto* label = dc.FindText(L"[ordered by object ID]");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->color, theColorScheme.LinkColor);
    EXPECT_TRUE(label->font.underline); // hovered
    EXPECT_EQ(label->font.weight, 800);
    // Values and labels read upward; the axis' labels do not.
    int upward = 0;
    for (const auto& op : dc.Of(CRecordingSurface::NOp::Text))
        if (op.font.escapement == 900)
            ++upward;
    EXPECT_EQ(upward, 2 * 12);
    const auto* name = dc.FindText(L"S11");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->font.escapement, 900);
    EXPECT_EQ(name->align, NGridTextAlign::Right);
    EXPECT_NE(dc.FindText(L"kOhmcm"), nullptr);
    EXPECT_EQ(dc.SaveDepth(), 0);

    // Bars outside the clip box are passed over.
    CSizedSurface clipped(false, SGridRect{0, 0, l.bars[3].rect.left - 20, 1000});
    CSummaryDiagram(clipped, fonts, 10).Draw(l, 0);
    EXPECT_LT(clipped.Of(CRecordingSurface::NOp::Fill).size(), 12u);
}

} // namespace
} // namespace TerrionTest
