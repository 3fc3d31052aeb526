// The series page under the real pointer of the (virtual) display: a press
// and a release as the user makes them, with the main loop running between
// them. The pointer is shared by every window there, so these cases run alone.

#include "tests/views/TabGridFixture.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>
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
    void RealClick(wxPoint at)
    {
        ASSERT_TRUE(mouse.MouseMove(Grid().ClientToScreen(at)));
        PumpUntil([&] { return Grid().ScreenToClient(wxGetMousePosition()) == at; });
        ASSERT_TRUE(mouse.MouseDown());
        for (int i = 0; i < 5; ++i)
        {
            wxMilliSleep(10);
            Pump();
        }
        ASSERT_TRUE(mouse.MouseUp());
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

} // namespace
