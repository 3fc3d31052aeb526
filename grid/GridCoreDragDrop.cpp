// Drag-and-drop of cell texts: the grid as the source of a drag of its
// selection and as the target that pastes a dropped text. Everything ends at
// once while drag-and-drop is off.
#include "grid/GridCore.h"
#include "grid/GridDropEffect.h"

namespace
{

unsigned EffectForKeys(unsigned keys)
{
    return (keys & GRID_MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

} // namespace

void CGridCore::OnBeginDrag()
{
    if (!m_dragAndDrop || !m_host)
        return;
    const std::optional<std::wstring> text = CopyTextFromGrid(false);
    if (!text)
        return;
    const CGridCellRange selection = GetSelectedCellRange();
    SendNotify(selection.minRow, selection.minCol, GRIDN_BEGINDRAG);
    m_mouseMode = GMM_DRAGGING;
    m_leftButtonDown = false; // the drag takes the release
    const unsigned effect = m_host->HostDoDragDrop(*text, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (m_mouseMode == GMM_DRAGGING)
        m_mouseMode = GMM_NONE;
    if ((effect & DROPEFFECT_MOVE) != 0)
        CutSelectedText();
}

unsigned CGridCore::OnDragEnter(bool dataHasText, unsigned keys, SGridPoint point)
{
    if (!m_dragAndDrop || !m_editable || !dataHasText)
        return DROPEFFECT_NONE;
    const CGridCellPos cell = GetCellFromPt(point, false);
    m_lastDragOver = cell;
    if (!IsValid(cell) || !IsCellEditable(cell.row, cell.col))
        return DROPEFFECT_NONE;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_DROPHILITED);
    RedrawCell(cell.row, cell.col);
    return EffectForKeys(keys);
}

unsigned CGridCore::OnDragOver(bool dataHasText, unsigned keys, SGridPoint point)
{
    if (!m_dragAndDrop || !m_editable || !dataHasText)
        return DROPEFFECT_NONE;
    const CGridCellPos cell = GetCellFromPt(point, false);
    if (!IsValid(cell))
    {
        OnDragLeave();
        m_lastDragOver = CGridCellPos(-1, -1);
        return DROPEFFECT_NONE;
    }
    const bool editable = IsCellEditable(cell.row, cell.col);
    if (!(cell == m_lastDragOver))
    {
        OnDragLeave();
        m_lastDragOver = cell;
        if (editable)
        {
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GCS_DROPHILITED);
            RedrawCell(cell.row, cell.col);
        }
    }
    return editable ? EffectForKeys(keys) : DROPEFFECT_NONE;
}

void CGridCore::OnDragLeave()
{
    const CGridCellPos cell = m_lastDragOver;
    if (!IsValid(cell))
        return;
    const unsigned state = GetItemState(cell.row, cell.col);
    if ((state & GCS_DROPHILITED) == 0)
        return;
    SetItemState(cell.row, cell.col, state & ~static_cast<unsigned>(GCS_DROPHILITED));
    RedrawCell(cell.row, cell.col);
}

bool CGridCore::OnDrop(const std::wstring* text, unsigned, SGridPoint)
{
    m_mouseMode = GMM_NONE;
    const CGridCellPos cell = m_lastDragOver;
    if (!m_dragAndDrop || !IsCellEditable(cell.row, cell.col))
        return false;
    OnDragLeave();
    return PasteTextToGrid(cell.row, cell.col, text, false);
}
