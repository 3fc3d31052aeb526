// The series page's print, exports, copy and paste: the dialogs, the
// progress window and the clipboard around the plain export code.

#include "data/TerrionDoc.h"
#include "export/wx/BitmapPicture.h"
#include "export/wx/ExportBmpDialog.h"
#include "export/wx/ExportCsvDialog.h"
#include "grid/GridCtrl.h"
#include "platform/wx/WxClipboard.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "streams/FileException.h"
#include "streams/FileVersionInfo.h"
#include "views/GraphicExportGrid.h"
#include "views/ReportExport.h"
#include "views/ReportExportUi.h"
#include "views/SeriesGraphicExport.h"
#include "views/SeriesPrintText.h"
#include "views/wx/PageEvents.h"
#include "views/wx/TabGrid.h"
#include "views/wx/ViewProgress.h"
#include "views/wx/ViewServices.h"

#include <wx/bitmap.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <algorithm>
#include <memory>

namespace
{

namespace Ids = Resources::Ids;

constexpr int kHeadingHeight = 26;
constexpr int kRowHeight = 22;
/// The completed bar stays in sight this long before the progress window goes.
constexpr int kFinalPauseMs = 300;

CUserPrompts::NIcon MessageIcon(Resources::NMessageKind kind)
{
    switch (kind)
    {
    case Resources::NMessageKind::Information:
        return CUserPrompts::iconInformation;
    case Resources::NMessageKind::Warning:
        return CUserPrompts::iconExclamation;
    default:
        return CUserPrompts::iconError;
    }
}

/// Keeps a window disabled while it lives: enabled again however the scope is left.
class CDisabledWhile
{
public:
    explicit CDisabledWhile(wxWindow& window) : m_window(window) { m_window.Disable(); }
    ~CDisabledWhile() { m_window.Enable(); }
    CDisabledWhile(const CDisabledWhile&) = delete;
    CDisabledWhile& operator=(const CDisabledWhile&) = delete;

private:
    wxWindow& m_window;
};

} // namespace

/// The exports' window side: the progress window, the message boxes and the
/// clipboard. The progress window is open for the object's lifetime.
class CTabGrid::CExportUi : public CReportExportUi
{
public:
    explicit CExportUi(CTabGrid& page)
        : m_services(page.m_services), m_progress(m_services.OpenProgress(&page))
    {
    }

    void SetProgress(int position) override
    {
        if (m_progress)
            m_progress->SetPos(position);
    }
    void SetProgressText(const std::wstring& text) override
    {
        if (m_progress)
            m_progress->SetText(text);
    }
    void ShowMessage(Resources::NMessageKind kind, const std::wstring& text) override
    {
        m_services.MessageText(text, CUserPrompts::buttonsOk, MessageIcon(kind));
    }
    void ShowNotice(const std::wstring& text) override
    {
        m_services.MessageText(text, CUserPrompts::buttonsOk, CUserPrompts::iconInformation);
    }
    NFileAnswer AskFileFailed(const std::wstring& message) override
    {
        switch (m_services.AskAbortRetryIgnore(message))
        {
        case CUserPrompts::answerRetry:
            return FILE_RETRY;
        case CUserPrompts::answerIgnore:
            return FILE_IGNORE;
        default:
            return FILE_ABORT;
        }
    }
    bool PutOnClipboard(const Platform::CClipboardData& data) override { return CWxClipboard::Write(data); }

    /// Keeps the completed bar in sight, then closes the progress window.
    void Finish()
    {
        wxMilliSleep(kFinalPauseMs);
        m_progress.reset();
    }

private:
    CViewServices& m_services;
    std::unique_ptr<CViewProgress> m_progress;
};

/// The grid as the graphic export sees it. Rows change in the grid only: the
/// document's expanded flags stay untouched, so an export never makes the
/// project modified.
class CTabGrid::CExportGrid : public CGraphicExportGrid
{
public:
    explicit CExportGrid(CTabGrid& page) : m_page(page), m_grid(*page.m_grid) {}

    int GetSeriesCount() const override { return m_page.GridSeriesCount(); }
    bool IsMarked(int series) const override { return m_page.IsSeriesMarked(series); }
    bool IsExpanded(int series) const override { return m_page.m_doc.IsExpanded(series); }
    void ShowSeries(int series, bool expanded) override
    {
        m_grid.SetRowHeight(SeriesRow(series), kRowHeight);
        Arrange(series, expanded);
    }
    void HideSeries(int series) override
    {
        m_grid.SetRowHeight(SeriesRow(series), 0);
        Arrange(series, false);
    }
    void ShowHeading(bool show) override { m_grid.SetRowHeight(0, show ? kHeadingHeight : 0); }
    void SetRedraw(bool allow) override { m_grid.SetRedraw(allow, false); }
    SGridSize GetVirtualSize() const override
    {
        return {m_grid.GetVirtualWidth(), m_grid.GetVirtualHeight()};
    }
    bool Render(CPicture& picture) override
    {
        wxBitmap bitmap;
        return m_grid.DrawToBitmap(&bitmap) && CBitmapPicture::CreateFromBitmap(picture, bitmap);
    }

private:
    void Arrange(int series, bool expanded)
    {
        m_page.SetGripper(SeriesRow(series), expanded, m_page.m_doc.IsInSummary(series));
        m_page.ShowReport(series, expanded, true);
    }

