// The series grid page on the (virtual) display over a real document: the
// fill, sorting by the headings, expanding, renaming, comments, re-dating,
// the summary toggles and deleting, with the dialogs, the context menu and
// the message boxes answered from a script; and that what the page changed
// survives saving and opening the project again.

#include "views/wx/TabGrid.h"
#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/project/FakeDocumentUi.h"
#include "tests/support/TempDir.h"
#include "views/wx/CommentDlg.h"
#include "views/wx/DateTimeDlg.h"
#include "views/wx/PageEvents.h"
#include "views/wx/ViewServices.h"

#include <gtest/gtest.h>
#include <wx/datectrl.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/timectrl.h>

#include <cstdlib>
#include <ctime>
#include <deque>
#include <limits>
#include <string>
#include <vector>

namespace
{

using TerrionTest::CFakeDocumentUi;
using TerrionTest::CTempDir;
namespace Ids = Resources::Ids;

// Every time of these tests is shown on the Central European clock, with its daylight saving.
const bool g_zone = []
{
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    return true;
}();

/// 2023-01-15 10:00 CET; series i is downloaded i hours later.
constexpr std::int64_t kFirstTime = 1673773200;

class CFakeServices : public CViewServices
{
public:
    std::uint32_t GetDTFormat() const override { return dtFormat; }
    int MessageBox(unsigned textId, long style) override
    {
        asked.push_back(textId);
        styles.push_back(style);
        if (answers.empty())
            return wxID_CANCEL;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    int MessageText(const std::wstring&, long) override { return wxID_OK; }
    int AskAbortRetryIgnore(const std::wstring&) override { return wxID_ABORT; }
    std::unique_ptr<CViewProgress> OpenProgress(wxWindow*) override { return nullptr; }

    std::uint32_t dtFormat = 0;
    std::deque<int> answers;
    std::vector<unsigned> asked;
    std::vector<long> styles;
};

/// A series with the object number and readings given (0.0 is an invalid reading).
Device::TTerrionObject Object(int number, const std::vector<double>& readings)
{
    Device::TTerrionObject object;
    object.ident.serialNumber = L"TN12-345-6789";
    object.objectNumber = static_cast<std::uint16_t>(number);
    for (const double value : readings)
        object.readings.push_back({value, 0x10, static_cast<std::uint16_t>(value != 0.0 ? 10 : 0)});
    return object;
}

class CTabGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.SetSeriesStamps(nullptr, [this] { return kFirstTime + 3600 * m_stamps++; });
        m_frame = new wxFrame(nullptr, wxID_ANY, L"Series page", wxDefaultPosition, wxSize(760, 520));
        m_frame->CreateStatusBar();
        page = new CTabGrid(m_frame, doc, services);
        wxTheApp->SetTopWindow(m_frame);
        m_frame->Show();
        Pump();
    }

    void TearDown() override
    {
        CCommentDlg::SetTestHook({});
        CDateTimeDlg::SetTestHook({});
        CTabGrid::SetMenuTestHook({});
        m_frame->Destroy();
        Pump();
    }

    CGridCtrl& Grid() { return page->Grid(); }

    /// Five series: names out of order, means 4, 2, 8, 0 (no valid reading), 6.
    void LoadFive()
    {
        doc.AddSeries({Object(11, {3, 5}), Object(12, {2}), Object(13, {7, 8, 9}), Object(14, {0, 0}),
                       Object(15, {5, 6, 7})},
                      false);
        const wchar_t* names[] = {L"Delta", L"Alpha", L"Echo", L"Charlie", L"Bravo"};
        for (int i = 0; i < 5; ++i)
            doc.SetName(i, names[i]);
        Pump();
    }

    /// The centre of a cell (without its span) in the grid's client pixels.
    wxPoint Centre(int row, int col)
    {
        SGridRect rect;
        EXPECT_TRUE(Grid().GetPlainCellRect(row, col, &rect)) << row << "," << col;
        return wxPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }

    void Mouse(wxEventType type, wxPoint at)
    {
        wxMouseEvent event(type);
        event.SetEventObject(&Grid());
        event.SetPosition(at);
        Grid().GetEventHandler()->ProcessEvent(event);
    }

