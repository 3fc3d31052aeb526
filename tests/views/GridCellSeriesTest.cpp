// The series report cell in a grid shaped like the series page: its height,
// its blocks and their layout, the comment, the diagram's bars and tips, the
// clickable texts and the row's opening and closing.
#include <algorithm>
#include <limits>
#include <memory>
#include <numeric>
#include <vector>

#include <gtest/gtest.h>

#include "tests/grid/GridTestCells.h"
#include "tests/views/RecordingSurface.h"
#include "tests/views/ViewsDocument.h"
#include "views/ColorScheme.h"
#include "views/GridCellSeries.h"
#include "views/SeriesCellUi.h"
#include "views/SeriesDiagram.h"
#include "views/SeriesReportBlocks.h"

namespace TerrionTest
{
namespace
{

using NOp = CRecordingSurface::NOp;
constexpr int kUnit = 7; // the recording surface's character width

/// The series page's rows on a fake 1400 x 1200 window: per series a 22-pixel
/// series row and a collapsed detail row whose columns 1-5 (200 pixels each)
/// are one report cell bound to the document.
struct SSeriesGrid : SGridFixture
{
    explicit SSeriesGrid(const std::vector<SReportSeries>& series, int columnWidth = 200)
        : SGridFixture(1400, 1200)
    {
        FillDocument(doc, series);
        const int n = static_cast<int>(series.size());
        grid.SetRowCount(2 * n + 1);
        grid.SetColumnCount(6);
        grid.SetFixedRowCount(1);
        grid.SetListMode(true);
        for (int r = 0; r < 2 * n + 1; ++r)
            grid.SetRowHeight(r, r > 0 && r % 2 == 0 ? 0 : 22);
        grid.SetColumnWidth(0, 100);
        for (int c = 1; c < 6; ++c)
            grid.SetColumnWidth(c, columnWidth);
        for (int i = 0; i < n; ++i)
        {
            const int d = 2 * i + 2;
            for (int c = 1; c < 6; ++c)
                grid.SetCellType<CGridCellSeries>(d, c);
            grid.MergeCells(d, 1, 5);
            Report(i)->SetSeries(&doc, i);
            Report(i)->SetBackColor(theColorScheme.RowBottomColor);
        }
    }
    CGridCellSeries* Report(int i) { return dynamic_cast<CGridCellSeries*>(grid.GetCell(2 * i + 2, 1)); }
    /// One paint of the window.
    CRecordingSurface Paint()
    {
        CRecordingSurface dc;
        grid.OnDraw(dc, false);
        return dc;
    }
    /// The report of series i drawn by itself in a cell `width` wide and 400 high.
    CRecordingSurface Draw(int i, int width = 1000, bool printing = false)
    {
        CRecordingSurface dc(printing);
        Report(i)->Draw(&dc, 2 * i + 2, 1, SGridRect{100, 44, 100 + width - 1, 443}, false, printing);
        return dc;
    }

