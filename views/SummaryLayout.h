#pragma once
#include "grid/GridTypes.h"

class CSummaryMeasure;

/// Where the blocks of the summary page go: the title at the top left, the
/// diagram across the page under it, the values list under the diagram in
/// columns, the statistics beside the values and the comment under the
/// statistics. The values' columns are 190 pixels high while values and
/// statistics fit side by side; otherwise taller (the height remembered on
/// the screen, or 24 pixels a series) and grown by 20 pixels until they fit
/// or the values stand in one column.
struct SSummaryLayout
{
    enum NBlock
    {
        Title,
        Diagram,
        Values,
        Statistics,
        Comment,
        BlockCount,
    };

    /// The narrowest width a page is laid out for, and the room the page
    /// leaves of its window's width.
    static constexpr int kMinWidth = 800;
    static constexpr int kWindowRoom = 60;
    static constexpr int kDiagramHeight = 440;
    static constexpr int kTitleAt = 20;
    static constexpr int kMargin = 10;
    static constexpr int kColumnHeight = 190;
    static constexpr int kColumnPerSeries = 24;
    static constexpr int kColumnStep = 20;

    SGridPoint at[BlockCount];
    SGridSize size[BlockCount];
    int contentWidth = kMinWidth;
    int columnHeight = kColumnHeight; ///< of the values' columns
    int commentWidth = 0;
    SGridSize extent; ///< the scrolled size of the page

    /// The width the page is laid out in for a window's client width.
    static int ContentWidth(int clientWidth);
    /// Lays a page of `series` summary series out for a window `clientWidth`
    /// wide; `remembered` is the column height kept from an earlier screen
    /// layout (0 for none, and always when printing).
    static SSummaryLayout Compute(int clientWidth, int series, int remembered, CSummaryMeasure& measure);
};
