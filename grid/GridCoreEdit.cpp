// In-place editing: starting an edit, taking its text back and moving on
// after a navigating key.
#include <utility>

#include "grid/GridCore.h"
#include "grid/GridInPlaceEditor.h"

void CGridCore::OnEditCell(int row, int col, SGridPoint point, unsigned firstChar)
{
    if (!IsValid(row, col) || !IsCellEditable(row, col))
        return;
    EnsureVisible(row, col);
    if (!IsCellVisible(row, col))
        return;
    SGridRect rect;
    if (!GetCellRect(row, col, &rect))
        return;
    if (SendNotify(row, col, GRIDN_BEGINEDIT) < 0)
        return;
    // The owner may have changed the grid while answering.
    if (CGridCellBase* cell = GetCell(row, col))
        if (cell->Edit(row, col, rect, point, IDC_GRID_INPLACE_EDIT, firstChar) && cell->IsEditing())
        {
            m_editCell = cell;
            m_editPos = CGridCellPos(row, col);
        }
}

void CGridCore::OnEndEditCell(int row, int col, const std::wstring& text)
{
    if (!GetCell(row, col))
        return;
    const std::wstring previous = GetItemText(row, col);
    if (text == previous)
        SendNotify(row, col, GRIDN_EDITUNCHANGED);
    else
        CommitText(row, col, text, previous);
    if (CGridCellBase* cell = GetCell(row, col))
    {
        cell->OnEndEdit();
        if (cell == m_editCell)
            m_editCell = nullptr;
    }
}

void CGridCore::CommitText(int row, int col, const std::wstring& text, const std::wstring& previous)
{
    SetItemText(row, col, text);
    if (ValidateEdit(row, col, text) && SendNotify(row, col, GRIDN_ENDEDIT) >= 0)
    {
        SetModified(row, col);
        RedrawCell(row, col);
    }
    else
        SetItemText(row, col, previous);
}

bool CGridCore::ValidateEdit(int row, int col, const std::wstring& text)
{
    CGridCellBase* cell = GetCell(row, col);
    return !cell || cell->ValidateEdit(text);
}

void CGridCore::EndEditing()
{
    // The open edit need not lie on the focus cell: the owner may have moved the focus.
    if (CGridCellBase* open = std::exchange(m_editCell, nullptr); open && open->IsEditing())
        open->EndEdit();
    if (CGridCellBase* cell = GetCell(m_focusCell.row, m_focusCell.col))
        cell->EndEdit();
}

bool CGridCore::HasOpenEdit() const
{
    if (m_editCell && m_editCell->IsEditing())
        return true;
    const CGridCellBase* cell = GetCell(m_focusCell.row, m_focusCell.col);
    return cell && cell->IsEditing();
}

void CGridCore::OnEndInPlaceEdit(const SGridDisplayInfo& info)
{
    OnEndEditCell(info.row, info.col, info.text);
    const auto key = static_cast<unsigned>(info.lParam);
    if (IsGridNavigationKey(key))
    {
        OnKeyDown(key);
        OnEditCell(m_focusCell.row, m_focusCell.col, SGridPoint{-1, -1}, key);
    }
}

void CGridCore::CancelEditing()
{
    for (TRow& cells : m_cells)
        for (std::unique_ptr<CGridCellBase>& cell : cells)
            CancelCellEdit(cell.get());
    CancelCellEdit(m_virtualCell.get());
}

void CGridCore::ForgetPositionsFrom(int rows, int cols)
{
    auto gone = [&](const CGridCellPos& cell) { return cell.row >= rows || cell.col >= cols; };
    for (CGridCellPos* cell : {&m_anchorCell, &m_clickDownCell, &m_hoverCell})
        if (gone(*cell))
            *cell = CGridCellPos(-1, -1);
    if (m_editCell && gone(m_editPos))
        CancelCellEdit(std::exchange(m_editCell, nullptr));
}

void CGridCore::CancelCellEdit(CGridCellBase* cell)
{
    if (!cell || !cell->IsEditing())
        return;
    if (CGridInPlaceEditor* editor = cell->GetEditWnd())
        editor->Cancel();
    cell->OnEndEdit();
}
