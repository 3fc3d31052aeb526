#pragma once
#include <memory>
#include <string>
#include <vector>

#include "grid/GridCell.h"
#include "grid/GridCore.h"
#include "tests/grid/FakeGridHost.h"

/// A grid core on a fake 400 x 300 window with 15-pixel scroll bars.
struct SGridFixture
{
    explicit SGridFixture(int width = 400, int height = 300) : host(width, height)
    {
        grid.AttachHost(&host, 101);
        grid.OnCreate();
    }
    /// rows x cols of the given sizes.
    void Shape(int rows, int cols, int fixedRows, int fixedCols, int height, int width)
    {
        grid.SetRowCount(rows);
        grid.SetColumnCount(cols);
        grid.SetFixedRowCount(fixedRows);
        grid.SetFixedColumnCount(fixedCols);
        for (int r = 0; r < rows; ++r)
            grid.SetRowHeight(r, height);
        for (int c = 0; c < cols; ++c)
            grid.SetColumnWidth(c, width);
    }

    CFakeGridHost host;
    CGridCore grid;
};

/// What a recording cell saw.
struct SDrawCall
{
    int row;
    int col;
    SGridRect rect;
    bool withSurface;
};

/// A cell that logs its draws and post-paints into shared logs.
class CRecordingCell : public CGridCell
{
public:
    CRecordingCell() = default;
    ~CRecordingCell() override
    {
        if (deaths)
            ++*deaths;
    }
    bool Draw(CGridSurface* dc, int row, int col, SGridRect rect, bool erase, bool printing) override
    {
        if (draws)
            draws->push_back({row, col, rect, dc != nullptr});
        if (dc && requestOnDraw)
            RequestPostPaint();
        return CGridCell::Draw(dc, row, col, rect, erase, printing);
    }
    bool OnPostPaint() override
    {
        if (postPaints)
            postPaints->push_back(GetRow() * 100 + GetColumn());
        if (onPostPaint)
            onPostPaint();
        return true;
    }
    SGridSize GetCellExtent(CGridSurface* dc) override
    {
        return extent.cx > 0 ? extent : CGridCell::GetCellExtent(dc);
    }

    static inline std::vector<SDrawCall>* draws = nullptr;
    static inline std::vector<int>* postPaints = nullptr;
    static inline int* deaths = nullptr;
    bool requestOnDraw = false;
    std::function<void()> onPostPaint;
    SGridSize extent;
};

/// Installs recording cells over the whole grid and points their logs here.
struct SRecording
{
    explicit SRecording(CGridCore& grid)
    {
        CRecordingCell::draws = &draws;
        CRecordingCell::postPaints = &postPaints;
        CRecordingCell::deaths = &deaths;
        for (int r = 0; r < grid.GetRowCount(); ++r)
            for (int c = 0; c < grid.GetColumnCount(); ++c)
                grid.SetCellType<CRecordingCell>(r, c);
    }
    ~SRecording()
    {
        CRecordingCell::draws = nullptr;
        CRecordingCell::postPaints = nullptr;
        CRecordingCell::deaths = nullptr;
    }
    static CRecordingCell* At(CGridCore& grid, int row, int col)
    {
        return dynamic_cast<CRecordingCell*>(grid.GetCell(row, col));
    }
    std::vector<SDrawCall> draws;
    std::vector<int> postPaints;
    int deaths = 0;
};
