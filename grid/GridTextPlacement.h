#pragma once
#include "grid/GridSurface.h"
#include "grid/GridTypes.h"

/// Where TextOut puts a text, worked out alike for every surface: from the
/// reference point, the two alignments and the font's turn to the corner the
/// text is drawn from and the pixels it covers.
class CGridTextPlacement
{
public:
    /// The turn of a text in quarter turns counterclockwise (0 to 3), from an
    /// escapement in tenths of a degree; other angles than quarter turns draw unturned.
    static int QuarterTurns(int escapement);

    /// The unturned text's top-left corner, turned with the text: the point
    /// a turned text is drawn from.
    static SGridPoint Corner(SGridPoint reference, NGridTextAlign align, NGridTextVAlign vAlign, int turns,
                             SGridSize extent, int ascent);
    /// The pixels a text drawn from `corner` covers (right and bottom outside).
    static SGridRect Box(SGridPoint corner, int turns, SGridSize extent);
};
