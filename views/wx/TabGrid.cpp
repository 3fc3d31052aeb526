#include "views/wx/TabGrid.h"

#include "data/NumberFormat.h"
#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "grid/GridSurface.h"
#include "menus/OwMenu.h"
#include "menus/wx/OwMenuPopup.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "views/DateTimeFormat.h"
#include "views/ReportLayoutSurface.h"
#include "views/SeriesImages.h"
#include "views/SurfaceTextMeasure.h"
#include "views/wx/CommentDlg.h"
#include "views/wx/DateTimeDlg.h"
#include "views/wx/PageEvents.h"
#include "views/wx/SeriesCellAnimationTimer.h"
#include "views/wx/ViewServices.h"

#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace
{

namespace Ids = Resources::Ids;

constexpr TGridColor kTextColor = GridRgb(34, 36, 76);
constexpr int kHeadingHeight = 26;
constexpr int kRowHeight = 22;
/// Above this many rows the selection is counted only when it has changed.
constexpr int kCountingRowLimit = 40000;
/// Progress is reported every so many series while filling and expanding.
constexpr int kFillProgressStep = 31;
constexpr int kExpandProgressStep = 11;

constexpr std::array<unsigned, CTabGrid::kColumnCount> kHeadings = {
    Ids::kGridHeadingId,   Ids::kGridHeadingName,  Ids::kGridHeadingDateTime,
    Ids::kGridHeadingMean, Ids::kGridHeadingTotal, Ids::kGridHeadingStdDev};

/// The ascending sort order of each column; the descending one follows it.
constexpr std::array<std::uint8_t, CTabGrid::kColumnCount> kAscendingOrder = {1, 5, 3, 7, 9, 11};

/// The context menu: command, text and image (0 a separator).
struct SMenuItem
{
    int command;
    unsigned text;
    int image;
};
constexpr SMenuItem kMenuItems[] = {
    {CTabGrid::menuExpandAll, Ids::kGridMenuExpandAll, 0},
    {CTabGrid::menuCollapseAll, Ids::kGridMenuCollapseAll, 1},
    {0, 0, -1},
    {CTabGrid::menuAllToSummary, Ids::kGridMenuAllToSummary, 2},
    {CTabGrid::menuAllFromSummary, Ids::kGridMenuAllFromSummary, 3},
    {CTabGrid::menuSelectedToSummary, Ids::kGridMenuSelectedToSummary, 4},
    {CTabGrid::menuSelectedFromSummary, Ids::kGridMenuSelectedFromSummary, 5},
};
constexpr int kMenuIconWidth = 20;
constexpr int kMenuIconHeight = 19;

CTabGrid::TMenuHook& GridMenuHook()
{
    static CTabGrid::TMenuHook hook;
    return hook;
}

std::wstring Text(unsigned id)
{
    return Resources::CStringTable::Text(id);
}

bool IsDetailRow(int row)
{
    return row >= 2 && row % 2 == 0;
}

/// The download time on the local clock in the chosen patterns; "--" for a
/// time the clock cannot show.
std::wstring FormatTime(std::int64_t time, std::uint32_t dtFormat)
{
    std::tm local{};
    if (!CDateTimeFormat::ToLocalTime(time, &local))
        return L"--";
    return CDateTimeFormat::Format(CDateTimeFormat::GetDateFormatString(dtFormat), local) + L" " +
           CDateTimeFormat::Format(CDateTimeFormat::GetTimeFormatString(dtFormat), local);
}

} // namespace

