// The mouse of CGridCore: pressing, dragging and releasing over cells,
// dragging and double-clicking dividers, the auto-scroll timer, the cells'
// mouse hooks and the hot-spot tip.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "grid/GridCore.h"

namespace
{

bool IsSizingMode(NGridMouseMode mode)
{
    return mode == GMM_SIZING_COLUMN || mode == GMM_SIZING_ROW;
}

bool IsDividerMode(NGridMouseMode mode)
{
    return mode == GMM_OVER_ROW_DIVIDER || mode == GMM_SIZING_ROW || mode == GMM_OVER_COLUMN_DIVIDER ||
           mode == GMM_SIZING_COLUMN;
}

int Limit(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

bool CGridCore::MouseOverColumnResizeArea(SGridPoint point)
{
    if (point.y >= GetFixedRowHeight())
        return false;
    const CGridCellPos cell = GetCellFromPt(point);
    SGridPoint origin;
    if (!IsValid(cell) || !GetMergedCellOrigin(cell.row, cell.col, &origin))
        return false;
    const int width = GetMergedColumnWidth(cell.col, cell.row);
    return (point.x - origin.x < kGridResizeCaptureRange && cell.col != 0) ||
           origin.x + width - point.x < kGridResizeCaptureRange;
}

bool CGridCore::MouseOverRowResizeArea(SGridPoint point)
{
    if (point.x >= GetFixedColumnWidth())
        return false;
    const CGridCellPos cell = GetCellFromPt(point);
    SGridPoint origin;
    if (!IsValid(cell) || !GetMergedCellOrigin(cell.row, cell.col, &origin))
        return false;
    const int height = GetRowHeight(cell.row);
    return (point.y - origin.y < kGridResizeCaptureRange && cell.row != 0) ||
           origin.y + height - point.y < kGridResizeCaptureRange;
}

bool CGridCore::PointInCellText(const CGridCellPos& cell, SGridPoint point)
{
    CGridCellBase* hit = GetCell(cell.row, cell.col);
    SGridRect rect;
    if (!hit || !GetCellRect(cell.row, cell.col, &rect))
        return false;
    hit->GetTextRect(&rect);
    return rect.Contains(point);
}

void CGridCore::OnLButtonDown(SGridPoint point)
{
    if (m_host)
        m_host->HostSetFocus();
    m_clickDownPoint = point;
    m_leftButtonDown = true;
    m_dividerDoubleClick = false;
    m_clickDownCell = GetCellFromPt(point);
    if (!IsValid(m_clickDownCell))
        return;

    const unsigned keys = m_host ? m_host->HostModifiers() : 0;
    const bool shift = (keys & GRID_MK_SHIFT) != 0;
    const bool ctrl = (keys & GRID_MK_CONTROL) != 0;
    if (!shift)
        m_anchorCell = m_clickDownCell;
    else if (!IsValid(m_anchorCell))
        m_anchorCell = m_focusCell;

    EndEditing();
    // Committing an edit may have reshaped the grid.
    if (!IsValid(m_clickDownCell))
        return;
    const int row = m_clickDownCell.row;
    const int col = m_clickDownCell.col;
    if (CGridCellBase* cell = GetCell(row, col))
        cell->OnClickDown(GetPointClicked(row, col, point));

    const bool inText = PointInCellText(m_clickDownCell, point);
    if (m_clickDownCell == m_focusCell && !ctrl && inText && IsCellEditable(row, col))
    {
        m_mouseMode = GMM_PREPARE_EDIT; // the edit opens on release
        return;
    }

    if (IsCellSelected(row, col))
    {
        SetFocusCell(row, col);
        if (ctrl)
        {
            if (m_listMode)
                SelectRows(row, col, true, false, false);
            else
                SelectCells(m_clickDownCell, true, false);
            return;
        }
        // With drag-and-drop a move starts a drag; without, the press selects as any other.
        if (m_dragAndDrop)
            m_mouseMode = GMM_PREPARE_DRAG;
    }
    else if (!IsDividerMode(m_mouseMode))
    {
        if (IsFixedCell(m_clickDownCell))
            SetFocusCell(-1, -1);
        else
            SetFocusCell(row, col);
    }

    if (m_host)
        m_host->HostCaptureMouse();
    if (m_mouseMode == GMM_NONE)
    {
        if (m_allowColumnResize && MouseOverColumnResizeArea(point))
        {
            if (m_host)
                m_host->HostSetCursor(NGridCursor::SizeWE);
            m_mouseMode = GMM_OVER_COLUMN_DIVIDER;
        }
        else if (m_allowRowResize && MouseOverRowResizeArea(point))
        {
            if (m_host)
                m_host->HostSetCursor(NGridCursor::SizeNS);
            m_mouseMode = GMM_OVER_ROW_DIVIDER;
        }
    }

    if (m_mouseMode == GMM_OVER_COLUMN_DIVIDER || m_mouseMode == GMM_OVER_ROW_DIVIDER)
    {
        if (!StartSizing(point, m_mouseMode == GMM_OVER_COLUMN_DIVIDER))
            return;
    }
    else if (m_mouseMode != GMM_PREPARE_DRAG)
    {
        SendNotify(row, col, GRIDN_SELCHANGING);
        m_addToSelection = ctrl;
        if (row < m_fixedRows)
            OnFixedRowClick(m_clickDownCell);
        else if (col < m_fixedCols)
            OnFixedColumnClick(m_clickDownCell);
        else
        {
            m_mouseMode = m_listMode ? GMM_SELECT_ROWS : GMM_SELECT_CELLS;
            OnSelecting(m_clickDownCell);
            m_autoScrollTimer = kGridAutoScrollTimer;
            if (m_host)
                m_host->HostSetTimer(kGridAutoScrollTimer, kGridAutoScrollInterval);
        }
    }
    m_lastMousePoint = point;
}

bool CGridCore::StartSizing(SGridPoint point, bool column)
{
    m_mouseMode = column ? GMM_SIZING_COLUMN : GMM_SIZING_ROW;
    m_trackVertical = column;
    const SGridRect client = ClientRect();
    SGridRect covered;
    GetVisibleNonFixedCellRange(&covered);
    CGridCellPos& cell = m_clickDownCell;
    SGridPoint origin;
    if (column)
    {
        // A last column too narrow to grab is taken at the end of the columns.
        const int last = m_cols - 1;
        const bool narrowLast = GetColumnWidth(last) < kGridResizeCaptureRange;
        if (narrowLast && std::abs(point.x - covered.right) < kGridResizeCaptureRange)
            cell.col = last;
        if (!GetCellOrigin(0, cell.col, &origin))
            return false;
        MoveTrackLine(point.x);
        if (point.x - origin.x < kGridResizeCaptureRange && cell.col > 0 && !(cell.col == last && narrowLast))
        {
            --cell.col;
            if (!GetCellOrigin(0, cell.col, &origin))
                return false;
        }
        // The pointer may reach the column's left edge, so a drag can hide the column.
        m_sizingBounds = SGridRect{origin.x, client.top,
                                   origin.x + (client.Width() - GetFixedColumnWidth()) + 1, client.bottom};
    }
    else
    {
        const int last = m_rows - 1;
        const bool narrowLast = GetRowHeight(last) < kGridResizeCaptureRange;
        if (narrowLast && std::abs(point.y - covered.bottom) < kGridResizeCaptureRange)
            cell.row = last;
        if (!GetCellOrigin(cell.row, 0, &origin))
            return false;
        MoveTrackLine(point.y);
        if (point.y - origin.y < kGridResizeCaptureRange && cell.row > 0 && !(cell.row == last && narrowLast))
        {
            --cell.row;
            if (!GetCellOrigin(cell.row, 0, &origin))
                return false;
        }
        m_sizingBounds = SGridRect{client.left, origin.y, client.right,
                                   origin.y + (client.Height() - GetFixedRowHeight()) + 1};
    }
    m_sizingClamp = true;
    return true;
}

SGridPoint CGridCore::ClampToSizing(SGridPoint point) const
{
    if (!m_sizingClamp)
        return point;
    const SGridRect& b = m_sizingBounds;
    return SGridPoint{Limit(point.x, b.left, std::max(b.left, b.right - 1)),
                      Limit(point.y, b.top, std::max(b.top, b.bottom - 1))};
}

SGridRect CGridCore::TrackBand(int pos) const
{
    const SGridRect client = ClientRect();
    if (m_trackVertical)
        return SGridRect{pos, client.top, pos + kGridTrackLineWidth, client.bottom};
    return SGridRect{client.left, pos, client.right, pos + kGridTrackLineWidth};
}

void CGridCore::MoveTrackLine(int pos)
{
    if (pos == m_trackLine)
        return;
    if (m_trackLine >= 0)
        Invalidate(TrackBand(m_trackLine));
    m_trackLine = pos < 0 ? -1 : pos;
    if (m_trackLine >= 0)
        Invalidate(TrackBand(m_trackLine));
}

void CGridCore::EndSizing(SGridPoint point, bool column)
{
    MoveTrackLine(-1);
    if (point == m_clickDownPoint || (point.x == 0 && point.y == 0))
        return;
    SGridPoint origin;
    if (!GetCellOrigin(m_clickDownCell.row, m_clickDownCell.col, &origin))
        return;
    if (column)
        SetColumnWidth(m_clickDownCell.col, std::max(point.x - origin.x, 0));
    else
        SetRowHeight(m_clickDownCell.row, std::max(point.y - origin.y, 0));
    ResetScrollBars();
    InvalidateAll();
}

void CGridCore::OnFixedRowClick(CGridCellPos& cell)
{
    if (m_sortOnHeadingClick)
        SortOnHeadingClick(cell.col);
    m_mouseMode = cell.col < m_fixedCols ? GMM_SELECT_ALL : GMM_SELECT_COLUMN;
    OnSelecting(cell);
}

void CGridCore::OnFixedColumnClick(CGridCellPos& cell)
{
    if (!m_fixedRowSelection)
        return;
    m_mouseMode = cell.row < m_fixedRows ? GMM_SELECT_ALL : GMM_SELECT_ROWS;
    OnSelecting(cell);
}

void CGridCore::OnMouseMove(SGridPoint point)
{
    if (IsSizingMode(m_mouseMode))
        point = ClampToSizing(point);
    if (m_mouseMode != GMM_DRAGGING && !ClientRect().Contains(point))
        return;

    if (m_leftButtonDown && m_mouseMode != GMM_NONE)
    {
        if (IsValid(m_clickDownCell))
        {
            switch (m_mouseMode)
            {
            case GMM_SELECT_COLUMN:
            case GMM_SELECT_ROWS:
            case GMM_SELECT_CELLS:
            {
                const CGridCellPos cell = GetCellFromPt(point);
                if (!IsValid(cell))
                    break;
                if (CGridCellBase* hit = GetCell(cell.row, cell.col))
                    hit->OnMouseOver();
                if (!(cell == m_focusCell))
                {
                    OnSelecting(cell);
                    if (m_mouseMode != GMM_SELECT_CELLS || !IsFixedCell(cell))
                        SetFocusCell(cell);
                }
                break;
            }
            case GMM_SIZING_ROW:
                MoveTrackLine(point.y);
                break;
            case GMM_SIZING_COLUMN:
                MoveTrackLine(point.x);
                break;
            case GMM_PREPARE_EDIT:
            case GMM_PREPARE_DRAG:
                m_mouseMode = GMM_PREPARE_DRAG;
                OnBeginDrag();
                break;
            default:
                break;
            }
        }
        m_lastMousePoint = point;
        return;
    }

    if (m_allowColumnResize && MouseOverColumnResizeArea(point))
    {
        if (m_mouseMode != GMM_OVER_COLUMN_DIVIDER)
        {
            if (m_host)
                m_host->HostSetCursor(NGridCursor::SizeWE);
            m_mouseMode = GMM_OVER_COLUMN_DIVIDER;
        }
    }
    else if (m_allowRowResize && MouseOverRowResizeArea(point))
    {
        if (m_mouseMode != GMM_OVER_ROW_DIVIDER)
        {
            if (m_host)
                m_host->HostSetCursor(NGridCursor::SizeNS);
            m_mouseMode = GMM_OVER_ROW_DIVIDER;
        }
    }
    else if (m_mouseMode != GMM_NONE)
    {
        if (m_host)
            m_host->HostSetCursor(NGridCursor::Arrow);
        m_mouseMode = GMM_NONE;
    }
    if (m_mouseMode == GMM_NONE)
        Hover(point);
    m_lastMousePoint = point;
}

void CGridCore::Hover(SGridPoint point)
{
    const CGridCellPos cell = GetCellFromPt(point);
    if (!(cell == m_hoverCell))
    {
        if (CGridCellBase* old = GetCell(m_hoverCell.row, m_hoverCell.col))
            old->OnMouseLeave();
        if (CGridCellBase* now = GetCell(cell.row, cell.col))
            now->OnMouseEnter();
        m_hoverCell = cell;
    }
    CGridCellBase* hit = GetCell(cell.row, cell.col);
    if (!hit)
        return;
    hit->OnMouseOver();

    SGridRect rect;
    std::wstring title;
    std::wstring text;
    SGridPoint origin;
    if (hit->HitTestHotSpot(GetPointClicked(cell.row, cell.col, point), &rect, &title, &text) &&
        GetMergedCellOrigin(cell.row, cell.col, &origin))
    {
        rect = SGridRect{rect.left + origin.x, rect.top + origin.y, rect.right + origin.x,
                         rect.bottom + origin.y};
        if (rect == m_tipRect && title == m_tipTitle && text == m_tipText)
            return;
        if (m_host)
            m_host->HostSetTipTool(rect, title, text);
        m_tipTool = true;
        m_tipRect = rect;
        m_tipTitle = title;
        m_tipText = text;
    }
    else if (m_tipTool)
    {
        HideTooltip();
        if (m_host)
            m_host->HostRemoveTipTool();
        m_tipTool = false;
    }
}

void CGridCore::HideTooltip()
{
    if (!m_host)
        return;
    m_tipRect = SGridRect{};
    m_tipTitle.clear();
    m_tipText.clear();
    m_host->HostPopTip();
}

void CGridCore::OnMouseLeaveWindow()
{
    HideTooltip();
}

void CGridCore::KillAutoScroll()
{
    if (m_host)
        m_host->HostKillTimer(kGridAutoScrollTimer);
    m_autoScrollTimer = 0;
}

void CGridCore::OnLButtonUp(SGridPoint point)
{
    m_leftButtonDown = false;
    if (IsSizingMode(m_mouseMode))
        point = ClampToSizing(point);
    m_sizingClamp = false;
    if (m_host && m_host->HostHasCapture())
    {
        m_host->HostReleaseMouse();
        KillAutoScroll();
    }

    const CGridCellPos focus = m_focusCell;
    // The release of a double-click on a divider: the double-click sized the
    // column or row; the release neither sizes it again nor clicks the heading.
    if (!std::exchange(m_dividerDoubleClick, false))
    {
        switch (m_mouseMode)
        {
        case GMM_PREPARE_EDIT:
            OnEditCell(focus.row, focus.col, GetPointClicked(focus.row, focus.col, point), VK_LBUTTON);
            break;
        case GMM_PREPARE_DRAG:
            if (CGridCellBase* cell = GetCell(focus.row, focus.col))
                cell->OnClick(GetPointClicked(focus.row, focus.col, point));
            SendNotify(m_clickDownCell.row, m_clickDownCell.col, NM_CLICK);
            SendNotify(m_clickDownCell.row, m_clickDownCell.col, GRIDN_SELCHANGING);
            ResetSelectedRange();
            SendNotify(m_focusCell.row, m_focusCell.col, GRIDN_SELCHANGED);
            break;
        case GMM_SIZING_COLUMN:
            EndSizing(point, true);
            break;
        case GMM_SIZING_ROW:
            EndSizing(point, false);
            break;
        default:
            // A press outside every cell clicked nothing: no click for (-1, -1).
            if (!IsValid(m_clickDownCell))
                break;
            if (CGridCellBase* cell = GetCell(focus.row, focus.col))
                cell->OnClick(GetPointClicked(focus.row, focus.col, point));
            SendNotify(m_focusCell.row, m_focusCell.col, GRIDN_SELCHANGED);
            SendNotify(m_clickDownCell.row, m_clickDownCell.col, NM_CLICK);
            break;
        }
    }

    m_mouseMode = GMM_NONE;
    if (m_host)
        m_host->HostSetCursor(NGridCursor::Arrow);
    if (IsValid(m_clickDownCell) && m_host && m_host->HostIsWindow())
        m_host->HostPostCommand();
}

void CGridCore::OnLButtonDblClk(SGridPoint point)
{
    // GTK's second press comes before the double-click and has started a
    // divider drag: the double-click takes its place.
    if (IsSizingMode(m_mouseMode))
    {
        MoveTrackLine(-1);
        m_sizingClamp = false;
        m_mouseMode = m_mouseMode == GMM_SIZING_COLUMN ? GMM_OVER_COLUMN_DIVIDER : GMM_OVER_ROW_DIVIDER;
    }
    m_dividerDoubleClick = IsDividerMode(m_mouseMode);
    const CGridCellPos cell = GetCellFromPt(point);
    if (!IsValid(cell))
        return;
    SGridPoint origin;
    switch (m_mouseMode)
    {
    case GMM_OVER_COLUMN_DIVIDER:
    {
        if (!GetCellOrigin(0, cell.col, &origin))
            return;
        int col = cell.col;
        if (point.x - origin.x < kGridResizeCaptureRange)
            --col;
        while (col >= 0 && GetMergedColumnWidth(col, 0) <= 0)
            --col;
        if (col < 0)
            return;
        AutoSizeColumn(col, m_autoSizeStyle, true);
        InvalidateAll();
        break;
    }
    case GMM_OVER_ROW_DIVIDER:
    {
        if (!GetCellOrigin(cell.row, 0, &origin))
            return;
        int row = cell.row;
        if (point.y - origin.y < kGridResizeCaptureRange)
            --row;
        while (row >= 0 && GetRowHeight(row) <= 0)
            --row;
        if (row < 0)
            return;
        AutoSizeRow(row);
        InvalidateAll();
        break;
    }
    case GMM_NONE:
    {
        const SGridPoint relative = GetPointClicked(cell.row, cell.col, point);
        if (!IsFixedCell(cell) && PointInCellText(cell, point) && (IsValid(m_clickDownCell) || m_listMode))
            OnEditCell(cell.row, cell.col, relative, VK_LBUTTON);
        if (CGridCellBase* hit = GetCell(cell.row, cell.col))
            hit->OnDblClick(relative);
        SendNotify(cell.row, cell.col, NM_DBLCLK);
        break;
    }
    default:
        break;
    }
}

void CGridCore::OnRButtonUp(SGridPoint point)
{
    const CGridCellPos cell = GetCellFromPt(point);
    EndEditing();
    if (!IsValid(cell))
    {
        SendNotify(-1, -1, NM_RCLICK);
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(cell);
    if (CGridCellBase* hit = GetCell(cell.row, cell.col))
        hit->OnRClick(GetPointClicked(cell.row, cell.col, point));
    SendNotify(cell.row, cell.col, NM_RCLICK);
}

void CGridCore::OnSetCursor(SGridPoint point)
{
    if (!m_host)
        return;
    switch (m_mouseMode)
    {
    case GMM_OVER_ROW_DIVIDER:
        m_host->HostSetCursor(NGridCursor::SizeNS);
        break;
    case GMM_OVER_COLUMN_DIVIDER:
        m_host->HostSetCursor(NGridCursor::SizeWE);
        break;
    case GMM_DRAGGING:
        break;
    default:
    {
        const CGridCellPos cell = GetCellFromPt(point);
        if (CGridCellBase* hit = m_virtualMode ? nullptr : GetCell(cell.row, cell.col))
            hit->OnSetCursor();
        else
            m_host->HostSetCursor(NGridCursor::Arrow);
        break;
    }
    }
}

void CGridCore::OnCaptureChanged(bool toGrid)
{
    if (toGrid)
        return;
    KillAutoScroll();
    if (m_mouseMode == GMM_DRAGGING)
        m_mouseMode = GMM_NONE;
    // The release will not come here: a divider drag ends unsized, without its line.
    if (IsSizingMode(m_mouseMode))
    {
        MoveTrackLine(-1);
        m_sizingClamp = false;
        m_leftButtonDown = false;
        m_mouseMode = GMM_NONE;
    }
}

void CGridCore::OnTimer(int id)
{
    if (id != kGridAutoScrollTimer || !m_host)
        return;
    SGridPoint point;
    if (!m_host->HostCursorPos(&point))
        return;
    const SGridRect client = ClientRect();
    const int fixedHeight = GetFixedRowHeight();
    const int fixedWidth = GetFixedColumnWidth();
    const int x = Limit(point.x, client.left, client.right);
    const int y = Limit(point.y, client.top, client.bottom);
    // While a mouse mode is set the keys only move the focus and scroll.
    if (point.y >= client.bottom)
    {
        OnKeyDown(VK_DOWN);
        OnSelecting(GetCellFromPt(SGridPoint{x, client.bottom}));
    }
    else if (point.y < fixedHeight)
    {
        OnKeyDown(VK_UP);
        OnSelecting(GetCellFromPt(SGridPoint{x, fixedHeight + 1}));
    }
    if (point.x >= client.right)
    {
        OnKeyDown(VK_RIGHT);
        OnSelecting(GetCellFromPt(SGridPoint{client.right, y}));
    }
    else if (point.x < fixedWidth)
    {
        OnKeyDown(VK_LEFT);
        OnSelecting(GetCellFromPt(SGridPoint{fixedWidth + 1, y}));
    }
}
