#pragma once
// A project document filled with downloaded series for the report tests, and
// a time zone set for the length of one test.

#include "data/TerrionDoc.h"

#include <string>
#include <vector>

namespace TerrionTest
{

/// Instrument strings and settings of the series the report tests use.
struct SReportSeries
{
    Device::TTerrionObject object;
    std::wstring name;
    std::wstring comment;
    std::int64_t time = 0;
};

/// The object every case starts from: a Terrion, object 17, surface mode
/// with the default spacing of 50.0 mm, custom correction 1.000, and the
/// readings 12.25 (100 uA), invalid, 16.75 (120 uA).
SReportSeries BaseSeries();

/// Fills doc with the series (replacing what it held).
void FillDocument(CTerrionDoc& doc, const std::vector<SReportSeries>& series);

/// Sets TZ while it lives; the previous value comes back afterwards.
class CTimeZone
{
public:
    explicit CTimeZone(const char* zone);
    ~CTimeZone();
    CTimeZone(const CTimeZone&) = delete;
    CTimeZone& operator=(const CTimeZone&) = delete;

private:
    bool m_had = false;
    std::string m_previous;
};

} // namespace TerrionTest
