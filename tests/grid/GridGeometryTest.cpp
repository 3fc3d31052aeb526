// Geometry and scrolling: the top-left cell, hit tests, cell rectangles,
// scroll steps and scroll bars.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/grid/GridTestCells.h"

namespace
{

TEST(GridGeometry, HorizontalScrollingShowsWholeColumns)
{
    SGridFixture f;
    f.Shape(5, 10, 1, 0, 20, 80);
    f.grid.OnHScroll(SB_THUMBPOSITION, 50);
    EXPECT_EQ(f.grid.GetTopLeftNonFixedCell().col, 1);
    SGridRect rect;
    ASSERT_TRUE(f.grid.GetCellRect(1, 1, &rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_FALSE(f.grid.GetCellRect(1, 0, &rect));

    f.grid.OnHScroll(SB_LINERIGHT);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_HORZ), 130);
    EXPECT_EQ(f.grid.GetTopLeftNonFixedCell().col, 2);
    f.grid.OnHScroll(SB_LINELEFT);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_HORZ), 50);
}

struct STopRowCase
{
    bool wholeRows;
    int pos;
    int expectRow;
    int expectOffset;
};

TEST(GridGeometry, TopRowAndItsOffsetByScrollPosition)
{
    const STopRowCase cases[] = {
        {false, 0, 1, 0}, {false, 30, 2, -8}, {false, 22, 2, 0}, {false, 21, 1, -21},
        {true, 30, 3, 0}, {true, 22, 2, 0},   {true, 1, 2, 0},
    };
    for (const STopRowCase& c : cases)
    {
        SGridFixture f;
        f.Shape(100, 3, 1, 0, 22, 60);
        f.grid.SetWholeRowScrolling(c.wholeRows);
        f.grid.OnVScroll(SB_THUMBPOSITION, c.pos);
        EXPECT_EQ(f.grid.GetTopLeftNonFixedCell().row, c.expectRow) << c.wholeRows << " " << c.pos;
        EXPECT_EQ(f.grid.GetFirstRowOffset(), c.expectOffset) << c.wholeRows << " " << c.pos;
    }
}

TEST(GridGeometry, PartlyHiddenFirstRowIsHitAndMeasuredWhereItIs)
{
    SGridFixture f;
    f.Shape(100, 3, 1, 0, 22, 60);
    f.grid.SetWholeRowScrolling(false);
    f.grid.OnVScroll(SB_THUMBPOSITION, 30); // row 2 starts 8 pixels above the body
    EXPECT_EQ(f.grid.GetCellFromPt({10, 22 + 5}), CGridCellPos(2, 0));
    EXPECT_EQ(f.grid.GetCellFromPt({10, 22 + 14}), CGridCellPos(3, 0));
    EXPECT_EQ(f.grid.GetCellFromPt({10, 5}), CGridCellPos(0, 0));
    EXPECT_EQ(f.grid.GetCellFromPt({10, 5}, false), CGridCellPos(-1, 0));
    SGridRect rect;
    ASSERT_TRUE(f.grid.GetCellRect(2, 1, &rect));
    EXPECT_EQ(rect, (SGridRect{60, 22 - 8, 119, 22 - 8 + 21}));
    EXPECT_FALSE(f.grid.GetCellRect(1, 1, &rect));
    EXPECT_EQ(f.grid.GetPointClicked(2, 1, {70, 20}), (SGridPoint{10, 6}));
}

TEST(GridGeometry, HiddenRowsAreStepped)
{
    SGridFixture f;
    f.Shape(41, 2, 1, 0, 22, 60);
    for (int row = 2; row < 41; row += 2)
        f.grid.SetRowHeight(row, 0); // collapsed detail rows
    f.grid.SetWholeRowScrolling(false);
    EXPECT_EQ(f.grid.GetCellFromPt({5, 22 + 22 + 5}), CGridCellPos(3, 0));
    EXPECT_EQ(f.grid.GetCellFromPt({5, 22 + 20 * 22 + 1}), CGridCellPos(-1, 0));
    const CGridCellRange visible = f.grid.GetVisibleNonFixedCellRange();
    EXPECT_EQ(visible.minRow, 1);
    EXPECT_EQ(visible.maxRow, 25); // 13 series rows reach past the bottom

    f.grid.OnVScroll(SB_THUMBPOSITION, 22);
    EXPECT_EQ(f.grid.GetTopLeftNonFixedCell().row, 2); // the hidden row at the top edge
    f.grid.OnVScroll(SB_LINEDOWN);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 22 + 15); // stepped over the hidden row
    f.grid.OnVScroll(SB_THUMBPOSITION, 44);
    f.grid.OnVScroll(SB_LINEUP);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 44 - 15);
}

