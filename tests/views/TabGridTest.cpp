// The series grid page on the (virtual) display over a real document: the
// fill, sorting by the headings, expanding, renaming, comments, re-dating,
// the summary toggles and deleting, with the dialogs, the context menu and
// the message boxes answered from a script; and that what the page changed
// survives saving and opening the project again.

#include "views/wx/TabGrid.h"
#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "grid/GridDcSurface.h"
#include "grid/GridTipWindow.h"
#include "menus/OwMenu.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/project/FakeDocumentUi.h"
#include "tests/support/ScreenImage.h"
#include "tests/support/TempDir.h"
#include "tests/views/SeriesPageDriver.h"
#include "tests/views/TabGridFixture.h"
#include "views/ColorScheme.h"
#include "views/SeriesImages.h"
#include "views/wx/CommentDlg.h"
#include "views/wx/DateTimeDlg.h"
#include "views/wx/PageEvents.h"
#include "views/wx/ViewServices.h"

#include <gtest/gtest.h>
#include <wx/datectrl.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/textctrl.h>
#include <wx/timectrl.h>

#include <cstdlib>
#include <ctime>
#include <deque>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{

using TerrionTest::CFakeDocumentUi;
using TerrionTest::CTempDir;
namespace Ids = Resources::Ids;

using TerrionTest::kFirstTime;
using TerrionTest::Object;
using CTabGridTest = TerrionTest::CTabGridFixture;

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
    const TerrionTest::CSeriesPageDriver driver = Driver();
    page->OnToggleExpanded(2);
    EXPECT_TRUE(doc.IsExpanded(2));
    ASSERT_TRUE(driver.WaitForReport(2));
    EXPECT_GT(Grid().GetRowHeight(CTabGrid::DetailRow(2)), 0);
    page->OnToggleExpanded(2);
    EXPECT_FALSE(doc.IsExpanded(2));
    ASSERT_TRUE(driver.WaitForReport(2));
    EXPECT_EQ(Grid().GetRowHeight(CTabGrid::DetailRow(2)), 0);

    // The owner-drawn menu: its items, each with its tile of the menu images.
    std::vector<std::wstring> items;
    int choice = CTabGrid::menuExpandAll;
    CTabGrid::SetMenuTestHook(
        [&](const OwMenu& menu)
        {
            items.clear();
            EXPECT_EQ(menu.GetIconSize(), (SGridSize{20, 19}));
            const CGridImageList& tiles = CSeriesImages::MenuImages();
            int tile = 0;
            for (int i = 0; i < menu.GetItemCount(); ++i)
            {
                const OwMenuData& item = menu.GetItem(i);
                items.push_back(item.IsSeparator() ? std::wstring(L"-") : item.text);
                if (item.IsSeparator())
                    continue;
                EXPECT_TRUE(item.IsSelectable()) << i;
                EXPECT_TRUE(item.HasImage()) << i;
                if (!item.HasImage())
                    continue;
                int differing = 0;
                for (int y = 0; y < 19; ++y)
                    for (int x = 0; x < 20; ++x)
                        differing += item.images->GetPixel(0, x, y) != tiles.GetPixel(tile, x, y);
                EXPECT_EQ(differing, 0) << "item " << i << " shows tile " << tile;
                ++tile;
            }
            return choice;
        });
    RightClick(CTabGrid::SeriesRow(1), CTabGrid::colId);
    EXPECT_EQ(items,
              (std::vector<std::wstring>{L"Expand all", L"Collapse all", L"-", L"Add all series to summary",
                                         L"Remove all series from summary", L"Add selected series to summary",
                                         L"Remove selected series from summary"}));
    // All open at once, each as high as its report is at the width it has.
    const std::unique_ptr<CGridSurface> measure = CGridDcSurface::ForMeasuring();
    ASSERT_TRUE(measure);
    for (int i = 0; i < 5; ++i)
    {
        const int detail = CTabGrid::DetailRow(i);
        EXPECT_TRUE(doc.IsExpanded(i)) << i;
        EXPECT_TRUE(driver.Gripper(i)->IsExpanded()) << i;
        EXPECT_EQ(Grid().GetRowHeight(detail),
                  driver.Report(i)->MeasureRowHeight(*measure, Grid().GetMergedColumnWidth(1, detail)))
            << i;
    }
    // A refill keeps the reports open: the flags are the document's. The
    // columns fit beside the scroll bar the open reports need, and each
    // report is as high as it is at its width.
    doc.NotifyViews(nullptr, -1);
    Pump();
    EXPECT_TRUE(driver.Gripper(4)->IsExpanded());
    EXPECT_GT(Grid().GetVirtualHeight(), Grid().GetClientSize().GetHeight());
    EXPECT_LE(Grid().GetVirtualWidth(), Grid().GetClientSize().GetWidth());
    for (int i = 0; i < 5; ++i)
    {
        const int detail = CTabGrid::DetailRow(i);
        EXPECT_EQ(Grid().GetRowHeight(detail),
                  driver.Report(i)->MeasureRowHeight(*measure, Grid().GetMergedColumnWidth(1, detail)))
            << i;
    }

    choice = CTabGrid::menuCollapseAll;
    RightClick(CTabGrid::SeriesRow(3), CTabGrid::colId);
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_FALSE(doc.IsExpanded(i)) << i;
        EXPECT_FALSE(driver.Gripper(i)->IsExpanded()) << i;
        EXPECT_EQ(Grid().GetRowHeight(CTabGrid::DetailRow(i)), 0) << i;
    }

    // A menu closed without a choice changes nothing.
    choice = 0;
    RightClick(CTabGrid::SeriesRow(3), CTabGrid::colId);
    EXPECT_FALSE(doc.IsExpanded(3));
}