CTabGrid::CTabGrid(wxWindow* parent, CTerrionDoc& doc, CViewServices& services)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE,
              L"CTabGrid"),
      m_doc(doc), m_services(services), m_subscription(doc, *this)
{
    // The grid covers the whole page: nothing of the page itself shows.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_grid =
        new CGridCtrl(this, kGridId, wxDefaultPosition, wxDefaultSize, wxCLIP_CHILDREN | wxTAB_TRAVERSAL);
    m_animation = std::make_unique<CSeriesCellAnimationTimer>(*m_grid);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_grid, 1, wxEXPAND);
    SetSizer(sizer);

    Bind(GRID_EVT_NOTIFY, &CTabGrid::OnGridNotify, this);
    Bind(WM_DOCUMENT_CHANGED, &CTabGrid::OnDocumentChanged, this);
    Bind(WM_PAGE_REFILL, &CTabGrid::OnRefill, this);
    Bind(WM_PAGE_SELECT_ALL, [this](wxCommandEvent&) { m_grid->SelectAllCells(); });
    Bind(WM_PAGE_DELETE, [this](wxCommandEvent&) { DeleteSelected(); });
    Bind(wxEVT_CHAR_HOOK, &CTabGrid::OnCharHook, this);
    BindExportMessages();
    // Bound after the grid's own handlers, so these see the input first: the
    // focus answer below tells a pointer from a key by them.
    for (const wxEventTypeTag<wxMouseEvent>& type :
         {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP})
        m_grid->Bind(type,
                     [this](wxMouseEvent& event)
                     {
                         m_pointerInput = true;
                         event.Skip();
                     });
    m_grid->Bind(wxEVT_KEY_DOWN,
                 [this](wxKeyEvent& event)
                 {
                     m_pointerInput = false;
                     event.Skip();
                 });
    for (const wxEventTypeTag<wxMouseEvent>& type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP})
        m_grid->Bind(type, &CTabGrid::OnLeftButton, this);
    m_grid->Bind(wxEVT_MOUSE_CAPTURE_LOST,
                 [this](wxMouseCaptureLostEvent& event)
                 {
                     wxMouseEvent released(wxEVT_LEFT_UP);
                     OnLeftButton(released);
                     event.Skip();
                 });

    InitGrid();
}

CTabGrid::~CTabGrid()
{
    // No frame may step a report whose grid is going.
    m_animation.reset();
    // The grid goes while the page is still whole: it may notify on its way out.
    DestroyChildren();
    m_grid = nullptr;
}

bool CTabGrid::SetFont(const wxFont& font)
{
    const bool changed = wxPanel::SetFont(font);
    if (m_grid && font.IsOk())
    {
        m_grid->SetFont(font);
        PostRefill();
    }
    return changed;
}

void CTabGrid::SetMenuTestHook(TMenuHook hook)
{
    GridMenuHook() = std::move(hook);
}

// ---------------------------------------------------------------- notifications

void CTabGrid::PostDocumentChanged(int hint)
{
    if (m_refreshQueued)
        return;
    if (hint < 0)
        m_refreshQueued = true;
    auto* event = new wxCommandEvent(WM_DOCUMENT_CHANGED, GetId());
    event->SetInt(hint);
    wxQueueEvent(this, event);
}

void CTabGrid::OnDocumentChanged(wxCommandEvent& event)
{
    const int hint = event.GetInt();
    if (hint < 0)
        m_refreshQueued = false;
    Fill(hint < 0 ? -1 : hint);
}

void CTabGrid::PostRefill()
{
    auto* event = new wxCommandEvent(WM_PAGE_REFILL, GetId());
    event->SetInt(m_grid->GetScrollPos32(SB_VERT));
    wxQueueEvent(this, event);
}

void CTabGrid::OnRefill(wxCommandEvent& event)
{
    Fill(-1);
    m_grid->SetScrollPos32(SB_VERT, event.GetInt());
    m_grid->Refresh();
}

void CTabGrid::OnGridNotify(CGridNotifyEvent& event)
{
    const int row = event.GetRow();
    const int col = event.GetCol();
    switch (event.GetCode())
    {
    case NM_CLICK:
        OnGridClick(row, col);
        break;
    case NM_RCLICK:
        OnGridRClick(row, col);
        break;
    case GRIDN_SELCHANGING:
        UpdateStatusText(false);
        break;
    case GRIDN_SELCHANGED:
        OnGridSelChanged(row, col);
        break;
    case GRIDN_ENDEDIT:
        OnGridEndEdit(row, col);
        break;
    case GRIDN_KEYCOMMAND:
        if (static_cast<unsigned>(row) == VK_DELETE)
            DeleteSelected();
        break;
    case GRIDN_FOCUSCHANGED:
        OnFocusChanged(row, col);
        break;
    default:
        break;
    }
}

