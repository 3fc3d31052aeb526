#include "views/GridCellDetailLeft.h"

#include "views/CellExtent.h"

bool CGridCellDetailLeft::Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool, bool forPrinting)
{
    if (dc && rect.top < rect.bottom)
        DrawBackground(dc, row, col, rect, forPrinting);
    return true;
}

SGridSize CGridCellDetailLeft::GetCellExtent(CGridSurface* dc)
{
    return CCellExtent::WithScrollBars(*this, CGridCellGradient::GetCellExtent(dc), 1);
}
