#pragma once
#include <algorithm>

/// A rectangle of cells, bounds included; (-1, -1, -1, -1) stands for none.
class CGridCellRange
{
public:
    int minRow = -1;
    int minCol = -1;
    int maxRow = -1;
    int maxCol = -1;

    CGridCellRange() = default;
    CGridCellRange(int r0, int c0, int r1, int c1) : minRow(r0), minCol(c0), maxRow(r1), maxCol(c1) {}

    bool IsValid() const
    {
        return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && maxRow >= minRow &&
               maxCol >= minCol;
    }
    bool InRange(int row, int col) const
    {
        return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
    }
    /// The smallest range holding both (each bound taken separately).
    CGridCellRange Union(const CGridCellRange& o) const
    {
        return {std::min(minRow, o.minRow), std::min(minCol, o.minCol), std::max(maxRow, o.maxRow),
                std::max(maxCol, o.maxCol)};
    }

    friend bool operator==(const CGridCellRange&, const CGridCellRange&) = default;
};
