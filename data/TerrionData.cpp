#include "data/TerrionData.h"

#include "data/NumberFormat.h"

#include "data/SeriesRecord.h"
#include "data/TerrionDoc.h"
#include "streams/FileException.h"
#include "streams/StreamFactory.h"
#include "streams/TextCodec.h"
#include "streams/VNArchive.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <stdexcept>

namespace
{
constexpr std::uint32_t kSeriesReserveLimit = 1024;

// Orders doubles totally: NaN (only a damaged file can hold one) after
// every number, so sorting stays well defined.
bool LessDouble(double a, double b)
{
    if (std::isnan(a))
        return false;
    if (std::isnan(b))
        return true;
    return a < b;
}

using FLess = bool (*)(const TMeasSeries&, const TMeasSeries&);

FLess AscendingLess(std::uint8_t order)
{
    switch (order)
    {
    case SortIdAsc:
    case SortIdDesc:
        return [](const TMeasSeries& a, const TMeasSeries& b)
        { return a.object.objectNumber < b.object.objectNumber; };
    case SortTimeAsc:
    case SortTimeDesc:
        return [](const TMeasSeries& a, const TMeasSeries& b) { return a.nTime < b.nTime; };
    case SortNameAsc:
    case SortNameDesc:
        // UTF-16 code unit order, case-sensitive: a character beyond U+FFFF
        // sorts by its surrogates, as the name is stored
        return [](const TMeasSeries& a, const TMeasSeries& b)
        { return StreamIO::CTextCodec::ToUtf16(a.strName) < StreamIO::CTextCodec::ToUtf16(b.strName); };
    case SortMeanAsc:
    case SortMeanDesc:
        return [](const TMeasSeries& a, const TMeasSeries& b) { return LessDouble(a.dMean, b.dMean); };
    case SortCountAsc:
    case SortCountDesc:
        return [](const TMeasSeries& a, const TMeasSeries& b) { return a.nReadingCount < b.nReadingCount; };
    case SortStdDevAsc:
    case SortStdDevDesc:
        return [](const TMeasSeries& a, const TMeasSeries& b) { return LessDouble(a.dStdDev, b.dStdDev); };
    default:
        return nullptr;
    }
}
} // namespace

CTerrionData::CTerrionData() = default;
CTerrionData::~CTerrionData() = default;

void CTerrionData::SetGuidSource(FGuidSource source)
{
    m_guidSource = std::move(source);
}

void CTerrionData::SetClock(FClock clock)
{
    m_clock = std::move(clock);
}

TMeasSeries* CTerrionData::At(int i) const
{
    if (i < 0)
        throw std::out_of_range("negative series index");
    if (static_cast<std::size_t>(i) >= m_series.size())
        return nullptr;
    return m_series[static_cast<std::size_t>(i)].get();
}

const TMeasSeries* CTerrionData::GetSeries(int i) const
{
    return At(i);
}

TMeasSeries* CTerrionData::GetSeries(int i)
{
    return At(i);
}

void CTerrionData::MarkModified()
{
    if (m_pDocument)
        m_pDocument->SetModified();
}

TGuid CTerrionData::GetGuid(int i) const
{
    const TMeasSeries* s = At(i);
    return s ? s->guid : TGuid{};
}

std::wstring CTerrionData::GetName(int i) const
{
    const TMeasSeries* s = At(i);
    return s ? s->strName : std::wstring();
}

std::wstring CTerrionData::GetComment(int i) const
{
    const TMeasSeries* s = At(i);
    return s ? s->strComment : std::wstring();
}

std::wstring CTerrionData::GetSerialNumber(int i) const
{
    const TMeasSeries* s = At(i);
    return s ? s->object.ident.serialNumber : std::wstring();
}

void CTerrionData::SetName(int i, const std::wstring& text)
{
    if (TMeasSeries* s = At(i))
    {
        s->strName = text;
        MarkModified();
    }
}

void CTerrionData::SetComment(int i, const std::wstring& text)
{
    TMeasSeries* s = At(i);
    if (s && s->strComment != text)
    {
        s->strComment = text;
        MarkModified();
    }
}

int CTerrionData::GetObjectId(int i) const
{
    const TMeasSeries* s = At(i);
    return s ? static_cast<int>(s->object.objectNumber) : -1;
}

std::int64_t CTerrionData::GetTime(int i) const
{
    const TMeasSeries* s = At(i);
    return s ? s->nTime : 0;
}

void CTerrionData::SetTime(int i, std::int64_t time)
{
    if (TMeasSeries* s = At(i))
    {
        s->nTime = time;
        MarkModified();
    }
}

std::uint16_t CTerrionData::GetDiagramOrder(int i) const
{
    const TMeasSeries* s = At(i);
    return s ? s->nDiagramOrder : static_cast<std::uint16_t>(DiagramOrderUnset);
}

