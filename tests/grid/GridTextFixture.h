#pragma once
#include <string>

#include "tests/grid/GridTestCells.h"

/// A heading row "H0".."H3" over rows 1..4 of texts "r<row>c<col>", columns 60 wide.
struct STextGrid : SGridFixture
{
    explicit STextGrid(int rows = 5, int cols = 4)
    {
        Shape(rows, cols, 1, 0, 20, 60);
        for (int col = 0; col < cols; ++col)
        {
            grid.SetItemText(0, col, L"H" + std::to_wstring(col));
            for (int row = 1; row < rows; ++row)
                grid.SetItemText(row, col, L"r" + std::to_wstring(row) + L"c" + std::to_wstring(col));
        }
    }
    void Select(int minRow, int minCol, int maxRow, int maxCol)
    {
        grid.SetSelectedRange(minRow, minCol, maxRow, maxCol);
    }
    /// The cell texts of a row, joined by '|'.
    std::wstring Row(int row)
    {
        std::wstring text;
        for (int col = 0; col < grid.GetColumnCount(); ++col)
            text += (col ? L"|" : L"") + grid.GetItemText(row, col);
        return text;
    }
    /// Whether the selected-cell count agrees with the cells' own bits.
    bool SelectionCountHolds()
    {
        int selected = 0;
        for (int row = 0; row < grid.GetRowCount(); ++row)
            for (int col = 0; col < grid.GetColumnCount(); ++col)
                selected += grid.IsCellSelected(row, col) ? 1 : 0;
        return selected == grid.GetSelectedCount();
    }
};
