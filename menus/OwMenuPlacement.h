#pragma once
#include "grid/GridTypes.h"

/// How a menu lies against the point it is opened at.
enum class NOwMenuAlign
{
    Left,   ///< its left edge at the point
    Center, ///< centred on the point
};

/// Where an open menu goes on the screen: at the point it was asked for,
/// but never over the edge of the screen's work area.
class OwMenuPlacement
{
public:
    /// The top-left corner of a menu of `size` opened at `point`. A menu that
    /// would leave the work area on the right or at the bottom opens to the
    /// left of or above the point instead; what still does not fit is pushed
    /// inside, and a menu larger than the area keeps its top-left corner in it.
    static SGridPoint PlacePopup(SGridPoint point, SGridSize size, NOwMenuAlign align,
                                 const SGridRect& workArea);
    /// The top-left corner of a sub-menu of `size` opened from `item` of the
    /// menu at `parent` (screen rectangles): right of the parent with its
    /// first item beside `item`, else left of the parent, and inside the
    /// work area.
    static SGridPoint PlaceSubMenu(const SGridRect& item, const SGridRect& parent, SGridSize size,
                                   int firstItemTop, const SGridRect& workArea);
};
