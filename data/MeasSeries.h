#pragma once
// One measurement series of a project: the downloaded object with its
// readings and settings, its statistics and the user's name and comment.

#include "data/Guid.h"
#include "device/TerrionObject.h"

#include <cstdint>
#include <string>

/// Order of the readings in the series diagram; stored in project files.
enum NSeriesDiagramOrder : std::uint16_t
{
    DiagramOrderUnset = 0xFFFF,
    DiagramOrderMeasurement = 0,
    DiagramOrderValue = 1,
};

struct TMeasSeries
{
    TGuid guid;             ///< not set by construction
    std::wstring strName;   ///< empty after a download
    std::int64_t nTime = 0; ///< download time, seconds since 1970 UTC
    std::wstring strComment;
    double dMean = 0.0;   ///< of the valid readings, kOhm*cm
    double dStdDev = 0.0; ///< sample standard deviation of the valid readings
    double dMin = 0.0;
    double dMax = 0.0;
    std::int32_t nReadingCount = 0; ///< stored readings, valid or not
    std::uint16_t nDiagramOrder = DiagramOrderUnset;
    bool bExpanded = false;  ///< persisted
    bool bSelected = false;  ///< not persisted
    bool bInSummary = false; ///< persisted
    Device::TTerrionObject object;
};