TEST(GridGeometry, PixelLineStepsAreCappedAt15)
{
    for (bool wholeRows : {false, true})
    {
        SGridFixture f;
        f.Shape(40, 2, 1, 0, 22, 60);
        f.grid.SetRowHeight(1, 300);
        f.grid.SetWholeRowScrolling(wholeRows);
        f.grid.OnVScroll(SB_LINEDOWN);
        EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), wholeRows ? 300 : 15);
    }
}

TEST(GridGeometry, ClickRightOfASpanHitsTheNextColumn)
{
    SGridFixture f(600, 300);
    f.Shape(4, 8, 1, 0, 20, 50);
    f.grid.MergeCells(1, 0, 5);
    EXPECT_EQ(f.grid.GetCellFromPt({6 * 50 + 10, 25}), CGridCellPos(1, 6));
    EXPECT_EQ(f.grid.GetCellFromPt({120, 25}), CGridCellPos(1, 0));
    EXPECT_EQ(f.grid.GetCellFromPt({120, 45}), CGridCellPos(2, 2));
    EXPECT_EQ(f.grid.GetCellFromPt({-1, 45}), CGridCellPos(2, -1));

    // Scrolled one column right, the span still answers with its first column.
    f.grid.SetColumnWidth(7, 400);
    f.grid.OnHScroll(SB_LINERIGHT);
    ASSERT_EQ(f.grid.GetTopLeftNonFixedCell().col, 1);
    EXPECT_EQ(f.grid.GetCellFromPt({10, 25}), CGridCellPos(1, 0));
    EXPECT_EQ(f.grid.GetCellFromPt({5 * 50 + 5, 25}), CGridCellPos(1, 6));
    SGridRect rect;
    ASSERT_TRUE(f.grid.GetCellRect(1, 3, &rect));
    EXPECT_EQ(rect.left, -50);
    EXPECT_EQ(rect.right, -50 + 300 - 1);
}

TEST(GridGeometry, BarsFollowTheContent)
{
    SGridFixture f;
    f.Shape(5, 3, 1, 0, 20, 60);
    EXPECT_FALSE(f.grid.IsScrollBarShown(SB_VERT));
    EXPECT_FALSE(f.host.barShown[SB_VERT]);
    EXPECT_EQ(f.grid.GetScrollMax(SB_VERT), 0);
    f.grid.OnVScroll(SB_LINEDOWN);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 0);

    f.grid.SetRowCount(40000);
    for (int row = 5; row < 40000; ++row)
        f.grid.SetRowHeight(row, 22);
    const int content = 4 * 20 + 39995 * 22;
    EXPECT_TRUE(f.host.barShown[SB_VERT]);
    EXPECT_FALSE(f.host.barShown[SB_HORZ]);
    EXPECT_EQ(f.host.barMax[SB_VERT], content - 1);
    EXPECT_EQ(f.host.barPage[SB_VERT], 300 - 20);

    f.grid.OnVScroll(SB_BOTTOM);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), content - 280);
    const CGridCellRange visible = f.grid.GetVisibleNonFixedCellRange();
    EXPECT_EQ(visible.maxRow, 39999);
    EXPECT_EQ(f.grid.GetCellFromPt({5, 280}),
              CGridCellPos(39999, 0)); // whole rows: the last ends above the edge

    // Narrowed until the columns no longer fit: the horizontal bar takes its height from the page.
    f.host.SetWindowSize(150, 300);
    f.grid.OnSize();
    EXPECT_TRUE(f.host.barShown[SB_HORZ]);
    EXPECT_EQ(f.host.barMax[SB_HORZ], 179);
    EXPECT_EQ(f.host.barPage[SB_HORZ], 150 - 15);
    EXPECT_EQ(f.host.barPage[SB_VERT], 300 - 20 - 15);
}

TEST(GridGeometry, PageStepsAndTheWheel)
{
    SGridFixture f;
    f.Shape(200, 3, 1, 0, 20, 60);
    f.grid.OnVScroll(SB_PAGEDOWN);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 300 - 20);
    f.grid.OnVScroll(SB_PAGEUP);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 0);

    f.host.wheelLines = kGridWheelPageScroll;
    f.grid.OnMouseWheel(-120);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 280);
    f.host.wheelLines = 3;
    f.grid.OnMouseWheel(120); // three rows up
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 280 - 60);
}

