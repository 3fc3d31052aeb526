#include "views/SeriesReport.h"

#include "data/NumberFormat.h"

#include "data/TerrionDoc.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "views/DateTimeFormat.h"

#include <charconv>
#include <cstdint>
#include <ctime>

namespace
{
namespace Ids = Resources::Ids;

const wchar_t* const kCrLf = L"\r\n";

// The report's labels belong to the export format: always the built-in text.
const wchar_t* Fixed(unsigned id)
{
    const wchar_t* text = Resources::CStringTable::BuiltIn(id);
    return text ? text : L"";
}
const wchar_t* const kField = L" \t"; // the end of a field

std::wstring Padded(const wchar_t* text, std::size_t width)
{
    std::wstring padded(text);
    if (padded.size() < width)
        padded.append(width - padded.size(), L' ');
    return padded;
}

// The five instrument labels, each padded to 36 and followed by three TABs;
// built once, on first use, and kept for the program's life.
enum NLabel
{
    LabelName = 0,
    LabelSerialNumber = 1,
    LabelSoftwareVersion = 2,
    LabelHardwareRevision = 3,
    LabelSignature = 4,
};

const std::wstring& Label(NLabel label)
{
    static const std::wstring labels[5] = {Padded(Fixed(Ids::kReportName), 36) + L"\t\t\t",
                                           Padded(Fixed(Ids::kReportSerialNumber), 36) + L"\t\t\t",
                                           Padded(Fixed(Ids::kReportSoftwareVersion), 36) + L"\t\t\t",
                                           Padded(Fixed(Ids::kReportHardwareRevision), 36) + L"\t\t\t",
                                           Padded(Fixed(Ids::kReportSignature), 36) + L"\t\t\t"};
    return labels[label];
}

// "<label>%s %s %s" with F, the value and F, then CRLF.
void AppendSetting(std::wstring& out, unsigned label, const std::wstring& value)
{
    out += Fixed(label);
    out += kField;
    out += L' ';
    out += value;
    out += L' ';
    out += kField;
    out += kCrLf;
}

std::wstring Int(long long value)
{
    return std::to_wstring(value);
}
} // namespace

std::wstring CSeriesReport::FormatFixed1(double value)
{
    return CNumberFormat::Fixed(value, 1);
}

const std::wstring& CSeriesReport::Separator()
{
    static const std::wstring separator = []
    {
        const std::wstring dashes(143, L'-');
        return std::wstring(L"\r\n\r\n\r\n") + dashes + kCrLf + dashes + kCrLf + dashes + L"\r\n\r\n\r\n";
    }();
    return separator;
}

const std::wstring& CSeriesReport::HeadingBlock()
{
    static const std::wstring block = []
    {
        std::wstring first = L"\t" + Padded(Fixed(Ids::kReportHeadingId), 20);
        for (const unsigned heading :
             {Ids::kReportHeadingName, Ids::kReportHeadingDateTime, Ids::kReportHeadingMean,
              Ids::kReportHeadingTotal, Ids::kReportHeadingStdDev})
            first += L"\t" + Padded(Fixed(heading), 18);
        std::wstring second = L"\t  " + std::wstring(18, L'-');
        for (int i = 0; i < 5; ++i)
            second += L"\t" + std::wstring(18, L'-');
        return first + kCrLf + second + kCrLf;
    }();
    return block;
}

