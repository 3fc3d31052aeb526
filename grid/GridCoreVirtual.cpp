// Virtual mode of CGridCore: no cells are stored; one cell is refilled from
// the owner whenever a cell is asked for, and the ranges about to be drawn,
// auto-sized or copied are announced beforehand.
#include <algorithm>
#include <new>

#include "grid/GridCacheHint.h"
#include "grid/GridCell.h"
#include "grid/GridCore.h"

void CGridCore::SetVirtualMode(bool on)
{
    if (on == m_virtualMode)
        return;
    // Stored cells and owner-supplied ones never mix: the grid starts empty.
    CancelEditing();
    DeleteAllItems();
    m_virtualMode = on;
}

CGridCellBase* CGridCore::GetVirtualCell(int row, int col) const
{
    if (!m_virtualCell)
        m_virtualCell = std::make_unique<CGridCell>();
    const bool fixedRow = row < m_fixedRows;
    const bool fixedCol = col < m_fixedCols;
    const CGridDefaultCell* def = GetDefaultCell(fixedRow, fixedCol);

    SGridDisplayInfo info;
    info.hdr = SGridNotifyHeader{this, m_controlId, GRIDN_GETDISPINFO};
    info.row = row;
    info.col = col;
    info.mask = ~0u;
    info.format = def->GetFormat();
    info.image = def->GetImage();
    info.backColor = def->GetBackColor();
    info.textColor = def->GetTextColor();
    info.lParam = def->GetData();
    if (const SGridFont* font = def->GetFont())
        info.font = *font;
    info.margin = static_cast<unsigned>(std::max(0, def->GetMargin()));
    if (fixedRow)
        info.state |= GCS_FIXED | GCS_FIXEDROW;
    if (fixedCol)
        info.state |= GCS_FIXED | GCS_FIXEDCOL;
    if (CGridCellPos(row, col) == m_focusCell)
        info.state |= GCS_FOCUSED;
    if (m_virtualCallback)
        m_virtualCallback(info);
    else if (m_host && m_host->HostIsWindow())
        m_host->HostGetDispInfo(info);

    // An open edit of the cell stays as it is; everything else is the owner's answer.
    CGridCellBase& cell = *m_virtualCell;
    cell.SetGrid(const_cast<CGridCore*>(this));
    cell.SetCoords(row, col);
    cell.SetMergeRange(-1, -1);
    cell.SetText(info.text);
    cell.SetCopyText(std::wstring());
    cell.SetImage(info.image);
    cell.SetData(info.lParam);
    cell.SetState(info.state);
    cell.SetFormat(info.format);
    cell.SetTextColor(info.textColor);
    cell.SetAltTextColor(info.textColor);
    cell.SetBackColor(info.backColor);
    cell.SetAltBackColor(info.backColor);
    cell.SetFont(&info.font);
    cell.SetMargin(static_cast<int>(info.margin));
    return &cell;
}

bool CGridCore::SetVirtualCount(bool rows, int count)
{
    CGridSizeIndex& sizes = rows ? m_rowHeights : m_colWidths;
    int& stored = rows ? m_rows : m_cols;
    // New rows take the normal cell's height, new columns the fixed column's width.
    const int size = rows ? m_cellDefault.GetHeight() : m_cellFixedColDef.GetWidth();
    bool result = true;
    try
    {
        sizes.Resize(count, size);
        stored = count;
    }
    catch (const std::bad_alloc&)
    {
        sizes.Resize(stored, size);
        result = false;
    }
    SetSortColumn(-1);
    m_modified = true;
    ResetScrollBars();
    if (m_allowDraw)
        InvalidateAll();
    return result;
}

void CGridCore::SendCacheHint(const CGridCellRange& range)
{
    if (!m_host || !m_host->HostIsWindow())
        return;
    m_host->HostCacheHint(SGridCacheHint{SGridNotifyHeader{this, m_controlId, GRIDN_CACHEHINT}, range});
}
