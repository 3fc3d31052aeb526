#include "views/GridCellDetailGripper.h"

#include "views/CellExtent.h"

CGridCellDetailGripper::CGridCellDetailGripper()
{
    const struct
    {
        int image;
        double offsetX;
        bool hidden;
    } placements[] = {
        {ImageCollapsed, 5, false},
        {ImageExpanded, 5, true},
        {ImageInSummary, 30, false},
        {ImageOutSummary, 30, true},
    };
    for (const auto& p : placements)
    {
        MULTIBMPINFO info;
        info.image = p.image;
        info.offsetX = p.offsetX;
        info.offsetY = 1;
        info.hidden = p.hidden;
        AddBitmap(info);
    }
}

void CGridCellDetailGripper::SetCollapsed(bool collapsed)
{
    m_collapsed = collapsed;
    SetHidden(ImageCollapsed, !collapsed);
    SetHidden(ImageExpanded, collapsed);
}

void CGridCellDetailGripper::SetInSummary(bool inSummary)
{
    m_inSummary = inSummary;
    SetHidden(ImageInSummary, !inSummary);
    SetHidden(ImageOutSummary, inSummary);
}

SGridSize CGridCellDetailGripper::GetCellExtent(CGridSurface* dc)
{
    return CCellExtent::WithScrollBars(*this, CGridCell::GetCellExtent(dc), 1);
}

void CGridCellDetailGripper::OnClick(SGridPoint point)
{
    CGridCellMultiBmp::OnClick(point);
    switch (GetHitId())
    {
    case ImageCollapsed:
    case ImageExpanded:
        SetCollapsed(GetHitId() == ImageExpanded);
        break;
    case ImageInSummary:
    case ImageOutSummary:
        SetInSummary(GetHitId() == ImageOutSummary);
        break;
    default:
        break;
    }
}
