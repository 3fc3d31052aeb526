#include "views/GridCellMultiBmp.h"

#include <algorithm>

#include "grid/GridCore.h"
#include "grid/GridImageList.h"
#include "grid/GridSurface.h"
#include "views/CellExtent.h"

void CGridCellMultiBmp::AddBitmap(const MULTIBMPINFO& info)
{
    const auto at = std::upper_bound(m_placements.begin(), m_placements.end(), info.sortKey,
                                     [](int key, const MULTIBMPINFO& p) { return key < p.sortKey; });
    m_placements.insert(at, info);
}

void CGridCellMultiBmp::SetHidden(int image, bool hidden)
{
    const auto it = std::find_if(m_placements.begin(), m_placements.end(),
                                 [image](const MULTIBMPINFO& p) { return p.image == image; });
    if (it != m_placements.end())
        it->hidden = hidden;
}

const CGridImageList* CGridCellMultiBmp::ImagesOf(const MULTIBMPINFO& info) const
{
    return info.ownBitmap ? info.bitmap : m_images;
}

SGridRect CGridCellMultiBmp::PlacementRect(const MULTIBMPINFO& info, const SGridRect& cell) const
{
    const CGridImageList* images = ImagesOf(info);
    const int index = info.ownBitmap ? 0 : info.image;
    if (!images || index < 0 || index >= images->GetImageCount())
        return SGridRect{};
    const SGridSize size = images->GetTileSize();
    int x = info.centerX ? cell.left - size.cx / 2 : info.alignLeft ? cell.left : cell.left - size.cx;
    x += info.percentX ? static_cast<int>(info.offsetX * (cell.right - cell.left) / 100.0)
                       : static_cast<int>(info.offsetX);
    int y = info.centerY ? cell.top - size.cy / 2 : info.alignTop ? cell.top : cell.top - size.cy;
    y += info.percentY ? static_cast<int>(info.offsetY * (cell.bottom - cell.top) / 100.0)
                       : static_cast<int>(info.offsetY);
    return SGridRect{x, y, x + size.cx, y + size.cy};
}

bool CGridCellMultiBmp::Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool eraseBackground,
                             bool forPrinting)
{
    if (!dc)
        return true;
    const bool printing = dc->IsPrinting();
    bool result = true;
    if (!printing)
        result = CGridCellGradient::Draw(dc, row, col, rect, eraseBackground, false);
    const bool blend = IsSelected() && GetInvertOnSelect();
    for (const MULTIBMPINFO& info : m_placements)
    {
        if (info.hidden || (printing && !info.printable))
            continue;
        const SGridRect at = PlacementRect(info, rect);
        if (at.IsEmpty())
            continue;
        dc->DrawImage(*ImagesOf(info), info.ownBitmap ? 0 : info.image, at.left, at.top, blend);
    }
    if (!printing)
        DrawBorder(dc, row, col, rect, forPrinting);
    return result;
}

bool CGridCellMultiBmp::PrintCell(CGridSurface* dc, int row, int col, SGridRect rect)
{
    const bool result = CGridCellGradient::PrintCell(dc, row, col, rect);
    Draw(dc, row, col, rect, true, false);
    return result;
}

SGridSize CGridCellMultiBmp::GetCellExtent(CGridSurface* dc)
{
    return CCellExtent::WithScrollBars(*this, CGridCell::GetCellExtent(dc), 2);
}

void CGridCellMultiBmp::OnClick(SGridPoint point)
{
    m_hitId = -1;
    const CGridCore* grid = GetGrid();
    if (!grid)
        return;
    const int col = IsMerged() ? GetMergeStart() : GetColumn();
    const SGridRect cell{0, 0, grid->GetMergedColumnWidth(col, GetRow()), grid->GetRowHeight(GetRow())};
    for (const MULTIBMPINFO& info : m_placements)
    {
        if (info.hidden)
            continue;
        if (PlacementRect(info, cell).Contains(point))
        {
            m_hitId = info.image;
            return;
        }
    }
}