void CTabGrid::OnCharHook(wxKeyEvent& event)
{
    // Copy and paste typed in the grid are the page's, never the grid's own; an
    // open edit keeps its own.
    if (event.GetModifiers() == wxMOD_CONTROL && event.GetEventObject() == m_grid)
    {
        const int key = event.GetKeyCode();
        if (key == 'C' || key == 'V')
        {
            wxQueueEvent(this, new wxCommandEvent(key == 'C' ? WM_PAGE_COPY : WM_PAGE_PASTE, GetId()));
            return;
        }
    }
    event.Skip();
}

// ---------------------------------------------------------------- filling

void CTabGrid::InitGrid()
{
    CGridCtrl& grid = *m_grid;
    grid.DeleteAllItems();
    grid.SetWholeRowScrolling(false);
    grid.SetSortOnHeadingClick(false);
    grid.SetDefaultCellWidth(100);
    grid.SetDefaultCellHeight(kRowHeight);
    grid.SetFixedColumnCount(0);
    grid.SetFixedRowCount(1);
    grid.SetAllowRowResize(false);
    grid.SetAllowColumnResize(true);
    grid.SetListMode(true);
    grid.SetRowCount(1);
    grid.GetDefaultCell(false, false)->SetTextColor(kTextColor);
    grid.SetRowHeight(0, kHeadingHeight);
    grid.SetSortColumn(-1);
    grid.SetColumnCount(kColumnCount);
    for (int col = 0; col < kColumnCount; ++col)
        grid.SetItemText(0, col, Text(kHeadings[static_cast<std::size_t>(col)]));
    // Only the heading row exists: each column fits its heading.
    grid.AutoSizeColumns();
    m_meanHeadingWidth = grid.GetColumnWidth(colMean);
    grid.SetColumnWidth(colId, 80);
    const CSeriesColumnWidths::SWidths widths = TextColumnWidths();
    grid.SetColumnWidth(colName, widths.name);
    grid.SetColumnWidth(colDateTime, widths.dateTime);
    grid.Refresh();
    UpdateStatusText(true);
}

void CTabGrid::Fill(int series)
{
    // A name being typed reaches the document before its row goes.
    if (series < 0)
        m_grid->EndEditing();
    const CGridCellPos focus = m_grid->GetFocusCell();
    const int count = m_doc.GetSeriesCount();
    if (series >= 0)
    {
        // A notification may arrive after its series went: nothing to refresh then.
        if (series >= count || DetailRow(series) >= m_grid->GetRowCount())
            return;
        double smallest = 0.0;
        double largest = 0.0;
        m_doc.GetMeanRange(&smallest, &largest);
        FillRow(series, largest, true);
        UpdateSortIndicator();
    }
    else
    {
        // The page keeps its picture until the new one is drawn.
        wxBusyCursor wait;
        CGridCtrl& grid = *m_grid;
        grid.SetRedraw(false);
        if (count == 0 || m_doc.GetSortOrder() == 0)
            m_savedWidths.clear();
        InitGrid();
        UpdateGrippers();
        grid.SetPrintWithAltColors(true);
        grid.SetRowCount(2 * count + 1);
        double smallest = 0.0;
        double largest = 0.0;
        m_doc.GetMeanRange(&smallest, &largest);
        for (int i = 0; i < count; ++i)
        {
            if (i % kFillProgressStep == 0)
                SetProgress(Ids::kGridUpdating, i + 1);
            MakeDetailRowCells(DetailRow(i), i);
            MakeSeriesRowCells(SeriesRow(i));
            FillRow(i, largest, false);
        }
        UpdateSortIndicator();
        UpdateGrippers();
        ApplyColumnWidths();
        // Each open report is laid out once, at the width the columns give it.
        LayOutOpenReports();
        if (m_savedWidths.empty() && count > 0)
        {
            // Open reports can bring the vertical bar that the rows alone did
            // not need: the columns then fit beside it, and the reports are
            // laid out again only when that changed their width.
            const int reportWidth = grid.GetMergedColumnWidth(colName, DetailRow(0));
            const int client = grid.GetClientSize().GetWidth();
            grid.SetRedraw(true, true);
            if (grid.GetClientSize().GetWidth() != client)
            {
                grid.SetRedraw(false);
                grid.SetColumnWidth(colMean, m_meanHeadingWidth);
                FitBarColumn();
                if (grid.GetMergedColumnWidth(colName, DetailRow(0)) != reportWidth)
                    LayOutOpenReports();
            }
        }
        grid.SetRedraw(true, true);
    }
    m_progressText.clear();
    SendStatusText();
    UpdateStatusText(true);
    m_grid->Refresh();
    // The keys go on from the row that had the focus.
    if (series < 0 && focus.row >= 1 && count > 0)
        m_grid->SetFocusCell(std::min(SeriesRow(SeriesOfRow(focus.row)), SeriesRow(count - 1)), focus.col);
}

