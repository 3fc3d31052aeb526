#pragma once
#include "grid/GridTypes.h"

/// The colour of each pixel of the grid's gradients, alike on every surface.
class CGridGradient
{
public:
    /// Pixel (x, y) of a four-corner gradient over `rect` (right and bottom
    /// outside): the corner pixels carry the corner colours, and each of the
    /// triangles (top-left, top-right, bottom-right) and (top-left,
    /// bottom-right, bottom-left) is shaded linearly between its vertices.
    static TGridColor Corner4(const SGridRect& rect, TGridColor topLeft, TGridColor topRight,
                              TGridColor bottomLeft, TGridColor bottomRight, int x, int y);
    /// Pixel `i` of `count` from `from` to `to`, the colour taken at the pixel's centre.
    static TGridColor Linear(TGridColor from, TGridColor to, int i, int count);
};
