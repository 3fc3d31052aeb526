// The series page under the real pointer of the (virtual) display: a press
// and a release as the user makes them, with the main loop running between
// them. The pointer is shared by every window there, so these cases run alone.

#include "menus/wx/OwMenuPopup.h"
#include "menus/wx/OwMenuWindow.h"
#include "tests/app/Screenshots.h"
#include "tests/views/TabGridFixture.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <optional>
#include <string>
#include <vector>

namespace
{

using TerrionTest::Object;

class CTabGridPointerTest : public TerrionTest::CTabGridFixture
{
protected:
    void TearDown() override
    {
        // Out of the way of the windows the next tests open.
        mouse.MouseMove(wxPoint(1200, 1000));
        Pump();
        CTabGridFixture::TearDown();
    }

    /// Moves the pointer to a point of the grid and clicks there, slowly
    /// enough for the main loop to run between the press and the release.
    void RealClick(wxPoint at, int button = wxMOUSE_BTN_LEFT)
    {
        ASSERT_TRUE(mouse.MouseMove(Grid().ClientToScreen(at)));
        PumpUntil([&] { return Grid().ScreenToClient(wxGetMousePosition()) == at; });
        ASSERT_TRUE(mouse.MouseDown(button));
        for (int i = 0; i < 5; ++i)
        {
            wxMilliSleep(10);
            Pump();
        }
        ASSERT_TRUE(mouse.MouseUp(button));
        for (int i = 0; i < 5; ++i)
        {
            wxMilliSleep(10);
            Pump();
        }
    }

    wxUIActionSimulator mouse;
};

TEST_F(CTabGridPointerTest, TheGripperOpensAndClosesTheReport)
{
    doc.AddSeries({Object(11, {3, 5}), Object(12, {2, 4, 6})}, false);
    Pump();
    const TerrionTest::CSeriesPageDriver driver = Driver();
    RealClick(driver.GripperToggle(1, false));
    ASSERT_TRUE(PumpUntil([&] { return doc.IsExpanded(1); }));
    ASSERT_TRUE(driver.WaitForReport(1));
    EXPECT_GT(Grid().GetRowHeight(CTabGrid::DetailRow(1)), 100);

    RealClick(driver.GripperToggle(1, false));
    ASSERT_TRUE(PumpUntil([&] { return !doc.IsExpanded(1); }));
    ASSERT_TRUE(driver.WaitForReport(1));
    EXPECT_EQ(Grid().GetRowHeight(CTabGrid::DetailRow(1)), 0);
}

TEST_F(CTabGridPointerTest, AClickOnTheCommentOfAnOpenReportOpensTheDialog)
{
    doc.AddSeries({Object(11, {3, 5}), Object(12, {2, 4, 6})}, false);
    doc.SetComment(0, L"before");
    Pump();
    const TerrionTest::CSeriesPageDriver driver = Driver();
    page->OnToggleExpanded(0);
    ASSERT_TRUE(driver.WaitForReport(0));
    const std::optional<wxPoint> comment = driver.ReportArea(0, SeriesAreaComment);
    ASSERT_TRUE(comment);

    std::vector<std::wstring> shown;
    CCommentDlg::SetTestHook(
        [&](CCommentDlg& dialog)
        {
            shown.push_back(dialog.Edit()->GetValue().ToStdWstring());
            dialog.Edit()->SetValue(L"after");
            return wxID_OK;
        });
    // The press focuses the report; the release clicks it there before the
    // focus goes back to the report's own series.
    RealClick(*comment + wxPoint(1, 1));
    ASSERT_TRUE(PumpUntil([&] { return !shown.empty(); }));
    EXPECT_EQ(shown, std::vector<std::wstring>{L"before"});
    EXPECT_EQ(doc.GetComment(0), L"after");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(PumpUntil([&] { return Grid().GetFocusCell().row == CTabGrid::SeriesRow(0); }));
    EXPECT_TRUE(Grid().IsCellSelected(CTabGrid::SeriesRow(0), CTabGrid::colName));
}

TEST_F(CTabGridPointerTest, TheContextMenuOpensAtThePointerAndItsChoiceActs)
{
    doc.AddSeries({Object(11, {3, 5}), Object(12, {2, 4, 6}), Object(13, {7})}, false);
    Pump();
    // While the menu is open: a picture of it over the page, then a click on "Expand all".
    wxRect menuRect;
    int ticksOpen = 0;
    wxTimer chooser;
    chooser.Bind(wxEVT_TIMER,
                 [&](wxTimerEvent&)
                 {
                     OwMenuPopup* popup = OwMenuPopup::GetActive();
                     // Shown, and given a few frames to paint itself.
                     if (!popup || !popup->GetWindow(0)->IsShownOnScreen() || ++ticksOpen < 5)
                         return;
                     chooser.Stop();
                     menuRect = popup->GetWindow(0)->GetScreenRect();
                     wxRect area = wxGetTopLevelParent(page)->GetScreenRect();
                     area.Union(menuRect);
                     EXPECT_TRUE(TerrionTest::SaveArtefact(TerrionTest::ScreenImage(area),
                                                           L"series_page_context_menu.png"));
                     const wxRect item = popup->GetWindow(0)->GetItemScreenRect(0);
                     mouse.MouseMove(item.GetPosition() + wxPoint(item.width / 2, item.height / 2));
                     mouse.MouseClick();
                 });
    chooser.Start(20);
    // Right of the gripper's images, where a click toggles nothing.
    SGridRect gripper;
    ASSERT_TRUE(Grid().GetPlainCellRect(CTabGrid::SeriesRow(1), CTabGrid::colId, &gripper));
    const wxPoint at(gripper.right - 4, (gripper.top + gripper.bottom) / 2);
    RealClick(at, wxMOUSE_BTN_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return doc.IsExpanded(0) && doc.IsExpanded(1) && doc.IsExpanded(2); }));
    EXPECT_EQ(OwMenuPopup::GetActive(), nullptr);
    EXPECT_TRUE(menuRect.Contains(Grid().ClientToScreen(at) + wxPoint(1, 1))) << "opened at the pointer";
    for (int i = 0; i < 3; ++i)
        EXPECT_GT(Grid().GetRowHeight(CTabGrid::DetailRow(i)), 0) << i;
}

} // namespace