TEST_F(CTabGridTest, GripperClicksOpenAndCloseTheReportFrameByFrameAndToggleTheSummary)
{
    LoadFive();
    const TerrionTest::CSeriesPageDriver driver = Driver();
    const int detail = CTabGrid::DetailRow(2);
    const wxPoint toggle = driver.GripperToggle(2, false);

    // Open: the row grows step by step to the report's height at its width.
    driver.ClickAt(toggle);
    EXPECT_TRUE(doc.IsExpanded(2));
    EXPECT_TRUE(driver.Gripper(2)->IsExpanded());
    std::vector<int> heights;
    ASSERT_TRUE(PumpUntil(
        [&]
        {
            const int height = Grid().GetRowHeight(detail);
            if (heights.empty() || heights.back() != height)
                heights.push_back(height);
            return driver.Report(2)->IsExpanded() && !driver.Report(2)->IsExpanding() &&
                   height == driver.Report(2)->GetTargetHeight();
        }));
    const std::unique_ptr<CGridSurface> measure = CGridDcSurface::ForMeasuring();
    ASSERT_TRUE(measure);
    const int open = driver.Report(2)->MeasureRowHeight(*measure, Grid().GetMergedColumnWidth(1, detail));
    EXPECT_EQ(Grid().GetRowHeight(detail), open);
    EXPECT_GE(heights.size(), 4u) << "frame by frame, not at once";
    for (std::size_t i = 1; i < heights.size(); ++i)
        EXPECT_GT(heights[i], heights[i - 1]);

    // Close: down to nothing, step by step.
    driver.ClickAt(toggle);
    EXPECT_FALSE(doc.IsExpanded(2));
    EXPECT_FALSE(driver.Gripper(2)->IsExpanded());
    ASSERT_TRUE(PumpUntil([&] { return Grid().GetRowHeight(detail) == 0; }));
    EXPECT_FALSE(driver.Report(2)->IsExpanded());

    // The summary toggle: in and out through the document.
    const wxPoint summary = driver.GripperToggle(2, true);
    ASSERT_FALSE(doc.IsInSummary(2));
    driver.ClickAt(summary);
    EXPECT_TRUE(doc.IsInSummary(2));
    EXPECT_TRUE(driver.Gripper(2)->IsInSummary());
    driver.ClickAt(summary);
    EXPECT_FALSE(doc.IsInSummary(2));
    EXPECT_FALSE(driver.Gripper(2)->IsInSummary());
    // Refused for a series without a mean: the toggle shows it again.
    driver.ClickAt(driver.GripperToggle(3, true));
    EXPECT_FALSE(doc.IsInSummary(3));
    EXPECT_FALSE(driver.Gripper(3)->IsInSummary());

    // Between the two images nothing toggles.
    driver.ClickAt(wxPoint((toggle.x + summary.x) / 2 + 1, toggle.y));
    EXPECT_FALSE(doc.IsExpanded(2));
    EXPECT_FALSE(doc.IsInSummary(2));
    EXPECT_EQ(Grid().GetRowHeight(detail), 0);
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
        [&](const OwMenu&)
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
    services.answers = {CUserPrompts::answerNo};
    wxCommandEvent message(WM_PAGE_DELETE);
    EXPECT_TRUE(page->ProcessWindowEventLocally(message));
    Pump();
    ASSERT_EQ(services.asked, std::vector<unsigned>{Ids::kGridDeleteQuestion});
    EXPECT_EQ(services.kinds[0],
              std::make_pair(CUserPrompts::buttonsYesNoCancel, CUserPrompts::iconQuestion));
    EXPECT_EQ(doc.GetSeriesCount(), 5);

    TerrionTest::CRecordingView other;
    doc.AddView(&other);
    services.answers = {CUserPrompts::answerYes};
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
    services.answers = {CUserPrompts::answerYes};
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
    const TerrionTest::CSeriesPageDriver driver = Driver();
    Grid().OnEndEditCell(CTabGrid::SeriesRow(0), CTabGrid::colName, L"Kept name");
    // The comment through the open report's "[Add]"; the report stays open.
    driver.ClickAt(driver.GripperToggle(2, false));
    ASSERT_TRUE(driver.WaitForReport(2));
    const std::optional<wxPoint> comment = driver.ReportArea(2, SeriesAreaComment);
    ASSERT_TRUE(comment);
    std::wstring commentShown = L"?";
    CCommentDlg::SetTestHook(
        [&](CCommentDlg& dialog)
        {
            commentShown = dialog.Edit()->GetValue().ToStdWstring();
            dialog.Edit()->SetValue(L"on the north wall\nafter rain");
            return wxID_OK;
        });
    driver.ClickAt(*comment);
    EXPECT_EQ(commentShown, L"");
    EXPECT_EQ(doc.GetComment(2), L"on the north wall\r\nafter rain");
    SelectSeries(4, 4);
    CDateTimeDlg::SetTestHook(
        [](CDateTimeDlg& dialog)
        {
            dialog.DatePicker()->SetValue(wxDateTime(3, wxDateTime::Aug, 2023));
            dialog.TimePicker()->SetValue(wxDateTime(1, wxDateTime::Jan, 2023, 9, 30, 0));
            return wxID_OK;
        });
    RightClick(CTabGrid::SeriesRow(4), CTabGrid::colDateTime);
    driver.ClickAt(driver.GripperToggle(4, true));
    SelectSeries(1, 1);
    services.answers = {CUserPrompts::answerYes};
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
    const TerrionTest::CSeriesPageDriver other(*shown);
    other.ClickAt(other.Centre(CTabGrid::SeriesRow(1), CTabGrid::colName));
    EXPECT_TRUE(shown->Grid().IsCellSelected(CTabGrid::SeriesRow(1), CTabGrid::colName));
    EXPECT_FALSE(reopened.IsModified());
    frame->Destroy();
    Pump();
}

