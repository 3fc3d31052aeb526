#pragma once
#include <string>
#include <vector>

#include "grid/GridTypes.h"
#include "views/SeriesReportFonts.h"

/// One text of a laid-out report block, ready to draw at its top-left corner.
struct SReportText
{
    SGridPoint at;
    std::wstring text;
    NReportFont font = NReportFont::Plain;
    /// The clickable area the text belongs to (drawn in the link colour), 0 for none.
    int area = 0;
};

/// A laid-out report block: its size from its top-left corner and its texts.
struct SReportBlock
{
    SGridSize size;
    std::vector<SReportText> texts;
};
