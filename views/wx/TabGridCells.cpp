// The page's cells: every choice of a cell class for the page's rows, and
// every read or write of such a cell's own state, is made here and nowhere
// else in the page.
#include "views/wx/TabGrid.h"

#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "grid/GridSurface.h"
#include "views/ColorScheme.h"
#include "views/GridCellBar.h"
#include "views/GridCellDetailGripper.h"
#include "views/GridCellDetailLeft.h"
#include "views/GridCellSeries.h"
#include "views/ReportLayoutSurface.h"
#include "views/SeriesImages.h"
#include "views/wx/SeriesCellAnimationTimer.h"

namespace
{

void MakeReadOnly(CGridCore& grid, int row, int col)
{
    grid.SetItemState(row, col, grid.GetItemState(row, col) | GCS_READONLY);
}

/// The gripper and the detail row's first cell: their own gradient, neither
/// the inverted selection look nor a focus frame.
void SetGradient(CGridCellGradient& cell, TGridColor top, TGridColor bottom)
{
    cell.SetTopLeftColor(top);
    cell.SetTopRightColor(top);
    cell.SetBottomLeftColor(bottom);
    cell.SetBottomRightColor(bottom);
    cell.SetInvertOnSelect(false);
    cell.SetDrawFocusFrame(false);
}

} // namespace

void CTabGrid::MakeSeriesRowCells(int row)
{
    CGridCtrl& grid = *m_grid;
    grid.SetCellType<CGridCellDetailGripper>(row, colId);
    grid.SetCellType<CGridCellBar>(row, colMean);
    MakeReadOnly(grid, row, colId);
    grid.SetItemFormat(row, colId, grid.GetItemFormat(row, colId) | DT_RIGHT);
    if (auto* gripper = dynamic_cast<CGridCellDetailGripper*>(grid.GetCell(row, colId)))
    {
        gripper->SetImageList(&CSeriesImages::GridImages());
        SetGradient(*gripper, theColorScheme.RowTopColor, theColorScheme.RowTopColor);
    }
    for (int col = colName; col < kColumnCount; ++col)
    {
        grid.SetItemBackColor(row, col, theColorScheme.RowBottomColor);
        if (col != colName)
            MakeReadOnly(grid, row, col);
    }
}

void CTabGrid::MakeDetailRowCells(int row, int series)
{
    CGridCtrl& grid = *m_grid;
    grid.SetCellType<CGridCellDetailLeft>(row, colId);
    MakeReadOnly(grid, row, colId);
    if (auto* left = dynamic_cast<CGridCellDetailLeft*>(grid.GetCell(row, colId)))
        SetGradient(*left, theColorScheme.RowTopColor, theColorScheme.RowBottomColor);
    for (int col = colName; col < kColumnCount; ++col)
    {
        grid.SetCellType<CGridCellSeries>(row, col);
        MakeReadOnly(grid, row, col);
        grid.SetItemBackColor(row, col, theColorScheme.RowBottomColor);
    }
    grid.MergeCells(row, colName, kColumnCount - 1);
    grid.SetRowHeight(row, 0);
    if (auto* report = dynamic_cast<CGridCellSeries*>(grid.GetCell(row, colName)))
    {
        report->SetSeries(&m_doc, series);
        report->SetUi(this);
    }
}

void CTabGrid::SetGripper(int row, bool expanded, bool inSummary)
{
    if (auto* gripper = dynamic_cast<CGridCellDetailGripper*>(m_grid->GetCell(row, colId)))
    {
        gripper->SetCollapsed(!expanded);
        gripper->SetInSummary(inSummary);
    }
}

bool CTabGrid::GetGripper(int row, bool* expanded, bool* inSummary) const
{
    const auto* gripper = dynamic_cast<const CGridCellDetailGripper*>(m_grid->GetCell(row, colId));
    if (!gripper)
        return false;
    *expanded = gripper->IsExpanded();
    *inSummary = gripper->IsInSummary();
    return true;
}

void CTabGrid::SetBar(int row, double mean, double largest)
{
    if (auto* bar = dynamic_cast<CGridCellBar*>(m_grid->GetCell(row, colMean)))
    {
        bar->SetMin(0.0);
        bar->SetValue(mean);
        bar->SetMax(largest);
        bar->SetBarColor(theColorScheme.GridBarColor);
        bar->SetSelectedBarColor(theColorScheme.GridBarSelectedColor);
    }
}

void CTabGrid::ShowReport(int series, bool expand, bool immediate)
{
    // The report sets its row's height itself, at once or frame by frame.
    auto* report = dynamic_cast<CGridCellSeries*>(m_grid->GetCell(DetailRow(series), colName));
    if (!report)
        return;
    if (expand)
        report->Expand(immediate);
    else
        report->Collapse(immediate);
}

void CTabGrid::OpenReport(int series, CReportLayoutSurface& surface)
{
    auto* report = dynamic_cast<CGridCellSeries*>(m_grid->GetCell(DetailRow(series), colName));
    if (!report)
        return;
    if (CGridSurface* on = surface.Get())
        report->ExpandOn(*on);
    else
        report->Expand(true);
}

void CTabGrid::LayOutOpenReports()
{
    CReportLayoutSurface surface(*m_grid);
    for (int i = 0; i < m_doc.GetSeriesCount() && DetailRow(i) < m_grid->GetRowCount(); ++i)
        if (m_doc.IsExpanded(i))
            OpenReport(i, surface);
}

void CTabGrid::ScheduleAnimation(CGridCellSeries& cell)
{
    m_animation->Schedule(cell);
}
