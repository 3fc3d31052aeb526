#include "tests/report/ReportDocument.h"

#include <cstdlib>
#include <ctime>

namespace TerrionTest
{

SReportSeries BaseSeries()
{
    SReportSeries s;
    auto& o = s.object;
    o.ident.typeName = L"Terrion";
    o.ident.serialNumber = L"T-0042";
    o.ident.firmwareVersion = L"1.23";
    o.ident.hardwareRevision = L"B";
    o.ident.signature = L"07A1";
    o.objectNumber = 17;
    o.settings.mode = Device::NMeasurementMode::Surface;
    o.settings.customSpacing = false;
    o.settings.defaultSpacing = 500;
    o.settings.contactSpacing = 0xFFFF;
    o.settings.correctionKind = Device::NCorrectionKind::Custom;
    o.settings.correctionFactor = 1.0f;
    o.settings.shape = Device::NSpecimenShape::Flat;
    o.readings = {{12.25, 0, 100}, {0.0, 0, 0}, {16.75, 0, 120}};
    s.name = L"Pier A";
    s.comment = L"first";
    s.time = 1709622489; // 2024-03-05 07:08:09 UTC
    return s;
}

void FillDocument(CTerrionDoc& doc, const std::vector<SReportSeries>& series)
{
    CTerrionData::TObjects objects;
    for (const auto& s : series)
        objects.push_back(s.object);
    doc.AddSeries(objects, false);
    for (std::size_t i = 0; i < series.size(); ++i)
    {
        const int index = static_cast<int>(i);
        doc.SetName(index, series[i].name);
        doc.SetComment(index, series[i].comment);
        doc.SetTime(index, series[i].time);
    }
}

CTimeZone::CTimeZone(const char* zone)
{
    if (const char* previous = std::getenv("TZ"))
    {
        m_had = true;
        m_previous = previous;
    }
    setenv("TZ", zone, 1);
    tzset();
}

CTimeZone::~CTimeZone()
{
    if (m_had)
        setenv("TZ", m_previous.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

} // namespace TerrionTest
