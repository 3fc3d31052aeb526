// Keyboard navigation: the focus moves, the selection follows it and the
// view scrolls after it.
#include <algorithm>

#include "grid/GridCore.h"

namespace
{

constexpr unsigned kKeyA = 'A';
constexpr unsigned kKeyC = 'C';
constexpr unsigned kKeyS = 'S';

// A column is shown in a row when its width there is positive; the inner
// columns of a span answer -1 and are passed over like hidden ones.
bool ColumnShown(const CGridCore& grid, int col, int row)
{
    return grid.GetMergedColumnWidth(col, row) > 0;
}

bool RowShown(const CGridCore& grid, int row)
{
    return grid.GetRowHeight(row) > 0;
}

/// The nearest shown column left (step -1) or right (+1) of col, or -1.
int NextColumn(const CGridCore& grid, int col, int row, int step)
{
    for (int c = col + step; c >= grid.GetFixedColumnCount() && c < grid.GetColumnCount(); c += step)
        if (ColumnShown(grid, c, row))
            return c;
    return -1;
}

/// The nearest shown non-fixed row above (step -1) or below (+1) row, or -1.
int NextRow(const CGridCore& grid, int row, int step)
{
    for (int r = row + step; r >= grid.GetFixedRowCount() && r < grid.GetRowCount(); r += step)
        if (RowShown(grid, r))
            return r;
    return -1;
}

/// The first (step +1) or last (step -1) shown non-fixed column of a row.
int EdgeColumn(const CGridCore& grid, int row, int step)
{
    const int first = grid.GetFixedColumnCount();
    const int last = grid.GetColumnCount() - 1;
    const int start = step > 0 ? first : last;
    if (ColumnShown(grid, start, row))
        return start;
    const int found = NextColumn(grid, start, row, step);
    return found >= 0 ? found : start;
}

/// Scrolls the view a page up or down and answers the row the focus moves to.
/// The focus moves by as many rows as the top row did, but stays among the
/// rows that begin in the new view; while a row taller than the page fills
/// the view it stays where it is. Only a view that cannot scroll on (or that
/// reached its end inside the same top row) sends it to the first or last row.
int PageRow(CGridCore& grid, int focusRow, bool up)
{
    const int first = grid.GetFixedRowCount();
    const int last = grid.GetRowCount() - 1;
    const int topBefore = grid.GetTopLeftNonFixedCell().row;
    int pos = grid.GetScrollPos32(SB_VERT);
    bool scrolled = false;
    for (;;)
    {
        grid.OnVScroll(up ? SB_PAGEUP : SB_PAGEDOWN);
        const int now = grid.GetScrollPos32(SB_VERT);
        if (now == pos)
            break;
        pos = now;
        scrolled = true;
        // With whole rows a page that ends inside a tall row shows the same rows: page on.
        if (!grid.GetWholeRowScrolling() || grid.GetTopLeftNonFixedCell().row != topBefore)
            break;
    }
    const int topAfter = grid.GetTopLeftNonFixedCell().row;
    const int page = grid.GetScrollPage(SB_VERT);
    const int maximum = grid.GetScrollMax(SB_VERT);
    const int end = up ? 0 : std::max(0, page > 0 ? maximum - page + 1 : maximum);
    if (!scrolled || (topAfter == topBefore && pos == end))
        return up ? first : last;

    const int row = std::clamp(focusRow + (topAfter - topBefore), first, last);
    const CGridCellRange view = grid.GetVisibleNonFixedCellRange();
    const int low = grid.GetFirstRowOffset() < 0 ? view.minRow + 1 : view.minRow;
    if (low > view.maxRow)
        return focusRow;
    return std::clamp(row, low, view.maxRow);
}

} // namespace

