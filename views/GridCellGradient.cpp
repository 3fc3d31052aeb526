#include "views/GridCellGradient.h"

#include <utility>

#include "grid/GridSurface.h"
#include "views/CellExtent.h"

namespace
{

TGridColor Halved(TGridColor c)
{
    return GridRgb(GridRed(c) >> 1, GridGreen(c) >> 1, GridBlue(c) >> 1);
}

} // namespace

TGridColor CGridCellGradient::SetTopLeftColor(TGridColor color)
{
    return std::exchange(m_topLeft, color);
}

TGridColor CGridCellGradient::SetTopRightColor(TGridColor color)
{
    return std::exchange(m_topRight, color);
}

TGridColor CGridCellGradient::SetBottomLeftColor(TGridColor color)
{
    return std::exchange(m_bottomLeft, color);
}

TGridColor CGridCellGradient::SetBottomRightColor(TGridColor color)
{
    return std::exchange(m_bottomRight, color);
}

bool CGridCellGradient::DrawBackground(CGridSurface* dc, int, int, SGridRect rect, bool)
{
    if (!dc)
        return true;
    const bool half = IsSelected() && GetInvertOnSelect();
    const bool horizontal = m_topLeft == m_bottomLeft && m_topRight == m_bottomRight;
    const bool vertical = m_topLeft == m_topRight && m_bottomLeft == m_bottomRight;
    if (horizontal && vertical)
        dc->FillSolidRect(rect, half ? Halved(m_topLeft) : m_topLeft);
    else if (horizontal || vertical)
    {
        const TGridColor from = half ? Halved(m_topLeft) : m_topLeft;
        const TGridColor to = half ? Halved(m_bottomRight) : m_bottomRight;
        dc->GradientFill(rect, from, to, vertical);
    }
    else
        dc->GradientFill4(rect, m_topLeft, m_topRight, m_bottomLeft, m_bottomRight);
    return true;
}

SGridSize CGridCellGradient::GetCellExtent(CGridSurface* dc)
{
    return CCellExtent::WithScrollBars(*this, CGridCell::GetCellExtent(dc), 1);
}
