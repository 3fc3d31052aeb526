// The summary's context menu opened by a real right click and answered by
// real keys through X and GTK. These run alone: the pointer and the keyboard
// focus are shared by every window on the display.
#include <functional>
#include <vector>

#include <gtest/gtest.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "data/TerrionDoc.h"
#include "menus/wx/OwMenuPopup.h"
#include "menus/wx/OwMenuWindow.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/report/ReportDocument.h"
#include "tests/support/ScreenImage.h"
#include "views/wx/SummaryView.h"
#include "views/wx/TabSummary.h"

namespace TerrionTest
{
namespace
{

class SummaryInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<SReportSeries> list;
        const wchar_t* names[] = {L"North & South", L"Pier B", L"Deck"};
        for (int i = 0; i < 3; ++i)
        {
            SReportSeries s = BaseSeries();
            s.object.objectNumber = static_cast<std::uint16_t>(10 + i);
            s.object.readings = {{20.0 + 10 * i, 0, 100}};
            s.name = names[i];
            list.push_back(s);
        }
        FillDocument(doc, list);
        doc.SetAllInSummary(true);
        frame = new wxFrame(nullptr, wxID_ANY, "summary input test", wxPoint(100, 80), wxSize(1000, 760));
        page = new CTabSummary(frame, doc);
        view = page->GetView();
        frame->Show();
        frame->Raise();
        // Keys go to the window that has the focus: the menu takes them from there.
        view->SetFocus();
        PumpUntil([this] { return wxWindow::FindFocus() == view; });
        for (int i = 0; i < 10; ++i)
        {
            Pump();
            wxMilliSleep(20);
        }
        view->UpdateLayout();
        Pump();
        timer.Bind(wxEVT_TIMER, &SummaryInput::OnTimer, this);
    }
    void TearDown() override
    {
        sim.MouseMove(wxPoint(5, 5));
        Pump();
        frame->Destroy();
        Pump();
    }

    /// Plays the user on the open menu from a timer, which runs inside the
    /// menu's own loop: `step` is called until it returns true.
    void WhileOpen(std::function<bool(OwMenuPopup&)> step)
    {
        m_step = std::move(step);
        done = false;
        timer.Start(30);
    }
    void OnTimer(wxTimerEvent&)
    {
        OwMenuPopup* popup = OwMenuPopup::GetActive();
        if (popup == nullptr || popup->GetLevelCount() < 1 || !popup->GetWindow(0)->IsShownOnScreen() ||
            done || !m_step)
            return;
        done = m_step(*popup);
    }
    void RightClickOn(const SGridPoint& pagePoint)
    {
        const wxPoint client = view->CalcScrolledPosition(wxPoint(pagePoint.x, pagePoint.y));
        const wxPoint screen = view->ClientToScreen(client);
        sim.MouseMove(screen);
        PumpUntil([&] { return wxGetMousePosition() == screen; });
        for (int i = 0; i < 3; ++i)
        {
            Pump();
            wxMilliSleep(20);
        }
        sim.MouseClick(wxMOUSE_BTN_RIGHT);
    }
    void SaveScreenshot(OwMenuPopup& popup, const char* name)
    {
        wxRect area = frame->GetScreenRect();
        area.Union(popup.GetWindow(0)->GetScreenRect());
        area.Intersect(wxDisplay(0u).GetGeometry());
        const wxImage shot = ScreenImage(area);
        EXPECT_TRUE(shot.SaveFile(wxString(TERRION_VIEWS_ARTEFACTS "/") + name, wxBITMAP_TYPE_PNG));
    }

    CTerrionDoc doc;
    wxFrame* frame = nullptr;
    CTabSummary* page = nullptr;
    CSummaryView* view = nullptr;
    wxUIActionSimulator sim;
    wxTimer timer;
    bool done = false;

private:
    std::function<bool(OwMenuPopup&)> m_step;
};

TEST_F(SummaryInput, ARightClickOnABarAndReturnOnItsItemTakeItsSeriesOut)
{
    const SSummaryDiagramBar bar = view->GetPage().GetLayout().diagram.bars.at(0);
    ASSERT_EQ(doc.GetName(bar.index), L"North & South");
    int selected = -1;
    WhileOpen(
        [&](OwMenuPopup& popup)
        {
            // The menu opens around the pointer: the pointer picks the item, the key chooses it.
            if (popup.GetWindow(0)->GetSelection() != 0)
            {
                const wxRect item = popup.GetWindow(0)->GetItemScreenRect(0);
                sim.MouseMove(item.GetPosition() + wxPoint(item.width / 2, item.height / 2));
                return false;
            }
            selected = popup.GetWindow(0)->GetSelection();
            Pump();
            SaveScreenshot(popup, "summary_menu_open.png");
            sim.Char(WXK_RETURN);
            return true;
        });
    RightClickOn({bar.rect.left + bar.rect.Width() / 2, bar.rect.bottom - 4});
    EXPECT_TRUE(PumpUntil([&] { return !doc.IsInSummary(bar.index); }));
    timer.Stop();
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(doc.GetSummaryCount(), 2);
    EXPECT_EQ(OwMenuPopup::GetActive(), nullptr);
}

TEST_F(SummaryInput, EscapeDismissesAndAClickChoosesAddAll)
{
    doc.SetInSummary(2, false);
    Pump();
    view->UpdateLayout();
    // Escape: nothing changes.
    WhileOpen(
        [&](OwMenuPopup&)
        {
            sim.Char(WXK_ESCAPE);
            return true;
        });
    RightClickOn({3, 3});
    EXPECT_TRUE(PumpUntil([&] { return done && OwMenuPopup::GetActive() == nullptr; }));
    timer.Stop();
    EXPECT_EQ(doc.GetSummaryCount(), 2);

    // Outside the bars the menu has two items; a click on the second adds all.
    WhileOpen(
        [&](OwMenuPopup& popup)
        {
            if (popup.GetWindow(0)->GetSelection() != 1)
            {
                const wxRect item = popup.GetWindow(0)->GetItemScreenRect(1);
                sim.MouseMove(item.GetPosition() + wxPoint(item.width / 2, item.height / 2));
                return false;
            }
            sim.MouseClick();
            return true;
        });
    RightClickOn({3, 3}); // at once, where the last menu was opened
    EXPECT_TRUE(PumpUntil([&] { return doc.GetSummaryCount() == 3; }));
    timer.Stop();
}

} // namespace
} // namespace TerrionTest
