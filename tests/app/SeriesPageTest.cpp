// The series grid page in the main window: it shows an opened project
// without making it modified, the Edit menu's Select all and Delete reach
// it, what the user does with its cells is saved and comes back, and a
// screenshot of it with one report open.

#include "tests/app/AppTestSupport.h"
#include "tests/app/Screenshots.h"

#include "app/shell/ChildView.h"
#include "app/shell/CommandIds.h"
#include "app/shell/MainFrame.h"
#include "app/shell/TabSheet.h"
#include "app/shell/TerrionLinkApp.h"
#include "data/TerrionDoc.h"
#include "grid/GridCtrl.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/support/TempDir.h"
#include "tests/views/SeriesPageDriver.h"
#include "views/wx/CommentDlg.h"
#include "views/wx/TabGrid.h"

#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include <optional>

namespace TerrionTest
{
namespace
{

class CSeriesPageTest : public CAppTest
{
protected:
    /// A project file of `count` series, the second of them expanded.
    std::wstring WriteProject(int count)
    {
        CTerrionDoc doc;
        CTerrionData::TObjects objects;
        for (int i = 0; i < count; ++i)
        {
            Device::TTerrionObject object;
            object.ident.serialNumber = L"TN12-345-6789";
            object.objectNumber = static_cast<std::uint16_t>(20 + i);
            for (int r = 0; r < 4 + i; ++r)
                object.readings.push_back({10.0 + 7.5 * i + r, 0x10, 12});
            objects.push_back(object);
        }
        doc.AddSeries(objects, false);
        for (int i = 0; i < count; ++i)
            doc.SetName(i, L"Wall " + std::to_wstring(i + 1));
        doc.SetExpanded(1, true);
        doc.SetInSummary(0, true);
        const std::wstring path = (m_temp / "page.vnr").wstring();
        EXPECT_TRUE(doc.SaveFile(path));
        return path;
    }

    void Open(const std::wstring& path)
    {
        Prompts().paths.push_back(path);
        Command(AppIds::kProjectOpen);
        Pump();
    }

    CTabGrid& Page() { return *Frame().ChildView()->GridPage(); }

    void TearDown() override
    {
        CCommentDlg::SetTestHook({});
        CAppTest::TearDown();
    }

    CTempDir m_temp;
};

TEST_F(CSeriesPageTest, AnOpenedProjectIsShownAndNotModifiedByTheShowing)
{
    Open(WriteProject(3));
    CTerrionDoc& doc = Frame().Document();
    ASSERT_EQ(doc.GetSeriesCount(), 3);
    CGridCtrl& grid = Page().Grid();
    ASSERT_EQ(grid.GetRowCount(), 7);
    EXPECT_EQ(grid.GetItemText(CTabGrid::SeriesRow(2), CTabGrid::colName), L"Wall 3");
    EXPECT_GT(grid.GetRowHeight(CTabGrid::DetailRow(1)), 0) << "the stored open report";
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), L"Selected objects: 0      Total objects: 3        ");
    EXPECT_TRUE(Frame().IsCommandEnabled(AppIds::kSelectAllRows));
    EXPECT_TRUE(Frame().IsCommandEnabled(AppIds::kDeleteRows));
    // The page's own cells, their toggles as the project has them.
    const CSeriesPageDriver driver(Page());
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_NE(driver.Gripper(i), nullptr) << i;
        ASSERT_NE(driver.Bar(i), nullptr) << i;
        ASSERT_NE(driver.Report(i), nullptr) << i;
        EXPECT_EQ(driver.Gripper(i)->IsExpanded(), i == 1) << i;
        EXPECT_EQ(driver.Gripper(i)->IsInSummary(), i == 0) << i;
        EXPECT_EQ(driver.Report(i)->GetSeriesIndex(), i);
    }
    EXPECT_DOUBLE_EQ(driver.Bar(2)->GetValue(), driver.Bar(2)->GetMax()) << "the largest mean";
}

