#pragma once
// The summary of a project: the entries of the series put into it, the
// statistics over their means, the order of the bars and the comment. Only
// the comment is stored; the entries are rebuilt from the series' flags.

#include "data/Guid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace StreamIO
{
class CVNArchive;
}
class CTerrionDoc;
struct TMeasSeries;

/// One summary entry: the series as it was when it was put in.
struct TMeasSeriesInfo
{
    TGuid guid;
    std::wstring strName;
    double dMean = 0.0;
    /// The series the entry stands for, used only as a key: identifiers
    /// read from files need not be unique.
    const TMeasSeries* pSeries = nullptr;
};

/// Order of the summary bars.
enum NSummaryOrder : std::int16_t
{
    SummaryOrderUnset = -1,
    SummaryOrderObjectId = 0,
    SummaryOrderValue = 1,
    SummaryOrderName = 2,
};

class CSummaryData
{
public:
    CSummaryData() = default;

    void SetDocument(CTerrionDoc* doc) { m_pDocument = doc; }

    std::int16_t GetOrder() const { return m_nOrder; }
    /// Marks the document modified.
    void SetOrder(std::int16_t order);
    const std::wstring& GetComment() const { return m_strComment; }
    /// Marks the document modified only when the text differs.
    void SetComment(const std::wstring& text);
    void GetStatistics(double* mean, double* sd, double* min, double* max) const;
    /// Statistics over the means of the document's project series whose
    /// in-summary flag is set; with none, the minimum stays DBL_MAX.
    void ComputeStatistics();

    /// Appends an entry; ignored for null and for a series whose mean is 0.
    void Add(const TMeasSeries* series);
    /// Deletes the first entry with the identifier.
    void Remove(const TGuid& guid);
    /// Deletes the entry made for that series.
    void Remove(const TMeasSeries* series);
    void RemoveAll() { m_entries.clear(); }
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    const std::vector<TMeasSeriesInfo>& GetEntries() const { return m_entries; }

    /// Writes the comment as one archive string.
    void Store(StreamIO::CVNArchive& archive) const;
    /// Reads the comment without marking anything.
    void Load(StreamIO::CVNArchive& archive);
    /// Takes a comment that was read, without marking anything.
    void LoadComment(const std::wstring& text) { m_strComment = text; }

private:
    std::wstring m_strComment;
    double m_dMean = 0.0;
    double m_dStdDev = 0.0;
    double m_dMin = 0.0;
    double m_dMax = 0.0;
    std::int16_t m_nOrder = SummaryOrderUnset;
    std::vector<TMeasSeriesInfo> m_entries;
    CTerrionDoc* m_pDocument = nullptr;
};
