#pragma once
#include <string>

#include "grid/GridCore.h"

/// Fills an empty grid as the series page does: a heading row of 26
/// pixels, six columns, and two rows a series, the detail row merged over
/// columns 1 to 5 and folded to height 0.
inline void FillLikeTheSeriesPage(CGridCore& grid, int series)
{
    grid.SetWholeRowScrolling(false);
    grid.SetDefaultCellWidth(100);
    grid.SetDefaultCellHeight(22);
    grid.SetFixedRowCount(1);
    grid.SetListMode(true);
    grid.SetColumnCount(6);
    grid.SetRowHeight(0, 26);
    grid.SetRowCount(2 * series + 1);
    for (int i = 0; i < series; ++i)
    {
        const int row = 2 * i + 1;
        for (int col = 0; col < 6; ++col)
            grid.SetItemText(row, col, L"Series " + std::to_wstring(i));
        grid.MergeCells(row + 1, 1, 5);
        grid.SetRowHeight(row + 1, 0);
    }
}
