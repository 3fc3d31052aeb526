#include "data/SummaryData.h"

#include "data/TerrionDoc.h"
#include "streams/VNArchive.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

void CSummaryData::SetOrder(std::int16_t order)
{
    m_nOrder = order;
    if (m_pDocument)
        m_pDocument->SetModified();
}

void CSummaryData::SetComment(const std::wstring& text)
{
    if (text == m_strComment)
        return;
    m_strComment = text;
    if (m_pDocument)
        m_pDocument->SetModified();
}

void CSummaryData::GetStatistics(double* mean, double* sd, double* min, double* max) const
{
    *mean = m_dMean;
    *sd = m_dStdDev;
    *min = m_dMin;
    *max = m_dMax;
}

void CSummaryData::ComputeStatistics()
{
    std::vector<double> means;
    if (m_pDocument)
    {
        const CTerrionData& data = m_pDocument->GetProjectData();
        for (int i = 0; i < data.GetCount(); ++i)
            if (data.GetSeries(i)->bInSummary)
                means.push_back(data.GetSeries(i)->dMean);
    }
    const double n = static_cast<double>(means.size());
    double sum = 0.0;
    m_dMin = DBL_MAX;
    m_dMax = 0.0;
    for (double m : means)
    {
        sum += m;
        m_dMin = std::min(m_dMin, m);
        m_dMax = std::max(m_dMax, m);
    }
    m_dMean = means.empty() ? 0.0 : sum / n;
    double squares = 0.0;
    for (double m : means)
        squares += (m - m_dMean) * (m - m_dMean);
    m_dStdDev = means.size() >= 2 ? std::sqrt(squares / (n - 1)) : 0.0;
}

void CSummaryData::Add(const TMeasSeries* series)
{
    if (!series || series->dMean == 0.0)
        return;
    m_entries.push_back(TMeasSeriesInfo{series->guid, series->strName, series->dMean, series});
}

void CSummaryData::Remove(const TGuid& guid)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const auto& e) { return e.guid == guid; });
    if (it != m_entries.end())
        m_entries.erase(it);
}

void CSummaryData::Remove(const TMeasSeries* series)
{
    auto it =
        std::find_if(m_entries.begin(), m_entries.end(), [&](const auto& e) { return e.pSeries == series; });
    if (it != m_entries.end())
        m_entries.erase(it);
}

void CSummaryData::Store(StreamIO::CVNArchive& archive) const
{
    archive.WriteString(m_strComment);
}

void CSummaryData::Load(StreamIO::CVNArchive& archive)
{
    archive.ReadString(m_strComment);
}
