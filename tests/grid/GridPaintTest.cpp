// Painting through a recording surface: the order of the passes, clips,
// spans, grid lines, hidden rows, text layout and the post-paint list.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/grid/GridPrimitivesCell.h"
#include "tests/grid/GridTestCells.h"

namespace
{

using NOp = CFakeGridSurface::NOp;

TEST(GridPaint, PassesRunCornerFixedColumnsFixedRowsThenTheBodyUnderClips)
{
    SGridFixture f;
    f.Shape(3, 3, 1, 1, 20, 50);
    SRecording rec(f.grid);
    CFakeGridSurface dc({0, 0, 400, 300});
    f.grid.OnDraw(dc, false);

    std::vector<std::pair<int, int>> order;
    for (const SDrawCall& call : rec.draws)
        if (call.withSurface)
            order.emplace_back(call.row, call.col);
    const std::vector<std::pair<int, int>> expected{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2},
                                                    {1, 1}, {1, 2}, {2, 1}, {2, 2}};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(rec.draws[5].rect, (SGridRect{50, 20, 99, 39}));

    // Each body cell draws under a clip of itself within the body.
    std::vector<SGridRect> clips;
    for (const auto& op : dc.ops)
        if (op.op == NOp::SetClip)
            clips.push_back(op.rect);
    ASSERT_EQ(clips.size(), 1u + 4u + 1u); // fixed column pass, four body cells, grid lines
    EXPECT_EQ(clips[0], (SGridRect{0, 20, 50, 300}));
    EXPECT_EQ(clips[1], (SGridRect{50, 20, 99, 39}));
    EXPECT_EQ(clips[4], (SGridRect{100, 40, 149, 59}));
    EXPECT_EQ(clips[5], (SGridRect{50, 20, 400, 300}));
    EXPECT_EQ(dc.saveDepth(), 0);
}

TEST(GridPaint, AWideCellIsClippedAtTheClientEdgeAndNeverOverTheFixedRow)
{
    SGridFixture f;
    f.Shape(3, 2, 1, 0, 20, 1000);
    SRecording rec(f.grid);
    f.grid.SetWholeRowScrolling(false);
    f.grid.SetRowCount(40);
    f.grid.OnVScroll(SB_THUMBPOSITION, 5); // the first body row reaches 5 pixels under the heading
    CFakeGridSurface dc({0, 0, 400, 300});
    f.grid.OnDraw(dc, false);
    const auto clips = dc.Of(NOp::SetClip);
    ASSERT_GE(clips.size(), 2u);
    EXPECT_EQ(clips[0].rect, (SGridRect{0, 20, 385, 34})); // row 1 from y 15, clipped at the heading
    for (const auto& clip : clips)
        EXPECT_LE(clip.rect.right, 385);
}

TEST(GridPaint, ASpanScrolledHalfOutDrawsFromItsFirstCellLeftOfTheBody)
{
    SGridFixture f;
    f.Shape(3, 6, 1, 1, 20, 100);
    SRecording rec(f.grid);
    f.grid.MergeCells(1, 1, 3);
    f.grid.OnHScroll(SB_LINERIGHT);
    ASSERT_EQ(f.grid.GetTopLeftNonFixedCell().col, 2);
    CFakeGridSurface dc({0, 0, 400, 300});
    f.grid.OnDraw(dc, false);

    auto it = std::find_if(rec.draws.begin(), rec.draws.end(),
                           [](const SDrawCall& c) { return c.row == 1 && c.withSurface && c.col > 0; });
    ASSERT_NE(it, rec.draws.end());
    EXPECT_EQ(it->col, 1);
    EXPECT_EQ(it->rect, (SGridRect{100 - 100, 20, 100 - 100 + 300 - 1, 39}));
    ++it;
    EXPECT_EQ(it->col, 4); // the span's other columns are not drawn again
    EXPECT_EQ(it->rect.left, 300);

    // The span's text starts in its first cell, left of the fixed column, and is clipped.
    const auto clips = dc.Of(NOp::SetClip);
    EXPECT_EQ(clips[1].rect, (SGridRect{100, 20, 299, 39}));
}