void CTabGrid::ApplyColumnWidths()
{
    CGridCtrl& grid = *m_grid;
    // The bars follow the rows, so the columns fit beside a vertical bar the rows need.
    grid.SetRedraw(true, true);
    if (!m_savedWidths.empty())
    {
        // Widths the user kept follow a new date pattern or font in the text columns.
        if (m_savedTextWidths != m_textWidths)
        {
            if (m_savedWidths.size() > colDateTime)
            {
                m_savedWidths[colName] = m_textWidths.name;
                m_savedWidths[colDateTime] = m_textWidths.dateTime;
            }
            m_savedTextWidths = m_textWidths;
        }
        const int widths = std::min(static_cast<int>(m_savedWidths.size()), grid.GetColumnCount());
        for (int col = 0; col < widths; ++col)
            grid.SetColumnWidth(col, m_savedWidths[static_cast<std::size_t>(col)]);
        grid.ResetScrollBars();
    }
    else
        FitBarColumn();
    grid.SetRedraw(false);
}

CSeriesColumnWidths::SWidths CTabGrid::TextColumnWidths()
{
    const std::uint32_t format = m_services.GetDTFormat();
    const std::wstring datePattern = CDateTimeFormat::GetDateFormatString(format);
    const std::wstring timePattern = CDateTimeFormat::GetTimeFormatString(format);
    const std::wstring patterns = datePattern + L'\n' + timePattern;
    const SGridFont& font = m_grid->GetGridFont();
    if (m_textWidthsKnown && patterns == m_textWidthsPatterns && font == m_textWidthsFont)
        return m_textWidths;
    std::unique_ptr<CGridSurface> surface = m_grid->GetHost()->HostMeasureSurface();
    if (!surface)
        return CSeriesColumnWidths::SWidths{};
    CSurfaceTextMeasure measure(*surface, font);
    // A cell shows its text between two margins and beside its grid line.
    const int padding = 2 * m_grid->GetDefaultCell(false, false)->GetMargin() + 1;
    m_textWidths = CSeriesColumnWidths::Compute(measure, datePattern, timePattern, padding);
    m_textWidthsPatterns = patterns;
    m_textWidthsFont = font;
    m_textWidthsKnown = true;
    return m_textWidths;
}