TEST(GridGeometry, EnsureVisibleBringsARowIntoView)
{
    SGridFixture f;
    f.Shape(200, 3, 1, 0, 20, 60);
    f.grid.SetWholeRowScrolling(false);
    f.grid.EnsureVisible(100, 1);
    SGridRect rect;
    ASSERT_TRUE(f.grid.GetCellRect(100, 1, &rect));
    EXPECT_EQ(rect.bottom, 300);
    EXPECT_TRUE(f.grid.IsCellVisible(100, 1));

    f.grid.EnsureVisible(50, 1);
    ASSERT_TRUE(f.grid.GetCellRect(50, 1, &rect));
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(f.grid.GetFirstRowOffset(), 0);
}

TEST(GridGeometry, ResizeGuardBelongsToEachGrid)
{
    SGridFixture a;
    SGridFixture b;
    a.Shape(100, 3, 1, 0, 20, 60);
    b.Shape(100, 3, 1, 0, 20, 60);
    b.host.SetWindowSize(400, 100);
    int showCalls = 0;
    a.host.onShowScrollBar = [&]
    {
        ++showCalls;
        b.grid.OnSize(); // another grid resized meanwhile
        a.grid.OnSize(); // and this one again, which is ignored
    };
    a.host.SetWindowSize(100, 3000); // both bars change: the window hears of each once
    a.grid.OnSize();
    EXPECT_EQ(showCalls, 2);
    EXPECT_EQ(b.host.barPage[SB_VERT], 100 - 20);
}

TEST(GridGeometry, ASingleBodyRowScrollsByPixels)
{
    SGridFixture f;
    f.Shape(2, 2, 1, 0, 20, 100);
    f.grid.SetWholeRowScrolling(false);
    f.grid.SetRowHeight(1, 1000); // the series page's one open report
    ASSERT_TRUE(f.grid.IsScrollBarShown(SB_VERT));
    SRecording rec(f.grid);

    f.grid.OnVScroll(SB_LINEDOWN);
    EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 15);
    EXPECT_EQ(f.grid.GetTopLeftNonFixedCell().row, 1);
    EXPECT_EQ(f.grid.GetFirstRowOffset(), -15);
    CFakeGridSurface dc({0, 0, 400, 300});
    f.grid.OnDraw(dc, false);
    auto body = std::find_if(rec.draws.begin(), rec.draws.end(),
                             [](const SDrawCall& c) { return c.row == 1 && c.withSurface; });
    ASSERT_NE(body, rec.draws.end());
    EXPECT_EQ(body->rect.top, 20 - 15); // moved up under the heading, which clips it

    f.grid.OnVScroll(SB_BOTTOM);
    EXPECT_EQ(f.grid.GetFirstRowOffset(), -f.grid.GetScrollPos32(SB_VERT));
    EXPECT_GT(f.grid.GetScrollPos32(SB_VERT), 15);
}

TEST(GridGeometry, ScrollInformationReachesTheWindowOnlyWhenItChanges)
{
    SGridFixture f;
    f.Shape(40, 3, 1, 0, 20, 60);
    const int vertical = f.host.scrollInfoCalls[SB_VERT];
    ASSERT_GT(vertical, 0);
    EXPECT_EQ(f.host.scrollInfoCalls[SB_HORZ], 0); // never shown

    f.grid.SetColumnWidth(1, 70); // still no horizontal bar, the vertical one as it was
    f.grid.SetRowHeight(5, 20);   // the same height again
    f.grid.ResetScrollBars();
    EXPECT_EQ(f.host.scrollInfoCalls[SB_VERT], vertical);
    EXPECT_EQ(f.host.scrollInfoCalls[SB_HORZ], 0);

    f.grid.SetRowHeight(5, 0); // a folded row: the range shrinks
    EXPECT_EQ(f.host.scrollInfoCalls[SB_VERT], vertical + 1);
    EXPECT_EQ(f.host.barMax[SB_VERT], 38 * 20 - 1);
    f.grid.OnVScroll(SB_LINEDOWN); // a new position
    EXPECT_EQ(f.host.scrollInfoCalls[SB_VERT], vertical + 2);
    EXPECT_EQ(f.host.barPos[SB_VERT], 20);

    // A new window is told everything again.
    f.grid.AttachHost(&f.host, 101);
    f.grid.ResetScrollBars();
    EXPECT_EQ(f.host.scrollInfoCalls[SB_VERT], vertical + 3);
}

} // namespace
