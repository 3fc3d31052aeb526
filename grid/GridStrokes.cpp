#include "grid/GridStrokes.h"

#include <algorithm>

bool CGridStrokes::LineBand(SGridPoint from, SGridPoint to, int width, SGridRect* band)
{
    // A wide line covers the pen's width around the points: before them (w - 1) / 2, after them w / 2.
    const int before = (width - 1) / 2;
    const int after = width / 2 + 1;
    if (from.y == to.y)
    {
        *band = from.x < to.x ? SGridRect{from.x, from.y - before, to.x, from.y + after}
                              : SGridRect{to.x + 1, from.y - before, from.x + 1, from.y + after};
        return true;
    }
    if (from.x == to.x)
    {
        *band = from.y < to.y ? SGridRect{from.x - before, from.y, from.x + after, to.y}
                              : SGridRect{from.x - before, to.y + 1, from.x + after, from.y + 1};
        return true;
    }
    return false;
}

CGridStrokes::SRectangle CGridStrokes::Rectangle(const SGridRect& r, int width)
{
    SRectangle shape;
    if (r.right < r.left || r.bottom < r.top)
        return shape;
    const int w = width;
    if (r.right == r.left || r.bottom == r.top)
    {
        shape.outline[0] =
            SGridRect{r.left, r.top, std::max(r.right, r.left + w), std::max(r.bottom, r.top + w)};
        shape.outlineCount = 1;
        return shape;
    }
    shape.interior = SGridRect{r.left + w, r.top + w, r.right - w, r.bottom - w};
    shape.outline = {SGridRect{r.left, r.top, r.right, std::min(r.bottom, r.top + w)},
                     SGridRect{r.left, std::max(r.top, r.bottom - w), r.right, r.bottom},
                     SGridRect{r.left, r.top, std::min(r.right, r.left + w), r.bottom},
                     SGridRect{std::max(r.left, r.right - w), r.top, r.right, r.bottom}};
    shape.outlineCount = 4;
    return shape;
}
