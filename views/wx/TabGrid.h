#pragma once
// The series grid page, the first tab of the measurement sheet. Every series
// of the project is a series row (object ID, name, date and time, mean value
// as a bar, number of readings, standard deviation) with a detail row
// beneath it that holds the series report and is folded away until the
// series is expanded: series i lives in rows 2i + 1 and 2i + 2 under one
// heading row. The page owns no project data: it reads the document by
// series index and changes it only through the document's setters, after
// which the document's notification (or the page's own refill) redraws it.

#include "data/DocumentSubscription.h"
#include "data/DocumentView.h"
#include "grid/GridFont.h"
#include "grid/GridPrintText.h"
#include "views/SeriesCellUi.h"
#include "views/SeriesColumnWidths.h"

#include <wx/panel.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CGridCtrl;
class CReportLayoutSurface;
class CGridNotifyEvent;
class CSeriesCellAnimationTimer;
class CTerrionDoc;
class CViewServices;
class OwMenu;

class CTabGrid : public wxPanel, public CDocumentView, private CSeriesCellUi
{
public:
    /// The grid's control id.
    static constexpr int kGridId = 101;
    /// The columns.
    enum NColumn : int
    {
        colId,
        colName,
        colDateTime,
        colMean,
        colTotal,
        colStdDev,
        kColumnCount
    };
    /// The context menu's commands.
    enum NMenuCommand : int
    {
        menuExpandAll = 1,
        menuCollapseAll,
        menuAllToSummary,
        menuAllFromSummary,
        menuSelectedToSummary,
        menuSelectedFromSummary,
    };

    CTabGrid(wxWindow* parent, CTerrionDoc& doc, CViewServices& services);
    ~CTabGrid() override;

    CGridCtrl& Grid() const { return *m_grid; }
    /// The grid's font too: the page is refilled in it, its columns fitted to it.
    bool SetFont(const wxFont& font) override;

    /// Queues the document-changed notification; a full refresh that is
    /// already queued covers every later one.
    void PostDocumentChanged(int hint) override;

    /// The series a body row belongs to, whether its series row or its
    /// detail row; -1 for the heading row.
    static int SeriesOfRow(int row) { return row >= 1 ? (row - 1) / 2 : -1; }
    static int SeriesRow(int series) { return 2 * series + 1; }
    static int DetailRow(int series) { return 2 * series + 2; }

    /// Empties the grid and sets up the heading row.
    void InitGrid();
    /// -1 rebuilds every row from the document; a series index refreshes
    /// that series' row (an index the grid no longer has is ignored).
    void Fill(int series);
    /// The gripper toggles from the document's flags, after the summary statistics.
    void UpdateGrippers();
    /// The sort triangle from the document's sort order.
    void UpdateSortIndicator();
    /// Widens the mean-value column to fill the grid's width.
    void FitBarColumn();
    /// The name and date/time columns' widths in the grid's font for the
    /// chosen date and time patterns.
    CSeriesColumnWidths::SWidths TextColumnWidths();
    void ExpandAll(bool expand);
    /// Asks, then deletes the selected series.
    void DeleteSelected();
    /// The selection count into the status text; above 40000 rows only when forced.
    void UpdateStatusText(bool force);
    /// The selection and progress texts to the main window's status bar.
    void SendStatusText();
    const wxString& GetSelectionText() const { return m_selectionText; }

    // What clicks on the page lead to; the gripper's toggles and the report's
    // clickable texts end here too.
    /// Sorts by a column: its ascending order, or its descending one when
    /// the project is sorted ascending by it already.
    void SortByColumn(int col);
    /// Expands a collapsed series and collapses an expanded one.
    void OnToggleExpanded(int series);
    /// Puts a series into the summary or takes it out (the document refuses
    /// a series without a mean).
    void OnToggleSummary(int series);
    /// The comment dialog for a series; OK stores its text. A click on a
    /// report's comment leads here once the click is done.
    void EditComment(int series);
    /// The date and time dialog from the time of `series`; OK moves that
    /// series and every selected one by the same amount.
    void EditDateTime(int series);
    /// The context menu at the pointer.
    void ShowContextMenu();
    void RunMenuCommand(int command);

