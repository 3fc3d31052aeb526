#pragma once

/// A cell of the grid; (-1, -1) stands for no cell.
class CGridCellPos
{
public:
    int row = -1;
    int col = -1;

    CGridCellPos() = default;
    CGridCellPos(int r, int c) : row(r), col(c) {}

    /// Both coordinates are set (whether the grid has the cell is the grid's question).
    bool IsValid() const { return row >= 0 && col >= 0; }

    friend bool operator==(const CGridCellPos&, const CGridCellPos&) = default;
};