    CTerrionDoc doc;
};

class CFakeCellUi : public CSeriesCellUi
{
public:
    void CommentClicked(int series) override { clicked.push_back(series); }
    void ScheduleAnimation(CGridCellSeries& cell) override
    {
        ++scheduled;
        last = &cell;
    }
    std::vector<int> clicked;
    int scheduled = 0;
    CGridCellSeries* last = nullptr;
};

TEST(GridCellSeries, TheRowHeightFor0_1And250Readings)
{
    SSeriesGrid g({SeriesOf(0), SeriesOf(1), SeriesOf(250)});
    CRecordingSurface dc;
    // Up to 25 readings the 300-pixel diagram is the tallest block: 300 x 1.07.
    EXPECT_EQ(g.Report(0)->MeasureRowHeight(dc, 1000), 321);
    EXPECT_EQ(g.Report(1)->MeasureRowHeight(dc, 1000), 321);
    // 250 readings stand in columns under the diagram, as tall as six
    // columns beside the statistics need: 43 lines, 594 pixels, + 300.
    EXPECT_EQ(g.Report(2)->MeasureRowHeight(dc, 1000), static_cast<int>((300 + 594) * 1.07));
    // Wider, eight columns of 32 fit, shorter than statistics and settings (500).
    EXPECT_EQ(g.Report(2)->MeasureRowHeight(dc, 1200), static_cast<int>((300 + 500) * 1.07));
    // The measure and the draw agree.
    g.Draw(2);
    EXPECT_EQ(g.Report(2)->GetTargetHeight(), static_cast<int>((300 + 594) * 1.07));
}

TEST(GridCellSeries, ASeriesWithoutReadingsShowsNoneOfItsFigures)
{
    SSeriesGrid g({SeriesOf(0)});
    const CRecordingSurface dc = g.Draw(0);
    const std::vector<std::wstring> texts = dc.Texts();
    auto count = [&](const std::wstring& text) { return std::count(texts.begin(), texts.end(), text); };
    EXPECT_EQ(count(L"= 0"), 1);
    EXPECT_EQ(count(L"= -- k\u2126cm"), 4);
    EXPECT_EQ(count(L"[measurement order]"), 0);
    EXPECT_TRUE(dc.Of(NOp::Rectangle).empty());
    EXPECT_FALSE(dc.Of(NOp::Line).empty()); // the value axis is still there
    EXPECT_EQ(dc.SaveDepth(), 0);
}

TEST(GridCellSeries, TheBlocksGoSideBySideUnderOrBesideByTheNumberOfReadings)
{
    SSeriesGrid g({SeriesOf(25), SeriesOf(26), SeriesOf(51)});
    auto statistics = [&](int i) { return g.Draw(i).FindText(L"Statistics")->rect; };
    EXPECT_EQ(statistics(0).top, 10);
    EXPECT_GT(statistics(0).left, 500);
    // 26 readings: two columns of 20 lines (295 pixels); the rest beneath
    // them and the 300-pixel diagram.
    EXPECT_EQ(statistics(1), (SGridRect{10, 300 + 10, 10, 300 + 10}));
    EXPECT_EQ(statistics(2).top, 300 + 10);
    // A cell narrower than 800 pixels is laid out 800 wide.
    EXPECT_EQ(g.Draw(0, 500).FindText(L"Comment")->rect, g.Draw(0, 800).FindText(L"Comment")->rect);
}

TEST(GridCellSeries, CommentTokens)
{
    const struct
    {
        const wchar_t* text;
        std::vector<std::wstring> tokens;
    } cases[] = {
        {L"Two words.", {L"Two", L" ", L"words", L"."}},
        {L"a\r\nb", {L"a", L"\n", L"b"}},
        {L"\r\r", {}},
        {L"x..y", {L"x", L".", L".", L"y"}},
    };
    for (const auto& c : cases)
    {
        const std::wstring text = c.text;
        std::vector<std::wstring> tokens;
        std::size_t pos = 0;
        for (std::wstring t = CSeriesReportBlocks::NextCommentWord(text, pos); !t.empty();
             t = CSeriesReportBlocks::NextCommentWord(text, pos))
            tokens.push_back(t);
        EXPECT_EQ(tokens, c.tokens) << std::string(text.begin(), text.end());
    }
}

TEST(GridCellSeries, TheCommentWrapsSplitsLongWordsAndIsOneClickableTarget)
{
    const std::wstring word(150, L'x');
    SSeriesGrid g({SeriesOf(3, L"  \r\n "), SeriesOf(3, L"one\r\ntwo " + word)});
    CRecordingSurface dc = g.Draw(0);
    const auto* add = dc.FindText(L"[Add]");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->color, theColorScheme.LinkColor);
    int area = 0;
    EXPECT_TRUE(g.Report(0)->GetAreas().HitTest({add->rect.left + 1, add->rect.top + 1}, &area));
    EXPECT_EQ(area, SeriesAreaComment);

