#pragma once
// Drives the series page as a user does, through the grid's own mouse
// handlers (the click path of the window: the clicked cell's own handling,
// then the grid's notices to the page), and finds the places to click: the
// gripper's toggles, a report's clickable texts and its reading bars.

#include "grid/GridCtrl.h"
#include "tests/grid/GridGuiPump.h"
#include "views/GridCellBar.h"
#include "views/GridCellDetailGripper.h"
#include "views/GridCellSeries.h"
#include "views/wx/TabGrid.h"

#include <wx/event.h>

#include <optional>
#include <string>

namespace TerrionTest
{

class CSeriesPageDriver
{
public:
    explicit CSeriesPageDriver(CTabGrid& page) : m_page(page) {}

    CGridCtrl& Grid() const { return m_page.Grid(); }
    CGridCellDetailGripper* Gripper(int series) const
    {
        return dynamic_cast<CGridCellDetailGripper*>(
            Grid().GetCell(CTabGrid::SeriesRow(series), CTabGrid::colId));
    }
    CGridCellBar* Bar(int series) const
    {
        return dynamic_cast<CGridCellBar*>(Grid().GetCell(CTabGrid::SeriesRow(series), CTabGrid::colMean));
    }
    CGridCellSeries* Report(int series) const
    {
        return dynamic_cast<CGridCellSeries*>(Grid().GetCell(CTabGrid::DetailRow(series), CTabGrid::colName));
    }

    /// The centre of a cell (without its span) in the grid's client pixels.
    wxPoint Centre(int row, int col) const
    {
        SGridRect rect;
        if (!Grid().GetPlainCellRect(row, col, &rect))
            return wxPoint(-1, -1);
        return wxPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }

    void Mouse(wxEventType type, wxPoint at) const
    {
        wxMouseEvent event(type);
        event.SetEventObject(&Grid());
        event.SetPosition(at);
        event.m_leftDown = type == wxEVT_LEFT_DOWN;
        Grid().GetEventHandler()->ProcessEvent(event);
    }

    /// A left click at a point of the grid, and what it posted delivered.
    void ClickAt(wxPoint at) const
    {
        Mouse(wxEVT_LEFT_DOWN, at);
        Mouse(wxEVT_LEFT_UP, at);
        Pump();
    }

    /// A right click at a point of the grid (the context menu, the date dialog).
    void RightClickAt(wxPoint at) const
    {
        Mouse(wxEVT_RIGHT_DOWN, at);
        Mouse(wxEVT_RIGHT_UP, at);
        Pump();
    }

    /// The middle of a gripper's toggle image: the open/close toggle, or the
    /// summary toggle with `summary` (at the shown image, either of the pair).
    wxPoint GripperToggle(int series, bool summary) const
    {
        const CGridCellDetailGripper* gripper = Gripper(series);
        SGridRect cell;
        if (!gripper || !gripper->GetImageList() ||
            !Grid().GetPlainCellRect(CTabGrid::SeriesRow(series), CTabGrid::colId, &cell))
            return wxPoint(-1, -1);
        const int image =
            summary ? CGridCellDetailGripper::ImageInSummary : CGridCellDetailGripper::ImageCollapsed;
        const SGridSize tile = gripper->GetImageList()->GetTileSize();
        for (const MULTIBMPINFO& info : gripper->GetPlacements())
            if (info.image == image)
                return wxPoint(cell.left + static_cast<int>(info.offsetX) + tile.cx / 2,
                               cell.top + static_cast<int>(info.offsetY) + tile.cy / 2);
        return wxPoint(-1, -1);
    }

    /// Waits until a series' report rests open (painted at its height) or closed.
    bool WaitForReport(int series) const
    {
        return PumpUntil(
            [&]
            {
                const CGridCellSeries* report = Report(series);
                if (!report || report->IsExpanding() || report->IsCollapsing())
                    return false;
                const int height = Grid().GetRowHeight(CTabGrid::DetailRow(series));
                if (!report->IsExpanded())
                    return height == 0;
                return height > 0 && height == report->GetTargetHeight() && report->GetAreas().GetCount() > 0;
            });
    }

    /// A point (grid client pixels) over a clickable text of an open
    /// report (NSeriesCellArea), as its last drawing placed it.
    std::optional<wxPoint> ReportArea(int series, int area) const
    {
        return FindInReport(series,
                            [&](CGridCellSeries& report, SGridPoint at)
                            {
                                int hit = SeriesAreaNone;
                                return report.GetAreas().HitTest(at, &hit) && hit == area;
                            });
    }

    /// A point over the hot spot of an open report whose tip has this title.
    std::optional<wxPoint> HotSpot(int series, const std::wstring& title) const
    {
        return FindInReport(series,
                            [&](CGridCellSeries& report, SGridPoint at)
                            {
                                SGridRect rect;
                                std::wstring seen;
                                std::wstring text;
                                return report.HitTestHotSpot(at, &rect, &seen, &text) && seen == title;
                            });
    }

private:
    template <class TTest> std::optional<wxPoint> FindInReport(int series, TTest test) const
    {
        CGridCellSeries* report = Report(series);
        SGridRect rect;
        if (!report || !Grid().GetCellRect(CTabGrid::DetailRow(series), CTabGrid::colName, &rect))
            return std::nullopt;
        for (int y = 0; y <= rect.bottom - rect.top; y += 2)
            for (int x = 0; x <= rect.right - rect.left; x += 2)
                if (test(*report, SGridPoint{x, y}))
                    return wxPoint(rect.left + x, rect.top + y);
        return std::nullopt;
    }

    CTabGrid& m_page;
};

} // namespace TerrionTest
