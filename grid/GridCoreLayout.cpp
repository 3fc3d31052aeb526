// Geometry and scrolling of CGridCore: the top-left cell, the visible range,
// hit tests, cell rectangles and the scroll bars.
#include <algorithm>
#include <climits>

#include "grid/GridCore.h"

namespace
{

/// The first entry from `first` shown at scroll position `pos` (pixels past
/// the start of entry `first`), and with `pixel` the offset of its top edge.
int TopIndex(const CGridSizeIndex& sizes, int first, int count, int pos, bool pixel, int* offset)
{
    *offset = 0;
    const int last = count - 1;
    // A single entry still scrolls by pixels: it is then partly above the view.
    if (pos <= 0 || first > last || (first == last && !pixel))
        return first;
    const long long base = sizes.Prefix(first);
    const int k = sizes.LowerBound(base + pos); // the first with its start at or past pos
    if (!pixel)
        return std::min(k, last);
    if (k > last)
    {
        *offset = GridClampToInt(sizes.Prefix(last) - base - pos);
        return last;
    }
    const long long start = sizes.Prefix(k) - base;
    if (start == pos)
        return k;
    *offset = GridClampToInt(sizes.Prefix(k - 1) - base - pos); // the row above is partly visible
    return k - 1;
}

} // namespace

SGridRect CGridCore::ClientRect() const
{
    if (!m_host || !m_host->HostIsWindow())
        return SGridRect{};
    return m_host->HostClientRect();
}

CGridCellPos CGridCore::GetTopLeftNonFixedCell()
{
    if (m_topLeft.row != -1 && m_topLeft.col != -1)
        return m_topLeft;
    int unused = 0;
    m_topLeft.col = TopIndex(m_colWidths, m_fixedCols, m_cols, m_scrollPos[SB_HORZ], false, &unused);
    m_topLeft.row = TopIndex(m_rowHeights, m_fixedRows, m_rows, m_scrollPos[SB_VERT], !m_wholeRowScrolling,
                             &m_firstRowOffset);
    return m_topLeft;
}

int CGridCore::GetFirstRowOffset()
{
    GetTopLeftNonFixedCell();
    return m_firstRowOffset;
}

CGridCellRange CGridCore::GetVisibleNonFixedCellRange(SGridRect* covered)
{
    const SGridRect client = ClientRect();
    const CGridCellPos topLeft = GetTopLeftNonFixedCell();
    const int fixedHeight = GetFixedRowHeight();
    const int fixedWidth = GetFixedColumnWidth();

    const int y0 = fixedHeight + m_firstRowOffset;
    int maxRow = m_rows - 1;
    int bottom = client.bottom;
    if (topLeft.row < m_rows)
    {
        const long long base = m_rowHeights.Prefix(topLeft.row);
        const int k = m_rowHeights.LowerBound(base + (client.bottom - y0));
        if (k > m_rows)
            bottom = GridClampToInt(y0 + m_rowHeights.Total() - base);
        else
            maxRow = std::max(topLeft.row, k - 1);
    }
    else
        bottom = y0;

    int x = fixedWidth;
    int col = topLeft.col;
    for (; col < m_cols; ++col)
    {
        x += GetColumnWidth(col);
        if (x >= client.right)
        {
            x = client.right;
            break;
        }
    }
    const int maxCol = std::min(col, m_cols - 1);
    if (covered)
        *covered = SGridRect{0, 0, x, bottom};
    return CGridCellRange(topLeft.row, topLeft.col, maxRow, maxCol);
}

CGridCellPos CGridCore::GetCellFromPt(SGridPoint point, bool allowFixed)
{
    const CGridCellPos topLeft = GetTopLeftNonFixedCell();
    if (!allowFixed && !IsValid(topLeft))
        return CGridCellPos(-1, -1);
    const int fixedHeight = GetFixedRowHeight();
    const int fixedWidth = GetFixedColumnWidth();

    CGridCellPos cell;
    if (point.y < 0)
        cell.row = -1;
    else if (point.y < fixedHeight)
        cell.row = allowFixed ? m_rowHeights.LowerBound(point.y + 1LL) - 1 : -1;
    else
    {
        const long long base = m_rowHeights.Prefix(topLeft.row);
        const int y0 = fixedHeight + GetFirstRowOffset();
        const int k = m_rowHeights.LowerBound(base + (point.y - y0) + 1);
        cell.row = k > m_rows ? -1 : std::max(topLeft.row, k - 1);
    }

    if (point.x < 0)
        cell.col = -1;
    else if (point.x < fixedWidth)
    {
        cell.col = -1;
        if (allowFixed)
        {
            int right = 0;
            for (int col = 0; col < m_fixedCols; ++col)
            {
                right += std::max(0, GetMergedColumnWidth(col, cell.row));
                if (point.x < right)
                {
                    cell.col = col;
                    break;
                }
            }
        }
    }
    else
    {
        cell.col = -1;
        int right = fixedWidth;
        for (int col = topLeft.col; col < m_cols; ++col)
        {
            const int width =
                col == topLeft.col ? GetSpanWidthFrom(col, cell.row) : GetMergedColumnWidth(col, cell.row);
            if (width <= 0)
                continue;
            right += width;
            if (point.x < right)
            {
                cell.col = col;
                break;
            }
        }
    }
    if (cell.row >= 0 && cell.col >= 0)
        if (const CGridCellBase* hit = GetCell(cell.row, cell.col); hit && hit->IsMerged())
            cell.col = hit->GetMergeStart();
    return cell;
}

