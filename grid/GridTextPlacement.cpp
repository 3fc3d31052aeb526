#include "grid/GridTextPlacement.h"

namespace
{

struct SDirections
{
    SGridPoint along; ///< the direction the text is written in
    SGridPoint down;  ///< from the text's top toward its bottom
};

SDirections DirectionsOf(int turns)
{
    switch (turns)
    {
    case 1: // upward
        return {{0, -1}, {1, 0}};
    case 2:
        return {{-1, 0}, {0, -1}};
    case 3: // downward
        return {{0, 1}, {-1, 0}};
    default:
        return {{1, 0}, {0, 1}};
    }
}

} // namespace

int CGridTextPlacement::QuarterTurns(int escapement)
{
    const int angle = ((escapement % 3600) + 3600) % 3600;
    return angle % 900 == 0 ? angle / 900 : 0;
}

SGridPoint CGridTextPlacement::Corner(SGridPoint reference, NGridTextAlign align, NGridTextVAlign vAlign,
                                      int turns, SGridSize extent, int ascent)
{
    // Offsets in the text's own frame: along its writing and down from its top.
    int along = 0;
    if (align == NGridTextAlign::Right)
        along = -extent.cx;
    else if (align == NGridTextAlign::Center)
        along = -(extent.cx / 2);
    int down = 0;
    if (vAlign == NGridTextVAlign::Bottom)
        down = -extent.cy;
    else if (vAlign == NGridTextVAlign::Baseline)
        down = -ascent;
    const SDirections d = DirectionsOf(turns);
    return SGridPoint{reference.x + along * d.along.x + down * d.down.x,
                      reference.y + along * d.along.y + down * d.down.y};
}

SGridRect CGridTextPlacement::Box(SGridPoint corner, int turns, SGridSize extent)
{
    const int w = extent.cx;
    const int h = extent.cy;
    switch (turns)
    {
    case 1:
        return SGridRect{corner.x, corner.y - w, corner.x + h, corner.y};
    case 2:
        return SGridRect{corner.x - w, corner.y - h, corner.x, corner.y};
    case 3:
        return SGridRect{corner.x - h, corner.y, corner.x, corner.y + w};
    default:
        return SGridRect{corner.x, corner.y, corner.x + w, corner.y + h};
    }
}