void CTerrionData::SetDiagramOrder(int i, std::uint16_t order)
{
    if (TMeasSeries* s = At(i))
    {
        s->nDiagramOrder = order;
        MarkModified();
    }
}

bool CTerrionData::IsExpanded(int i) const
{
    const TMeasSeries* s = At(i);
    return s && s->bExpanded;
}

void CTerrionData::SetExpanded(int i, bool expanded)
{
    if (TMeasSeries* s = At(i))
    {
        s->bExpanded = expanded;
        MarkModified();
    }
}

bool CTerrionData::IsSelected(int i) const
{
    const TMeasSeries* s = At(i);
    return s && s->bSelected;
}

void CTerrionData::SetSelected(int i, bool selected)
{
    if (TMeasSeries* s = At(i))
    {
        s->bSelected = selected;
        MarkModified();
    }
}

void CTerrionData::ClearSelection()
{
    for (auto& s : m_series)
        s->bSelected = false;
}

int CTerrionData::GetReadingCount(int i) const
{
    const TMeasSeries* s = At(i);
    return s ? s->nReadingCount : 0;
}

int CTerrionData::GetValidReadingCount(int i) const
{
    const TMeasSeries* s = At(i);
    if (!s)
        return 0;
    return static_cast<int>(std::count_if(s->object.readings.begin(), s->object.readings.end(),
                                          [](const auto& m) { return m.current != 0; }));
}

double CTerrionData::GetReading(int i, int r) const
{
    const TMeasSeries* s = At(i);
    if (!s || r < 0 || static_cast<std::size_t>(r) >= s->object.readings.size())
        return 0.0;
    return s->object.readings[static_cast<std::size_t>(r)].value;
}

std::uint16_t CTerrionData::GetCurrent(int i, int r) const
{
    const TMeasSeries* s = At(i);
    if (!s || r < 0 || static_cast<std::size_t>(r) >= s->object.readings.size())
        return 0;
    return s->object.readings[static_cast<std::size_t>(r)].current;
}

void CTerrionData::GetStatistics(int i, double* mean, double* sd, double* min, double* max) const
{
    const TMeasSeries* s = At(i);
    if (!s)
        return;
    *mean = s->dMean;
    *sd = s->dStdDev;
    *min = s->dMin;
    *max = s->dMax;
}

double CTerrionData::GetMaximum(int i) const
{
    const TMeasSeries* s = At(i);
    return s ? s->dMax : 0.0;
}

void CTerrionData::GetMeanRange(double* smallest, double* largest) const
{
    *smallest = m_dSmallestMean;
    *largest = m_dLargestMean;
}

void CTerrionData::UpdateMeanRange()
{
    if (m_series.empty())
    {
        m_dSmallestMean = 0.0;
        m_dLargestMean = 0.0;
        return;
    }
    m_dSmallestMean = DBL_MAX;
    m_dLargestMean = 0.0;
    for (const auto& s : m_series)
    {
        if (s->dMean < m_dSmallestMean)
            m_dSmallestMean = s->dMean;
        if (s->dMean > m_dLargestMean)
            m_dLargestMean = s->dMean;
    }
}

void CTerrionData::Sort(std::uint8_t order)
{
    if (FLess less = AscendingLess(order))
    {
        const bool descending = order % 2 == 0;
        std::stable_sort(m_series.begin(), m_series.end(),
                         [less, descending](const auto& a, const auto& b)
                         { return descending ? less(*b, *a) : less(*a, *b); });
    }
    m_nSortOrder = order;
}

void CTerrionData::RemoveAt(int i)
{
    if (!At(i))
        throw std::out_of_range("series index past the end");
    m_series.erase(m_series.begin() + i);
    UpdateMeanRange();
    MarkModified();
}

void CTerrionData::RemoveAll()
{
    m_series.clear();
    UpdateMeanRange();
    m_nSortOrder = SortNone;
}

void CTerrionData::ComputeStatistics(TMeasSeries& s)
{
    double sum = 0.0;
    double min = DBL_MAX;
    double max = 0.0;
    int n = 0;
    for (const auto& m : s.object.readings)
    {
        if (m.current == 0)
            continue;
        sum += m.value;
        min = std::min(min, m.value);
        max = std::max(max, m.value);
        ++n;
    }
    if (n == 0)
    {
        s.dMean = s.dStdDev = s.dMin = s.dMax = 0.0;
        return;
    }
    s.dMean = sum / n;
    s.dMin = min;
    s.dMax = max;
    double squares = 0.0;
    for (const auto& m : s.object.readings)
        if (m.current != 0)
            squares += (m.value - s.dMean) * (m.value - s.dMean);
    s.dStdDev = n > 1 ? std::sqrt(squares / (n - 1)) : 0.0;
}

