#pragma once
#include "grid/GridCell.h"

/// A cell whose background runs between four corner colours: one colour
/// fills, two equal pairs give a horizontal or vertical gradient, four
/// different corners a two-triangle mesh. Starts red at the left, green at
/// the right.
class CGridCellGradient : public CGridCell
{
public:
    /// Each returns the previous colour.
    TGridColor SetTopLeftColor(TGridColor color);
    TGridColor SetTopRightColor(TGridColor color);
    TGridColor SetBottomLeftColor(TGridColor color);
    TGridColor SetBottomRightColor(TGridColor color);
    TGridColor GetTopLeftColor() const { return m_topLeft; }
    TGridColor GetTopRightColor() const { return m_topRight; }
    TGridColor GetBottomLeftColor() const { return m_bottomLeft; }
    TGridColor GetBottomRightColor() const { return m_bottomRight; }

    /// The gradient; a selected cell that inverts on selection is drawn at
    /// half intensity (not the four-corner mesh).
    bool DrawBackground(CGridSurface* dc, int row, int col, SGridRect rect, bool forPrinting) override;
    /// The base size, one scroll-bar width wider.
    SGridSize GetCellExtent(CGridSurface* dc) override;

private:
    TGridColor m_topLeft = GridRgb(255, 0, 0);
    TGridColor m_topRight = GridRgb(0, 255, 0);
    TGridColor m_bottomLeft = GridRgb(255, 0, 0);
    TGridColor m_bottomRight = GridRgb(0, 255, 0);
};
