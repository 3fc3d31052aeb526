#pragma once
#include "grid/GridCell.h"

/// A cell that draws a horizontal bar of its value between a minimum and a
/// maximum behind its text (the series grid's mean values). A value above
/// the maximum draws past the cell's right edge, where the grid clips it.
class CGridCellBar : public CGridCell
{
public:
    /// Each returns the previous value.
    double SetValue(double value);
    double SetMin(double minimum);
    double SetMax(double maximum);
    TGridColor SetBarColor(TGridColor color);
    TGridColor SetSelectedBarColor(TGridColor color);
    double GetValue() const { return m_value; }
    double GetMin() const { return m_min; }
    double GetMax() const { return m_max; }
    TGridColor GetBarColor() const { return m_barColor; }
    TGridColor GetSelectedBarColor() const { return m_selectedBarColor; }

    /// The bar's rectangle in `rect` (the cell's, right and bottom its last
    /// pixel), right and bottom outside; `focused` insets it by a pixel.
    SGridRect BarRect(const SGridRect& rect, bool focused) const;

    bool Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool eraseBackground,
              bool forPrinting) override;
    /// Draws as for printing: no selection look.
    bool PrintCell(CGridSurface* dc, int row, int col, SGridRect rect) override;
    /// The base size, one scroll-bar width wider.
    SGridSize GetCellExtent(CGridSurface* dc) override;

private:
    /// The x of a value's end: the bar's length is value over the range of the width.
    int ValueX(double value, const SGridRect& rect) const;

    TGridColor m_barColor = GridRgb(70, 70, 255);
    TGridColor m_selectedBarColor = GridRgb(30, 30, 100);
    double m_max = 100.0;
    double m_min = 0.0;
    double m_value = 50.0;
    double m_markers[2] = {10.0, 90.0};
    bool m_markerHidden[2] = {true, true};
};