TEST(GridPaint, GridLinesRunAlongEachCellsLastPixelAndNotInsideASpan)
{
    SGridFixture f;
    f.Shape(2, 3, 1, 0, 20, 50);
    f.grid.MergeCells(1, 0, 1);
    CFakeGridSurface dc({0, 0, 400, 300});
    f.grid.OnDraw(dc, false);
    std::vector<SGridRect> lines;
    for (const auto& op : dc.Of(NOp::Line))
        if (op.color == f.grid.GetGridLineColor())
            lines.push_back(op.rect);
    const std::vector<SGridRect> expected{
        {99, 20, 99, 40},
        {0, 39, 100, 39}, // the span: one vertical line at its right
        {149, 20, 149, 40},
        {100, 39, 150, 39}, // the last column
    };
    EXPECT_EQ(lines, expected);
}

TEST(GridPaint, FixedCellsGetARaisedEdgeAndTheirDefaultCellsColours)
{
    SGridFixture f;
    f.grid.SetColumnCount(2);
    f.grid.SetFixedRowCount(1); // white marker colours on the cells
    f.grid.SetColumnWidth(0, 50);
    f.grid.SetRowHeight(0, 20);
    f.grid.SetItemText(0, 0, L"ID");
    CFakeGridSurface dc({0, 0, 400, 300});
    f.grid.OnDraw(dc, false);
    const CGridDefaultCell* def = f.grid.GetDefaultCell(true, false);
    const auto fills = dc.Of(NOp::Fill);
    EXPECT_NE(std::find_if(fills.begin(), fills.end(),
                           [&](const auto& op) {
                               return op.rect == SGridRect{0, 0, 49, 19} && op.color == def->GetBackColor();
                           }),
              fills.end());
    const auto texts = dc.Of(NOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, L"ID");
    EXPECT_EQ(texts[0].color, def->GetTextColor());

    const auto lines = dc.Of(NOp::Line);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0].rect, (SGridRect{49, 0, 0, 0}));
    EXPECT_EQ(lines[0].color, GridRgb(255, 255, 254));
    EXPECT_EQ(lines[2].rect, (SGridRect{49, 0, 49, 19}));
    EXPECT_EQ(lines[2].color, GridRgb(64, 64, 64));
}

TEST(GridPaint, CollapsedRowsAreToldEveryPaintThatTheyLeftTheView)
{
    SGridFixture f;
    f.Shape(5, 3, 1, 0, 20, 50);
    SRecording rec(f.grid);
    f.grid.MergeCells(2, 1, 2);
    f.grid.SetRowHeight(2, 0);
    for (int paint = 0; paint < 3; ++paint)
    {
        CFakeGridSurface dc({0, 0, 400, 300});
        f.grid.OnDraw(dc, false);
    }
    std::vector<std::pair<int, int>> told;
    for (const SDrawCall& call : rec.draws)
        if (!call.withSurface)
            told.emplace_back(call.row, call.col);
    // First paint has no earlier view; then the row's cell 0 and its span once each paint.
    const std::vector<std::pair<int, int>> expected{{2, 0}, {2, 1}, {2, 0}, {2, 1}};
    EXPECT_EQ(told, expected);
}

struct SEllipsisCase
{
    int textWidth; ///< pixels of the text area
    const wchar_t* drawn;
};

TEST(GridPaint, TextGetsItsEllipsisByTheWidthOfItsArea)
{
    // The fake surface: 7 pixels a character, margin 7, so the area is the cell width - 14.
    const SEllipsisCase cases[] = {
        {43, L"abcdef"}, {42, L"abc..."}, {21, L"..."}, {20, L".."},
        {14, L".."},     {13, L"."},      {7, L"."},    {6, nullptr},
    };
    for (const SEllipsisCase& c : cases)
    {
        SGridFixture f;
        f.Shape(2, 1, 1, 0, 20, c.textWidth + 14);
        f.grid.SetItemText(1, 0, L"abcdef");
        CFakeGridSurface dc({0, 0, 400, 300});
        f.grid.OnDraw(dc, false);
        const auto texts = dc.Of(NOp::Text);
        if (!c.drawn)
            EXPECT_TRUE(texts.empty()) << c.textWidth;
        else
        {
            ASSERT_EQ(texts.size(), 1u) << c.textWidth;
            EXPECT_EQ(texts[0].text, c.drawn) << c.textWidth;
            EXPECT_EQ(texts[0].rect.left, 7);
            EXPECT_EQ(texts[0].rect.top, (20 + 40) / 2 - 13 / 2 - 1);
        }
    }
}

