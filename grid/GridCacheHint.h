#pragma once
#include "grid/GridCellRange.h"
#include "grid/GridNotify.h"

/// GRIDN_CACHEHINT: in virtual mode, the range the grid is about to draw,
/// auto-size or copy; a range of -1s closes it.
struct SGridCacheHint
{
    SGridNotifyHeader hdr;
    CGridCellRange range;
};
