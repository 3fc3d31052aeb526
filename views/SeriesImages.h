#pragma once
#include "grid/GridImageList.h"

/// The image lists of the series grid, cut from the bitmaps the colour
/// scheme names; made once, on first use.
class CSeriesImages
{
public:
    /// The gripper toggles: 22 x 19 tiles (collapsed, expanded, in the
    /// summary, not in the summary), red transparent.
    static const CGridImageList& GridImages();
    /// The context menu's images: 20 x 19 tiles, red transparent.
    static const CGridImageList& MenuImages();
    /// The summary's context menu images: 16 x 16 tiles, red transparent.
    static const CGridImageList& SummaryMenuImages();
};