    /// A left click on a cell as the window gets it.
    void Click(int row, int col)
    {
        const wxPoint at = Centre(row, col);
        Mouse(wxEVT_LEFT_DOWN, at);
        Mouse(wxEVT_LEFT_UP, at);
        Pump();
    }

    void RightClick(int row, int col)
    {
        const wxPoint at = Centre(row, col);
        Mouse(wxEVT_RIGHT_DOWN, at);
        Mouse(wxEVT_RIGHT_UP, at);
        Pump();
    }

    void Key(int code, int modifiers = wxMOD_NONE)
    {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.SetEventObject(&Grid());
        event.m_keyCode = code;
        event.m_controlDown = (modifiers & wxMOD_CONTROL) != 0;
        event.m_shiftDown = (modifiers & wxMOD_SHIFT) != 0;
        Grid().GetEventHandler()->ProcessEvent(event);
        Pump();
    }

    /// Selects series first..last as a click and a Shift+click would.
    void SelectSeries(int first, int last)
    {
        Grid().SetSelectedRange(CTabGrid::SeriesRow(first), 0, CTabGrid::DetailRow(last),
                                CTabGrid::kColumnCount - 1);
        Grid().SetFocusCell(CTabGrid::SeriesRow(last), 1);
        Pump();
    }

    std::wstring Cell(int series, int col) { return Grid().GetItemText(CTabGrid::SeriesRow(series), col); }

    std::vector<std::wstring> NamesShown()
    {
        std::vector<std::wstring> names;
        for (int row = 1; row < Grid().GetRowCount(); row += 2)
            names.push_back(Grid().GetItemText(row, CTabGrid::colName));
        return names;
    }

    wxString StatusBarText() { return m_frame->GetStatusBar()->GetStatusText(0); }

    static std::wstring StatusText(int selected, int total)
    {
        return L"Selected objects: " + std::to_wstring(selected) + L"      Total objects: " +
               std::to_wstring(total) + L"        ";
    }

    CFakeDocumentUi ui;
    CTerrionDoc doc{&ui};
    CFakeServices services;
    CTabGrid* page = nullptr;

private:
    int m_stamps = 0;
    wxFrame* m_frame = nullptr;
};

TEST_F(CTabGridTest, FillsTwoRowsASeriesFromProjectsOfNoneOneAndMany)
{
    struct SCase
    {
        int series;
        int readings;
    };
    for (const SCase c : {SCase{0, 0}, SCase{1, 1}, SCase{40, 3}})
    {
        SCOPED_TRACE(c.series);
        CTerrionData::TObjects objects;
        for (int i = 0; i < c.series; ++i)
            objects.push_back(
                Object(100 + i, std::vector<double>(static_cast<std::size_t>(c.readings), 2.5 + i)));
        doc.AddSeries(objects, false);
        Pump();

        CGridCtrl& grid = Grid();
        ASSERT_EQ(grid.GetRowCount(), 2 * c.series + 1);
        ASSERT_EQ(grid.GetColumnCount(), 6);
        EXPECT_EQ(grid.GetFixedRowCount(), 1);
        EXPECT_EQ(grid.GetRowHeight(0), 26);
        const wchar_t* headings[] = {L"ID",         L"Name",  L"Date & Time",
                                     L"Mean Value", L"Total", L"Std. Deviation"};
        for (int col = 0; col < 6; ++col)
            EXPECT_EQ(grid.GetItemText(0, col), headings[col]);
        for (int i = 0; i < c.series; ++i)
        {
            EXPECT_EQ(Cell(i, 0), std::to_wstring(100 + i));
            EXPECT_EQ(grid.GetRowHeight(CTabGrid::SeriesRow(i)), 22);
            EXPECT_EQ(grid.GetRowHeight(CTabGrid::DetailRow(i)), 0) << "a collapsed report takes no room";
        }
        if (c.series == 1)
        {
            EXPECT_EQ(Cell(0, 2), L"01/15/2023 10:00 AM");
            EXPECT_EQ(Cell(0, 3), L"2.5 k\u2126cm");
            EXPECT_EQ(Cell(0, 4), L"1");
            EXPECT_EQ(Cell(0, 5), L"--") << "one reading has no deviation";
        }
        if (c.series == 40)
        {
            EXPECT_EQ(Cell(39, 3), L"41.5 k\u2126cm");
            EXPECT_EQ(Cell(39, 4), L"3");
            EXPECT_EQ(Cell(39, 5), L"0.00");
        }
        // The mean-value column takes the width the others leave, 8 pixels short.
        const int client = grid.GetClientSize().GetWidth();
        if (c.series == 0)
            EXPECT_GE(grid.GetColumnWidth(3), client - 8);
        else
        {
            SGridRect last;
            ASSERT_TRUE(grid.GetCellRect(1, 5, &last));
            EXPECT_NEAR(last.right, client - 8, 1);
        }
        EXPECT_EQ(page->GetSelectionText(), StatusText(0, c.series));
        EXPECT_EQ(StatusBarText(), StatusText(0, c.series));
    }
}

