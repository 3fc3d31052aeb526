// Virtual mode: the grid stores no cells, asks its owner for each one, and
// announces the ranges it draws, auto-sizes and copies.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/grid/GridTestCells.h"

namespace
{

using SEvent = CFakeGridHost::SVirtualEvent;

/// A virtual grid of 1000 rows (one heading) and 4 columns 60 wide whose
/// owner answers "r<row>c<col>".
struct SVirtualGrid : SGridFixture
{
    SVirtualGrid()
    {
        grid.SetVirtualMode(true);
        grid.SetRowCount(1000);
        grid.SetColumnCount(4);
        grid.SetFixedRowCount(1);
        for (int col = 0; col < 4; ++col)
            grid.SetColumnWidth(col, 60);
        host.dispInfo = [](SGridDisplayInfo& info)
        { info.text = L"r" + std::to_wstring(info.row) + L"c" + std::to_wstring(info.col); };
        host.virtualEvents.clear();
    }
    std::vector<SEvent> Hints() const
    {
        std::vector<SEvent> hints;
        for (const SEvent& e : host.virtualEvents)
            if (e.code == GRIDN_CACHEHINT)
                hints.push_back(e);
        return hints;
    }
    /// Every question between the first and the last hint lies in `range`
    /// or in the heading row, and none comes before or after them.
    void ExpectBracketed(const CGridCellRange& range)
    {
        const std::vector<SEvent>& events = host.virtualEvents;
        ASSERT_GE(events.size(), 2u);
        EXPECT_EQ(events.front().code, GRIDN_CACHEHINT);
        EXPECT_EQ(events.front().range, range);
        EXPECT_EQ(events.back().code, GRIDN_CACHEHINT);
        EXPECT_EQ(events.back().range, CGridCellRange());
        for (std::size_t i = 1; i + 1 < events.size(); ++i)
        {
            EXPECT_EQ(events[i].code, GRIDN_GETDISPINFO);
            EXPECT_TRUE(events[i].row == 0 || range.InRange(events[i].row, events[i].col))
                << events[i].row << "," << events[i].col;
        }
    }
};

TEST(GridVirtual, TheGridStoresNoCellsAndHandsOutTheOwnersAnswers)
{
    SGridFixture filled;
    filled.Shape(3, 3, 1, 0, 20, 60);
    filled.grid.SetVirtualMode(true);
    EXPECT_EQ(filled.grid.GetRowCount(), 0) << "switching empties the grid";

    SVirtualGrid f;
    CGridCellBase* first = f.grid.GetCell(5, 2);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetText(), L"r5c2");
    EXPECT_EQ(f.grid.GetCell(7, 3), first) << "one cell, refilled";
    EXPECT_EQ(first->GetText(), L"r7c3");
    EXPECT_EQ(f.grid.GetItemText(9, 1), L"r9c1");
    EXPECT_EQ(f.grid.GetCell(1000, 0), nullptr);
    EXPECT_FALSE(f.grid.SetItemText(5, 2, L"stored?"));
    EXPECT_FALSE(f.grid.SetCellType<CGridCell>(5, 2));
    EXPECT_FALSE(f.grid.SortTextItems(1, true)) << "no rows to move";
}

