#include "views/CellExtent.h"

#include <algorithm>

#include "grid/GridCore.h"

SGridSize CCellExtent::WithScrollBars(const CGridCellBase& cell, SGridSize base, int bars)
{
    const CGridCore* grid = cell.GetGrid();
    const CGridHost* host = grid ? grid->GetHost() : nullptr;
    if (!host)
        return base;
    base.cx += bars * host->HostScrollBarSize(SB_VERT);
    base.cy = std::max(base.cy, host->HostScrollBarSize(SB_HORZ));
    return base;
}
