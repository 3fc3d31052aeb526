#pragma once
// The one project document: the original data (as downloaded or read, never
// edited), the project data (shown and edited by the views), the summary, the
// project file's path and the unsaved-changes flag. It runs the project
// commands (new, open, add, save, save as, restore, copy, paste) and posts a
// document-changed notification to the registered views after each change.
// It asks the user only through CDocumentUi.

#include "data/SummaryData.h"
#include "data/TerrionData.h"
#include "platform/ClipboardData.h"
#include "streams/Version.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CDocumentUi;
class CDocumentView;
class CProjectArchive;

class CTerrionDoc
{
public:
    /// Name of the private clipboard format.
    static constexpr const wchar_t* kClipboardFormat = L"TerrionLink-Format";

    explicit CTerrionDoc(CDocumentUi* ui = nullptr);
    ~CTerrionDoc();
    CTerrionDoc(const CTerrionDoc&) = delete;
    CTerrionDoc& operator=(const CTerrionDoc&) = delete;

    void SetUi(CDocumentUi* ui) { m_pUi = ui; }

    // Views
    /// Appends the view (no duplicate check); prefer CDocumentSubscription.
    void AddView(CDocumentView* view);
    /// Removes the first entry of the view; false when it is not registered.
    bool RemoveView(CDocumentView* view);
    /// Posts hint to every registered view but sender, in registration order.
    void NotifyViews(CDocumentView* sender, int hint);

    // State
    bool IsModified() const { return m_bModified; }
    /// Sets the flag; returns the previous value.
    bool SetModified();
    bool HasProjectSeries() const { return m_project.HasSeries(); }
    bool HasOriginalSeries() const { return m_original.HasSeries(); }
    bool HasAnySeries() const { return HasProjectSeries() || HasOriginalSeries(); }
    /// The clipboard holds data of the private format (asked without fetching it).
    bool CanPaste() const;
    /// The whole path, or with nameOnly the file name without its extension;
    /// without a path "" for an empty project, else "Unnamed".
    std::wstring GetTitle(bool nameOnly) const;
    const std::wstring& GetPath() const { return m_strPath; }

    // Project commands
    /// Asks to save unsaved changes, then empties the project (the summary
    /// comment stays). False when the user cancels or the save fails.
    bool Close();
    /// Opens the project file (or adds its series with add). An empty path
    /// asks for one. A file that cannot be read is reported and leaves the
    /// document as it was.
    bool Open(std::wstring path, bool add);
    /// Saves to the project path, or asks for one.
    bool Save();
    bool SaveAs();
    /// Writes the whole project to path through a temporary file beside it
    /// that replaces the target only when complete. A failure is reported,
    /// leaves any old file as it was and the document modified.
    bool SaveFile(const std::wstring& path);
    /// Writes a project archive: the whole project, or (with a selection, one
    /// byte per project series) the selected series without the original data.
    bool Write(StreamIO::CVNArchive& archive, const CTerrionData::TSelection* selection) const;
    /// Reads a project archive and appends its data; the comment is taken when
    /// the current one is empty. Throws CFileException and then changes nothing.
    void Load(StreamIO::CVNArchive& archive);
    /// Makes series of downloaded objects in both containers.
    bool AddSeries(const CTerrionData::TObjects& objects, bool append);
    /// The project data becomes a copy of the original data; false (nothing
    /// changed) when the copy fails.
    bool RestoreOriginalData();
    /// Adds the selected series in the private format to data.
    bool AddToClipboardData(const CTerrionData::TSelection& selection, Platform::CClipboardData& data) const;
    /// Puts the selected series on the clipboard in the private format,
    /// together with the other formats of data (the page's text), in one write.
    bool CopyToClipboard(const CTerrionData::TSelection& selection, Platform::CClipboardData data = {});
    /// Appends the series on the clipboard; true without change when there
    /// are none. A damaged (or empty) block throws CFileException and
    /// changes nothing.
    bool Paste();
    /// Removes the series and its own summary entry; posts nothing.
    void RemoveSeries(int i);