void CGridCore::OnKeyDown(unsigned key)
{
    const unsigned modifiers = Modifiers();
    const bool ctrl = (modifiers & GRID_MK_CONTROL) != 0;
    const bool shift = (modifiers & GRID_MK_SHIFT) != 0;

    if (ctrl && key == kKeyS)
        SendNotify(static_cast<int>(kKeyS), 2, GRIDN_KEYCOMMAND);
    if (!IsValid(m_focusCell))
        return;

    if (key == VK_SPACE)
    {
        SendNotify(VK_SPACE, 1, GRIDN_KEYCOMMAND);
        return;
    }
    if (ctrl && key == kKeyA)
    {
        OnEditSelectAll();
        return;
    }
    if (ctrl && key == kKeyC)
    {
        OnEditCopy();
        return;
    }

    CGridCellPos next = m_focusCell;
    const bool tab = key == VK_TAB;
    const bool backTab = tab && shift;
    bool wrapped = false;
    bool hScrolled = false;
    bool vScrolled = false;
    bool keepView = false;
    // The scroll step that follows the focus out of view.
    int hStep = -1;
    int vStep = -1;

    switch (key)
    {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    {
        const int step = (key == VK_LEFT || backTab) ? -1 : 1;
        const int col = NextColumn(*this, next.col, next.row, step);
        if (col >= 0)
        {
            next.col = col;
            hStep = step < 0 ? SB_LINELEFT : SB_LINERIGHT;
        }
        else if (tab)
        {
            // Nothing further in this row: on to the next shown row, or the edge row.
            const int edgeRow = step > 0 ? m_rows - 1 : m_fixedRows;
            if (next.row != edgeRow)
            {
                const int row = NextRow(*this, next.row, step);
                next.row = row >= 0 ? row : edgeRow;
                next.col = EdgeColumn(*this, next.row, step);
                wrapped = true;
            }
        }
        break;
    }
    case VK_UP:
    case VK_DOWN:
    {
        const int step = key == VK_UP ? -1 : 1;
        const int row = NextRow(*this, next.row, step);
        if (row >= 0)
        {
            next.row = row;
            vStep = step < 0 ? SB_LINEUP : SB_LINEDOWN;
        }
        break;
    }
    case VK_PRIOR:
    case VK_NEXT:
    {
        const bool up = key == VK_PRIOR;
        next.row = PageRow(*this, next.row, up);
        vScrolled = true;
        vStep = up ? SB_LINEUP : SB_LINEDOWN;
        // The page put the view where it is; a row taller than the body is
        // not pulled back to show its top or its end.
        keepView = GetRowHeight(next.row) > ClientRect().bottom - GetFixedRowHeight();
        break;
    }
    case VK_HOME:
    {
        if (ctrl)
        {
            OnVScroll(SB_TOP);
            vScrolled = true;
            next.row = m_fixedRows;
            vStep = SB_LINEUP;
        }
        OnHScroll(SB_LEFT);
        hScrolled = true;
        hStep = SB_LINELEFT;
        next.col = m_fixedCols;
        while (next.col < m_cols - 1 && GetColumnWidth(next.col) <= 0)
            ++next.col;
        while (next.row < m_rows - 1 && !RowShown(*this, next.row))
            ++next.row;
        break;
    }
    case VK_END:
    {
        if (ctrl)
        {
            OnVScroll(SB_BOTTOM);
            vScrolled = true;
            next.row = m_rows - 1;
            vStep = SB_LINEDOWN;
        }
        OnHScroll(SB_RIGHT);
        hScrolled = true;
        hStep = SB_LINERIGHT;
        next.col = m_cols - 1;
        while (next.col > m_fixedCols + 1 && GetColumnWidth(next.col) <= 0)
            --next.col;
        while (next.row > m_fixedRows + 1 && !RowShown(*this, next.row))
            --next.row;
        break;
    }
    case VK_RETURN:
    case VK_DELETE:
        SendNotify(static_cast<int>(key), 1, GRIDN_KEYCOMMAND);
        return;
    case VK_F2:
        OnEditCell(m_focusCell.row, m_focusCell.col, SGridPoint{-1, -1}, VK_LBUTTON);
        return;
    default:
        return;
    }

    if (next == m_focusCell || !IsValid(next))
        return;

    if (m_mouseMode == GMM_NONE)
    {
        m_mouseMode = m_listMode ? GMM_SELECT_ROWS : GMM_SELECT_CELLS;
        if (!shift || tab)
            m_anchorCell = next;
        SendNotify(next.row, next.col, GRIDN_SELCHANGING);
        OnSelecting(next);
        SendNotify(next.row, next.col, GRIDN_SELCHANGED);
        m_mouseMode = GMM_NONE;
    }

    SetFocusCell(next);

    if (!IsCellVisible(next.row, next.col))
    {
        if (wrapped)
        {
            OnVScroll(backTab ? SB_LINEUP : SB_LINEDOWN);
            vScrolled = true;
            SetScrollPos32(SB_HORZ, backTab ? GetScrollMax(SB_HORZ) : 0);
        }
        else
        {
            if (hStep >= 0)
            {
                OnHScroll(hStep);
                hScrolled = true;
            }
            if (vStep >= 0)
            {
                OnVScroll(vStep);
                vScrolled = true;
            }
        }
        EnsureVisible(next.row, next.col);
        InvalidateAll();
    }

    if (!keepView)
        EnsureVisible(next.row, next.col);
    if (hScrolled)
        OnHScroll(SB_ENDSCROLL);
    if (vScrolled)
        OnVScroll(SB_ENDSCROLL);
}

void CGridCore::OnChar(unsigned ch)
{
    if ((Modifiers() & GRID_MK_CONTROL) != 0 || m_mouseMode != GMM_NONE || ch == VK_ESCAPE)
        return;
    if (ch == VK_TAB && m_handleTabKey)
        return;
    OnEditCell(m_focusCell.row, m_focusCell.col, SGridPoint{-1, -1}, ch | kGridTypedChar);
}
