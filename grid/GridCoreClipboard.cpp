// The clipboard of CGridCore: the text of a range, copying, cutting and
// pasting cell texts through the window's clipboard.
#include <algorithm>
#include <new>

#include "grid/GridCore.h"
#include "grid/GridInPlaceEditor.h"
#include "grid/GridPasteText.h"

bool CGridCore::IsRowSelected(int row) const
{
    // Column 1 decides; a grid without it has only column 0 to ask.
    return IsCellSelected(row, m_cols > 1 ? 1 : 0);
}

std::wstring CGridCore::GetRangeText(bool withHeading, int minRow, int minCol, int maxRow, int maxCol,
                                     bool includeHidden)
{
    const bool whole = minRow == 0 && minCol == -1 && maxRow == -1 && maxCol == -1;
    if (whole)
    {
        minRow = m_fixedRows;
        minCol = 0;
        maxRow = m_rows - 1;
        maxCol = m_cols - 1;
    }
    minRow = std::max(minRow, 0);
    minCol = std::max(minCol, 0);
    maxRow = std::min(maxRow, m_rows - 1);
    maxCol = std::min(maxCol, m_cols - 1);

    std::wstring text;
    if (withHeading && m_rows > 0)
    {
        for (int col = minCol; col <= maxCol; ++col)
        {
            // A hidden column has no heading either, or the headings would
            // drift off the columns below them.
            if (GetColumnWidth(col) == 0)
                continue;
            if (const CGridCellBase* cell = GetCell(0, col))
                text += cell->GetCopyText();
            if (m_copyCellSeparator)
                text += L'\t';
        }
        if (m_copyRowSeparator)
            text += L"\r\n";
    }
    for (int row = minRow; row <= maxRow; ++row)
    {
        const bool lastRow = row == maxRow;
        if (!whole && !IsRowSelected(row))
        {
            if (m_copyRowSeparator && !lastRow)
                text += L"\r\n";
            continue;
        }
        if (!includeHidden && GetRowHeight(row) == 0)
            continue;
        bool firstColumn = true;
        for (int col = minCol; col <= maxCol; ++col)
        {
            if (GetColumnWidth(col) == 0)
                continue;
            if (!firstColumn && m_copyCellSeparator)
                text += L'\t';
            firstColumn = false;
            if (whole || IsCellSelected(row, col))
                if (const CGridCellBase* cell = GetCell(row, col))
                    text += cell->GetCopyText();
        }
        if (m_copyRowSeparator && !lastRow)
            text += L"\r\n";
    }
    return text;
}

std::optional<std::wstring> CGridCore::CopyTextFromGrid(bool withHeading)
{
    const CGridCellRange range = GetSelectedCellRange();
    if (!IsValid(range))
        return std::nullopt;
    if (m_virtualMode)
        SendCacheHint(range);
    std::optional<std::wstring> text;
    try
    {
        text = GetRangeText(withHeading, range.minRow, range.minCol, range.maxRow, range.maxCol, false);
    }
    catch (const std::bad_alloc&)
    {
        text.reset(); // without memory for the text there is nothing to copy
    }
    if (m_virtualMode)
        SendCacheHint(CGridCellRange());
    return text;
}

void CGridCore::SetItemTextWithNotify(int row, int col, const std::wstring& text)
{
    if (!IsCellEditable(row, col) || SendNotify(row, col, GRIDN_BEGINEDIT) < 0)
        return;
    // The owner may have changed the grid while answering.
    if (!GetCell(row, col))
        return;
    const std::wstring previous = GetItemText(row, col);
    if (text != previous)
        CommitText(row, col, text, previous);
}

void CGridCore::CutSelectedText()
{
    if (!m_editable)
        return;
    const CGridCellRange range = GetSelectedCellRange();
    if (!IsValid(range))
        return;
    for (int row = range.minRow; row <= range.maxRow && row < m_rows; ++row)
        for (int col = range.minCol; col <= range.maxCol && col < m_cols; ++col)
            if (IsCellSelected(row, col))
                SetItemTextWithNotify(row, col, std::wstring());
}

bool CGridCore::PasteTextToGrid(int row, int col, const std::wstring* text, bool selectPasted)
{
    if (!IsValid(row, col) || !IsCellEditable(row, col) || !text)
        return false;
    const std::vector<CGridPasteText::TLine> lines = CGridPasteText::Split(*text);
    int lastRow = row;
    int lastCol = col;
    int target = row;
    for (const CGridPasteText::TLine& fields : lines)
    {
        while (target < m_rows && GetRowHeight(target) <= 0)
            ++target;
        if (target >= m_rows)
            break; // lines beyond the last row are dropped
        int targetCol = col;
        for (const std::wstring& field : fields)
        {
            while (targetCol < m_cols && GetColumnWidth(targetCol) <= 0)
                ++targetCol;
            if (targetCol >= m_cols)
                break;
            SetItemTextWithNotify(target, targetCol, field);
            lastRow = std::max(lastRow, target);
            lastCol = std::max(lastCol, targetCol);
            ++targetCol;
        }
        ++target;
    }
    // The selection changes in one place, which keeps its count and bounds
    // (the pasted cells are not deselected one by one behind its back).
    if (selectPasted)
        SetSelectedRange(row, col, lastRow, lastCol, true, true);
    else
    {
        ResetSelectedRange();
        Refresh();
    }
    return true;
}

void CGridCore::OnEditCopy()
{
    if (!m_host)
        return;
    if (const std::optional<std::wstring> text = CopyTextFromGrid(m_copyWithHeading))
        m_host->HostSetClipboardText(*text);
}

void CGridCore::OnEditCut()
{
    if (!m_editable || !m_host)
        return;
    // Nothing is emptied unless the clipboard took the text.
    const std::optional<std::wstring> text = CopyTextFromGrid(m_copyWithHeading);
    if (text && m_host->HostSetClipboardText(*text))
        CutSelectedText();
}

void CGridCore::OnEditPaste()
{
    if (!m_editable || !m_host)
        return;
    CGridCellPos target = GetTopLeftNonFixedCell();
    if (const CGridCellRange selection = GetSelectedCellRange(); IsValid(selection))
        target = CGridCellPos(selection.minRow, selection.minCol);
    else if (IsValid(m_focusCell))
        target = m_focusCell;
    if (!IsValid(target))
        return;
    // An open edit of the cell takes the text itself.
    if (const CGridCellBase* cell = GetCell(target.row, target.col); cell && cell->IsEditing())
        if (CGridInPlaceEditor* edit = cell->GetEditWnd(); edit && edit->PasteClipboard())
            return;
    std::wstring text;
    const bool hasText = m_host->HostGetClipboardText(&text);
    PasteTextToGrid(target.row, target.col, hasText ? &text : nullptr, true);
}

bool CGridCore::CanEditPaste() const
{
    return IsValid(m_focusCell) && IsCellEditable(m_focusCell.row, m_focusCell.col) && m_host &&
           m_host->HostClipboardHasText();
}
