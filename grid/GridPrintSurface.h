#pragma once
#include "grid/GridSurface.h"

/// A surface on a printed page. The grid lays a page out in logical units
/// and has the surface stretch them over the paper.
class CGridPrintSurface : public CGridSurface
{
public:
    bool IsPrinting() const override { return true; }
    /// The printable area of the paper in device units.
    virtual SGridSize GetPaperSize() const = 0;
    /// Maps `logical` onto `paper` (both from (0, 0)); the origin stays logical.
    virtual void SetPageScale(SGridSize logical, SGridSize paper) = 0;
    /// Back to one logical unit per device unit.
    virtual void ResetPageScale() = 0;
};
