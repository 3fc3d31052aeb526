// The grid's model: structure operations, cells, merges and auto-sizing.
#include <gtest/gtest.h>

#include "tests/grid/GridTestCells.h"

namespace
{

TEST(GridModel, RowCountZeroDestroysEveryCellAndClearsFixedRowsAndFocus)
{
    SGridFixture f;
    f.Shape(5, 3, 1, 0, 20, 50);
    f.grid.SetFocusCell(2, 1);
    ASSERT_EQ(f.grid.GetFocusCell(), CGridCellPos(2, 1));

    EXPECT_TRUE(f.grid.SetRowCount(0));
    EXPECT_EQ(f.grid.GetRowCount(), 0);
    EXPECT_EQ(f.grid.GetFixedRowCount(), 0);
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(-1, -1));
    EXPECT_EQ(f.grid.GetCell(0, 0), nullptr);
    EXPECT_EQ(f.grid.GetVirtualHeight(), 0);
}

struct SCountCase
{
    const char* name;
    int rows, cols, fixedRows, fixedCols;
    std::function<bool(CGridCore&)> op;
    int expectRows, expectCols, expectFixedRows, expectFixedCols;
};

TEST(GridModel, CountOperationsKeepFixedCountsWithinTheTotals)
{
    const SCountCase cases[] = {
        {"fixed rows grow the rows", 1, 2, 0, 0, [](CGridCore& g) { return g.SetFixedRowCount(3); }, 3, 2, 3,
         0},
        {"fixed columns grow the columns", 2, 2, 0, 0, [](CGridCore& g) { return g.SetFixedColumnCount(4); },
         2, 4, 0, 4},
        {"fewer rows lower the fixed rows", 5, 2, 3, 0, [](CGridCore& g) { return g.SetRowCount(2); }, 2, 2,
         2, 0},
        {"fewer columns lower the fixed columns", 2, 5, 0, 3,
         [](CGridCore& g) { return g.SetColumnCount(1); }, 2, 1, 0, 1},
        {"negative count refused", 2, 2, 0, 0, [](CGridCore& g) { return !g.SetRowCount(-1); }, 2, 2, 0, 0},
        {"delete all", 4, 4, 1, 1, [](CGridCore& g) { return (g.DeleteAllItems(), true); }, 0, 0, 0, 0},
    };
    for (const SCountCase& c : cases)
    {
        SGridFixture f;
        f.Shape(c.rows, c.cols, c.fixedRows, c.fixedCols, 20, 40);
        EXPECT_TRUE(c.op(f.grid)) << c.name;
        EXPECT_EQ(f.grid.GetRowCount(), c.expectRows) << c.name;
        EXPECT_EQ(f.grid.GetColumnCount(), c.expectCols) << c.name;
        EXPECT_EQ(f.grid.GetFixedRowCount(), c.expectFixedRows) << c.name;
        EXPECT_EQ(f.grid.GetFixedColumnCount(), c.expectFixedCols) << c.name;
        for (int r = 0; r < c.expectRows; ++r)
            for (int col = 0; col < c.expectCols; ++col)
            {
                const CGridCellBase* cell = f.grid.GetCell(r, col);
                ASSERT_NE(cell, nullptr) << c.name;
                EXPECT_EQ(cell->IsFixedRow(), r < c.expectFixedRows) << c.name << " " << r << "," << col;
                EXPECT_EQ(cell->IsFixedCol(), col < c.expectFixedCols) << c.name << " " << r << "," << col;
            }
    }
}

TEST(GridModel, FixedRowOnEmptyGridMarksItsCellsWhiteAndFixed)
{
    SGridFixture f;
    f.grid.SetColumnCount(3);
    EXPECT_TRUE(f.grid.SetFixedRowCount(1));
    ASSERT_EQ(f.grid.GetRowCount(), 1);
    for (int col = 0; col < 3; ++col)
    {
        const CGridCellBase* cell = f.grid.GetCell(0, col);
        EXPECT_EQ(cell->GetState() & (GCS_FIXED | GCS_FIXEDROW), GCS_FIXED | GCS_FIXEDROW);
        EXPECT_EQ(cell->GetTextColor(), kGridWhite);
        EXPECT_EQ(cell->GetBackColor(), kGridWhite);
    }
}

