// Sorting the rows of CGridCore by a column: a quicksort that moves whole
// rows, and the heading click that sorts.
#include <utility>

#include "grid/GridCore.h"

namespace
{

/// Walks a text as UTF-16 code units (the order the texts are compared in).
class CUtf16Units
{
public:
    explicit CUtf16Units(const std::wstring& text) : m_text(text) {}

    /// The next unit, or -1 at the end.
    long Next()
    {
        if (m_low != 0)
            return static_cast<long>(std::exchange(m_low, 0u));
        if (m_pos >= m_text.size())
            return -1;
        const auto ch = static_cast<unsigned long>(m_text[m_pos++]);
        if (ch < 0x10000 || ch > 0x10FFFF)
            return static_cast<long>(ch & 0xFFFFu);
        const unsigned long offset = ch - 0x10000;
        m_low = 0xDC00u + static_cast<unsigned>(offset & 0x3FFu);
        return static_cast<long>(0xD800u + (offset >> 10));
    }

private:
    const std::wstring& m_text;
    std::size_t m_pos = 0;
    unsigned m_low = 0;
};

int Sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

} // namespace

int CGridCore::CompareCellText(const CGridCellBase* cell1, const CGridCellBase* cell2, std::intptr_t)
{
    if (!cell1 || !cell2)
        return 0;
    CUtf16Units first(cell1->GetText());
    CUtf16Units second(cell2->GetText());
    while (true)
    {
        const long a = first.Next();
        const long b = second.Next();
        if (a != b)
            return a < b ? -1 : 1; // the end (-1) comes before every unit
        if (a < 0)
            return 0;
    }
}

bool CGridCore::SortTextItems(int col, bool ascending)
{
    return SortItems(col, &CGridCore::CompareCellText, ascending);
}

bool CGridCore::SortItems(int col, const TGridCompare& compare, bool ascending)
{
    // Virtual mode keeps no rows to move.
    if (col < 0 || col >= m_cols || !compare || m_virtualMode)
        return false;
    // An open edit reports to its row and column: it ends before they change.
    EndEditing();
    SetSortColumn(col);
    m_sortAscending = ascending;
    SetFocusCell(-1, -1);
    const bool sorted = QuickSort(col, compare, 0, ascending, m_fixedRows, m_rows - 1);
    ForgetTopLeft();
    GetSelectedCellRange();
    Refresh();
    return sorted;
}

bool CGridCore::QuickSort(int col, const TGridCompare& compare, std::intptr_t data, bool ascending, int low,
                          int high)
{
    if (col < 0 || col >= m_cols || low >= high)
        return false;
    // Descending is ascending with the signs reversed.
    auto order = [&](int row, const CGridCellBase* other)
    {
        const int result = Sign(compare(GetCell(row, col), other, data));
        return ascending ? result : -result;
    };
    while (low < high)
    {
        // The pivot is the cell, not its row: it travels with the swaps.
        const CGridCellBase* pivot = GetCell(low + (high - low) / 2, col);
        int i = high;
        int j = low;
        while (i >= j)
        {
            while (j < high && order(j, pivot) < 0)
                ++j;
            while (i > low && order(i, pivot) > 0)
                --i;
            if (i < j)
                break;
            if (compare(GetCell(j, col), GetCell(i, col), data) != 0)
                SwapRows(i, j);
            --i;
            ++j;
        }
        // Recursing into the smaller part and looping on the larger keeps the
        // stack shallow on any input; the order of the parts changes nothing.
        if (i - low < high - j)
        {
            if (low < i)
                QuickSort(col, compare, data, ascending, low, i);
            low = j;
        }
        else
        {
            if (j < high)
                QuickSort(col, compare, data, ascending, j, high);
            high = i;
        }
    }
    return true;
}

void CGridCore::SwapRows(int row1, int row2)
{
    if (row1 == row2)
        return;
    TRow& first = m_cells[static_cast<std::size_t>(row1)];
    TRow& second = m_cells[static_cast<std::size_t>(row2)];
    first.swap(second);
    for (int col = 0; col < m_cols; ++col)
    {
        if (CGridCellBase* cell = first[static_cast<std::size_t>(col)].get())
            cell->SetCoords(row1, col);
        if (CGridCellBase* cell = second[static_cast<std::size_t>(col)].get())
            cell->SetCoords(row2, col);
    }
    const int height1 = m_rowHeights.Get(row1);
    m_rowHeights.Set(row1, m_rowHeights.Get(row2));
    m_rowHeights.Set(row2, height1);
}

void CGridCore::SortOnHeadingClick(int col)
{
    if (m_host)
        m_host->HostSetCursor(NGridCursor::Wait);
    // A new column sorts ascending; the sort column again turns its direction.
    SortTextItems(col, col == m_sortColumn ? !m_sortAscending : true);
    InvalidateAll();
    if (m_host)
        m_host->HostSetCursor(NGridCursor::Arrow);
}
