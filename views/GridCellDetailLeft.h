#pragma once
#include "views/GridCellGradient.h"

/// The first cell of a detail row: only its gradient, no text, image or frame.
class CGridCellDetailLeft : public CGridCellGradient
{
public:
    bool Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool eraseBackground,
              bool forPrinting) override;
    /// The gradient cell's size, one more scroll-bar width wider.
    SGridSize GetCellExtent(CGridSurface* dc) override;
};
