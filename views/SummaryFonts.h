#pragma once
#include "grid/GridFont.h"
#include "views/SeriesReportFonts.h"

/// The summary page's six fonts, made from the desktop's message font: the
/// four faces of its texts, the title and the upward-reading font of the
/// diagram's values and labels.
struct SSummaryFonts
{
    SSeriesReportFonts faces;
    SGridFont title;    ///< bold, 1.8 times the message font's height
    SGridFont vertical; ///< plain, turned to read upward

    /// `message` with its height in pixels (0: the default size, and a title of that size too).
    static SSummaryFonts From(const SGridFont& message);
};
