#pragma once
// The container of a project's measurement series: it makes series from
// downloaded objects, keeps their statistics, sorts them, reads and writes
// them as one data block of the project format and copies itself deeply.
// Series are addressed by index in the current order.

#include "data/MeasSeries.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace StreamIO
{
class CVNArchive;
}
class CTerrionDoc;

/// Sort orders of a series container; stored in project files.
enum NSeriesSort : std::uint8_t
{
    SortNone = 0,
    SortIdAsc = 1,
    SortIdDesc = 2,
    SortTimeAsc = 3,
    SortTimeDesc = 4,
    SortNameAsc = 5,
    SortNameDesc = 6,
    SortMeanAsc = 7,
    SortMeanDesc = 8,
    SortCountAsc = 9,
    SortCountDesc = 10,
    SortStdDevAsc = 11,
    SortStdDevDesc = 12,
};

class CTerrionData
{
public:
    using TObjects = std::vector<Device::TTerrionObject>;
    /// One byte per series, 1 = include (copy to the clipboard).
    using TSelection = std::vector<std::uint8_t>;
    /// Where new series get their identifier and download time; tests
    /// replace them to make written files reproducible.
    using FGuidSource = std::function<TGuid()>;
    using FClock = std::function<std::int64_t()>;

    /// The format the writer produces and an own deep copy reads back.
    static constexpr std::uint16_t kCurrentFormat = 2;

    CTerrionData();
    ~CTerrionData();
    CTerrionData(const CTerrionData&) = delete;
    CTerrionData& operator=(const CTerrionData&) = delete;

    /// The document whose modified flag the setters raise; null for the
    /// original data, which marks nothing.
    void SetDocument(CTerrionDoc* doc) { m_pDocument = doc; }
    void SetGuidSource(FGuidSource source);
    void SetClock(FClock clock);

    int GetCount() const { return static_cast<int>(m_series.size()); }
    bool HasSeries() const { return !m_series.empty(); }
    /// Borrowed; null past the end. A negative index throws std::out_of_range.
    /// A writer through the non-const overload marks the document modified itself.
    const TMeasSeries* GetSeries(int i) const;
    TMeasSeries* GetSeries(int i);

    TGuid GetGuid(int i) const;
    std::wstring GetName(int i) const;
    std::wstring GetComment(int i) const;
    std::wstring GetSerialNumber(int i) const;
    void SetName(int i, const std::wstring& text);
    /// Marks modified only when the text differs.
    void SetComment(int i, const std::wstring& text);
    /// Object number; -1 past the end.
    int GetObjectId(int i) const;
    std::int64_t GetTime(int i) const;
    void SetTime(int i, std::int64_t time);
    std::uint16_t GetDiagramOrder(int i) const;
    void SetDiagramOrder(int i, std::uint16_t order);
    bool IsExpanded(int i) const;
    void SetExpanded(int i, bool expanded);
    bool IsSelected(int i) const;
    void SetSelected(int i, bool selected);
    /// Clears every selected flag without marking anything.
    void ClearSelection();

    int GetReadingCount(int i) const;
    /// Readings whose current is not 0.
    int GetValidReadingCount(int i) const;
    double GetReading(int i, int r) const;
    std::uint16_t GetCurrent(int i, int r) const;
    void GetStatistics(int i, double* mean, double* sd, double* min, double* max) const;
    double GetMaximum(int i) const;
    void GetMeanRange(double* smallest, double* largest) const;
    void UpdateMeanRange();

    std::uint8_t GetSortOrder() const { return m_nSortOrder; }
    /// Sorts by the orders 1-12 and stores any order; never marks modified.
    void Sort(std::uint8_t order);

    /// Deletes one series; marks modified.
    void RemoveAt(int i);
    /// Deletes every series; sort order 0.
    void RemoveAll();

    /// Makes series from downloaded objects (appended to the current ones, or
    /// replacing them without append).
    bool AddSeries(const TObjects& objects, bool append);

    /// Writes one data block: the series (only those whose selection byte is
    /// 1 when a selection is given) and the sort order.
    void Store(StreamIO::CVNArchive& archive, const TSelection* selection) const;
    /// Reads one data block and appends its series (see AppendFrom). A count
    /// never makes room for more than the bytes that really follow. On a
    /// failure this container keeps the series it had and gets none of the
    /// block's.
    void Load(StreamIO::CVNArchive& archive, std::uint16_t formatVersion);
    /// Moves every series of other to the end of this container: existing
    /// selections are cleared, the moved ones arrive unselected, the sort order
    /// becomes other's and the mean range is recomputed.
    void AppendFrom(CTerrionData& other);

    /// Becomes a deep copy of source through an in-memory project block: same
    /// series, identifiers and order, no selection.
    void CopyFrom(const CTerrionData& source);

    /// "--" for an invalid reading, else the value and the resistivity unit.
    std::wstring FormatReading(int i, int r) const;
    /// The contact spacing of a surface measurement in millimetres, else "--".
    std::wstring FormatContactSpacing(int i) const;
    /// The mark level is not kept; this only marks the document modified.
    void SetDiagramMarkLevel(int i, int level);

    /// Mean, deviation, minimum and maximum over the readings with a current.
    static void ComputeStatistics(TMeasSeries& series);

private:
    TMeasSeries* At(int i) const;
    void MarkModified();

    double m_dSmallestMean = 0.0;
    double m_dLargestMean = 0.0;
    std::vector<std::unique_ptr<TMeasSeries>> m_series;
    CTerrionDoc* m_pDocument = nullptr;
    std::uint8_t m_nSortOrder = SortNone;
    FGuidSource m_guidSource;
    FClock m_clock;
};