    dc = g.Draw(1);
    const auto* one = dc.FindText(L"one");
    const auto* two = dc.FindText(L"two");
    ASSERT_NE(one, nullptr);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->rect.top, one->rect.top + 13);
    std::wstring pieces;
    int lines = 0;
    for (const auto& op : dc.Of(NOp::Text))
        if (!op.text.empty() && op.text.find_first_not_of(L'x') == std::wstring::npos)
        {
            pieces += op.text;
            ++lines;
            EXPECT_GE(op.rect.left, one->rect.left);
        }
    EXPECT_EQ(pieces, word); // every character, over several lines
    EXPECT_GT(lines, 1);
}

TEST(GridCellSeries, ACommentLineNarrowerThanACharacterStillTakesEveryCharacter)
{
    SSeriesGrid g({SeriesOf(1, L"ab cd")});
    CRecordingSurface dc;
    const SSeriesReportFonts fonts = SSeriesReportFonts::From(SGridFont{});
    CSeriesReportBlocks blocks(g.doc, 0, dc, fonts, 10);
    for (int width : {0, 20, 25})
    {
        const SReportBlock block = blocks.Comment(0, 0, width, false);
        std::wstring drawn;
        for (const SReportText& text : block.texts)
            if (text.area == SeriesAreaComment)
                drawn += text.text;
        EXPECT_EQ(drawn, L"ab cd") << width;
        EXPECT_GE(block.size.cy, 3 * 13) << width; // a line for each character at least
    }
}

TEST(GridCellSeries, ReadingsNoChartCanScaleStillGiveABarEach)
{
    SReportSeries series = SeriesOf(0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    series.object.readings = {
        {nan, 0, 100}, {std::numeric_limits<double>::infinity(), 0, 100}, {1e308, 0, 90}};
    SSeriesGrid g({series});
    const CRecordingSurface dc = g.Draw(0);
    EXPECT_EQ(dc.Of(NOp::Rectangle).size(), 3u);
    CRecordingSurface measure;
    EXPECT_GT(g.Report(0)->MeasureRowHeight(measure, 1000), 0);
}

TEST(GridCellSeries, TheOrderLabelNeedsTwoReadingsAndUnderlinesWhileHovered)
{
    SSeriesGrid g({SeriesOf(1), SeriesOf(2)});
    EXPECT_EQ(g.Draw(0).FindText(L"[measurement order]"), nullptr);
    const CRecordingSurface dc = g.Draw(1);
    const auto* label = dc.FindText(L"[measurement order]");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->color, theColorScheme.LinkColor);
    EXPECT_EQ(label->rect.left, 10 + 28 * kUnit); // after "Specific Resistance diagram "
    EXPECT_FALSE(label->font.underline);

    // The pointer over the label (client coordinates) makes the hand and underlines it.
    CGridCellSeries* cell = g.Report(1);
    cell->Expand(true);
    g.Paint();
    SGridRect rect;
    ASSERT_TRUE(g.grid.GetCellRect(4, 1, &rect));
    const int invalidations = g.host.invalidations;
    g.host.cursorPos = SGridPoint{rect.left + label->rect.left + 3, rect.top + label->rect.top + 3};
    cell->OnSetCursor();
    EXPECT_EQ(g.host.cursor, NGridCursor::Hand);
    EXPECT_EQ(cell->GetHoverArea(), SeriesAreaOrder);
    EXPECT_GT(g.host.invalidations, invalidations);
    const CRecordingSurface again = g.Draw(1);
    const auto* hovered = again.FindText(L"[measurement order]");
    ASSERT_NE(hovered, nullptr);
    EXPECT_TRUE(hovered->font.underline);
    EXPECT_EQ(hovered->font.weight, 800);
    g.host.cursorPos = SGridPoint{rect.left + 2, rect.top + 2};
    cell->OnSetCursor();
    EXPECT_EQ(g.host.cursor, NGridCursor::Arrow);
    EXPECT_EQ(cell->GetHoverArea(), SeriesAreaNone);
}