TEST(GridPaint, AlignmentAndSortArrow)
{
    SGridFixture f;
    f.Shape(2, 2, 1, 0, 20, 60);
    f.grid.SetItemText(1, 0, L"r");
    f.grid.SetItemFormat(1, 0, f.grid.GetItemFormat(1, 0) | DT_RIGHT);
    f.grid.SetItemText(1, 1, L"c");
    f.grid.SetItemFormat(1, 1, f.grid.GetItemFormat(1, 1) | DT_CENTER);
    f.grid.SetSortColumn(1);
    f.grid.SetSortAscending(false);
    CFakeGridSurface dc({0, 0, 400, 300});
    f.grid.OnDraw(dc, false);
    const auto texts = dc.Of(NOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].align, NGridTextAlign::Right);
    EXPECT_EQ(texts[0].rect.left, 59 - 7 + 1);
    EXPECT_EQ(texts[1].align, NGridTextAlign::Center);
    EXPECT_EQ(texts[1].rect.left, (60 + 7 + 119 - 7 + 1) / 2);
    const auto arrows = dc.Of(NOp::Polygon);
    ASSERT_EQ(arrows.size(), 1u);
    EXPECT_EQ(arrows[0].rect, (SGridRect{60 + 29 - 4, 1, 60 + 29 + 4, 5}));
    EXPECT_EQ(arrows[0].color, 0xFF0000u);
}

TEST(GridPaint, SelectedCellsInvertAndTheFocusCellIsFramed)
{
    SGridFixture f;
    f.Shape(3, 2, 1, 0, 20, 60);
    f.grid.SetItemBackColor(1, 0, GridRgb(242, 245, 253));
    f.grid.SetSelectedRange(1, 0, 1, 1);
    f.grid.SetFocusCell(1, 0);
    CFakeGridSurface dc({0, 0, 400, 300});
    f.grid.OnDraw(dc, false);
    const auto fills = dc.Of(NOp::Fill);
    EXPECT_NE(
        std::find_if(
            fills.begin(), fills.end(),
            [](const auto& op) {
                return op.rect == SGridRect{0, 20, 59, 39} && op.color == GridInvert(GridRgb(242, 245, 253));
            }),
        fills.end());
    const auto frames = dc.Of(NOp::Frame);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, (SGridRect{0, 20, 59, 39}));
    EXPECT_EQ(frames[0].color, GridInvert(0));
}

TEST(GridPaint, PostPaintRunsOnceInOrderAndNeverReachesADeletedCell)
{
    SGridFixture f;
    f.Shape(4, 2, 1, 0, 20, 60);
    SRecording rec(f.grid);
    SRecording::At(f.grid, 2, 1)->RequestPostPaint();
    SRecording::At(f.grid, 1, 0)->RequestPostPaint();
    SRecording::At(f.grid, 3, 0)->RequestPostPaint();
    f.grid.SetRowCount(3); // row 3 goes
    CFakeGridSurface dc({0, 0, 400, 300});
    f.grid.OnDraw(dc, false);
    EXPECT_EQ(rec.postPaints, (std::vector<int>{201, 100}));

    // A cell that empties the grid from its post-paint: the next entry is dropped, not called.
    rec.postPaints.clear();
    CRecordingCell* first = SRecording::At(f.grid, 1, 0);
    first->onPostPaint = [&] { f.grid.DeleteAllItems(); };
    first->RequestPostPaint();
    SRecording::At(f.grid, 1, 1)->RequestPostPaint();
    CFakeGridSurface again({0, 0, 400, 300});
    f.grid.OnDraw(again, false);
    EXPECT_EQ(rec.postPaints, (std::vector<int>{100}));
    EXPECT_EQ(f.grid.GetRowCount(), 0);
}