    // Project data
    CTerrionData& GetProjectData() { return m_project; }
    const CTerrionData& GetProjectData() const { return m_project; }
    const CTerrionData& GetOriginalData() const { return m_original; }
    void Sort(std::uint8_t order) { m_project.Sort(order); }
    std::uint8_t GetSortOrder() const { return m_project.GetSortOrder(); }
    int GetSeriesCount() const { return m_project.GetCount(); }
    int GetReadingCount(int i) const { return m_project.GetReadingCount(i); }
    int GetValidReadingCount(int i) const { return m_project.GetValidReadingCount(i); }
    int GetObjectId(int i) const { return m_project.GetObjectId(i); }
    std::int64_t GetTime(int i) const { return m_project.GetTime(i); }
    void SetTime(int i, std::int64_t time) { m_project.SetTime(i, time); }
    bool IsExpanded(int i) const { return m_project.IsExpanded(i); }
    void SetExpanded(int i, bool expanded) { m_project.SetExpanded(i, expanded); }
    void SetSelected(int i, bool selected) { m_project.SetSelected(i, selected); }
    double GetReading(int i, int r) const { return m_project.GetReading(i, r); }
    double GetMaximum(int i) const { return m_project.GetMaximum(i); }
    std::uint16_t GetCurrent(int i, int r) const { return m_project.GetCurrent(i, r); }
    std::uint16_t GetDiagramOrder(int i) const { return m_project.GetDiagramOrder(i); }
    void SetDiagramOrder(int i, std::uint16_t order) { m_project.SetDiagramOrder(i, order); }
    void GetStatistics(int i, double* mean, double* sd, double* min, double* max) const
    {
        m_project.GetStatistics(i, mean, sd, min, max);
    }
    double GetMean(int i) const;
    void GetMeanRange(double* smallest, double* largest) const { m_project.GetMeanRange(smallest, largest); }
    /// Read access; a writer takes the non-const overload and marks the project modified itself.
    const TMeasSeries* GetSeries(int i) const { return m_project.GetSeries(i); }
    TMeasSeries* GetSeries(int i) { return m_project.GetSeries(i); }
    std::wstring GetName(int i) const { return m_project.GetName(i); }
    void SetName(int i, const std::wstring& text) { m_project.SetName(i, text); }
    std::wstring GetComment(int i) const { return m_project.GetComment(i); }
    void SetComment(int i, const std::wstring& text) { m_project.SetComment(i, text); }
    std::wstring GetSerialNumber(int i) const { return m_project.GetSerialNumber(i); }
    std::wstring FormatReading(int i, int r) const { return m_project.FormatReading(i, r); }
    std::wstring FormatContactSpacing(int i) const { return m_project.FormatContactSpacing(i); }

    // Per-series settings (past the end: 0, true or the text shown)
    Device::NMeasurementMode GetMeasurementMode(int i) const;
    bool IsDefaultContactSpacing(int i) const;
    Device::NSpecimenShape GetSpecimenShape(int i) const;
    Device::NCorrectionKind GetCorrectionKind(int i) const;
    std::wstring FormatMeasurementMode(int i) const;
    std::wstring FormatSpecimenShape(int i) const;
    std::wstring FormatLength(int i) const;
    std::wstring FormatDiameter(int i) const;
    std::wstring FormatDepth(int i) const;
    std::wstring FormatCorrection(int i) const;
    /// "kΩcm"
    static std::wstring GetResistivityUnit();
    /// "µA"
    static std::wstring GetCurrentUnit();
    /// The mark level is offered but not kept.
    void SetDiagramMarkLevel(int, int) { SetModified(); }
    int GetDiagramMarkLevel(int) const { return 0; }

    // Summary
    int GetSummaryCount() const { return m_summary.GetCount(); }
    std::int16_t GetSummaryOrder() const { return m_summary.GetOrder(); }
    void SetSummaryOrder(std::int16_t order) { m_summary.SetOrder(order); }
    const std::wstring& GetSummaryComment() const { return m_summary.GetComment(); }
    void SetSummaryComment(const std::wstring& text) { m_summary.SetComment(text); }
    void ComputeSummaryStatistics() { m_summary.ComputeStatistics(); }
    void GetSummaryStatistics(double* mean, double* sd, double* min, double* max) const
    {
        m_summary.GetStatistics(mean, sd, min, max);
    }
    const CSummaryData& GetSummary() const { return m_summary; }
    bool IsInSummary(int i) const;
    /// Puts one series in or out (never one without valid readings); marks
    /// the project modified when that changes it; posts the series index.
    void SetInSummary(int i, bool in);
    /// The same for every selected series; posts -1.
    void SetSelectedInSummary(bool in);
    /// The same for every series; posts -1.
    void SetAllInSummary(bool in);
    /// Entries anew from the series' in-summary flags, in project order; posts -1.
    void RebuildSummary();

    // Format version and reproducible output
    /// The format version of the archive read last (0.0.0.0 before any).
    static CVersion GetProjectFormatVersion();
    /// The version written into headers; unset means the program's own.
    void SetWriterVersion(std::optional<CVersion> version) { m_writerVersion = std::move(version); }
    /// Identifier and time source for new series of both containers.
    void SetSeriesStamps(CTerrionData::FGuidSource guids, CTerrionData::FClock clock);

private:
    /// The save question; false when the user cancels or the save fails.
    bool QuerySave();
    /// Appends what was read; the comment replaces the current one when
    /// replaceComment or when the current one is empty.
    void Commit(CProjectArchive& loaded, bool withOriginal, bool replaceComment);
    bool ApplySummaryState(TMeasSeries& series, bool in);
    CVersion WriterVersion() const;
    void ReportError(const std::wstring& text) const;

    CTerrionData m_original;
    CTerrionData m_project;
    CSummaryData m_summary;
    std::vector<CDocumentView*> m_views;
    bool m_bModified = false;
    std::wstring m_strPath;
    CDocumentUi* m_pUi = nullptr;
    std::optional<CVersion> m_writerVersion;
};