TEST(GridCellSeries, ClicksSwitchTheOrderAndEditTheComment)
{
    SSeriesGrid g({SeriesOf(4)});
    CFakeCellUi ui;
    CGridCellSeries* cell = g.Report(0);
    cell->SetUi(&ui);
    CRecordingSurface dc = g.Draw(0);
    EXPECT_EQ(g.doc.GetDiagramOrder(0), DiagramOrderUnset); // drawing writes nothing
    const auto* label = dc.FindText(L"[measurement order]");
    ASSERT_NE(label, nullptr);
    cell->OnClick({label->rect.left + 2, label->rect.top + 2});
    EXPECT_EQ(g.doc.GetDiagramOrder(0), DiagramOrderValue);
    dc = g.Draw(0);
    label = dc.FindText(L"[ordered by value]");
    ASSERT_NE(label, nullptr);
    cell->OnClick({label->rect.left + 2, label->rect.top + 2});
    EXPECT_EQ(g.doc.GetDiagramOrder(0), DiagramOrderMeasurement);

    // The comment is the page's to edit: the cell names its series.
    const auto* comment = dc.FindText(L"first");
    ASSERT_NE(comment, nullptr);
    cell->OnClick({comment->rect.left + 1, comment->rect.top + 1});
    EXPECT_EQ(ui.clicked, std::vector<int>{0});
    EXPECT_EQ(g.doc.GetComment(0), L"first");
    EXPECT_EQ(cell->GetHoverArea(), SeriesAreaNone);
    // Between the texts nothing happens.
    cell->OnClick({5, 200});
    EXPECT_EQ(ui.clicked, std::vector<int>{0});
}

TEST(SeriesDiagram, BarWidthGapAndNumberSpacing)
{
    const struct
    {
        int n, avail, width, gap;
    } bars[] = {
        {0, 500, 24, 2},  {5, 500, 24, 2},  {18, 500, 24, 2},  {20, 500, 23, 1},
        {30, 500, 15, 1}, {250, 950, 2, 1}, {1000, 950, 0, 1}, // even 0-pixel bars do not fit: outlines
    };
    for (const auto& c : bars)
    {
        int width = -1, gap = -1;
        CSeriesDiagram::FitBars(c.n, c.avail, &width, &gap);
        EXPECT_EQ(width, c.width) << c.n;
        EXPECT_EQ(gap, c.gap) << c.n;
    }
    EXPECT_EQ(CSeriesDiagram::LabelSpacing(7, 24, 2), 0);
    EXPECT_EQ(CSeriesDiagram::LabelSpacing(21, 2, 1), 9);
    EXPECT_EQ(CSeriesDiagram::LabelSpacing(14, 0, 1), 18);
}

TEST(SeriesDiagram, OneBarPerReadingWithItsColourValueAndTip)
{
    SReportSeries series = SeriesOf(0);
    series.object.readings = {{30.0, 0, 100}, {0.0, 0, 0}, {20.0, 0, 120}, {12.5, 0, 90}};
    SSeriesGrid g({series});
    const CRecordingSurface dc = g.Draw(0);
    const auto bars = dc.Of(NOp::Rectangle);
    ASSERT_EQ(bars.size(), 4u);
    for (std::size_t i = 1; i < bars.size(); ++i)
        EXPECT_EQ(bars[i].rect.left - bars[i - 1].rect.left, 24 + 2);
    EXPECT_EQ(bars[0].color2, theColorScheme.BarDarkColor);
    EXPECT_EQ(bars[1].color2, theColorScheme.BarColor); // the reading of 0 (invalid)
    EXPECT_EQ(bars[1].rect.top, bars[1].rect.bottom);
    EXPECT_LT(bars[0].rect.top, bars[2].rect.top); // 30 stands taller than 20
    // The value written upward over every bar.
    const auto* value = dc.FindText(L"30.0");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->font.escapement, 900);
    EXPECT_EQ(value->valign, NGridTextVAlign::Baseline);
    EXPECT_EQ(value->rect.top, bars[0].rect.top - 3);
    // A tip per bar, relative to the cell.
    std::wstring title, text;
    SGridRect tip;
    const SGridRect& third = bars[2].rect;
    ASSERT_TRUE(g.Report(0)->HitTestHotSpot({third.left + 3, third.bottom - 2}, &tip, &title, &text));
    EXPECT_EQ(tip, third);
    EXPECT_EQ(title, L"Measurement number 3");
    EXPECT_EQ(text, L"20.0 k\u2126cm\n120 \u00B5A");
}