TEST(GridPaint, ARequestMadeDuringThePassIsDropped)
{
    SGridFixture f;
    f.Shape(3, 2, 1, 0, 20, 60);
    SRecording rec(f.grid);
    CRecordingCell* cell = SRecording::At(f.grid, 1, 0);
    cell->onPostPaint = [cell] { cell->RequestPostPaint(); };
    cell->RequestPostPaint();
    for (int paint = 0; paint < 2; ++paint)
    {
        CFakeGridSurface dc({0, 0, 400, 300});
        f.grid.OnDraw(dc, false);
    }
    EXPECT_EQ(rec.postPaints, (std::vector<int>{100}));
}

TEST(GridPaint, WholeGridRenderingDrawsEveryRowAndLeavesTheScreenRecordAlone)
{
    SGridFixture f;
    f.Shape(40, 2, 1, 0, 20, 60);
    SRecording rec(f.grid);
    f.grid.SetRowHeight(5, 0);
    const SGridSize size = f.grid.GetWholeGridSize();
    EXPECT_EQ(size, (SGridSize{120, 39 * 20}));
    CFakeGridSurface dc({0, 0, size.cx, size.cy});
    f.grid.OnDraw(dc, true);
    int drawn = 0;
    for (const SDrawCall& call : rec.draws)
        drawn += call.withSurface ? 1 : 0;
    EXPECT_EQ(drawn, 39 * 2);
    EXPECT_TRUE(
        std::none_of(rec.draws.begin(), rec.draws.end(), [](const SDrawCall& c) { return !c.withSurface; }));
    EXPECT_EQ(rec.draws.back().rect, (SGridRect{60, 39 * 20 - 20, 119, 39 * 20 - 1}));
}

TEST(GridPaint, NothingIsDrawnWhileDrawingIsOff)
{
    SGridFixture f;
    f.Shape(3, 2, 1, 0, 20, 60);
    f.grid.SetRedraw(false);
    CFakeGridSurface dc({0, 0, 400, 300});
    f.grid.OnDraw(dc, false);
    EXPECT_TRUE(dc.ops.empty());
    f.host.invalidations = 0;
    f.grid.SetRedraw(true, true);
    EXPECT_GT(f.host.invalidations, 0);
}

TEST(GridPaint, ACellDrawsFromItsOwnCornerAndNothingOfItLeavesTheGridsClip)
{
    SGridFixture f(700, 120);
    CPrimitivesCell::PlaceIn(f.grid);
    ASSERT_TRUE(f.grid.IsScrollBarShown(SB_VERT));
    f.grid.OnVScroll(SB_THUMBPOSITION, 32); // the report's top 10 pixels lie under the heading
    SGridRect cell;
    ASSERT_TRUE(f.grid.GetCellRect(2, 1, &cell));
    ASSERT_EQ(cell.top, 20 - 10);

    CRecordingGridSurface dc({0, 0, 700, 120});
    dc.KeepPixels(GridRgb(255, 255, 255));
    f.grid.OnDraw(dc, false);
    // Moving the origin to its corner, the cell lands where it is.
    const SGridPoint g = CPrimitivesCell::kGradientCorner;
    EXPECT_EQ(dc.Pixel(cell.left + g.x, cell.top + g.y), GridRgb(255, 0, 0));
    EXPECT_EQ(dc.Pixel(cell.left + 4, 25), CPrimitivesCell::kBack);
    // Its attempts to paint above or beside itself show nowhere, the heading least of all.
    int escaped = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 700; ++x)
            escaped += dc.Pixel(x, y) == CPrimitivesCell::kEscape ? 1 : 0;
    EXPECT_EQ(escaped, 0);
    const TGridColor heading = f.grid.GetDefaultCell(true, false)->GetBackColor();
    EXPECT_EQ(dc.Pixel(cell.left + 100, 5), heading);
    EXPECT_EQ(dc.saveDepth(), 0);
}

} // namespace