TEST_F(CTabGridTest, HeadingClicksCycleTheSortOrders)
{
    LoadFive();
    // Name: ascending, descending, ascending again.
    Click(0, CTabGrid::colName);
    EXPECT_EQ(doc.GetSortOrder(), 5);
    EXPECT_EQ(NamesShown(), (std::vector<std::wstring>{L"Alpha", L"Bravo", L"Charlie", L"Delta", L"Echo"}));
    EXPECT_EQ(Grid().GetSortColumn(), 1);
    EXPECT_TRUE(Grid().GetSortAscending());
    Click(0, CTabGrid::colName);
    EXPECT_EQ(doc.GetSortOrder(), 6);
    EXPECT_EQ(NamesShown(), (std::vector<std::wstring>{L"Echo", L"Delta", L"Charlie", L"Bravo", L"Alpha"}));
    EXPECT_EQ(Grid().GetSortColumn(), 1);
    EXPECT_FALSE(Grid().GetSortAscending());
    Click(0, CTabGrid::colName);
    EXPECT_EQ(doc.GetSortOrder(), 5);

    // Every column's pair of orders; a column sorted descending starts ascending again.
    const std::uint8_t ascending[] = {1, 5, 3, 7, 9, 11};
    for (int col = 0; col < CTabGrid::kColumnCount; ++col)
    {
        Click(0, col);
        EXPECT_EQ(doc.GetSortOrder(), ascending[col]) << col;
        EXPECT_EQ(Grid().GetSortColumn(), col);
        Click(0, col);
        EXPECT_EQ(doc.GetSortOrder(), ascending[col] + 1) << col;
        EXPECT_FALSE(Grid().GetSortAscending());
    }
    Click(0, CTabGrid::colMean);
    EXPECT_EQ(NamesShown(), (std::vector<std::wstring>{L"Charlie", L"Alpha", L"Delta", L"Bravo", L"Echo"}));

    // Widths set by the user hold over refills once a heading click took them.
    Grid().SetColumnWidth(CTabGrid::colName, 140);
    Click(0, CTabGrid::colTotal);
    doc.NotifyViews(nullptr, -1);
    Pump();
    EXPECT_EQ(Grid().GetColumnWidth(CTabGrid::colName), 140);
}