int CGridCore::RowTop(int row)
{
    if (row < m_fixedRows)
        return GridClampToInt(m_rowHeights.Prefix(row));
    const CGridCellPos topLeft = GetTopLeftNonFixedCell();
    return GetFixedRowHeight() + m_firstRowOffset +
           GridClampToInt(m_rowHeights.Prefix(row) - m_rowHeights.Prefix(topLeft.row));
}

int CGridCore::FixedWidthInRow(int row, int endCol) const
{
    int x = 0;
    for (int c = 0; c < std::min(endCol, m_fixedCols); ++c)
        x += std::max(0, GetMergedColumnWidth(c, row));
    return x;
}

bool CGridCore::GetCellOrigin(int row, int col, SGridPoint* origin)
{
    if (!IsValid(row, col))
        return false;
    const CGridCellPos topLeft = GetTopLeftNonFixedCell();
    if ((row >= m_fixedRows && row < topLeft.row) || (col >= m_fixedCols && col < topLeft.col))
        return false;
    int x = FixedWidthInRow(row, col);
    if (col >= m_fixedCols)
        x += GridClampToInt(m_colWidths.Prefix(col) - m_colWidths.Prefix(topLeft.col));
    if (origin)
        *origin = SGridPoint{x, RowTop(row)};
    return true;
}

bool CGridCore::GetMergedCellOrigin(int row, int col, SGridPoint* origin)
{
    if (!IsValid(row, col))
        return false;
    const CGridCellPos topLeft = GetTopLeftNonFixedCell();
    const CGridCellBase* cell = GetCell(row, col);
    const int spanEnd = cell && cell->IsMerged() ? cell->GetMergeEnd() : col;
    if ((row >= m_fixedRows && row < topLeft.row) || (col >= m_fixedCols && spanEnd < topLeft.col))
        return false;
    if (col < m_fixedCols || col >= topLeft.col)
        return GetCellOrigin(row, col, origin);
    // A span that begins left of the view: its origin lies left of the body.
    const int x = FixedWidthInRow(row, m_fixedCols) -
                  GridClampToInt(m_colWidths.Prefix(topLeft.col) - m_colWidths.Prefix(col));
    if (origin)
        *origin = SGridPoint{x, RowTop(row)};
    return true;
}

bool CGridCore::GetPlainCellRect(int row, int col, SGridRect* rect)
{
    SGridPoint origin;
    if (!GetCellOrigin(row, col, &origin))
        return false;
    if (rect)
        *rect = SGridRect{origin.x, origin.y, origin.x + GetColumnWidth(col) - 1,
                          origin.y + GetRowHeight(row) - 1};
    return true;
}

bool CGridCore::GetCellRect(int row, int col, SGridRect* rect)
{
    // A span is measured as its first cell.
    if (const CGridCellBase* cell = GetCell(row, col); cell && cell->IsMerged())
        col = cell->GetMergeStart();
    SGridPoint origin;
    if (!GetMergedCellOrigin(row, col, &origin))
        return false;
    if (rect)
        *rect = SGridRect{origin.x, origin.y, origin.x + GetMergedColumnWidth(col, row) - 1,
                          origin.y + GetRowHeight(row) - 1};
    return true;
}

SGridPoint CGridCore::GetPointClicked(int row, int col, SGridPoint point)
{
    if (const CGridCellBase* cell = GetCell(row, col); cell && cell->IsMerged())
        col = cell->GetMergeStart();
    SGridPoint origin;
    if (!GetMergedCellOrigin(row, col, &origin))
        return SGridPoint{};
    return SGridPoint{point.x - origin.x, point.y - origin.y};
}