bool CTerrionData::AddSeries(const TObjects& objects, bool append)
{
    if (!append)
        RemoveAll();
    for (const auto& object : objects)
    {
        auto series = std::make_unique<TMeasSeries>();
        series->guid = m_guidSource ? m_guidSource() : TGuid::Create();
        series->nTime = m_clock ? m_clock() : static_cast<std::int64_t>(std::time(nullptr));
        series->object = object;
        series->object.readings = object.readings;
        series->nReadingCount = static_cast<std::int32_t>(object.readings.size());
        ComputeStatistics(*series);
        series->bSelected = append || m_series.empty();
        m_series.push_back(std::move(series));
    }
    UpdateMeanRange();
    return true;
}

void CTerrionData::Store(StreamIO::CVNArchive& archive, const TSelection* selection) const
{
    if (selection && selection->size() < m_series.size())
        throw std::invalid_argument("selection shorter than the series");
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < m_series.size(); ++i)
        if (!selection || (*selection)[i] == 1)
            ++count;
    archive.WriteDWord(count);
    for (std::size_t i = 0; i < m_series.size(); ++i)
        if (!selection || (*selection)[i] == 1)
            CSeriesRecord::Write(archive, *m_series[i]);
    archive.WriteByte(m_nSortOrder);
}

void CTerrionData::Load(StreamIO::CVNArchive& archive, std::uint16_t formatVersion)
{
    CTerrionData block;
    std::uint32_t count = 0;
    archive.ReadDWord(count);
    block.m_series.reserve(std::min(count, kSeriesReserveLimit));
    for (std::uint32_t n = 0; n < count; ++n)
    {
        auto series = std::make_unique<TMeasSeries>();
        CSeriesRecord::Read(archive, formatVersion, *series);
        block.m_series.push_back(std::move(series));
    }
    archive.ReadByte(block.m_nSortOrder);
    AppendFrom(block);
}

void CTerrionData::AppendFrom(CTerrionData& other)
{
    if (!m_series.empty() || !other.m_series.empty())
        ClearSelection();
    for (auto& s : other.m_series)
    {
        s->bSelected = false;
        m_series.push_back(std::move(s));
    }
    other.m_series.clear();
    m_nSortOrder = other.m_nSortOrder;
    other.UpdateMeanRange();
    UpdateMeanRange();
}

void CTerrionData::CopyFrom(const CTerrionData& source)
{
    RemoveAll();
    constexpr std::uint32_t kFlags = StreamIO::ofRead | StreamIO::ofWrite | StreamIO::ofCreateAlways;
    auto storeStream = StreamIO::CreateStream(L"RAM:RamStreamStoreTerrionlink", kFlags);
    std::vector<std::uint8_t> bytes;
    {
        StreamIO::CVNArchive store(storeStream->GetHandle(), StreamIO::CVNArchive::amStore, 1024);
        source.Store(store, nullptr);
        store.Flush();
        bytes.resize(static_cast<std::size_t>(storeStream->GetLength()));
        storeStream->SetPosition(0);
        if (!bytes.empty() &&
            storeStream->Read(bytes.data(), static_cast<int>(bytes.size())) != static_cast<int>(bytes.size()))
            StreamIO::CFileException::ThrowOsError(38, storeStream->GetName());

        auto loadStream = StreamIO::CreateStream(L"RAM:RamStreamLoadTerrionlink", kFlags);
        if (!bytes.empty())
            loadStream->Write(bytes.data(), static_cast<int>(bytes.size()));
        StreamIO::CVNArchive load(loadStream->GetHandle(), StreamIO::CVNArchive::amLoad, 1024);
        Load(load, kCurrentFormat);
        load.Close();
        store.Close();
    }
    m_nSortOrder = source.m_nSortOrder;
}

std::wstring CTerrionData::FormatReading(int i, int r) const
{
    const TMeasSeries* s = At(i);
    if (!s || r < 0 || static_cast<std::size_t>(r) >= s->object.readings.size() ||
        s->object.readings[static_cast<std::size_t>(r)].current == 0)
        return L"--";
    return CNumberFormat::Fixed(s->object.readings[static_cast<std::size_t>(r)].value, 1) + L" " +
           CTerrionDoc::GetResistivityUnit();
}

std::wstring CTerrionData::FormatContactSpacing(int i) const
{
    const TMeasSeries* s = At(i);
    if (!s || s->object.settings.mode != Device::NMeasurementMode::Surface)
        return L"--";
    const auto& set = s->object.settings;
    const unsigned spacing =
        set.contactSpacing == Device::TMeasSettings::kSpacingNotSet ? set.defaultSpacing : set.contactSpacing;
    return CNumberFormat::Fixed(spacing / 10.0, 1) + L"mm";
}

void CTerrionData::SetDiagramMarkLevel(int, int)
{
    MarkModified();
}