TEST_F(CTabGridTest, ExpandsAndCollapsesOneSeriesAndAllThroughTheContextMenu)
{
    LoadFive();
    page->OnToggleExpanded(2);
    EXPECT_TRUE(doc.IsExpanded(2));
    EXPECT_GT(Grid().GetRowHeight(CTabGrid::DetailRow(2)), 0);
    page->OnToggleExpanded(2);
    EXPECT_FALSE(doc.IsExpanded(2));
    EXPECT_EQ(Grid().GetRowHeight(CTabGrid::DetailRow(2)), 0);

    std::vector<wxString> items;
    int choice = CTabGrid::menuExpandAll;
    CTabGrid::SetMenuTestHook(
        [&](wxMenu& menu)
        {
            items.clear();
            for (const wxMenuItem* item : menu.GetMenuItems())
                items.push_back(item->IsSeparator() ? wxString(L"-") : item->GetItemLabelText());
            return choice;
        });
    RightClick(CTabGrid::SeriesRow(1), CTabGrid::colId);
    EXPECT_EQ(items,
              (std::vector<wxString>{L"Expand all", L"Collapse all", L"-", L"Add all series to summary",
                                     L"Remove all series from summary", L"Add selected series to summary",
                                     L"Remove selected series from summary"}));
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_TRUE(doc.IsExpanded(i)) << i;
        EXPECT_GT(Grid().GetRowHeight(CTabGrid::DetailRow(i)), 0) << i;
    }
    // A refill keeps the reports open: the flags are the document's.
    doc.NotifyViews(nullptr, -1);
    Pump();
    EXPECT_GT(Grid().GetRowHeight(CTabGrid::DetailRow(4)), 0);

    choice = CTabGrid::menuCollapseAll;
    RightClick(CTabGrid::SeriesRow(3), CTabGrid::colId);
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_FALSE(doc.IsExpanded(i)) << i;
        EXPECT_EQ(Grid().GetRowHeight(CTabGrid::DetailRow(i)), 0) << i;
    }
}