TEST(GridModel, CellsLeavingTheFixedAreaGetTheNormalColours)
{
    SGridFixture f;
    f.Shape(3, 3, 1, 1, 20, 40);
    f.grid.SetFixedRowCount(0);
    const CGridDefaultCell* normal = f.grid.GetDefaultCell(false, false);
    const CGridCellBase* left = f.grid.GetCell(0, 1);
    EXPECT_FALSE(left->IsFixed());
    EXPECT_EQ(left->GetTextColor(), normal->GetTextColor());
    EXPECT_EQ(left->GetBackColor(), normal->GetBackColor());
    EXPECT_NE(left->GetTextColor(), left->GetBackColor());
    // In the fixed column the cell stays fixed and keeps drawing with its default cell.
    EXPECT_TRUE(f.grid.GetCell(0, 0)->IsFixedCol());
    EXPECT_FALSE(f.grid.GetCell(0, 0)->IsFixedRow());
}

TEST(GridModel, NewColumnsTakeTheFixedColumnWidthAndNewRowsTheNormalHeight)
{
    SGridFixture f;
    f.grid.GetDefaultCell(false, true)->SetWidth(55);
    f.grid.GetDefaultCell(false, false)->SetHeight(23);
    f.grid.SetColumnCount(2);
    f.grid.SetRowCount(2);
    EXPECT_EQ(f.grid.GetColumnWidth(1), 55);
    EXPECT_EQ(f.grid.GetRowHeight(1), 23);
}

TEST(GridModel, DefaultCellsMeasureTheirFontOrFallBack)
{
    SGridFixture f; // the fake surface: 7 pixels a character, 13 a line
    const CGridDefaultCell* normal = f.grid.GetDefaultCell(false, false);
    EXPECT_EQ(normal->GetMargin(), 7);
    EXPECT_EQ(normal->GetWidth(), 14 * 7);
    EXPECT_EQ(normal->GetHeight(), 13 * 3 / 2);
    EXPECT_TRUE(normal->GetState() & GCS_READONLY);

    f.host.canMeasure = false;
    CGridDefaultCell* fixed = f.grid.GetDefaultCell(true, false);
    const SGridFont font{L"Serif", 20};
    fixed->SetFont(&font);
    EXPECT_EQ(fixed->GetMargin(), 3);
    EXPECT_EQ(fixed->GetWidth(), 40);
    EXPECT_EQ(fixed->GetHeight(), 16);
}

TEST(GridModel, SetCellTypeCopiesTheOldCellOrRefusesAForeignClass)
{
    SGridFixture f;
    f.Shape(3, 3, 1, 0, 20, 40);
    f.grid.SetItemText(1, 1, L"name");
    f.grid.SetItemState(1, 1, GCS_READONLY);
    CGridCellBase* before = f.grid.GetCell(1, 1);

    EXPECT_FALSE(f.grid.SetCellType<std::wstring>(1, 1));
    EXPECT_EQ(f.grid.GetCell(1, 1), before);
    EXPECT_FALSE(f.grid.SetCellType<CRecordingCell>(7, 1));

    int deaths = 0;
    CRecordingCell::deaths = &deaths;
    EXPECT_TRUE(f.grid.SetCellType<CRecordingCell>(1, 1));
    auto* cell = dynamic_cast<CRecordingCell*>(f.grid.GetCell(1, 1));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->GetText(), L"name");
    EXPECT_TRUE(cell->IsReadOnly());
    EXPECT_EQ(cell->GetGrid(), &f.grid);
    EXPECT_EQ(cell->GetRow(), 1);
    EXPECT_EQ(cell->GetColumn(), 1);
    // The unset format arrives as the default cell's, as an explicit value.
    EXPECT_EQ(cell->GetFormat(), f.grid.GetDefaultCell(false, false)->GetFormat());
    f.grid.SetRowCount(0);
    EXPECT_EQ(deaths, 1);
    CRecordingCell::deaths = nullptr;
}