TEST_F(CTabGridTest, ClicksOnAnOpenReportSwitchTheOrderAndEditTheCommentThroughTheDocument)
{
    LoadFive();
    const TerrionTest::CSeriesPageDriver driver = Driver();
    doc.SetComment(2, L"old");
    page->OnToggleExpanded(2);
    ASSERT_TRUE(driver.WaitForReport(2));
    const int before = Grid().GetRowHeight(CTabGrid::DetailRow(2));

    // The diagram's order label switches the order.
    const std::optional<wxPoint> order = driver.ReportArea(2, SeriesAreaOrder);
    ASSERT_TRUE(order);
    driver.ClickAt(*order);
    EXPECT_EQ(doc.GetDiagramOrder(2), DiagramOrderValue);

    // The comment opens the page's dialog with the series' comment; Cancel keeps it.
    std::optional<wxPoint> comment = driver.ReportArea(2, SeriesAreaComment);
    ASSERT_TRUE(comment);
    std::vector<std::wstring> shown;
    int answer = wxID_CANCEL;
    std::wstring typed;
    CCommentDlg::SetTestHook(
        [&](CCommentDlg& dialog)
        {
            shown.push_back(dialog.Edit()->GetValue().ToStdWstring());
            dialog.Edit()->SetValue(typed);
            return answer;
        });
    typed = L"ignored";
    driver.ClickAt(*comment);
    EXPECT_EQ(shown, std::vector<std::wstring>{L"old"});
    EXPECT_EQ(doc.GetComment(2), L"old");

    // OK stores it, and the open report takes the room the longer text needs.
    answer = wxID_OK;
    typed = L"line one\nline two\nline three\nline four\nline five\nline six\nline seven\nline eight"
            L"\nline nine\nline ten\nline eleven\nline twelve\nline thirteen\nline fourteen";
    driver.ClickAt(*comment);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(doc.GetComment(2).substr(0, 20), L"line one\r\nline two\r\n");
    EXPECT_TRUE(doc.IsModified());
    // At once, measured for the new text, without waiting for paints.
    ASSERT_TRUE(driver.Report(2));
    EXPECT_GT(Grid().GetRowHeight(CTabGrid::DetailRow(2)), before);
    EXPECT_EQ(Grid().GetRowHeight(CTabGrid::DetailRow(2)), driver.Report(2)->GetTargetHeight());
    ASSERT_TRUE(driver.WaitForReport(2));
    EXPECT_TRUE(driver.ReportArea(2, SeriesAreaComment)) << "the new text is the link now";

    // Stored and opened again.
    const CTempDir temp;
    const std::wstring path = (temp / "comment.vnr").wstring();
    ASSERT_TRUE(doc.SaveFile(path));
    CFakeDocumentUi otherUi;
    CTerrionDoc reopened(&otherUi);
    ASSERT_TRUE(reopened.Open(path, false));
    EXPECT_EQ(reopened.GetComment(2), doc.GetComment(2));
    EXPECT_EQ(reopened.GetDiagramOrder(2), DiagramOrderValue);
    EXPECT_TRUE(reopened.IsExpanded(2));
}

