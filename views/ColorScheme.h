#pragma once
#include "grid/GridTypes.h"

/// The one table of colours and bitmap ids that the series grid, its cells
/// and the summary view draw with. Constant for the whole run.
struct CColorScheme
{
    TGridColor BarColor;             ///< summary bars; a reading bar at the mark level
    TGridColor BarDarkColor;         ///< every other reading bar
    TGridColor AccentColor;          ///< summary view accents
    TGridColor GridBarColor;         ///< the mean-value bar of the series grid
    TGridColor Reserved5;            ///< not read
    TGridColor GridBarSelectedColor; ///< the mean-value bar of a selected row
    TGridColor Reserved7;
    TGridColor Reserved8;
    TGridColor Reserved9;
    TGridColor Reserved10;
    TGridColor Reserved11;
    TGridColor Reserved12;
    TGridColor Reserved13;
    TGridColor MarkBandColor;  ///< the reading diagram's mark band
    TGridColor MarkLineColor;  ///< the reading diagram's mark line
    TGridColor RowTopColor;    ///< gripper background; top of the detail row's left cell
    TGridColor RowBottomColor; ///< bottom of the detail row's left cell; report background
    TGridColor LinkColor;      ///< clickable texts
    TGridColor Reserved19;
    unsigned GridImagesBitmapId; ///< 88 x 19: four 22 x 19 gripper images
    unsigned MenuImagesBitmapId; ///< 120 x 19: six 20 x 19 context-menu images
};

inline constexpr CColorScheme theColorScheme{
    GridRgb(0, 160, 191),
    GridRgb(0, 71, 79),
    GridRgb(0, 111, 127),
    GridRgb(0, 160, 191),
    GridRgb(0, 71, 79),
    GridRgb(0, 120, 151),
    GridRgb(0, 41, 49),
    GridRgb(0, 0, 0),
    GridRgb(0, 0, 0),
    GridRgb(0, 0, 0),
    GridRgb(0, 0, 0),
    GridRgb(191, 219, 227),
    GridRgb(61, 69, 72),
    GridRgb(191, 219, 227),
    GridRgb(130, 184, 200),
    GridRgb(188, 224, 232),
    GridRgb(242, 245, 253),
    GridRgb(0, 111, 127),
    GridRgb(0, 0, 0),
    2057,
    2055,
};
