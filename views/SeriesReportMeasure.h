#pragma once
#include "grid/GridTypes.h"

/// The sizes of the series report's blocks, as the report layout asks for
/// them. The series report cell measures through its surface; tests give
/// fixed sizes.
class CSeriesReportMeasure
{
public:
    virtual SGridSize Statistics() = 0;
    virtual SGridSize Settings() = 0;
    /// The readings in columns no taller than `height`.
    virtual SGridSize Readings(int height) = 0;
    /// The height from which the readings stand in one column.
    virtual int ReadingsOneColumnHeight() = 0;
    virtual SGridSize Diagram(int width, int height) = 0;
    virtual SGridSize Comment(int width) = 0;

protected:
    ~CSeriesReportMeasure() = default;
};