bool CGridCore::IsCellVisible(int row, int col)
{
    if (!m_host || !m_host->HostIsWindow())
        return false;
    const CGridCellPos topLeft = GetTopLeftNonFixedCell();
    if ((row >= m_fixedRows && row < topLeft.row) || (col >= m_fixedCols && col < topLeft.col))
        return false;
    const SGridRect client = ClientRect();
    if (col >= 0)
    {
        const int x = col < m_fixedCols
                          ? GridClampToInt(m_colWidths.Prefix(col))
                          : GetFixedColumnWidth() +
                                GridClampToInt(m_colWidths.Prefix(col) - m_colWidths.Prefix(topLeft.col));
        if (x >= client.right)
            return false;
    }
    if (row >= 0)
    {
        const int y = row < m_fixedRows
                          ? GridClampToInt(m_rowHeights.Prefix(row))
                          : GetFixedRowHeight() + m_firstRowOffset +
                                GridClampToInt(m_rowHeights.Prefix(row) - m_rowHeights.Prefix(topLeft.row));
        if (y >= client.bottom)
            return false;
    }
    return true;
}

// ---------------------------------------------------------------- scroll bars

int CGridCore::ClampScrollPos(NGridScrollBar bar, int pos) const
{
    const int maximum = m_scrollMax[bar];
    const int page = m_scrollPage[bar];
    // As SetScrollInfo: the thumb never runs past the end of the range.
    const int highest = std::max(0, page > 0 ? maximum - page + 1 : maximum);
    return std::clamp(pos, 0, highest);
}

bool CGridCore::StoreScrollPos(NGridScrollBar bar, int pos)
{
    pos = ClampScrollPos(bar, pos);
    if (pos == m_scrollPos[bar])
        return false;
    m_scrollPos[bar] = pos;
    ForgetTopLeft();
    if (IsScrollBarShown(bar))
        SendScrollBar(bar);
    return true;
}

void CGridCore::SendScrollBar(NGridScrollBar bar)
{
    if (!m_host)
        return;
    SSentBar& sent = m_sentBars[bar];
    const bool shown = IsScrollBarShown(bar);
    if (!sent.known || sent.shown != shown)
        m_host->HostShowScrollBar(bar, shown);
    if (shown && (!sent.known || !sent.shown || sent.maximum != m_scrollMax[bar] ||
                  sent.page != m_scrollPage[bar] || sent.pos != m_scrollPos[bar]))
        m_host->HostSetScrollInfo(bar, m_scrollMax[bar], m_scrollPage[bar], m_scrollPos[bar]);
    sent = SSentBar{true, shown, m_scrollMax[bar], m_scrollPage[bar], m_scrollPos[bar]};
}

void CGridCore::SetScrollPos32(NGridScrollBar bar, int pos)
{
    ForgetTopLeft();
    if (StoreScrollPos(bar, pos) && m_allowDraw)
        InvalidateAll();
}

void CGridCore::ResetScrollBars()
{
    ForgetTopLeft();
    if (!m_allowDraw || !m_host || !m_host->HostIsWindow())
        return;
    SGridRect rect = m_host->HostClientRect();
    if (rect.IsEmpty())
        return;
    // The client area as it would be without bars.
    if (m_barsShown & 2)
        rect.right += m_host->HostScrollBarSize(SB_VERT);
    if (m_barsShown & 1)
        rect.bottom += m_host->HostScrollBarSize(SB_HORZ);

    const int fixedHeight = GetFixedRowHeight();
    const int fixedWidth = GetFixedColumnWidth();
    SGridRect body{rect.left + fixedWidth, rect.top + fixedHeight, rect.right, rect.bottom};
    if (body.IsEmpty())
    {
        m_barsShown = 0;
        m_scrollMax = {0, 0};
        m_scrollPage = {0, 0};
        m_scrollPos = {0, 0};
        SendScrollBar(SB_HORZ);
        SendScrollBar(SB_VERT);
        return;
    }
    const int contentHeight = GetVirtualHeight() - fixedHeight;
    const int contentWidth = GetVirtualWidth() - fixedWidth;
    int visibleHeight = body.Height();
    int visibleWidth = body.Width();
    if (visibleHeight < contentHeight)
        visibleWidth -= m_host->HostScrollBarSize(SB_VERT);
    if (visibleWidth < contentWidth)
        visibleHeight -= m_host->HostScrollBarSize(SB_HORZ);

    const bool vertical = visibleHeight < contentHeight;
    const bool horizontal = visibleWidth < contentWidth;
    m_scrollMax[SB_VERT] = vertical ? contentHeight - 1 : 0;
    m_scrollMax[SB_HORZ] = horizontal ? contentWidth - 1 : 0;
    m_scrollPage[SB_VERT] = vertical ? visibleHeight : 0;
    m_scrollPage[SB_HORZ] = horizontal ? visibleWidth : 0;
    m_barsShown = (horizontal ? 1 : 0) | (vertical ? 2 : 0);
    m_scrollPos[SB_HORZ] = ClampScrollPos(SB_HORZ, m_scrollPos[SB_HORZ]);
    m_scrollPos[SB_VERT] = ClampScrollPos(SB_VERT, m_scrollPos[SB_VERT]);
    for (NGridScrollBar bar : {SB_HORZ, SB_VERT})
        SendScrollBar(bar);
    ForgetTopLeft();
}