TEST_F(CTabGridTest, RenamesInPlaceAndTheDocumentTakesTheName)
{
    LoadFive();
    Grid().OnEndEditCell(CTabGrid::SeriesRow(3), CTabGrid::colName, L"Renamed");
    EXPECT_EQ(doc.GetName(3), L"Renamed");
    EXPECT_EQ(Cell(3, 1), L"Renamed");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(CTabGridTest, TheCommentDialogStoresItsTextOnlyWithOk)
{
    LoadFive();
    doc.SetComment(1, L"old");
    std::wstring shown;
    CCommentDlg::SetTestHook(
        [&](CCommentDlg& dialog)
        {
            shown = dialog.Edit()->GetValue().ToStdWstring();
            dialog.Edit()->SetValue(L"first line\nsecond line");
            return wxID_CANCEL;
        });
    page->EditComment(1);
    EXPECT_EQ(shown, L"old");
    EXPECT_EQ(doc.GetComment(1), L"old");

    CCommentDlg::SetTestHook(
        [](CCommentDlg& dialog)
        {
            dialog.Edit()->SetValue(L"first line\nsecond line");
            return wxID_OK;
        });
    page->EditComment(1);
    EXPECT_EQ(doc.GetComment(1), L"first line\r\nsecond line");

    // Untouched, the text comes back as it was given.
    CCommentDlg::SetTestHook([](CCommentDlg&) { return wxID_OK; });
    page->EditComment(1);
    EXPECT_EQ(doc.GetComment(1), L"first line\r\nsecond line");
}

TEST_F(CTabGridTest, ReDatingMovesEverySelectedSeriesToThePickedClockTimeOverTheSummerChange)
{
    LoadFive();
    SelectSeries(0, 1);
    wxString shownDate;
    wxString shownTime;
    CDateTimeDlg::SetTestHook(
        [&](CDateTimeDlg& dialog)
        {
            shownDate = dialog.ShownDate();
            shownTime = dialog.ShownTime();
            // From 15 January 11:00 (winter) to 15 July 11:00 (summer time).
            dialog.DatePicker()->SetValue(wxDateTime(15, wxDateTime::Jul, 2023));
            dialog.TimePicker()->SetValue(wxDateTime(1, wxDateTime::Jan, 2023, 11, 0, 0));
            return wxID_OK;
        });
    RightClick(CTabGrid::SeriesRow(1), CTabGrid::colDateTime);
    EXPECT_EQ(shownDate, L"01/15/2023");
    EXPECT_EQ(shownTime, L"11:00:00 AM") << "the time is shown with its seconds";
    // The same shift for both: each keeps its clock time on the new date.
    EXPECT_EQ(Cell(0, 2), L"07/15/2023 10:00 AM");
    EXPECT_EQ(Cell(1, 2), L"07/15/2023 11:00 AM");
    EXPECT_EQ(doc.GetTime(1) - doc.GetTime(0), 3600);
    EXPECT_EQ(Cell(2, 2), L"01/15/2023 12:00 PM") << "an unselected series stays";

    // Cancel changes nothing.
    const std::int64_t before = doc.GetTime(0);
    CDateTimeDlg::SetTestHook(
        [](CDateTimeDlg& dialog)
        {
            dialog.DatePicker()->SetValue(wxDateTime(1, wxDateTime::Feb, 2020));
            return wxID_CANCEL;
        });
    RightClick(CTabGrid::SeriesRow(0), CTabGrid::colDateTime);
    EXPECT_EQ(doc.GetTime(0), before);
}

TEST_F(CTabGridTest, ATimeTheClockCannotShowIsShownAsDashesAndCanBeRepaired)
{
    LoadFive();
    doc.SetTime(2, std::numeric_limits<std::int64_t>::max());
    doc.NotifyViews(nullptr, 2);
    Pump();
    EXPECT_EQ(Cell(2, CTabGrid::colDateTime), L"--");
    wxString shown;
    CDateTimeDlg::SetTestHook(
        [&](CDateTimeDlg& dialog)
        {
            shown = dialog.ShownDate() + L" " + dialog.ShownTime();
            dialog.DatePicker()->SetValue(wxDateTime(15, wxDateTime::Jul, 2023));
            dialog.TimePicker()->SetValue(wxDateTime(1, wxDateTime::Jan, 2023, 10, 0, 0));
            return wxID_OK;
        });
    page->EditDateTime(2);
    Pump();
    EXPECT_EQ(shown, L"-- --");
    EXPECT_EQ(doc.GetTime(2), 1689408000);
    EXPECT_EQ(Cell(2, CTabGrid::colDateTime), L"07/15/2023 10:00 AM");
}

TEST_F(CTabGridTest, ARightClickOnAReportActsOnItsOwnSeries)
{
    LoadFive();
    page->OnToggleExpanded(1);
    Pump();
    bool ownSelected = false;
    bool nextSelected = true;
    CTabGrid::SetMenuTestHook(
        [&](wxMenu&)
        {
            ownSelected = Grid().IsCellSelected(CTabGrid::SeriesRow(1), CTabGrid::colName);
            nextSelected = Grid().IsCellSelected(CTabGrid::SeriesRow(2), CTabGrid::colName);
            return CTabGrid::menuSelectedToSummary;
        });
    RightClick(CTabGrid::DetailRow(1), CTabGrid::colId);
    EXPECT_TRUE(ownSelected);
    EXPECT_FALSE(nextSelected);
    EXPECT_TRUE(doc.IsInSummary(1)) << "series 1, whose report was clicked";
    EXPECT_FALSE(doc.IsInSummary(2)) << "not the next series";
}

TEST_F(CTabGridTest, SummaryTogglesGoThroughTheDocumentWhichRefusesASeriesWithoutMean)
{
    LoadFive();
    ASSERT_FALSE(doc.IsInSummary(2));
    page->OnToggleSummary(2);
    EXPECT_TRUE(doc.IsInSummary(2));
    page->OnToggleSummary(2);
    EXPECT_FALSE(doc.IsInSummary(2));
    page->OnToggleSummary(3);
    EXPECT_FALSE(doc.IsInSummary(3)) << "series 3 has no valid reading";
    Pump();

    // The selected series, however they were selected.
    SelectSeries(1, 2);
    page->RunMenuCommand(CTabGrid::menuSelectedToSummary);
    Pump();
    EXPECT_EQ(doc.GetSummaryCount(), 2);
    EXPECT_TRUE(doc.IsInSummary(1));
    EXPECT_TRUE(doc.IsInSummary(2));
    page->RunMenuCommand(CTabGrid::menuAllToSummary);
    Pump();
    EXPECT_EQ(doc.GetSummaryCount(), 4);
    Grid().SelectAllCells();
    page->RunMenuCommand(CTabGrid::menuSelectedFromSummary);
    Pump();
    EXPECT_EQ(doc.GetSummaryCount(), 0);
}

TEST_F(CTabGridTest, DeletesTheSelectedSeriesAfterAskingAndKeepsThemOnNo)
{
    LoadFive();
    SelectSeries(1, 2);
    services.answers = {wxID_NO};
    wxCommandEvent message(WM_PAGE_DELETE);
    EXPECT_TRUE(page->ProcessWindowEventLocally(message));
    Pump();
    ASSERT_EQ(services.asked, std::vector<unsigned>{Ids::kGridDeleteQuestion});
    EXPECT_EQ(services.styles[0], wxYES_NO | wxCANCEL | wxICON_QUESTION);
    EXPECT_EQ(doc.GetSeriesCount(), 5);

    TerrionTest::CRecordingView other;
    doc.AddView(&other);
    services.answers = {wxID_YES};
    Key(WXK_DELETE);
    Pump();
    EXPECT_EQ(doc.GetSeriesCount(), 3);
    EXPECT_EQ(other.hints, std::vector<int>{-1}) << "the other views read the series anew";
    Click(0, CTabGrid::colName);
    EXPECT_EQ(other.hints, (std::vector<int>{-1, -1})) << "sorting changed the indexes too";
    EXPECT_TRUE(doc.RemoveView(&other));
    EXPECT_EQ(NamesShown(), (std::vector<std::wstring>{L"Bravo", L"Charlie", L"Delta"}));
    EXPECT_EQ(Grid().GetRowCount(), 7);
    EXPECT_EQ(page->GetSelectionText(), StatusText(0, 3));

    // Nothing selected: asked all the same, and Yes removes nothing.
    Grid().SetSelectedRange(-1, -1, -1, -1);
    Grid().SetFocusCell(-1, -1);
    services.answers = {wxID_YES};
    page->DeleteSelected();
    Pump();
    EXPECT_EQ(services.asked.size(), 3u);
    EXPECT_EQ(doc.GetSeriesCount(), 3);
}

TEST_F(CTabGridTest, SelectAllSelectsEverySeriesAndTheStatusCountsThem)
{
    LoadFive();
    wxCommandEvent message(WM_PAGE_SELECT_ALL);
    EXPECT_TRUE(page->ProcessWindowEventLocally(message));
    Pump();
    EXPECT_EQ(page->GetSelectionText(), StatusText(5, 5));
    EXPECT_EQ(StatusBarText(), StatusText(5, 5));
    Click(CTabGrid::SeriesRow(3), CTabGrid::colName);
    EXPECT_EQ(page->GetSelectionText(), StatusText(1, 5));
    EXPECT_TRUE(Grid().IsCellSelected(CTabGrid::DetailRow(3), CTabGrid::colName))
        << "the detail row is selected with its series row";
}

TEST_F(CTabGridTest, TheFocusRestsOnSeriesRowsAroundAnOpenReport)
{
    LoadFive();
    page->OnToggleExpanded(1);
    Click(CTabGrid::SeriesRow(1), CTabGrid::colName);
    ASSERT_EQ(Grid().GetFocusCell(), CGridCellPos(3, 1));

    // Down goes past the open report to the next series, Up back to the report's series.
    Key(WXK_DOWN);
    EXPECT_EQ(Grid().GetFocusCell(), CGridCellPos(5, 1));
    EXPECT_TRUE(Grid().IsCellSelected(5, 1));
    EXPECT_TRUE(Grid().IsCellSelected(6, 1));
    EXPECT_FALSE(Grid().IsCellSelected(3, 1));
    Key(WXK_UP);
    EXPECT_EQ(Grid().GetFocusCell(), CGridCellPos(3, 1));
    EXPECT_TRUE(Grid().IsCellSelected(3, 1));
    EXPECT_TRUE(Grid().IsCellSelected(4, 1));

    // A click into the report selects and focuses its own series.
    Click(CTabGrid::SeriesRow(2), CTabGrid::colName);
    Click(CTabGrid::DetailRow(1), CTabGrid::colTotal);
    EXPECT_EQ(Grid().GetFocusCell().row, 3);
    EXPECT_TRUE(Grid().IsCellSelected(3, 1));
    EXPECT_FALSE(Grid().IsCellSelected(5, 1));
}

TEST_F(CTabGridTest, CtrlCAndCtrlVReachThePageNotTheGrid)
{
    LoadFive();
    int copies = 0;
    int pastes = 0;
    page->Bind(WM_PAGE_COPY, [&](wxCommandEvent&) { ++copies; });
    page->Bind(WM_PAGE_PASTE, [&](wxCommandEvent&) { ++pastes; });
    for (const int key : {'C', 'V', 'C'})
    {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.SetEventObject(&Grid());
        event.m_keyCode = key;
        event.m_controlDown = true;
        Grid().GetEventHandler()->ProcessEvent(event);
    }
    // An open edit keeps its own copy and paste.
    wxKeyEvent fromEdit(wxEVT_CHAR_HOOK);
    fromEdit.SetEventObject(page);
    fromEdit.m_keyCode = 'C';
    fromEdit.m_controlDown = true;
    page->GetEventHandler()->ProcessEvent(fromEdit);
    Pump();
    EXPECT_EQ(copies, 2);
    EXPECT_EQ(pastes, 1);
}

TEST_F(CTabGridTest, WhatThePageChangedSurvivesSavingAndOpening)
{
    LoadFive();
    Grid().OnEndEditCell(CTabGrid::SeriesRow(0), CTabGrid::colName, L"Kept name");
    CCommentDlg::SetTestHook(
        [](CCommentDlg& dialog)
        {
            dialog.Edit()->SetValue(L"on the north wall\nafter rain");
            return wxID_OK;
        });
    page->EditComment(2);
    SelectSeries(4, 4);
    CDateTimeDlg::SetTestHook(
        [](CDateTimeDlg& dialog)
        {
            dialog.DatePicker()->SetValue(wxDateTime(3, wxDateTime::Aug, 2023));
            dialog.TimePicker()->SetValue(wxDateTime(1, wxDateTime::Jan, 2023, 9, 30, 0));
            return wxID_OK;
        });
    page->EditDateTime(4);
    page->OnToggleSummary(4);
    page->OnToggleExpanded(2);
    SelectSeries(1, 1);
    services.answers = {wxID_YES};
    page->DeleteSelected();
    Pump();
    ASSERT_EQ(doc.GetSeriesCount(), 4);

    const CTempDir temp;
    const std::wstring path = (temp / "page.vnr").wstring();
    ASSERT_TRUE(doc.SaveFile(path));

    CFakeDocumentUi otherUi;
    CTerrionDoc reopened(&otherUi);
    ASSERT_TRUE(reopened.Open(path, false));
    ASSERT_EQ(reopened.GetSeriesCount(), 4);
    EXPECT_EQ(reopened.GetName(0), L"Kept name");
    EXPECT_EQ(reopened.GetName(1), L"Echo");
    EXPECT_EQ(reopened.GetComment(1), L"on the north wall\r\nafter rain");
    EXPECT_TRUE(reopened.IsExpanded(1));
    EXPECT_EQ(reopened.GetName(3), L"Bravo");
    EXPECT_TRUE(reopened.IsInSummary(3));
    EXPECT_EQ(reopened.GetTime(3), 1691047800) << "3 August 2023 09:30 CEST";

    // Shown anew, with its report open, the project is not modified by the showing.
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, L"reopened", wxDefaultPosition, wxSize(760, 520));
    auto* shown = new CTabGrid(frame, reopened, services);
    frame->Show();
    reopened.NotifyViews(nullptr, -1);
    Pump();
    EXPECT_EQ(shown->Grid().GetItemText(CTabGrid::SeriesRow(3), CTabGrid::colDateTime),
              L"08/03/2023 9:30 AM");
    EXPECT_GT(shown->Grid().GetRowHeight(CTabGrid::DetailRow(1)), 0);
    EXPECT_FALSE(reopened.IsModified());
    // Neither does selecting a series.
    const wxPoint at(10, 26 + 22 + 5);
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetPosition(at);
    shown->Grid().GetEventHandler()->ProcessEvent(down);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetPosition(at);
    shown->Grid().GetEventHandler()->ProcessEvent(up);
    Pump();
    EXPECT_FALSE(reopened.IsModified());
    frame->Destroy();
    Pump();
}

