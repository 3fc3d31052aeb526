#pragma once

class CGridCellSeries;

/// What a series report cell asks of the page that shows it: the comment
/// dialog, and the next step of a row opening or closing.
class CSeriesCellUi
{
public:
    /// The comment of `series` was clicked. The page lets the user edit it
    /// once the click is done (the grid may be rebuilt while a dialog is
    /// open, this cell with it) and stores it through the document.
    virtual void CommentClicked(int series) = 0;
    /// Calls cell.AdvanceAnimation() about one frame later (a timer of the
    /// window; the cell may be gone by then: look it up by its grid and row).
    virtual void ScheduleAnimation(CGridCellSeries& cell) = 0;

protected:
    ~CSeriesCellUi() = default;
};
