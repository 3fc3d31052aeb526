#pragma once
#include <string>

#include "grid/GridTypes.h"

/// What an axis of a CGraphGrid shows; bits of its axis words.
enum NGraphAxisFlags : unsigned
{
    GA_LINE = 0x001,           ///< the axis line
    GA_MAJOR_IN = 0x002,       ///< major ticks into the plot
    GA_MAJOR_OUT = 0x004,      ///< major ticks out of the plot
    GA_MINOR_IN = 0x008,       ///< minor ticks into the plot
    GA_MINOR_OUT = 0x010,      ///< minor ticks out of the plot
    GA_LABELS = 0x020,         ///< labels at the major values
    GA_LABELS_ROTATED = 0x040, ///< labels running upward
    GA_TITLE = 0x080,          ///< the axis title
    GA_TITLE_ROTATED = 0x100,  ///< the axis title running upward
    GA_LINE_GRIDPEN = 0x400,   ///< the axis line in the grid-line colour
};

/// The frame of a chart: its outer rectangle, value ranges, steps, label
/// patterns (printf patterns of one double, "%W.Plf"), titles and what each
/// axis shows. Pixels with y growing downward.
struct SGraphGridSettings
{
    SGridRect rect; ///< outer rectangle, right and bottom its edges
    double xMin = 0.0;
    double xMax = 0.0;
    double xStep = 0.0;
    double xMinorStep = 0.0;
    std::wstring xFormat = L"%0.0lf";
    std::wstring xTitle;
    double yMin = 0.0;
    double yMax = 0.0;
    double yStep = 0.0;
    double yMinorStep = 0.0;
    std::wstring yFormat = L"%0.0lf";
    std::wstring yTitle;
    unsigned topAxis = 31;
    unsigned bottomAxis = 191;
    unsigned leftAxis = 319;
    unsigned rightAxis = 31;
    unsigned xZeroAxis = 31; ///< the horizontal axis through y = 0 (line and ticks only)
    unsigned yZeroAxis = 31; ///< the vertical axis through x = 0 (line and ticks only)
    bool hGridLines = true;
    bool vGridLines = true;
};