void CGridCore::OnSize(bool endEditing)
{
    // The guard belongs to this grid: one grid's resize must not block another's.
    if (m_inOnSize)
        return;
    m_inOnSize = true;
    if (endEditing)
        EndEditing();
    ResetScrollBars();
    m_inOnSize = false;
}

void CGridCore::OnHScroll(int code, int thumbPos)
{
    if (code > SB_ENDSCROLL - 1 || code < 0)
        return;
    HideTooltip();
    EndEditing();
    const SGridRect client = ClientRect();
    const int fixedWidth = GetFixedColumnWidth();
    const SGridRect body{fixedWidth, 0, client.right, client.bottom};
    const CGridCellPos topLeft = GetTopLeftNonFixedCell();
    const int pos = m_scrollPos[SB_HORZ];
    const int maximum = m_scrollMax[SB_HORZ];
    switch (code)
    {
    case SB_LINELEFT:
        if (pos > 0 && topLeft.col > m_fixedCols)
        {
            int col = topLeft.col - 1;
            while (col > m_fixedCols && GetColumnWidth(col) == 0)
                --col;
            StoreScrollPos(SB_HORZ, std::max(0, pos - GetColumnWidth(col)));
            Invalidate(body);
        }
        break;
    case SB_LINERIGHT:
        if (pos < maximum && topLeft.col < m_cols)
        {
            int col = topLeft.col;
            while (col < m_cols - 1 && GetColumnWidth(col) == 0)
                ++col;
            if (StoreScrollPos(SB_HORZ, pos + GetColumnWidth(col)))
                Invalidate(body);
        }
        break;
    case SB_PAGELEFT:
        if (pos > 0)
        {
            StoreScrollPos(SB_HORZ, std::max(0, pos - (client.Width() - fixedWidth)));
            Invalidate(body);
        }
        break;
    case SB_PAGERIGHT:
        if (pos < maximum)
        {
            StoreScrollPos(SB_HORZ, std::min(maximum, pos + (client.Width() - fixedWidth)));
            Invalidate(body);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        StoreScrollPos(SB_HORZ, thumbPos);
        if (!(GetTopLeftNonFixedCell() == topLeft))
            Invalidate(body);
        break;
    case SB_LEFT:
        if (pos > 0)
        {
            StoreScrollPos(SB_HORZ, 0);
            InvalidateAll();
        }
        break;
    case SB_RIGHT:
        if (pos < maximum)
        {
            StoreScrollPos(SB_HORZ, maximum);
            InvalidateAll();
        }
        break;
    default:
        break;
    }
}

void CGridCore::OnVScroll(int code, int thumbPos)
{
    if (code > SB_ENDSCROLL - 1 || code < 0)
        return;
    HideTooltip();
    EndEditing();
    const SGridRect client = ClientRect();
    const int fixedHeight = GetFixedRowHeight();
    const SGridRect body{0, fixedHeight, client.right, client.bottom};
    const CGridCellPos topLeft = GetTopLeftNonFixedCell();
    const int pos = m_scrollPos[SB_VERT];
    const int maximum = m_scrollMax[SB_VERT];
    const bool pixel = !m_wholeRowScrolling;
    constexpr int kPixelLineStep = 15;
    switch (code)
    {
    case SB_LINEUP:
        if (pos > 0)
        {
            int row = std::max(m_fixedRows, topLeft.row - 1);
            while (row > m_fixedRows && GetRowHeight(row) == 0)
                --row;
            int step = std::max(0, GetRowHeight(row));
            if (pixel)
                step = std::min(step, kPixelLineStep);
            StoreScrollPos(SB_VERT, std::max(0, pos - step));
            ForgetTopLeft();
            Invalidate(body);
        }
        break;
    case SB_LINEDOWN:
        if (pos < maximum && topLeft.row < m_rows)
        {
            int row = topLeft.row;
            while (row < m_rows - 1 && GetRowHeight(row) == 0)
                ++row;
            int step = std::max(0, GetRowHeight(row));
            if (pixel)
                step = std::min(step, kPixelLineStep);
            const bool moved = StoreScrollPos(SB_VERT, pos + step);
            ForgetTopLeft();
            if (moved)
                Invalidate(body);
        }
        break;
    case SB_PAGEUP:
        if (pos > 0)
        {
            StoreScrollPos(SB_VERT, std::max(0, pos - (client.Height() - fixedHeight)));
            Invalidate(body);
        }
        break;
    case SB_PAGEDOWN:
        if (pos < maximum)
        {
            StoreScrollPos(SB_VERT, std::min(maximum, pos + (client.Height() - fixedHeight)));
            Invalidate(body);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        StoreScrollPos(SB_VERT, thumbPos);
        if (pixel || !(GetTopLeftNonFixedCell() == topLeft))
            Invalidate(body);
        break;
    case SB_TOP:
        if (pos > 0)
        {
            StoreScrollPos(SB_VERT, 0);
            InvalidateAll();
        }
        break;
    case SB_BOTTOM:
        if (pos < maximum)
        {
            StoreScrollPos(SB_VERT, maximum);
            InvalidateAll();
        }
        break;
    default:
        break;
    }
}

void CGridCore::OnMouseWheel(int delta)
{
    const int lines = m_host ? m_host->HostWheelScrollLines() : 3;
    if (lines == kGridWheelPageScroll)
    {
        const int pages = delta / 120;
        for (int i = 0; i < std::abs(pages); ++i)
            OnVScroll(pages > 0 ? SB_PAGEUP : SB_PAGEDOWN);
        return;
    }
    const int steps = lines * delta / 120;
    for (int i = 0; i < std::abs(steps); ++i)
        OnVScroll(steps > 0 ? SB_LINEUP : SB_LINEDOWN);
}

void CGridCore::EnsureVisible(int row, int col)
{
    if (!m_allowDraw || !IsValid(row, col))
        return;
    const CGridCellRange visible = GetVisibleNonFixedCellRange();
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();

    // Whole columns into view, one step per visible column.
    for (int c = visible.maxCol + 1; c <= col; ++c)
        if (GetColumnWidth(c) > 0)
            OnHScroll(SB_LINERIGHT);
    for (int c = visible.minCol - 1; c >= col && c >= m_fixedCols; --c)
        if (GetColumnWidth(c) > 0)
            OnHScroll(SB_LINELEFT);

    if (row >= m_fixedRows)
    {
        if (m_wholeRowScrolling)
        {
            for (int r = visible.maxRow + 1; r <= row; ++r)
                if (GetRowHeight(r) > 0)
                    OnVScroll(SB_LINEDOWN);
            if (row < visible.minRow)
                SetScrollPos32(SB_VERT,
                               GridClampToInt(m_rowHeights.Prefix(row) - m_rowHeights.Prefix(m_fixedRows)));
        }
        else if (row < visible.minRow || (row == visible.minRow && GetFirstRowOffset() != 0))
            SetScrollPos32(SB_VERT,
                           GridClampToInt(m_rowHeights.Prefix(row) - m_rowHeights.Prefix(m_fixedRows)));
    }

    // Then the rest of the cell, as far as it goes.
    const SGridRect client = ClientRect();
    SGridRect rect;
    for (int guard = 0; guard < m_cols && GetCellRect(row, col, &rect); ++guard)
    {
        if (!(rect.right > client.right && rect.left > fixedWidth && IsScrollBarShown(SB_HORZ)))
            break;
        const int before = m_scrollPos[SB_HORZ];
        OnHScroll(SB_LINERIGHT);
        if (before == m_scrollPos[SB_HORZ])
            break;
    }
    for (int guard = 0; guard < m_rows && GetCellRect(row, col, &rect); ++guard)
    {
        if (!(rect.bottom > client.bottom && rect.top > fixedHeight && IsScrollBarShown(SB_VERT)))
            break;
        const int before = m_scrollPos[SB_VERT];
        if (m_wholeRowScrolling)
            OnVScroll(SB_LINEDOWN);
        else
            OnVScroll(SB_THUMBPOSITION, before + (rect.bottom - client.bottom));
        if (before == m_scrollPos[SB_VERT])
            break;
    }
}
