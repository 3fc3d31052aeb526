// Painting of CGridCore: background, the fixed areas, the body cells under
// their clips, grid lines, cells that left the view and the post-paint list.
#include <algorithm>
#include <climits>

#include "grid/GridCore.h"

void CGridCore::InvalidateAll()
{
    if (m_host && m_host->HostIsWindow())
        m_host->HostInvalidate(nullptr);
}

void CGridCore::Invalidate(const SGridRect& rect)
{
    if (m_host && m_host->HostIsWindow())
        m_host->HostInvalidate(&rect);
}

bool CGridCore::InvalidateCellRect(int row, int col)
{
    if (!m_host || !m_host->HostIsWindow() || !m_allowDraw || !IsValid(row, col) || !IsCellVisible(row, col))
        return false;
    SGridRect rect;
    if (!GetPlainCellRect(row, col, &rect))
        return false;
    // The inclusive cell rectangle grown by one: its last column and row too.
    rect.right += 1;
    rect.bottom += 1;
    m_host->HostInvalidate(&rect);
    return true;
}

SGridSize CGridCore::GetWholeGridSize() const
{
    return SGridSize{GetVirtualWidth(), GetVirtualHeight()};
}

void CGridCore::EraseBackground(CGridSurface& dc, const SGridRect* covered)
{
    const SGridRect clip = dc.GetClipBox();
    if (clip.IsEmpty())
        return;
    SGridRect visible;
    if (covered)
        visible = *covered;
    else
        GetVisibleNonFixedCellRange(&visible);
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();

    if (clip.left < fixedWidth && clip.top < fixedHeight)
        dc.FillSolidRect({clip.left, clip.top, fixedWidth, fixedHeight}, m_cellFixedRowColDef.GetBackColor());
    if (clip.left < fixedWidth && clip.top < visible.bottom)
        dc.FillSolidRect({clip.left, clip.top, fixedWidth, visible.bottom}, m_cellFixedColDef.GetBackColor());
    if (clip.top < fixedHeight && clip.right > fixedWidth && clip.left < visible.right)
        dc.FillSolidRect({fixedWidth - 1, clip.top, visible.right, fixedHeight},
                         m_cellFixedRowDef.GetBackColor());
    const SGridRect body = visible.Intersect(clip);
    if (!body.IsEmpty())
        dc.FillSolidRect(
            {std::max(fixedWidth, body.left), std::max(fixedHeight, body.top), body.right, body.bottom},
            m_cellDefault.GetBackColor());
    if (visible.right < clip.right)
        dc.FillSolidRect({visible.right, clip.top, clip.right, clip.bottom}, m_gridBkColor);
    if (visible.bottom < clip.bottom && clip.left < visible.right)
        dc.FillSolidRect({clip.left, visible.bottom, visible.right, clip.bottom}, m_gridBkColor);
}

template <class TVisit>
void CGridCore::ForEachBodyCell(int row, int top, const CGridCellRange& visible, const SGridRect& clip,
                                TVisit visit)
{
    const int fixedWidth = GetFixedColumnWidth();
    const int bottom = top + GetRowHeight(row) - 1;
    int left = fixedWidth;
    for (int col = visible.minCol; col <= visible.maxCol; ++col)
    {
        CGridCellBase* cell = GetCell(row, col);
        if (!cell)
            continue;
        if (col == visible.minCol && cell->IsMerged() && cell->GetMergeStart() < col)
        {
            // A span that begins left of the view is drawn whole from its first cell, left of the body.
            const int start = cell->GetMergeStart();
            CGridCellBase* head = GetCell(row, start);
            const int width = GetMergedColumnWidth(start, row);
            const int spanLeft =
                fixedWidth - GridClampToInt(m_colWidths.Prefix(col) - m_colWidths.Prefix(start));
            if (head && width > 0)
                visit(head, row, start, SGridRect{spanLeft, top, spanLeft + width - 1, bottom});
            left = spanLeft + std::max(0, width);
            continue;
        }
        const int width = GetMergedColumnWidth(col, row);
        if (width < 1)
            continue;
        const SGridRect rect{left, top, left + width - 1, bottom};
        left += width;
        if (rect.right < clip.left)
            continue;
        if (rect.left > clip.right)
            break;
        visit(cell, row, col, rect);
    }
}

