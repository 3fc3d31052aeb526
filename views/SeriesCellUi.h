#pragma once
#include <string>

class CGridCellSeries;

/// What a series report cell asks of the page that shows it: the comment
/// dialog, and the next step of a row opening or closing.
class CSeriesCellUi
{
public:
    /// Lets the user edit `comment`; true when it was confirmed.
    virtual bool EditComment(std::wstring& comment) = 0;
    /// Calls cell.AdvanceAnimation() about one frame later (a timer of the
    /// window; the cell may be gone by then: look it up by its grid and row).
    virtual void ScheduleAnimation(CGridCellSeries& cell) = 0;

protected:
    ~CSeriesCellUi() = default;
};
