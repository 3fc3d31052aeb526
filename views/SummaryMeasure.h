#pragma once
#include "grid/GridTypes.h"

/// The sizes of the summary page's blocks, as the page layout asks for
/// them. The page measures through its surface; tests give fixed sizes.
class CSummaryMeasure
{
public:
    virtual SGridSize Title() = 0;
    virtual SGridSize Statistics() = 0;
    /// The values in columns no taller than `height`.
    virtual SGridSize Values(int height) = 0;
    /// The column height from which the values stand in one column.
    virtual int ValuesOneColumnHeight() = 0;
    virtual SGridSize Diagram(int width, int height) = 0;
    virtual SGridSize Comment(int width) = 0;

protected:
    ~CSummaryMeasure() = default;
};