int CSeriesReport::GetSeriesReport(const CTerrionDoc& doc, int index, std::wstring& out)
{
    if (index < 0 || index >= doc.GetSeriesCount())
        return 0;
    const TMeasSeries* series = doc.GetSeries(index);
    if (!series)
        return 0;
    const auto& object = series->object;
    const auto& ident = object.ident;

    out += Fixed(Ids::kReportInstrumentData);
    out += kCrLf;
    out += Label(LabelName) + ident.typeName + kCrLf;
    out += Label(LabelSerialNumber) + ident.serialNumber + kCrLf;
    out += Label(LabelSoftwareVersion) + L"'" + ident.firmwareVersion + L"'" + kCrLf;
    out += Label(LabelHardwareRevision) + L"'" + ident.hardwareRevision + L"'" + kCrLf;
    out += Label(LabelSignature) + L"'" + ident.signature + L"'" + kCrLf + kCrLf;

    out += Fixed(Ids::kReportComment);
    out += kCrLf;
    out += L"    \"" + series->strComment + L"\"" + kCrLf + kCrLf;

    out += Fixed(Ids::kReportMeasurementData);
    out += L"\r\n\r\n\r\n";
    AppendSetting(out, Ids::kReportMeasurementMode, doc.FormatMeasurementMode(index));
    if (doc.GetMeasurementMode(index) == Device::NMeasurementMode::Surface)
    {
        out += Fixed(Ids::kReportContactSpacing);
        out += kField;
        out += L' ';
        out += doc.FormatContactSpacing(index);
        out += doc.IsDefaultContactSpacing(index) ? Fixed(Ids::kReportDefaultSpacing) : L" ";
        out += kField;
        out += kCrLf;
    }
    if (doc.GetCorrectionKind(index) == Device::NCorrectionKind::Geometric)
    {
        const Device::NSpecimenShape shape = doc.GetSpecimenShape(index);
        AppendSetting(out, Ids::kReportSpecimenShape, doc.FormatSpecimenShape(index));
        if (shape != Device::NSpecimenShape::Flat)
        {
            AppendSetting(out, Ids::kReportSpecimenLength, doc.FormatLength(index));
            AppendSetting(out,
                          shape == Device::NSpecimenShape::Cylinder ? Ids::kReportSpecimenDiameter
                                                                    : Ids::kReportSpecimenWidth,
                          doc.FormatDiameter(index));
            if (shape == Device::NSpecimenShape::Prism)
                AppendSetting(out, Ids::kReportSpecimenDepth, doc.FormatDepth(index));
        }
    }
    AppendSetting(out, Ids::kReportCorrection, doc.FormatCorrection(index));
    out += kCrLf;

    const std::wstring resistivityUnit = CTerrionDoc::GetResistivityUnit();
    const std::wstring currentUnit = CTerrionDoc::GetCurrentUnit();
    out += Fixed(Ids::kReportMeasurements);
    out += kField;
    for (std::size_t j = 1; j <= object.readings.size(); ++j)
        out += Int(static_cast<long long>(j)) + L" " + kField;
    out += kCrLf;
    out += kField;
    for (const auto& reading : object.readings)
        out += FormatFixed1(reading.value) + L" " + resistivityUnit + L" " + kField;
    out += kCrLf;
    out += kField;
    for (const auto& reading : object.readings)
        out += Int(reading.current) + L" " + currentUnit + L" " + kField;
    out += L"\r\n\r\n";

    double mean = 0.0, sd = 0.0, min = 0.0, max = 0.0;
    doc.GetStatistics(index, &mean, &sd, &min, &max);
    std::tm local{};
    int day = 0, month = 0, year = 0, hour = -1, minute = -1, second = -1;
    if (CDateTimeFormat::ToLocalTime(series->nTime, &local))
    {
        day = local.tm_mday;
        month = local.tm_mon + 1;
        year = local.tm_year + 1900;
        hour = local.tm_hour;
        minute = local.tm_min;
        second = local.tm_sec;
    }
    out += Fixed(Ids::kReportSummary);
    out += HeadingBlock();
    out += kField;
    out += Int(object.objectNumber) + L" " + kField;
    out += series->strName;
    out += kField;
    out += Int(day) + L"." + Int(month) + L"." + Int(year) + L"  " + Int(hour) + L":" + Int(minute) + L":" +
           Int(second) + L" " + kField;
    out += FormatFixed1(mean) + L" " + kField;
    out += Int(doc.GetReadingCount(index)) + L" " + kField;
    out += FormatFixed1(sd) + L" " + kField;
    out += kCrLf;
    return static_cast<int>(out.size());
}
