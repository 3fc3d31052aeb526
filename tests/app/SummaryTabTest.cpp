// The Summary tab in the main window: it shows an opened project's summary
// without changing the project, and an order click through the view is a
// change the Save command then offers.

#include "tests/app/AppTestSupport.h"
#include "tests/app/Screenshots.h"

#include "app/shell/ChildView.h"
#include "app/shell/CommandIds.h"
#include "app/shell/MainFrame.h"
#include "app/shell/TabSheet.h"
#include "views/wx/SummaryView.h"
#include "views/wx/TabSummary.h"

namespace TerrionTest
{
namespace
{

using CSummaryTabTest = CAppTest;

TEST_F(CSummaryTabTest, ShowingTheSummaryLeavesTheProjectUnchangedAndAnOrderClickChangesIt)
{
    Frame().SetSize(0, 0, 1000, 700);
    ASSERT_TRUE(Frame().Document().Open(ProjectFile("summary.vnr"), false));
    Frame().Document().SetAllInSummary(true);
    ASSERT_GE(Frame().Document().GetSummaryCount(), 2);
    CChildView* child = Frame().ChildView();
    auto* page = dynamic_cast<CTabSummary*>(child->SummaryPage());
    ASSERT_NE(page, nullptr);
    child->TabSheet()->SetSelection(1);
    Frame().Raise();
    for (int i = 0; i < 10; ++i)
    {
        Pump();
        wxMilliSleep(20);
    }
    CSummaryView* view = page->GetView();
    view->UpdateLayout();
    EXPECT_EQ(static_cast<int>(view->GetPage().GetLayout().diagram.bars.size()),
              Frame().Document().GetSummaryCount());
    EXPECT_FALSE(Frame().Document().IsModified());
    EXPECT_FALSE(Frame().IsCommandEnabled(AppIds::kProjectSave));
    EXPECT_TRUE(Frame().IsCommandEnabled(AppIds::kPrint));

    EXPECT_TRUE(SaveArtefact(ScreenImage(Frame().GetScreenRect()), L"main_window_summary.png"));

    const SReportText& label = view->GetPage().GetLayout().diagram.orderLabel;
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetPosition(view->CalcScrolledPosition(wxPoint(label.at.x + 20, label.at.y + 4)));
    click.SetEventObject(view);
    view->HandleWindowEvent(click);
    Pump();
    EXPECT_EQ(Frame().Document().GetSummaryOrder(), 1);
    EXPECT_TRUE(Frame().Document().IsModified());
    EXPECT_TRUE(Frame().IsCommandEnabled(AppIds::kProjectSave));
}

} // namespace
} // namespace TerrionTest