TEST(GridModel, MergeCellsChecksItsBoundsAndSpansShrinkWithTheColumns)
{
    SGridFixture f;
    f.Shape(3, 6, 1, 0, 20, 40);
    EXPECT_FALSE(f.grid.MergeCells(3, 0, 1));
    EXPECT_FALSE(f.grid.MergeCells(1, 4, 6));
    EXPECT_FALSE(f.grid.MergeCells(1, -1, 2));
    EXPECT_FALSE(f.grid.MergeCells(1, 3, 2));
    EXPECT_FALSE(f.grid.GetCell(1, 4)->IsMerged());

    ASSERT_TRUE(f.grid.MergeCells(2, 1, 5));
    EXPECT_EQ(f.grid.GetMergedColumnWidth(1, 2), 5 * 40);
    EXPECT_EQ(f.grid.GetMergedColumnWidth(3, 2), -1);
    EXPECT_EQ(f.grid.GetSpanWidthFrom(3, 2), 3 * 40);
    EXPECT_EQ(f.grid.GetMergedColumnWidth(3, -1), 40);

    f.grid.SetColumnCount(3);
    EXPECT_EQ(f.grid.GetCell(2, 1)->GetMergeEnd(), 2);
    EXPECT_EQ(f.grid.GetMergedColumnWidth(1, 2), 2 * 40);
}

TEST(GridModel, AutoSizeSharesAWideSpanAndKeepsAOneColumnSpan)
{
    SGridFixture f;
    f.Shape(3, 6, 1, 0, 20, 40);
    ASSERT_TRUE(f.grid.SetCellType<CRecordingCell>(1, 0));
    SRecording::At(f.grid, 1, 0)->extent = SGridSize{300, 20};
    f.grid.MergeCells(1, 0, 5);
    ASSERT_TRUE(f.grid.AutoSizeColumn(2));
    EXPECT_EQ(f.grid.GetColumnWidth(2), (300 - 28) / 5);

    ASSERT_TRUE(f.grid.SetCellType<CRecordingCell>(2, 3));
    SRecording::At(f.grid, 2, 3)->extent = SGridSize{300, 20};
    f.grid.MergeCells(2, 3, 3);
    ASSERT_TRUE(f.grid.AutoSizeColumn(3));
    EXPECT_EQ(f.grid.GetColumnWidth(3), 300);

    f.grid.SetColumnWidth(4, 0);
    EXPECT_FALSE(f.grid.AutoSizeColumn(4));
    f.host.canMeasure = false;
    EXPECT_FALSE(f.grid.AutoSizeColumn(2));
}

TEST(GridModel, AutoSizeRowTakesTheTallestCellAndSkipsHiddenRows)
{
    SGridFixture f;
    f.Shape(3, 3, 1, 0, 20, 40);
    f.grid.SetItemText(1, 0, L"abc");
    ASSERT_TRUE(f.grid.AutoSizeRow(1));
    EXPECT_EQ(f.grid.GetRowHeight(1), 13 + 2 * 7 + 1);
    f.grid.SetRowHeight(2, 0);
    EXPECT_FALSE(f.grid.AutoSizeRow(2));
    EXPECT_EQ(f.grid.GetRowHeight(2), 0);
}

TEST(GridModel, FocusRestsOnNonFixedCellsAndIsNotified)
{
    SGridFixture f;
    f.Shape(4, 4, 1, 1, 20, 40);
    f.host.notifications.clear();
    const CGridCellPos old = f.grid.SetFocusCell(0, 0);
    EXPECT_EQ(old, CGridCellPos(-1, -1));
    EXPECT_EQ(f.grid.GetFocusCell(), CGridCellPos(1, 1));
    EXPECT_TRUE(f.grid.GetItemState(1, 1) & GCS_FOCUSED);
    ASSERT_EQ(f.host.notifications.size(), 1u);
    EXPECT_EQ(f.host.notifications[0].hdr.code, -120);
    EXPECT_EQ(f.host.notifications[0].hdr.idFrom, 101);
    EXPECT_EQ(f.host.notifications[0].hdr.from, &f.grid);
    EXPECT_EQ(f.host.notifications[0].row, 1);

    f.grid.SetFocusCell(2, 3);
    EXPECT_FALSE(f.grid.GetItemState(1, 1) & GCS_FOCUSED);

    f.host.isWindow = false;
    EXPECT_EQ(f.grid.SendNotify(1, 1, NM_CLICK), 0);
    EXPECT_EQ(f.host.notifications.size(), 2u);
}

