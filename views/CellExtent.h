#pragma once
#include "grid/GridTypes.h"

class CGridCellBase;

/// The size the views' cells ask for: their base size with room for scroll
/// bars, as the grid's auto-sizing takes it.
class CCellExtent
{
public:
    /// `base` widened by `bars` widths of a vertical scroll bar and at least
    /// as high as a horizontal one (both 0 while the cell has no window).
    static SGridSize WithScrollBars(const CGridCellBase& cell, SGridSize base, int bars);
};
