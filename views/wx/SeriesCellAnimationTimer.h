#pragma once
#include <set>
#include <utility>

#include <wx/timer.h>

class CGridCellSeries;
class CGridCore;

/// The frame clock of the series report rows that open and close: a cell
/// scheduled now takes its next step (CGridCellSeries::AdvanceAnimation)
/// one frame later. Cells are remembered by their place in the grid, so a
/// cell deleted meanwhile (a refill) is simply not found.
class CSeriesCellAnimationTimer : public wxTimer
{
public:
    /// About sixty steps a second.
    static constexpr int kFrameMilliseconds = 16;

    /// `grid` must outlive the timer.
    explicit CSeriesCellAnimationTimer(CGridCore& grid);

    /// The cell's next step follows on the next frame.
    void Schedule(const CGridCellSeries& cell);
    /// Steps every scheduled cell now (the frame's work).
    void Notify() override;
    bool HasPending() const { return !m_pending.empty(); }

private:
    CGridCore& m_grid;
    std::set<std::pair<int, int>> m_pending;
};