TEST(SeriesDiagram, TheGridShowsATipOverEachBar)
{
    SReportSeries series = SeriesOf(0);
    series.object.readings = {{30.0, 0, 100}, {20.0, 0, 120}};
    SSeriesGrid g({series});
    g.Report(0)->Expand(true);
    const CRecordingSurface dc = g.Paint();
    const auto bars = dc.Of(NOp::Rectangle);
    ASSERT_EQ(bars.size(), 2u);
    SGridRect cell;
    ASSERT_TRUE(g.grid.GetCellRect(2, 1, &cell));
    const SGridRect& bar = bars[1].rect; // relative to the cell
    g.grid.OnMouseMove({cell.left + bar.left + 2, cell.top + bar.bottom - 2});
    ASSERT_EQ(g.host.tips.size(), 1u);
    EXPECT_EQ(g.host.tips[0].title, L"Measurement number 2");
    EXPECT_EQ(g.host.tips[0].text, L"20.0 k\u2126cm\n120 \u00B5A");
    EXPECT_EQ(g.host.tips[0].rect.left, cell.left + bar.left);
    g.grid.OnMouseMove({cell.left + 2, cell.top + 2});
    EXPECT_FALSE(g.host.tipTool);
}

TEST(SeriesDiagram, ByValueTheLowestComesFirstUnderItsMeasurementNumber)
{
    SReportSeries series = SeriesOf(0);
    series.object.readings = {{30.0, 0, 100}, {10.0, 0, 110}, {20.0, 0, 120}};
    SSeriesGrid g({series});
    g.doc.SetDiagramOrder(0, DiagramOrderValue);
    const CRecordingSurface dc = g.Draw(0);
    std::vector<std::wstring> values;
    std::vector<std::wstring> numbers;
    for (const auto& op : dc.Of(NOp::Text))
    {
        if (op.font.escapement == 900)
            values.push_back(op.text);
        else if (op.align == NGridTextAlign::Center)
            numbers.push_back(op.text);
    }
    EXPECT_EQ(values, (std::vector<std::wstring>{L"10.0", L"20.0", L"30.0"}));
    EXPECT_EQ(numbers, (std::vector<std::wstring>{L"2", L"3", L"1"}));
}

TEST(GridCellSeries, TheRowOpensAndClosesAStepPerPaint)
{
    SSeriesGrid g({SeriesOf(3)});
    CGridCellSeries* cell = g.Report(0);
    cell->Expand(false);
    std::vector<int> heights;
    for (int i = 0; i < 40; ++i)
    {
        g.Paint();
        heights.push_back(g.grid.GetRowHeight(2));
    }
    std::vector<int> expected{2};
    for (int h = 17; h < 321; h += 15)
        expected.push_back(h);
    expected.resize(40, 321);
    EXPECT_EQ(heights, expected);
    EXPECT_TRUE(cell->IsExpanded());
    EXPECT_FALSE(g.grid.IsInPostPaint(cell)); // at rest

    // Content that grows while open: 3 pixels a paint.
    g.doc.SetComment(0, L"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n18\n19\n20");
    heights.clear();
    for (int i = 0; i < 3; ++i)
    {
        g.Paint();
        heights.push_back(g.grid.GetRowHeight(2));
    }
    EXPECT_EQ(heights, (std::vector<int>{324, 327, 330}));

    cell->Collapse(false);
    heights.clear();
    while (g.grid.GetRowHeight(2) > 0 && heights.size() < 100)
    {
        g.Paint();
        heights.push_back(g.grid.GetRowHeight(2));
    }
    ASSERT_GE(heights.size(), 2u);
    EXPECT_EQ(heights[0], 315);
    EXPECT_EQ(heights[1], 300);
    EXPECT_EQ(heights.back(), 0);
    EXPECT_EQ(heights.size(), 22u); // 330 - 21 x 15 = 15, then 0
    EXPECT_FALSE(cell->IsExpanded());
}