    CTabGrid& m_page;
    CGridCtrl& m_grid;
};

void CTabGrid::BindExportMessages()
{
    Bind(WM_PAGE_PRINT, [this](wxCommandEvent&) { OnPrint(); });
    Bind(WM_PAGE_EXPORT_GRAPHIC, [this](wxCommandEvent&) { OnExportGraphic(); });
    Bind(WM_PAGE_EXPORT_CSV, [this](wxCommandEvent&) { OnExportCsv(); });
    Bind(WM_PAGE_COPY, [this](wxCommandEvent&) { OnCopy(); });
    Bind(WM_PAGE_PASTE, [this](wxCommandEvent&) { OnPaste(); });
}

int CTabGrid::GridSeriesCount() const
{
    return std::min(m_doc.GetSeriesCount(), std::max(0, (m_grid->GetRowCount() - 1) / 2));
}

bool CTabGrid::IsSeriesMarked(int series) const
{
    const CGridCellPos focus = m_grid->GetFocusCell();
    for (const int row : {SeriesRow(series), DetailRow(series)})
        if (m_grid->IsCellSelected(row, colTotal) || focus == CGridCellPos(row, colTotal))
            return true;
    return false;
}

bool CTabGrid::IsSeriesSelected(int series) const
{
    return m_grid->IsCellSelected(SeriesRow(series), colName) ||
           m_grid->IsCellSelected(DetailRow(series), colName);
}

SGridPrintText CTabGrid::PrintTexts() const
{
    CFileVersionInfo version;
    version.Create(nullptr); // the running program's own record
    return CSeriesPrintText::Make(m_doc, version, m_services.GetDTFormat());
}

void CTabGrid::OnPrint()
{
    wxBusyCursor wait;
    const SGridPrintText texts = PrintTexts();
    m_grid->Print(nullptr, &texts);
}

int CTabGrid::OnExportCsv()
{
    CExportCsvDialog dialog(this);
    dialog.SetFilePath(Resources::CStringTable::Text(Ids::kExportDataName));
    if (dialog.RunModal() != wxID_OK)
        return 1;
    wxBusyCursor wait;
    const int count = GridSeriesCount();
    CReportExport::TIncluded included(static_cast<std::size_t>(count), true);
    if (!dialog.IsAllData())
        for (int i = 0; i < count; ++i)
            included[static_cast<std::size_t>(i)] = IsSeriesSelected(i);
    CExportUi ui(*this);
    CReportExport::Export(m_doc, dialog.GetTarget(), included, dialog.GetFilePath(), &ui);
    ui.Finish();
    return 0;
}

int CTabGrid::OnExportGraphic()
{
    CExportBmpDialog dialog(this);
    dialog.SetFilePath(Resources::CStringTable::Text(Ids::kExportGraphicName));
    if (dialog.RunModal() != wxID_OK)
        return 1;
    wxBusyCursor wait;
    // No click reaches the grid while its rows are rearranged.
    CDisabledWhile disabled(*this);
    CExportUi ui(*this);
    CExportGrid grid(*this);
    CSeriesGraphicExport::Run(grid,
                              {dialog.GetContent(), dialog.GetTarget(), dialog.IsAllData(),
                               dialog.GetImageFormat(), dialog.GetFilePath()},
                              &ui);
    ui.Finish();
    return 0;
}

void CTabGrid::OnCopy()
{
    wxBusyCursor wait;
    const int count = GridSeriesCount();
    CTerrionData::TSelection marked(static_cast<std::size_t>(m_doc.GetSeriesCount()), 0);
    CReportExport::TIncluded selected(static_cast<std::size_t>(count), false);
    for (int i = 0; i < count; ++i)
    {
        marked[static_cast<std::size_t>(i)] = IsSeriesMarked(i) ? 1 : 0;
        selected[static_cast<std::size_t>(i)] = IsSeriesSelected(i);
    }
    CExportUi ui(*this);
    CReportExport::Copy(m_doc, marked, selected, &ui);
    ui.Finish();
}

void CTabGrid::OnPaste()
{
    wxBusyCursor wait;
    try
    {
        m_doc.Paste();
    }
    catch (const StreamIO::CFileException&)
    {
        m_services.MessageBox(Ids::kProjectNotReadable, CUserPrompts::buttonsOk, CUserPrompts::iconError);
    }
}