TEST_F(CSeriesPageTest, WhatIsDoneWithTheCellsIsSavedAndComesBackOnOpening)
{
    Frame().SetSize(0, 0, 1000, 900);
    const std::wstring path = WriteProject(3);
    Open(path);
    CTerrionDoc& doc = Frame().Document();
    const CSeriesPageDriver driver(Page());

    // Close the stored open report, open the third, write its comment and
    // put it into the summary.
    driver.ClickAt(driver.GripperToggle(1, false));
    ASSERT_TRUE(driver.WaitForReport(1));
    driver.ClickAt(driver.GripperToggle(2, false));
    ASSERT_TRUE(driver.WaitForReport(2));
    const std::optional<wxPoint> comment = driver.ReportArea(2, SeriesAreaComment);
    ASSERT_TRUE(comment);
    CCommentDlg::SetTestHook(
        [](CCommentDlg& dialog)
        {
            dialog.Edit()->SetValue(L"Checked twice & signed\nby the site engineer");
            return wxID_OK;
        });
    driver.ClickAt(*comment);
    driver.ClickAt(driver.GripperToggle(2, true));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(Frame().IsCommandEnabled(AppIds::kProjectSave));

    Command(AppIds::kProjectSave);
    Pump();
    EXPECT_FALSE(doc.IsModified());
    Command(AppIds::kProjectClose);
    Pump();
    ASSERT_EQ(doc.GetSeriesCount(), 0);
    EXPECT_EQ(Page().Grid().GetRowCount(), 1);

    Open(path);
    ASSERT_EQ(doc.GetSeriesCount(), 3);
    EXPECT_EQ(doc.GetComment(2), L"Checked twice & signed\r\nby the site engineer");
    EXPECT_FALSE(doc.IsExpanded(1));
    EXPECT_TRUE(doc.IsExpanded(2));
    EXPECT_TRUE(doc.IsInSummary(0));
    EXPECT_TRUE(doc.IsInSummary(2));
    const CSeriesPageDriver reopened(Page());
    EXPECT_FALSE(reopened.Gripper(1)->IsExpanded());
    EXPECT_TRUE(reopened.Gripper(2)->IsExpanded());
    EXPECT_TRUE(reopened.Gripper(2)->IsInSummary());
    EXPECT_EQ(Page().Grid().GetRowHeight(CTabGrid::DetailRow(1)), 0);
    EXPECT_GT(Page().Grid().GetRowHeight(CTabGrid::DetailRow(2)), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CSeriesPageTest, SelectAllAndDeleteFromTheEditMenuReachThePage)
{
    Open(WriteProject(4));
    Command(AppIds::kSelectAllRows);
    Pump();
    EXPECT_EQ(Page().GetSelectionText(), L"Selected objects: 4      Total objects: 4        ");

    Prompts().answers = {CUserPrompts::answerNo};
    Command(AppIds::kDeleteRows);
    Pump();
    ASSERT_EQ(Prompts().messages.size(), 1u);
    EXPECT_EQ(Prompts().messages[0].text,
              wxString(Resources::CStringTable::Text(Resources::Ids::kGridDeleteQuestion)));
    EXPECT_EQ(Frame().Document().GetSeriesCount(), 4);

    Prompts().answers = {CUserPrompts::answerYes};
    Command(AppIds::kDeleteRows);
    Pump();
    EXPECT_EQ(Frame().Document().GetSeriesCount(), 0);
    EXPECT_TRUE(Frame().Document().IsModified());
    EXPECT_EQ(Page().Grid().GetRowCount(), 1);
    EXPECT_FALSE(Frame().IsCommandEnabled(AppIds::kDeleteRows));
}

TEST_F(CSeriesPageTest, ANewDateAndTimeFormatReachesTheDateCells)
{
    Open(WriteProject(2));
    const std::wstring before = Page().Grid().GetItemText(CTabGrid::SeriesRow(0), CTabGrid::colDateTime);
    EXPECT_NE(before.find(L'/'), std::wstring::npos) << before;
    App().SetDTFormat(0x0303);
    Frame().ApplySettingsChange(false, true);
    Pump();
    const std::wstring after = Page().Grid().GetItemText(CTabGrid::SeriesRow(0), CTabGrid::colDateTime);
    EXPECT_EQ(after.find(L'/'), std::wstring::npos) << after;
    EXPECT_EQ(after.substr(2, 1), L".") << after;
    EXPECT_FALSE(Frame().Document().IsModified());
}

TEST_F(CSeriesPageTest, ScreenshotOfThePageWithAReportOpen)
{
    // The mean-value column takes the width left at the fill.
    Frame().SetSize(0, 0, 1000, 700);
    Frame().Raise();
    for (int i = 0; i < 50 && Page().Grid().GetClientSize().GetWidth() > 1000; ++i)
    {
        Pump();
        wxMilliSleep(20);
    }
    Open(WriteProject(6));
    ASSERT_TRUE(CSeriesPageDriver(Page()).WaitForReport(1));
    Page().Grid().SetSelectedRange(CTabGrid::SeriesRow(3), 0, CTabGrid::DetailRow(3), 5);
    for (int i = 0; i < 10; ++i)
    {
        Pump();
        wxMilliSleep(20);
    }
    EXPECT_TRUE(SaveArtefact(ScreenImage(Frame().GetScreenRect()), L"series_page.png"));
}

} // namespace
} // namespace TerrionTest