TEST(GridCellSeries, WithAUiTheStepsWaitForItsFrameClock)
{
    SSeriesGrid g({SeriesOf(3)});
    CFakeCellUi ui;
    CGridCellSeries* cell = g.Report(0);
    cell->SetUi(&ui);
    cell->Expand(false);
    g.Paint();
    EXPECT_EQ(ui.scheduled, 1);
    EXPECT_EQ(ui.last, cell);
    EXPECT_EQ(g.grid.GetRowHeight(2), 0); // nothing moved yet
    EXPECT_TRUE(cell->AdvanceAnimation());
    EXPECT_EQ(g.grid.GetRowHeight(2), 2);
    g.Paint();
    EXPECT_EQ(ui.scheduled, 2);
    cell->AdvanceAnimation();
    EXPECT_EQ(g.grid.GetRowHeight(2), 17);
}

TEST(GridCellSeries, AnImmediateExpandMeasuresAtTheWidthTheReportHas)
{
    SSeriesGrid g({SeriesOf(250)}, 240); // the report is 1200 pixels wide
    CGridCellSeries* cell = g.Report(0);
    cell->Expand(true);
    CRecordingSurface dc;
    EXPECT_EQ(g.grid.GetRowHeight(2), cell->MeasureRowHeight(dc, 1200));
    EXPECT_NE(g.grid.GetRowHeight(2), cell->MeasureRowHeight(dc, 1000));
    EXPECT_TRUE(cell->IsExpanded());
    EXPECT_FALSE(cell->IsExpanding());
    cell->Collapse(true);
    EXPECT_EQ(g.grid.GetRowHeight(2), 0);
    EXPECT_FALSE(cell->IsExpanded());
}

TEST(GridCellSeries, PrintingDrawsNoBackgroundAndNeverMovesTheRow)
{
    SSeriesGrid g({SeriesOf(3)});
    CGridCellSeries* cell = g.Report(0);
    cell->Expand(false);
    g.Paint(); // the row is at 2 and wants to grow
    const CRecordingSurface printed = g.Draw(0, 1000, true);
    for (const auto& op : printed.Of(NOp::Fill))
        EXPECT_NE(op.color, theColorScheme.RowBottomColor);
    EXPECT_FALSE(g.grid.IsInPostPaint(cell));
    EXPECT_NE(printed.FindText(L"Statistics"), nullptr);
    const CRecordingSurface shown = g.Draw(0);
    EXPECT_EQ(shown.Of(NOp::Fill).front().color, theColorScheme.RowBottomColor);
    EXPECT_TRUE(g.grid.IsInPostPaint(cell));
}

/// Text half as large again as the recording surface's (the desktop's text at 150 percent).
class CLargeTextSurface : public CRecordingSurface
{
public:
    explicit CLargeTextSurface(bool printing) : CRecordingSurface(printing) {}
    SGridSize GetTextExtent(std::wstring_view text) override
    {
        const SGridSize plain = CRecordingSurface::GetTextExtent(text);
        return SGridSize{plain.cx * 3 / 2, plain.cy * 3 / 2};
    }
    SGridFontMetrics GetFontMetrics() override
    {
        const SGridFontMetrics plain = CRecordingSurface::GetFontMetrics();
        return SGridFontMetrics{plain.height * 3 / 2, plain.ascent * 3 / 2, plain.descent * 3 / 2,
                                plain.aveCharWidth * 3 / 2};
    }
};