TEST(GridVirtual, TheRecordArrivesFilledWithThePositionsDefaultsAndGoesBackIntoTheCell)
{
    SVirtualGrid f;
    f.grid.SetFocusCell(3, 2);
    std::vector<SGridDisplayInfo> asked;
    f.host.dispInfo = [&](SGridDisplayInfo& info)
    {
        asked.push_back(info);
        if (info.row == 4)
        {
            info.text = L"owner";
            info.backColor = GridRgb(1, 2, 3);
            info.format = DT_RIGHT;
            info.state |= GCS_READONLY;
        }
    };
    f.grid.GetCell(0, 1);
    f.grid.GetCell(3, 2);
    const CGridCellBase* owned = f.grid.GetCell(4, 1);
    ASSERT_EQ(asked.size(), 3u);

    const SGridDisplayInfo& heading = asked[0];
    const CGridDefaultCell* fixedRowDefault = f.grid.GetDefaultCell(true, false);
    EXPECT_EQ(heading.hdr.code, GRIDN_GETDISPINFO);
    EXPECT_EQ(heading.hdr.idFrom, 101);
    EXPECT_EQ(heading.mask, ~0u);
    EXPECT_EQ(heading.state, static_cast<unsigned>(GCS_FIXED | GCS_FIXEDROW));
    EXPECT_EQ(heading.format, fixedRowDefault->GetFormat());
    EXPECT_EQ(heading.backColor, fixedRowDefault->GetBackColor());
    EXPECT_EQ(heading.textColor, fixedRowDefault->GetTextColor());
    EXPECT_EQ(heading.font, *fixedRowDefault->GetFont());
    EXPECT_EQ(static_cast<int>(heading.margin), fixedRowDefault->GetMargin());
    EXPECT_TRUE(heading.text.empty());
    EXPECT_EQ(asked[1].state, static_cast<unsigned>(GCS_FOCUSED)) << "the focus cell";

    EXPECT_EQ(owned->GetText(), L"owner");
    EXPECT_EQ(owned->GetBackColor(), GridRgb(1, 2, 3));
    EXPECT_EQ(owned->GetFormat(), static_cast<unsigned>(DT_RIGHT));
    EXPECT_TRUE(owned->IsReadOnly());
}

TEST(GridVirtual, AnOwnerCallbackTakesThePlaceOfTheNotification)
{
    SVirtualGrid f;
    int calls = 0;
    f.grid.SetVirtualCallback(
        [&](SGridDisplayInfo& info)
        {
            ++calls;
            info.text = L"from the callback";
        });
    EXPECT_EQ(f.grid.GetItemText(2, 2), L"from the callback");
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(f.host.virtualEvents.empty());
}

TEST(GridVirtual, PaintingAnnouncesTheVisibleRangeAndClosesIt)
{
    SVirtualGrid f;
    const CGridCellRange visible = f.grid.GetVisibleNonFixedCellRange();
    f.host.virtualEvents.clear();
    CFakeGridSurface dc(f.host.HostClientRect());
    f.grid.OnDraw(dc, false);
    f.ExpectBracketed(visible);
    ASSERT_EQ(f.Hints().size(), 2u);
    bool drewOwnersText = false;
    for (const CFakeGridSurface::SOp& op : dc.ops)
        drewOwnersText = drewOwnersText || (op.op == CFakeGridSurface::NOp::Text && op.text == L"r1c0");
    EXPECT_TRUE(drewOwnersText);
}

TEST(GridVirtual, AutoSizingAnnouncesItsRowsAndClosesThem)
{
    SVirtualGrid f;
    ASSERT_TRUE(f.grid.AutoSizeColumn(2));
    f.ExpectBracketed(CGridCellRange(0, 2, 999, 2));
    EXPECT_GT(f.grid.GetColumnWidth(2), 0);
}

TEST(GridVirtual, CopyingAnnouncesTheSelectedRangeAndClosesIt)
{
    SVirtualGrid f;
    // The owner keeps the selection: rows 2 and 3, columns 1 and 2.
    f.host.dispInfo = [](SGridDisplayInfo& info)
    {
        info.text = L"r" + std::to_wstring(info.row) + L"c" + std::to_wstring(info.col);
        if (info.row >= 2 && info.row <= 3 && info.col >= 1 && info.col <= 2)
            info.state |= GCS_SELECTED;
    };
    f.grid.OnEditCopy();
    ASSERT_TRUE(f.host.clipboard.has_value());
    EXPECT_EQ(*f.host.clipboard, L"r0c1\tr0c2\t\r\nr2c1\tr2c2\r\nr3c1\tr3c2");
    const std::vector<SEvent> hints = f.Hints();
    ASSERT_EQ(hints.size(), 2u);
    EXPECT_EQ(hints[0].range, CGridCellRange(2, 1, 3, 2));
    EXPECT_EQ(hints[1].range, CGridCellRange());
}

} // namespace
