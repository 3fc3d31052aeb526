#pragma once
#include <array>

#include "grid/GridTypes.h"

/// The filled rectangles that lines and outlines in a pen width come down
/// to, alike on every surface (right and bottom outside).
class CGridStrokes
{
public:
    /// A level or upright line from `from` up to, not including, `to` in pen
    /// width `width`, centred on the points; false for a slanted line.
    static bool LineBand(SGridPoint from, SGridPoint to, int width, SGridRect* band);

    /// What GDI's Rectangle fills: the interior, then the outline along the
    /// inside in the pen width. A rectangle without width or height is its
    /// outline alone, a line of the pen width down its left or along its top.
    struct SRectangle
    {
        SGridRect interior;
        std::array<SGridRect, 4> outline;
        int outlineCount = 0;
    };
    static SRectangle Rectangle(const SGridRect& rect, int width);
};