void CTabGrid::FillRow(int series, double largestMean, bool layOutReport)
{
    CGridCtrl& grid = *m_grid;
    const int row = SeriesRow(series);
    grid.SetItemText(row, colId, std::to_wstring(m_doc.GetObjectId(series)));
    if (layOutReport && m_doc.IsExpanded(series))
        ShowReport(series, true, true);
    SetGripper(row, m_doc.IsExpanded(series), m_doc.IsInSummary(series));

    grid.SetItemText(row, colName, m_doc.GetName(series));
    grid.SetItemText(row, colDateTime, FormatTime(m_doc.GetTime(series), m_services.GetDTFormat()));

    double mean = 0.0;
    double sd = 0.0;
    double min = 0.0;
    double max = 0.0;
    m_doc.GetStatistics(series, &mean, &sd, &min, &max);
    SetBar(row, mean, largestMean);
    grid.SetItemText(row, colMean, CNumberFormat::Fixed(mean, 1) + L" " + CTerrionDoc::GetResistivityUnit());

    const int readings = m_doc.GetReadingCount(series);
    grid.SetItemText(row, colTotal, std::to_wstring(readings));
    grid.SetItemText(row, colStdDev, readings <= 1 ? std::wstring(L"--") : CNumberFormat::Fixed(sd, 2));
}

void CTabGrid::UpdateGrippers()
{
    m_doc.ComputeSummaryStatistics();
    for (int i = 0; i < m_doc.GetSeriesCount() && DetailRow(i) < m_grid->GetRowCount(); ++i)
        SetGripper(SeriesRow(i), m_doc.IsExpanded(i), m_doc.IsInSummary(i));
}

void CTabGrid::UpdateSortIndicator()
{
    const int order = m_doc.GetSortOrder();
    if (order == 0)
    {
        m_grid->SetSortColumn(-1);
        m_grid->SetSortAscending(true);
    }
    else if (order >= 1 && order <= 2 * kColumnCount)
    {
        const auto column =
            std::find(kAscendingOrder.begin(), kAscendingOrder.end(), (order - 1) / 2 * 2 + 1);
        m_grid->SetSortColumn(static_cast<int>(column - kAscendingOrder.begin()));
        m_grid->SetSortAscending(order % 2 == 1);
    }
    m_grid->Refresh();
}

void CTabGrid::FitBarColumn()
{
    CGridCtrl& grid = *m_grid;
    SGridRect last;
    if (grid.GetRowCount() < 2 || !grid.GetCellRect(1, grid.GetColumnCount() - 1, &last))
        last = SGridRect{};
    const int spare = grid.GetClientSize().GetWidth() - last.right - 8;
    if (spare > 0)
        grid.SetColumnWidth(colMean, grid.GetColumnWidth(colMean) + spare);
    grid.ResetScrollBars();
    grid.Refresh();
}

// ---------------------------------------------------------------- status texts

void CTabGrid::SetProgress(unsigned labelId, int number)
{
    const std::wstring label = Text(labelId);
    m_progressText = label.empty() ? wxString() : wxString(label + L" " + std::to_wstring(number));
    SendStatusText();
}

void CTabGrid::UpdateStatusText(bool force)
{
    const CGridCtrl& grid = *m_grid;
    if (grid.GetRowCount() > kCountingRowLimit && !force)
        return;
    const CGridCellPos focus = grid.GetFocusCell();
    int selected = 0;
    for (int row = 1; row < grid.GetRowCount(); row += 2)
        if (grid.IsCellSelected(row, colName) || focus == CGridCellPos(row + 1, colName) ||
            focus == CGridCellPos(row + 1, colId))
            ++selected;
    m_selectionText = wxString(Text(Ids::kGridSelectedObjects)) + L" " + std::to_wstring(selected) +
                      L"      " + Text(Ids::kGridTotalObjects) + L" " +
                      std::to_wstring(m_doc.GetSeriesCount()) + L"        ";
    SendStatusText();
}

void CTabGrid::SendStatusText()
{
    // The main window is the page's own frame; nothing while it closes.
    auto* frame = dynamic_cast<wxFrame*>(wxGetTopLevelParent(this));
    if (frame && !frame->IsBeingDeleted() && frame->GetStatusBar())
        frame->SetStatusText(m_selectionText + m_progressText, 0);
}

// ---------------------------------------------------------------- grid notifications

