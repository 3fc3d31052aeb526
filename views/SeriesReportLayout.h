#pragma once
#include "grid/GridTypes.h"

class CSeriesReportMeasure;

/// Where the blocks of a series report go, by its number of readings:
/// up to 25 all side by side; up to 50 the diagram beside the readings with
/// the other blocks beneath; more the diagram across the whole width with
/// the readings beneath it and the other blocks beside them, stacked when
/// they do not fit side by side. The blocks' measured sizes decide: blocks
/// in one column take the widest one's room, and an arrangement whose
/// blocks do not fit the width gives way to the next one. Positions are
/// relative to the report's top-left corner.
struct SSeriesReportLayout
{
    enum NBlock
    {
        Diagram,
        Readings,
        Statistics,
        Settings,
        Comment,
        BlockCount,
    };

    /// The height of the diagram, and of the readings beside it.
    static constexpr int kDiagramHeight = 300;
    /// The narrowest width a report is laid out for on the screen.
    static constexpr int kMinWidth = 800;
    /// The narrowest comment beside other blocks; a narrower one goes beneath them.
    static constexpr int kMinCommentWidth = 120;

    SGridPoint at[BlockCount];
    SGridSize size[BlockCount];
    int diagramWidth = 0; ///< the width the diagram is given
    int readingsHeight = kDiagramHeight;
    int commentWidth = 0;
    bool stacked = false; ///< settings under the statistics
    int total = 0;        ///< the height the blocks need

    /// Lays the report of `readings` readings out into `width`, or into
    /// `minWidth` when that is wider (a printed page gives 0).
    static SSeriesReportLayout Compute(int readings, int width, CSeriesReportMeasure& measure,
                                       int minWidth = kMinWidth);
    /// The row height a report of `total` pixels asks for (7 percent more).
    static int RowHeight(int total) { return static_cast<int>(total * 1.07); }
};