void CGridCore::OnDraw(CGridSurface& dc, bool all)
{
    if (!m_allowDraw && !all)
        return;
    struct SAllFlag
    {
        bool& flag;
        bool was;
        ~SAllFlag() { flag = was; }
    } allFlag{m_drawingAll, m_drawingAll};
    m_drawingAll = all;
    const SGridRect clip = dc.GetClipBox();
    if (clip.IsEmpty())
        return;
    const int fixedHeight = GetFixedRowHeight();
    const int fixedWidth = GetFixedColumnWidth();

    CGridCellRange visible;
    SGridRect client;
    int firstRowOffset = 0;
    if (all)
    {
        // The whole grid from its first non-fixed cell, as for a bitmap.
        visible = CGridCellRange(m_fixedRows, m_fixedCols, m_rows - 1, m_cols - 1);
        client = SGridRect{0, 0, clip.right, clip.bottom};
        const SGridRect covered{0, 0, GetVirtualWidth(), GetVirtualHeight()};
        EraseBackground(dc, &covered);
    }
    else
    {
        EraseBackground(dc);
        visible = GetVisibleNonFixedCellRange();
        client = ClientRect();
        firstRowOffset = m_firstRowOffset;
        // Rendering a bitmap leaves the screen's record of visible cells alone.
        TellHiddenCells(visible);
    }
    if (m_virtualMode)
        SendCacheHint(visible);

    // Fixed corner.
    for (int row = 0, top = 0; row < m_fixedRows; ++row)
    {
        const int height = GetRowHeight(row);
        if (height <= 0)
            continue;
        for (int col = 0, left = 0; col < m_fixedCols; ++col)
        {
            const int width = GetColumnWidth(col);
            if (width <= 0)
                continue;
            if (CGridCellBase* cell = GetCell(row, col))
            {
                cell->SetCoords(row, col);
                cell->Draw(&dc, row, col, {left, top, left + width - 1, top + height - 1}, false, false);
            }
            left += width;
        }
        top += height;
    }

    // Fixed columns beside the visible rows.
    if (m_fixedCols > 0)
    {
        // The pass's clip bounds every cell in it, as a body cell's own clip does.
        dc.SetClip(SGridRect{0, fixedHeight, fixedWidth, client.bottom}.Intersect(clip));
        dc.SaveState();
        int top = fixedHeight + firstRowOffset;
        for (int row = visible.minRow; row <= visible.maxRow && row < m_rows; ++row)
        {
            const int height = GetRowHeight(row);
            if (height <= 0)
                continue;
            const int bottom = top + height - 1;
            if (top > clip.bottom)
                break;
            if (bottom >= clip.top)
                for (int col = 0, left = 0; col < m_fixedCols; ++col)
                {
                    const int width = GetColumnWidth(col);
                    if (width <= 0)
                        continue;
                    if (CGridCellBase* cell = GetCell(row, col))
                    {
                        cell->SetCoords(row, col);
                        cell->Draw(&dc, row, col, {left, top, left + width - 1, bottom}, false, false);
                    }
                    left += width;
                }
            top += height;
        }
        dc.RestoreState();
        dc.ResetClip();
    }

    // Fixed rows over the visible columns.
    for (int row = 0, top = 0; row < m_fixedRows; ++row)
    {
        const int height = GetRowHeight(row);
        if (height <= 0)
            continue;
        const int bottom = top + height - 1;
        if (top > clip.bottom)
            break;
        if (bottom >= clip.top)
            for (int col = visible.minCol, left = fixedWidth; col <= visible.maxCol && col < m_cols; ++col)
            {
                const int width = GetColumnWidth(col);
                if (width <= 0)
                    continue;
                const SGridRect rect{left, top, left + width - 1, bottom};
                left += width;
                if (rect.right < clip.left)
                    continue;
                if (rect.left > clip.right)
                    break;
                if (CGridCellBase* cell = GetCell(row, col))
                {
                    cell->SetCoords(row, col);
                    cell->Draw(&dc, row, col, rect, false, false);
                }
            }
        top += height;
    }

    // Body cells, each clipped to itself and to the body.
    const SGridRect bodyArea{fixedWidth, fixedHeight, client.right, client.bottom};
    auto forEachRow = [&](auto&& visitRow)
    {
        int top = fixedHeight + firstRowOffset;
        for (int row = visible.minRow; row <= visible.maxRow && row < m_rows; ++row)
        {
            const int height = GetRowHeight(row);
            if (height <= 0)
                continue;
            if (top > clip.bottom)
                break;
            if (top + height - 1 >= clip.top)
                visitRow(row, top);
            top += height;
        }
    };
    forEachRow(
        [&](int row, int top)
        {
            ForEachBodyCell(row, top, visible, clip,
                            [&](CGridCellBase* cell, int r, int c, const SGridRect& rect)
                            {
                                cell->SetCoords(r, c);
                                UnderClip(dc, rect.Intersect(bodyArea),
                                          [&] { return cell->Draw(&dc, r, c, rect, false, false); });
                            });
        });

    // Grid lines over the body; each cell's right column and bottom row are its lines.
    if (m_gridLines != GGL_NONE)
    {
        dc.SetClip(bodyArea.Intersect(clip));
        const bool vertical = m_gridLines == GGL_VERT || m_gridLines == GGL_BOTH;
        const bool horizontal = m_gridLines == GGL_HORZ || m_gridLines == GGL_BOTH;
        forEachRow(
            [&](int row, int top)
            {
                ForEachBodyCell(
                    row, top, visible, clip,
                    [&](CGridCellBase*, int, int, const SGridRect& rect)
                    {
                        if (vertical)
                            dc.Line({rect.right, rect.top}, {rect.right, rect.bottom + 1}, m_gridLineColor);
                        if (horizontal)
                            dc.Line({rect.left, rect.bottom}, {rect.right + 1, rect.bottom}, m_gridLineColor);
                    });
            });
    }
    dc.ResetClip();
    // The line of a dragged divider lies over everything; moving it repaints what it covered.
    if (!all && m_trackLine >= 0)
        dc.FillSolidRect(TrackBand(m_trackLine), GetSysColor(NGridSysColor::WindowText));
    if (m_virtualMode)
        SendCacheHint(CGridCellRange());
    RunPostPaint();
}