    // The page messages that take series out of the page and in
    // (TabGridExport.cpp). The exports return 1 when their dialog was
    // cancelled, else 0.
    void OnPrint();
    /// The printed pages' header and footer: the maker, the page's title,
    /// the program's version, the project file's name.
    SGridPrintText PrintTexts() const;
    int OnExportGraphic();
    int OnExportCsv();
    void OnCopy();
    void OnPaste();
    /// The series' row or detail row holds the selection or the focus in the
    /// count column (copy's private format, the graphic export).
    bool IsSeriesMarked(int series) const;
    /// The series' row or detail row is selected in the name column (the text exports).
    bool IsSeriesSelected(int series) const;

    /// Answers the context menu in place of the user while set (tests):
    /// called with the menu, returns the chosen command (0 for none).
    using TMenuHook = std::function<int(const OwMenu& menu)>;
    static void SetMenuTestHook(TMenuHook hook);

private:
    class CExportUi;
    class CExportGrid;
    void BindExportMessages();
    /// The series the grid holds rows for.
    int GridSeriesCount() const;

    // The page's cells (TabGridCells.cpp): the one place that chooses each
    // row's cell classes and reads and writes their own state.
    void MakeSeriesRowCells(int row);
    void MakeDetailRowCells(int row, int series);
    void SetGripper(int row, bool expanded, bool inSummary);
    /// The gripper's toggles as the user left them; false without a gripper.
    bool GetGripper(int row, bool* expanded, bool* inSummary) const;
    void SetBar(int row, double mean, double largest);
    /// Opens or closes a series' report, at once or step by step.
    void ShowReport(int series, bool expand, bool immediate);
    /// Opens a series' report at once, laid out on `surface`.
    void OpenReport(int series, CReportLayoutSurface& surface);

    // CSeriesCellUi: what the report cells ask of the page.
    void CommentClicked(int series) override;
    void ScheduleAnimation(CGridCellSeries& cell) override;

    /// Lays every open report out at its width, all on one measuring surface.
    void LayOutOpenReports();

    /// The texts and states of one series' row; `layOutReport` opens its
    /// report at once when the series is expanded (a full fill lays the
    /// reports out after the columns have their widths).
    void FillRow(int series, double largestMean, bool layOutReport);
    /// The saved widths, or the widths of set-up with the mean-value column filling the grid.
    void ApplyColumnWidths();
    void SetSeriesExpanded(int series, bool expand, bool immediate);
    void SetProgress(unsigned labelId, int number);
    /// The series whose cell (series row, colTotal) is selected or is the focus cell.
    std::vector<int> MarkedSeries();
    /// The document's selected flags from the grid's selection.
    void SyncSelectedFlags();
    void PostRefill();

    void OnDocumentChanged(wxCommandEvent& event);
    void OnRefill(wxCommandEvent& event);
    void OnGridNotify(CGridNotifyEvent& event);
    void OnGridClick(int row, int col);
    void OnGridRClick(int row, int col);
    void OnGridSelChanged(int row, int col);
    void OnGridEndEdit(int row, int col);
    void OnFocusChanged(int row, int col);
    void KeepFocusOnSeriesRow(int row, int col, bool onward);
    void OnLeftButton(wxMouseEvent& event);
    void OnCharHook(wxKeyEvent& event);

    CTerrionDoc& m_doc;
    CViewServices& m_services;
    CGridCtrl* m_grid = nullptr;
    std::vector<int> m_savedWidths;
    /// The text columns' widths of the grid's font and the chosen patterns,
    /// now and when the widths were saved.
    CSeriesColumnWidths::SWidths m_textWidths;
    CSeriesColumnWidths::SWidths m_savedTextWidths;
    /// The widths were measured for these date and time patterns (a
    /// language library may bring its own) and this font.
    std::wstring m_textWidthsPatterns;
    SGridFont m_textWidthsFont;
    bool m_textWidthsKnown = false;
    /// The mean-value column fitted to its heading.
    int m_meanHeadingWidth = 0;
    wxString m_progressText;
    wxString m_selectionText;
    /// A full refresh is queued.
    bool m_refreshQueued = false;
    /// The focus row before the last focus change, and whether the pointer
    /// (rather than a key) moved it.
    int m_focusRow = -1;
    bool m_pointerInput = false;
    bool m_focusFixQueued = false;
    /// The left button is held on the grid: the focus stays where the press
    /// put it until the release, whose click goes to that cell.
    bool m_leftButtonDown = false;
    std::function<void()> m_focusFixAfterRelease;
    /// The frame clock of the reports that open and close (made after the grid).
    std::unique_ptr<CSeriesCellAnimationTimer> m_animation;
    CDocumentSubscription m_subscription;
};
