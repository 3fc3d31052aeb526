// The page's cells: every choice of a cell class for the page's rows, and
// every read or write of such a cell's own state, is made here and nowhere
// else in the page.
//
// The grid's plain cells stand in for the series cells for now: the gripper
// keeps its two toggles in its cell's data and is not clicked, the mean
// value shows as text only, and an open report is a blank band.
#include "views/wx/TabGrid.h"

#include "grid/GridCtrl.h"

namespace
{

// The views' colours (light teal, light row, the mean-value bars).
constexpr TGridColor kRowTopColor = GridRgb(188, 224, 232);
constexpr TGridColor kRowBottomColor = GridRgb(242, 245, 253);

/// The stand-in gripper's toggles in its cell's data.
constexpr std::intptr_t kExpandedBit = 1;
constexpr std::intptr_t kInSummaryBit = 2;
/// The height of an open stand-in report.
constexpr int kStandInReportHeight = 120;

void MakeReadOnly(CGridCore& grid, int row, int col)
{
    grid.SetItemState(row, col, grid.GetItemState(row, col) | GCS_READONLY);
}

/// Plain colour, no inverted selection look, no focus frame: the gripper and
/// the detail row's first cell.
void MakeGripperLook(CGridCore& grid, int row, int col)
{
    MakeReadOnly(grid, row, col);
    grid.SetItemBackColor(row, col, kRowTopColor);
    if (CGridCellBase* cell = grid.GetCell(row, col))
    {
        cell->SetInvertOnSelect(false);
        cell->SetDrawFocusFrame(false);
    }
}

} // namespace

void CTabGrid::MakeSeriesRowCells(int row)
{
    CGridCtrl& grid = *m_grid;
    // The gripper: grid.SetCellType<CGridCellDetailGripper>(row, colId), with
    // the page's image list and its four corners in kRowTopColor.
    MakeGripperLook(grid, row, colId);
    grid.SetItemFormat(row, colId, grid.GetItemFormat(row, colId) | DT_RIGHT);
    // The mean-value bar: grid.SetCellType<CGridCellBar>(row, colMean).
    for (int col = colName; col < kColumnCount; ++col)
    {
        grid.SetItemBackColor(row, col, kRowBottomColor);
        if (col != colName)
            MakeReadOnly(grid, row, col);
    }
}

void CTabGrid::MakeDetailRowCells(int row, int series)
{
    CGridCtrl& grid = *m_grid;
    // The detail-left cell: grid.SetCellType<CGridCellDetailLeft>(row, colId),
    // corners kRowTopColor above and kRowBottomColor below.
    MakeGripperLook(grid, row, colId);
    // The report: grid.SetCellType<CGridCellSeries>(row, col) for every col,
    // and cell (row, colName) bound to (m_doc, series) with SetSeries.
    (void)series;
    for (int col = colName; col < kColumnCount; ++col)
    {
        MakeReadOnly(grid, row, col);
        grid.SetItemBackColor(row, col, kRowBottomColor);
    }
    grid.MergeCells(row, colName, kColumnCount - 1);
    grid.SetRowHeight(row, 0);
}

void CTabGrid::SetGripper(int row, bool expanded, bool inSummary)
{
    // The gripper: SetCollapsed(!expanded) and SetInSummary(inSummary).
    if (CGridCellBase* cell = m_grid->GetCell(row, colId))
        cell->SetData((expanded ? kExpandedBit : 0) | (inSummary ? kInSummaryBit : 0));
}

bool CTabGrid::GetGripper(int row, bool* expanded, bool* inSummary) const
{
    // The gripper: IsExpanded() and IsInSummary(), which its click flipped.
    // The stand-in has no toggles to click.
    (void)row;
    (void)expanded;
    (void)inSummary;
    return false;
}

void CTabGrid::SetBar(int row, double mean, double largest)
{
    // The bar: SetMin(0.0), SetValue(mean), SetMax(largest), bar colour
    // RGB(0,160,191), selected-bar colour RGB(0,120,151).
    (void)row;
    (void)mean;
    (void)largest;
}

void CTabGrid::ShowReport(int series, bool expand, bool immediate)
{
    // The report: Expand(immediate) or Collapse(immediate) on cell
    // (DetailRow(series), colName); it sets its row's height itself.
    (void)immediate;
    m_grid->SetRowHeight(DetailRow(series), expand ? kStandInReportHeight : 0);
    m_grid->ResetScrollBars();
    m_grid->Refresh();
}