void CTabGrid::OnGridClick(int row, int col)
{
    if (row == 0)
    {
        if (m_doc.GetSeriesCount() > 0 && col >= 0 && col < kColumnCount)
            SortByColumn(col);
        return;
    }
    if (row < 1 || IsDetailRow(row))
        return;
    const int series = SeriesOfRow(row);
    if (series >= m_doc.GetSeriesCount())
        return;
    if (col == colId)
    {
        // The gripper has flipped the toggle that was clicked; a click
        // between its images flipped none and changes nothing.
        bool expanded = false;
        bool inSummary = false;
        if (GetGripper(row, &expanded, &inSummary))
        {
            if (expanded != m_doc.IsExpanded(series))
                SetSeriesExpanded(series, expanded, false);
            if (inSummary != m_doc.IsInSummary(series))
                m_doc.SetInSummary(series, inSummary);
        }
        SyncSelectedFlags();
        UpdateGrippers();
    }
    else
        SyncSelectedFlags();
}

void CTabGrid::OnGridSelChanged(int row, int col)
{
    UpdateStatusText(true);
    CGridCtrl& grid = *m_grid;
    if (row < 1 || col < 0 || m_doc.GetSeriesCount() == 0 || row >= grid.GetRowCount())
        return;
    // A series row and its detail row are selected together.
    if (!IsDetailRow(row))
    {
        if (row + 1 < grid.GetRowCount() && !grid.IsCellSelected(row + 1, col))
            grid.SelectRows(row + 1, col, false, true, true);
        return;
    }
    if (!grid.IsCellSelected(row - 1, col))
        grid.SelectRows(row - 1, col, false, true, true);
    const CGridCellPos focus = grid.GetFocusCell();
    if (focus.row == row)
        grid.SetFocusCell(row - 1, focus.col);
}

void CTabGrid::OnFocusChanged(int row, int col)
{
    // The grid moves the focus after it told of the new selection, so the
    // focus is kept on series rows here, once the grid is done with it.
    const int previous = m_focusRow;
    m_focusRow = row;
    if (!IsDetailRow(row) || m_focusFixQueued)
        return;
    m_focusFixQueued = true;
    const bool onward = !m_pointerInput && previous == row - 1;
    CallAfter([this, row, col, onward] { KeepFocusOnSeriesRow(row, col, onward); });
}

void CTabGrid::KeepFocusOnSeriesRow(int row, int col, bool onward)
{
    m_focusFixQueued = false;
    if (m_leftButtonDown)
    {
        // The release clicks the cell the press focused (a report's texts).
        m_focusFixAfterRelease = [this, row, col, onward] { KeepFocusOnSeriesRow(row, col, onward); };
        return;
    }
    CGridCtrl& grid = *m_grid;
    if (!(grid.GetFocusCell() == CGridCellPos(row, col)))
        return;
    // A key that went down from a series into its open report goes on to
    // the next series; anything else lands on the report's own series.
    if (onward)
        grid.OnKeyDown(VK_DOWN);
    const CGridCellPos focus = grid.GetFocusCell();
    if (IsDetailRow(focus.row))
        grid.SetFocusCell(focus.row - 1, focus.col);
    UpdateStatusText(true);
}

void CTabGrid::OnLeftButton(wxMouseEvent& event)
{
    event.Skip();
    m_leftButtonDown = !event.LeftUp();
    if (m_leftButtonDown || !m_focusFixAfterRelease)
        return;
    // After the grid has handled the release.
    CallAfter(std::exchange(m_focusFixAfterRelease, nullptr));
}

void CTabGrid::OnGridEndEdit(int row, int col)
{
    if (col != colName || row < 1 || IsDetailRow(row))
        return;
    const int series = SeriesOfRow(row);
    if (series >= m_doc.GetSeriesCount())
        return;
    m_doc.SetName(series, m_grid->GetItemText(row, col));
    Fill(series);
}

