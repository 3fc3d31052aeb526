#include "menus/OwMenuPlacement.h"

#include <algorithm>

namespace
{

/// `start` moved so that [start, start + length) lies within [low, high) when
/// it can, else starting at `low`.
int Inside(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

} // namespace

SGridPoint OwMenuPlacement::PlacePopup(SGridPoint point, SGridSize size, NOwMenuAlign align,
                                       const SGridRect& workArea)
{
    int x = align == NOwMenuAlign::Center ? point.x - size.cx / 2 : point.x;
    if (align == NOwMenuAlign::Left && x + size.cx > workArea.right)
        x = point.x - size.cx;
    int y = point.y;
    if (y + size.cy > workArea.bottom)
        y = point.y - size.cy;
    return SGridPoint{Inside(x, size.cx, workArea.left, workArea.right),
                      Inside(y, size.cy, workArea.top, workArea.bottom)};
}

SGridPoint OwMenuPlacement::PlaceSubMenu(const SGridRect& item, const SGridRect& parent, SGridSize size,
                                         int firstItemTop, const SGridRect& workArea)
{
    int x = parent.right;
    if (x + size.cx > workArea.right)
        x = parent.left - size.cx;
    const int y = item.top - firstItemTop;
    return SGridPoint{Inside(x, size.cx, workArea.left, workArea.right),
                      Inside(y, size.cy, workArea.top, workArea.bottom)};
}
