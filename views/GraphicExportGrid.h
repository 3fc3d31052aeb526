#pragma once
// What the graphic export needs of the series grid: which series are marked
// and open, showing and hiding their rows, and rendering the rows as they
// stand into an image. The series page implements it over its grid window;
// tests implement it with painted bands.

#include "grid/GridTypes.h"

class CPicture;

class CGraphicExportGrid
{
public:
    virtual ~CGraphicExportGrid() = default;

    virtual int GetSeriesCount() const = 0;
    /// The series' row or its detail row is selected or holds the focus.
    virtual bool IsMarked(int series) const = 0;
    /// The series' report is open now.
    virtual bool IsExpanded(int series) const = 0;
    /// Shows the series' row with its report open or closed, at once (no
    /// animation). Changes the grid only: the document's flags stay as the
    /// user left them.
    virtual void ShowSeries(int series, bool expanded) = 0;
    /// Hides the series' row and its report.
    virtual void HideSeries(int series) = 0;
    /// Shows the heading row, or hides it.
    virtual void ShowHeading(bool show) = 0;
    /// Drawing off while rows are rearranged; on again (one repaint) after.
    virtual void SetRedraw(bool allow) = 0;
    /// The size of all rows and columns as they stand.
    virtual SGridSize GetVirtualSize() const = 0;
    /// Renders all rows and columns as they stand into picture (24 bits per
    /// pixel); false when no image can be made (the grid is too large).
    virtual bool Render(CPicture& picture) = 0;
};