void CTabGrid::OnGridRClick(int row, int col)
{
    CGridCtrl& grid = *m_grid;
    if (row < 1 || grid.GetRowCount() <= 1)
        return;
    // A detail row stands for its own series, as its series row does.
    const int series = SeriesOfRow(row);
    if (series >= m_doc.GetSeriesCount())
        return;
    if (!grid.IsCellSelected(row, col))
    {
        const int seriesRow = SeriesRow(series);
        grid.SetSelectedRange(seriesRow, 0, seriesRow, kColumnCount - 1, false, true);
        UpdateStatusText(true);
    }
    if (col == colId)
        ShowContextMenu();
    else if (col == colDateTime)
        EditDateTime(series);
}

// ---------------------------------------------------------------- the page's operations

void CTabGrid::SortByColumn(int col)
{
    if (col < 0 || col >= kColumnCount || m_doc.GetSeriesCount() == 0)
        return;
    CGridCtrl& grid = *m_grid;
    const std::uint8_t ascending = kAscendingOrder[static_cast<std::size_t>(col)];
    const std::uint8_t order =
        m_doc.GetSortOrder() == ascending ? static_cast<std::uint8_t>(ascending + 1) : ascending;
    m_doc.Sort(order);
    grid.SetSortColumn(col);
    grid.SetSortAscending(true);
    m_savedWidths.clear();
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        m_savedWidths.push_back(grid.GetColumnWidth(c));
    m_savedTextWidths = m_textWidths;
    // The rows show other series now: the page keeps its picture until the refill.
    grid.SetRedraw(false);
    PostRefill();
    // The indexes changed: the other views read the series anew.
    m_doc.NotifyViews(this, -1);
    UpdateSortIndicator();
}

void CTabGrid::SetSeriesExpanded(int series, bool expand, bool immediate)
{
    SetGripper(SeriesRow(series), expand, m_doc.IsInSummary(series));
    ShowReport(series, expand, immediate);
    if (m_doc.IsExpanded(series) != expand)
        m_doc.SetExpanded(series, expand);
}

void CTabGrid::OnToggleExpanded(int series)
{
    if (series < 0 || series >= m_doc.GetSeriesCount() || DetailRow(series) >= m_grid->GetRowCount())
        return;
    SetSeriesExpanded(series, !m_doc.IsExpanded(series), false);
}

void CTabGrid::OnToggleSummary(int series)
{
    if (series < 0 || series >= m_doc.GetSeriesCount())
        return;
    m_doc.SetInSummary(series, !m_doc.IsInSummary(series));
    // Puts back a toggle the document refused.
    UpdateGrippers();
}

void CTabGrid::CommentClicked(int series)
{
    CallAfter([this, series] { EditComment(series); });
}

void CTabGrid::EditComment(int series)
{
    if (series < 0 || series >= m_doc.GetSeriesCount())
        return;
    CCommentDlg dialog(this);
    dialog.SetComment(m_doc.GetComment(series));
    if (dialog.ShowModal() != wxID_OK)
        return;
    m_doc.SetComment(series, dialog.GetComment());
    // The open report takes the new text's room now, not at some later paint.
    if (m_doc.IsExpanded(series))
        ShowReport(series, true, true);
    m_grid->Refresh();
}

void CTabGrid::EditDateTime(int series)
{
    if (series < 0 || series >= m_doc.GetSeriesCount())
        return;
    CDateTimeDlg dialog(this, m_services.GetDTFormat());
    const std::int64_t time = m_doc.GetTime(series);
    dialog.SetOriginalTime(time);
    dialog.SetNewTime(time);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const std::int64_t offset = dialog.GetOffset();
    if (offset == 0)
        return;
    std::vector<int> moved = MarkedSeries();
    if (std::find(moved.begin(), moved.end(), series) == moved.end())
        moved.push_back(series);
    for (const int i : moved)
    {
        std::int64_t shifted = 0;
        if (__builtin_add_overflow(m_doc.GetTime(i), offset, &shifted))
            continue;
        m_doc.SetTime(i, shifted);
        // Each row is refreshed by its own notification.
        m_doc.NotifyViews(nullptr, i);
    }
}