void CGridCore::TellHiddenCells(const CGridCellRange& visible)
{
    const CGridCellRange previous = m_previousVisible;
    m_previousVisible = visible;
    if (!previous.IsValid())
        return;
    const int lastRow = std::min(previous.maxRow, m_rows - 1);
    const int lastCol = std::min(previous.maxCol, m_cols - 1);
    for (int row = previous.minRow; row <= lastRow; ++row)
    {
        const bool hiddenRow = GetRowHeight(row) == 0;
        for (int col = previous.minCol; col <= lastCol; ++col)
        {
            if (!hiddenRow && visible.InRange(row, col))
                continue;
            CGridCellBase* cell = GetCell(row, col);
            if (!cell)
                continue;
            CGridCellBase* head = cell;
            if (cell->IsMerged())
            {
                // Once per span and row.
                if (col != std::max(cell->GetMergeStart(), previous.minCol))
                    continue;
                head = GetCell(row, cell->GetMergeStart());
                if (!head)
                    continue;
            }
            head->Draw(nullptr, row, col, SGridRect{}, true, false);
        }
    }
}

void CGridCore::RunPostPaint()
{
    // Only the requests present now run; one made meanwhile is dropped with the list.
    m_postPaintPass = std::move(m_postPaint);
    m_postPaint.clear();
    for (std::size_t i = 0; i < m_postPaintPass.size(); ++i)
        if (CGridCellBase* cell = m_postPaintPass[i])
            cell->OnPostPaint();
    m_postPaintPass.clear();
    m_postPaint.clear();
}

bool CGridCore::RedrawCell(int row, int col, CGridSurface* dc)
{
    if (!m_allowDraw || !IsCellVisible(row, col))
        return false;
    CGridCellBase* cell = GetCell(row, col);
    if (!cell)
        return false;
    const int headCol = cell->IsMerged() ? cell->GetMergeStart() : col;
    CGridCellBase* head = GetCell(row, headCol);
    SGridRect rect;
    if (!head || !GetCellRect(row, headCol, &rect))
        return false;
    std::unique_ptr<CGridSurface> own;
    if (!dc)
    {
        own = m_host ? m_host->HostWindowSurface() : nullptr;
        dc = own.get();
        if (!dc)
        {
            Invalidate(SGridRect{rect.left, rect.top, rect.right + 1, rect.bottom + 1});
            return true;
        }
    }
    const SGridRect client = ClientRect();
    const SGridRect body{GetFixedColumnWidth(), GetFixedRowHeight(), client.right, client.bottom};
    dc->SaveState();
    const bool result = UnderClip(*dc, body, [&] { return head->Draw(dc, row, col, rect, true, false); });
    dc->SetClip(body);
    if (!head->IsFixed() && m_gridLines != GGL_NONE)
    {
        if (m_gridLines == GGL_HORZ || m_gridLines == GGL_BOTH)
            dc->Line({rect.left, rect.bottom}, {rect.right + 1, rect.bottom}, m_gridLineColor);
        if (m_gridLines == GGL_VERT || m_gridLines == GGL_BOTH)
            dc->Line({rect.right, rect.top}, {rect.right, rect.bottom + 1}, m_gridLineColor);
    }
    dc->RestoreState();
    return result;
}