TEST(GridModel, SelectionCountAndBoundsFollowTheCells)
{
    SGridFixture f;
    f.Shape(6, 4, 1, 0, 20, 40);
    EXPECT_EQ(f.grid.GetSelectedCellRange(), CGridCellRange(6, 4, -1, -1));

    f.grid.SetSelectedRange(1, 0, 3, 3);
    EXPECT_EQ(f.grid.GetSelectedCount(), 12);
    EXPECT_TRUE(f.grid.IsCellSelected(2, 2));
    EXPECT_EQ(f.grid.GetSelectedCellRange(), CGridCellRange(1, 0, 3, 3));

    // Deselecting rows that were partly selected leaves the count true to the cells.
    f.grid.SetSelectedRange(3, 0, 5, 3, false, false);
    EXPECT_EQ(f.grid.GetSelectedCount(), 8);
    EXPECT_FALSE(f.grid.IsCellSelected(3, 0));

    // A selection in the fixed row is raised into the body; destroying selected cells counts down.
    f.grid.SetSelectedRange(0, 0, 1, 3);
    EXPECT_EQ(f.grid.GetSelectedCount(), 4);
    f.grid.SetRowCount(1);
    EXPECT_EQ(f.grid.GetSelectedCount(), 0);

    f.grid.SetRowCount(6);
    f.grid.SetSelectedRange(2, 0, 4, 3);
    f.grid.SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(f.grid.GetSelectedCount(), 0);
    EXPECT_FALSE(f.grid.IsCellSelected(3, 3));
}

TEST(GridModel, ModifiedTextClearsTheSortColumn)
{
    SGridFixture f;
    f.Shape(3, 3, 1, 0, 20, 40);
    f.grid.SetSortColumn(2);
    f.grid.SetItemText(1, 1, L"x");
    EXPECT_EQ(f.grid.GetSortColumn(), 2);
    EXPECT_TRUE(f.grid.GetItemState(1, 1) & GCS_MODIFIED);
    f.grid.SetItemText(1, 2, L"y");
    EXPECT_EQ(f.grid.GetSortColumn(), -1);
    EXPECT_FALSE(f.grid.SetItemText(5, 5, L"z"));
    EXPECT_EQ(f.grid.GetItemText(5, 5), L"");
}

TEST(GridCells, CopyTextFallsBackToTheText)
{
    CGridCell cell;
    cell.SetText(L"shown");
    EXPECT_EQ(cell.GetCopyText(), L"shown");
    cell.SetCopyText(L"copied");
    EXPECT_EQ(cell.GetCopyText(), L"copied");
    cell.SetCopyText(L"");
    EXPECT_EQ(cell.GetCopyText(), L"shown");
}

TEST(GridCells, AnEmptyHotSpotCoversTheWholeSpanAndTwoCoverNothing)
{
    SGridFixture f;
    f.Shape(3, 4, 1, 0, 20, 40);
    f.grid.MergeCells(1, 0, 2);
    CGridCellBase* cell = f.grid.GetCell(1, 0);
    cell->AddHotSpot(nullptr, L"title", L"tip");
    SGridRect rect;
    std::wstring title, text;
    ASSERT_TRUE(cell->HitTestHotSpot({500, 500}, &rect, &title, &text));
    EXPECT_EQ(rect, (SGridRect{0, 0, 120, 20}));
    EXPECT_EQ(title, L"title");
    EXPECT_EQ(text, L"tip");

    cell->AddHotSpot(nullptr, L"second", L"tip");
    EXPECT_FALSE(cell->HitTestHotSpot({1, 1}, &rect, &title, &text));
    cell->ClearHotSpots();
    const SGridRect spot{10, 2, 20, 12};
    cell->AddHotSpot(&spot, L"t", L"x");
    EXPECT_TRUE(cell->HitTestHotSpot({10, 2}, &rect, &title, &text));
    EXPECT_FALSE(cell->HitTestHotSpot({20, 2}, &rect, &title, &text));
}

TEST(GridCells, DefaultCellIgnoresDataStateAndCoordinates)
{
    CGridDefaultCell cell;
    cell.SetData(5);
    cell.SetState(GCS_SELECTED);
    EXPECT_EQ(cell.GetData(), 0);
    EXPECT_EQ(cell.GetState(), static_cast<unsigned>(GCS_READONLY));
    EXPECT_EQ(cell.GetFormat(), 0x8824u);
    EXPECT_EQ(cell.GetTextColor(), kGridWhite);
}

} // namespace