std::vector<int> CTabGrid::MarkedSeries()
{
    const CGridCtrl& grid = *m_grid;
    const CGridCellPos focus = grid.GetFocusCell();
    std::vector<int> marked;
    for (int i = 0; i < m_doc.GetSeriesCount() && DetailRow(i) < grid.GetRowCount(); ++i)
    {
        const int row = SeriesRow(i);
        if (grid.IsCellSelected(row, colTotal) || focus == CGridCellPos(row, colTotal))
            marked.push_back(i);
    }
    return marked;
}

void CTabGrid::SyncSelectedFlags()
{
    // The flag is the grid's selection and is never stored: keeping it in
    // step does not make the project modified.
    for (int i = 0; i < m_doc.GetSeriesCount() && DetailRow(i) < m_grid->GetRowCount(); ++i)
        if (TMeasSeries* series = m_doc.GetSeries(i))
            series->bSelected = m_grid->IsCellSelected(SeriesRow(i), colName);
}

void CTabGrid::ShowContextMenu()
{
    OwMenu menu;
    menu.SetIconSize(kMenuIconWidth, kMenuIconHeight);
    const CGridImageList& images = CSeriesImages::MenuImages();
    for (const SMenuItem& item : kMenuItems)
    {
        if (item.command == 0)
            menu.AppendMenu(L"", MF_SEPARATOR, 0);
        else
            menu.AppendMenu(Text(item.text), MF_STRING, static_cast<unsigned>(item.command), &images,
                            item.image);
    }
    const wxWeakRef<wxWindow> alive(this);
    const int command = GridMenuHook()
                            ? GridMenuHook()(menu)
                            : static_cast<int>(OwMenuPopup::Track(menu, this, wxGetMousePosition()));
    if (!alive)
        return; // closed while the menu was open
    RunMenuCommand(command);
}

void CTabGrid::RunMenuCommand(int command)
{
    switch (command)
    {
    case menuExpandAll:
    case menuCollapseAll:
        ExpandAll(command == menuExpandAll);
        break;
    case menuAllToSummary:
    case menuAllFromSummary:
        m_doc.SetAllInSummary(command == menuAllToSummary);
        break;
    case menuSelectedToSummary:
    case menuSelectedFromSummary:
        // However the series were selected (keys, ranges, select all).
        SyncSelectedFlags();
        m_doc.SetSelectedInSummary(command == menuSelectedToSummary);
        break;
    default:
        break;
    }
}

void CTabGrid::ExpandAll(bool expand)
{
    wxBusyCursor wait;
    CGridCtrl& grid = *m_grid;
    grid.SetRedraw(false, false);
    CReportLayoutSurface surface(grid);
    for (int i = 0; i < m_doc.GetSeriesCount() && DetailRow(i) < grid.GetRowCount(); ++i)
    {
        SetGripper(SeriesRow(i), expand, m_doc.IsInSummary(i));
        if (expand)
            OpenReport(i, surface);
        else
            ShowReport(i, false, true);
        if (m_doc.IsExpanded(i) != expand)
            m_doc.SetExpanded(i, expand);
        if (expand && i % kExpandProgressStep == 0)
            SetProgress(Ids::kGridExpanding, i + 1);
    }
    grid.SetRedraw(true, true);
    m_progressText.clear();
    SendStatusText();
    Refresh();
}

void CTabGrid::DeleteSelected()
{
    const std::vector<int> marked = MarkedSeries();
    if (m_services.MessageBox(Ids::kGridDeleteQuestion, CUserPrompts::buttonsYesNoCancel,
                              CUserPrompts::iconQuestion) == CUserPrompts::answerYes)
    {
        for (auto it = marked.rbegin(); it != marked.rend(); ++it)
            m_doc.RemoveSeries(*it);
        m_doc.ComputeSummaryStatistics();
        // The rows show other series now: the page keeps its picture until the refill.
        m_grid->SetRedraw(false);
        PostRefill();
        // The indexes changed: the other views read the series anew.
        m_doc.NotifyViews(this, -1);
    }
    m_grid->SetFocus();
}
