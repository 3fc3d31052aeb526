#pragma once
// Project documents for the views' tests: series with a given number of
// readings, built on the report tests' Terrion object.
#include <vector>

#include "data/TerrionDoc.h"
#include "tests/report/ReportDocument.h"

namespace TerrionTest
{

/// A series of `readings` readings: 10.0, 11.5, 13.0, ... (wrapping every
/// ten), each with a current of 100 + its index; the comment as given.
inline SReportSeries SeriesOf(int readings, const std::wstring& comment = L"first")
{
    SReportSeries s = BaseSeries();
    s.object.readings.clear();
    for (int i = 0; i < readings; ++i)
        s.object.readings.push_back({10.0 + 1.5 * (i % 10), 0, static_cast<std::uint16_t>(100 + i)});
    s.comment = comment;
    return s;
}

} // namespace TerrionTest