TEST(SeriesDiagram, TheBarsLeaveTheValueAxisTheRoomItsLabelsNeed)
{
    // At larger text the axis' labels need more than the fixed room: the
    // bars narrow, and the diagram stays within the width it is given.
    SSeriesGrid g({SeriesOf(30)});
    for (const bool large : {false, true})
        for (const int width : {562, 650, 800})
        {
            std::unique_ptr<CRecordingSurface> dc =
                large ? std::make_unique<CLargeTextSurface>(false) : std::make_unique<CRecordingSurface>();
            const SSeriesReportFonts fonts = SSeriesReportFonts::From(SGridFont{});
            CSeriesDiagram diagram(g.doc, 0, *dc, fonts, CGridCellSeries::kMargin);
            const SSeriesDiagramLayout layout = diagram.Layout(0, 0, width, 300, false, false);
            EXPECT_LE(layout.size.cx, width) << width << (large ? " large" : "");
            EXPECT_GT(layout.barWidth, 0) << width << (large ? " large" : "");
        }
}

TEST(GridCellSeries, AtLargerTextNoTextPassesItsColumnOrTheReportsEdge)
{
    SSeriesGrid g({SeriesOf(3, L"A comment long enough to wrap over more than one line of its block."),
                   SeriesOf(30), SeriesOf(80)});
    for (const bool printing : {false, true})
        for (int i = 0; i < 3; ++i)
            for (const int width : {800, 900, 1100})
            {
                SCOPED_TRACE(::testing::Message()
                             << "series " << i << ", " << width << (printing ? ", printed" : ""));
                CLargeTextSurface dc(printing);
                g.Report(i)->Draw(&dc, 2 * i + 2, 1, SGridRect{0, 0, width, 2000}, false, printing);
                // The level texts of the blocks (the bars' turned values aside), as boxes.
                std::vector<std::pair<SGridRect, std::wstring>> boxes;
                for (const auto& op : dc.Of(NOp::Text))
                {
                    if (op.font.escapement != 0 || op.text == CTerrionDoc::GetResistivityUnit())
                        continue;
                    const int w = dc.GetTextExtent(op.text).cx;
                    const int left = op.align == NGridTextAlign::Right    ? op.rect.left - w
                                     : op.align == NGridTextAlign::Center ? op.rect.left - w / 2
                                                                          : op.rect.left;
                    boxes.push_back({SGridRect{left, op.rect.top, left + w, op.rect.top + 19}, op.text});
                }
                ASSERT_FALSE(boxes.empty());
                for (std::size_t a = 0; a < boxes.size(); ++a)
                {
                    EXPECT_LE(boxes[a].first.right, width) << boxes[a].second;
                    for (std::size_t b = a + 1; b < boxes.size(); ++b)
                        EXPECT_TRUE(boxes[a].first.Intersect(boxes[b].first).IsEmpty())
                            << boxes[a].second << " / " << boxes[b].second;
                }
            }
}

TEST(GridCellSeries, ASeriesThatIsGoneDrawsOnlyTheBackground)
{
    SSeriesGrid g({SeriesOf(3)});
    g.doc.RemoveSeries(0);
    const CRecordingSurface dc = g.Draw(0);
    EXPECT_TRUE(dc.Of(NOp::Text).empty());
    EXPECT_EQ(dc.Of(NOp::Fill).size(), 1u);
    g.Report(0)->OnClick({20, 20});
    CRecordingSurface none;
    EXPECT_TRUE(g.Report(0)->Draw(nullptr, 2, 1, {}, false, false));
    EXPECT_TRUE(g.Report(0)->Draw(&none, 2, 1, SGridRect{0, 10, 100, 10}, false, false));
    EXPECT_TRUE(none.ops.empty());
}

TEST(GridCellSeries, TheSeriesRowAboveTellsWhetherItIsSelected)
{
    SSeriesGrid g({SeriesOf(3), SeriesOf(3)});
    g.grid.SelectRows(3, 1, false, true, false);
    EXPECT_FALSE(g.Report(0)->IsSeriesRowSelected());
    EXPECT_TRUE(g.Report(1)->IsSeriesRowSelected());
}

} // namespace
} // namespace TerrionTest