TEST_F(CTabGridTest, APageThatIsGoneIsNoLongerNotified)
{
    LoadFive();
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, L"second");
    auto* second = new CTabGrid(frame, doc, services);
    CDocumentView* view = second;
    frame->Destroy();
    Pump();
    EXPECT_FALSE(doc.RemoveView(view)) << "the page unregistered itself";
    doc.NotifyViews(nullptr, -1);
    Pump();
    EXPECT_EQ(Grid().GetRowCount(), 11);
}

TEST_F(CTabGridTest, ANotificationForASeriesThatIsGoneIsIgnored)
{
    LoadFive();
    const std::wstring shown = Cell(4, CTabGrid::colName);
    doc.RemoveSeries(4);
    doc.NotifyViews(nullptr, 4);
    Pump();
    EXPECT_EQ(Cell(4, CTabGrid::colName), shown) << "the row waits for the refill";
    EXPECT_EQ(Grid().GetRowCount(), 11);
    doc.NotifyViews(nullptr, -1);
    Pump();
    EXPECT_EQ(Grid().GetRowCount(), 9);
}

} // namespace

namespace
{

/// Keeps what the screen shows of an open dialog.
void SaveScreenshot(wxDialog& dialog, const wxString& name)
{
    dialog.Raise();
    for (int i = 0; i < 10; ++i)
    {
        Pump();
        wxMilliSleep(20);
    }
    const wxRect rect = dialog.GetScreenRect();
    wxBitmap shot(rect.width, rect.height);
    {
        wxScreenDC screen;
        wxMemoryDC memory(shot);
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    wxFileName::Mkdir(TERRION_VIEWS_ARTEFACTS, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    EXPECT_TRUE(shot.SaveFile(wxString(TERRION_VIEWS_ARTEFACTS) + L"/" + name, wxBITMAP_TYPE_PNG));
}

TEST(CViewDialogs, TheDateTimeDialogShowsTheCurrentStampWithSecondsInTheChosenPatterns)
{
    CDateTimeDlg dialog(nullptr, 0x0303); // dd.MM.yyyy, HH:mm
    dialog.SetOriginalTime(kFirstTime + 42);
    dialog.SetNewTime(kFirstTime + 42);
    wxString date;
    wxString time;
    wxDateTime picked;
    wxTheApp->CallAfter(
        [&]
        {
            date = dialog.ShownDate();
            time = dialog.ShownTime();
            picked = dialog.DatePicker()->GetValue();
            SaveScreenshot(dialog, L"date_time_dialog.png");
            // One day and one hour later on the clock.
            dialog.DatePicker()->SetValue(wxDateTime(16, wxDateTime::Jan, 2023));
            dialog.TimePicker()->SetValue(wxDateTime(1, wxDateTime::Jan, 2023, 11, 0, 42));
            dialog.EndModal(wxID_OK);
        });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(date, L"15.01.2023");
    EXPECT_EQ(time, L"10:00:42") << "HH:mm shows its seconds";
    EXPECT_EQ(picked.GetDay(), 15);
    EXPECT_EQ(dialog.GetOffset(), 25 * 3600);
    EXPECT_EQ(dialog.GetTitle(), L"Adjust time");
}

TEST(CViewDialogs, TheCommentDialogShowsTheCommentOverItsButtons)
{
    CCommentDlg dialog(nullptr);
    dialog.SetComment(L"first\r\nsecond");
    wxString shown;
    wxTheApp->CallAfter(
        [&]
        {
            shown = dialog.Edit()->GetValue();
            SaveScreenshot(dialog, L"comment_dialog.png");
            dialog.Edit()->AppendText(L"\nthird");
            dialog.EndModal(wxID_OK);
        });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(shown, L"first\nsecond");
    EXPECT_EQ(dialog.GetComment(), L"first\r\nsecond\r\nthird");
    EXPECT_EQ(dialog.GetTitle(), L"Please enter a comment");
}

} // namespace