TEST_F(CTabGridTest, EveryReadingBarOfAnOpenReportHasItsBalloonTip)
{
    LoadFive();
    const TerrionTest::CSeriesPageDriver driver = Driver();
    page->OnToggleExpanded(4); // readings 5, 6 and 7
    ASSERT_TRUE(driver.WaitForReport(4));
    CGridTipWindow* tip = Grid().GetTipWindow();
    ASSERT_NE(tip, nullptr);
    for (int reading = 1; reading <= 3; ++reading)
    {
        const std::wstring title = L"Measurement number " + std::to_wstring(reading);
        const std::optional<wxPoint> bar = driver.HotSpot(4, title);
        ASSERT_TRUE(bar) << reading;
        driver.Mouse(wxEVT_MOTION, *bar);
        EXPECT_TRUE(tip->HasTool()) << reading;
        EXPECT_EQ(tip->GetTitle(), title);
        EXPECT_EQ(tip->GetText(), std::to_wstring(4 + reading) + L".0 k\u2126cm\n10 \u00b5A");
    }
    // Off the bars the tip goes.
    driver.Mouse(wxEVT_MOTION, driver.Centre(CTabGrid::SeriesRow(0), CTabGrid::colName));
    EXPECT_FALSE(tip->HasTool());
}

TEST_F(CTabGridTest, TheRowsAreDrawnInTheSchemesColoursWithBarsAsLongAsTheirMeans)
{
    LoadFive(); // means 4, 2, 8, 0 and 6
    const TerrionTest::CSeriesPageDriver driver = Driver();
    page->OnToggleExpanded(0);
    ASSERT_TRUE(driver.WaitForReport(0));
    auto colour = [](TGridColor c)
    {
        return wxColour(static_cast<unsigned char>(GridRed(c)), static_cast<unsigned char>(GridGreen(c)),
                        static_cast<unsigned char>(GridBlue(c)));
    };
    auto shot = [&]
    {
        wxBitmap bitmap;
        EXPECT_TRUE(Grid().DrawToBitmap(&bitmap));
        return bitmap.ConvertToImage();
    };
    auto pixel = [](const wxImage& image, int x, int y)
    { return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)); };
    auto run = [&](const wxImage& image, int x, int y, const wxColour& c)
    {
        int end = x;
        while (end < image.GetWidth() && pixel(image, end, y) == c)
            ++end;
        return end - x;
    };
    auto top = [&](int row)
    {
        int y = 0;
        for (int r = 0; r < row; ++r)
            y += Grid().GetRowHeight(r);
        return y;
    };
    const wxImage image = shot();
    ASSERT_TRUE(image.IsOk());
    int barLeft = 0;
    for (int col = 0; col < CTabGrid::colMean; ++col)
        barLeft += Grid().GetColumnWidth(col);
    const int barWidth = Grid().GetColumnWidth(CTabGrid::colMean) - 1;
    const double means[] = {4, 2, 8, 0, 6};
    for (int i = 0; i < 5; ++i)
    {
        const int y = top(CTabGrid::SeriesRow(i)) + 1; // above the texts
        EXPECT_NEAR(run(image, barLeft, y, colour(theColorScheme.GridBarColor)), barWidth * means[i] / 8, 1)
            << "series " << i;
        // Beside the gripper's images its light teal, behind the name the row colour.
        EXPECT_EQ(pixel(image, 70, y), colour(theColorScheme.RowTopColor)) << i;
        EXPECT_EQ(pixel(image, Grid().GetColumnWidth(0) + Grid().GetColumnWidth(1) - 3, y),
                  colour(theColorScheme.RowBottomColor))
            << i;
    }
    // The gripper shows its images: the collapsed series' "open" image is
    // not its ground, and the open series shows another image there.
    const CGridImageList& grippers = CSeriesImages::GridImages();
    auto tileDrawn = [&](int series, int tile)
    {
        // The tile's top-left corner, from the middle the driver clicks.
        const wxPoint at = driver.GripperToggle(series, false) - wxPoint(11, 9);
        int same = 0;
        int opaque = 0;
        for (int y = 0; y < 19; ++y)
            for (int x = 0; x < 22; ++x)
                if (!grippers.IsTransparent(tile, x, y))
                {
                    ++opaque;
                    same += pixel(image, at.x + x, at.y + y) == colour(grippers.GetPixel(tile, x, y));
                }
        return opaque > 0 && same == opaque;
    };
    EXPECT_TRUE(tileDrawn(1, CGridCellDetailGripper::ImageCollapsed));
    EXPECT_TRUE(tileDrawn(0, CGridCellDetailGripper::ImageExpanded));
    // The open report: its left cell from the light teal down to the row colour, the report on the row
    // colour.
    const int detail = CTabGrid::DetailRow(0);
    const int height = Grid().GetRowHeight(detail);
    const wxColour upper = pixel(image, 20, top(detail));
    const wxColour lower = pixel(image, 20, top(detail) + height - 2);
    EXPECT_NEAR(upper.Green(), GridGreen(theColorScheme.RowTopColor), 6);
    EXPECT_NEAR(lower.Green(), GridGreen(theColorScheme.RowBottomColor), 6);
    EXPECT_EQ(pixel(image, barLeft + barWidth - 3, top(detail) + 2), colour(theColorScheme.RowBottomColor));

    // A selected series draws its bar in the selected colour.
    Click(CTabGrid::SeriesRow(2), CTabGrid::colTotal);
    const wxImage selected = shot();
    EXPECT_NEAR(
        run(selected, barLeft, top(CTabGrid::SeriesRow(2)) + 1, colour(theColorScheme.GridBarSelectedColor)),
        barWidth, 1);
}

TEST_F(CTabGridTest, OneSeriesOrEqualMeansFillTheirBars)
{
    doc.AddSeries({Object(21, {3, 3})}, false);
    Pump();
    const TerrionTest::CSeriesPageDriver driver = Driver();
    EXPECT_DOUBLE_EQ(driver.Bar(0)->GetValue(), driver.Bar(0)->GetMax());
    SGridRect cell;
    ASSERT_TRUE(Grid().GetPlainCellRect(1, CTabGrid::colMean, &cell));
    EXPECT_EQ(driver.Bar(0)->BarRect(cell, false).right, cell.right);
    EXPECT_EQ(driver.Bar(0)->GetBarColor(), theColorScheme.GridBarColor);
    EXPECT_EQ(driver.Bar(0)->GetSelectedBarColor(), theColorScheme.GridBarSelectedColor);
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
    const wxImage shot = TerrionTest::ScreenImage(rect);
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
