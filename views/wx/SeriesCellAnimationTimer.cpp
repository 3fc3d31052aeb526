#include "views/wx/SeriesCellAnimationTimer.h"

#include "grid/GridCore.h"
#include "views/GridCellSeries.h"

CSeriesCellAnimationTimer::CSeriesCellAnimationTimer(CGridCore& grid) : m_grid(grid)
{
}

void CSeriesCellAnimationTimer::Schedule(const CGridCellSeries& cell)
{
    m_pending.emplace(cell.GetRow(), cell.GetColumn());
    if (!IsRunning())
        StartOnce(kFrameMilliseconds);
}

void CSeriesCellAnimationTimer::Notify()
{
    // The steps repaint the grid, whose paint schedules the next ones.
    const std::set<std::pair<int, int>> due = std::move(m_pending);
    m_pending.clear();
    for (const auto& [row, col] : due)
        if (auto* cell = dynamic_cast<CGridCellSeries*>(m_grid.GetCell(row, col)))
            cell->AdvanceAnimation();
}
