// Real keys and clicks through X and GTK to an open menu. These run alone:
// the pointer and the keyboard focus are shared by every window on the display.
#include <functional>

#include <gtest/gtest.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

#include "menus/wx/OwMenuPopup.h"
#include "menus/wx/OwMenuWindow.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/menus/MenuSample.h"
#include "tests/support/ScreenImage.h"

namespace
{

using namespace menu_sample;

class OwMenuInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Fill(menu, images);
        frame = new wxFrame(nullptr, wxID_ANY, "menu input test", wxPoint(300, 300), wxSize(400, 300));
        auto* panel = new wxPanel(frame);
        frame->Show();
        frame->Raise();
        panel->SetFocus();
        for (int i = 0; i < 5; ++i)
        {
            Pump();
            wxMilliSleep(20);
        }
    }
    void TearDown() override
    {
        sim.MouseMove(wxPoint(5, 5));
        Pump();
        frame->Destroy();
        Pump();
    }

    static OwMenuPopup& Active() { return *OwMenuPopup::GetActive(); }
    static bool Open(int levels)
    {
        return PumpUntil(
            [levels]
            {
                OwMenuPopup* popup = OwMenuPopup::GetActive();
                return popup != nullptr && popup->GetLevelCount() == levels &&
                       popup->GetWindow(levels - 1)->IsShownOnScreen();
            });
    }
    /// The centre of `item` of open menu `level` on the screen.
    static wxPoint Centre(int level, int item)
    {
        const wxRect rect = Active().GetWindow(level)->GetItemScreenRect(item);
        return rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2);
    }

    /// Tracks the menu at `at` while `script` plays the user; returns the command.
    unsigned Track(const wxPoint& at, const std::function<void()>& script)
    {
        frame->CallAfter(
            [script]
            {
                if (Open(1))
                    script();
                PumpUntil([]
                          { return OwMenuPopup::GetActive() == nullptr || Active().GetTracking().IsDone(); });
                // A script that left the menu open fails its checks but does not hang.
                if (OwMenuPopup::GetActive() != nullptr && !Active().GetTracking().IsDone())
                    Active().Dismiss();
            });
        return OwMenuPopup::Track(menu, frame, at);
    }

    void SaveScreenshot(const wxString& name)
    {
        wxRect area = frame->GetScreenRect();
        for (int level = 0; level < Active().GetLevelCount(); ++level)
            area.Union(Active().GetWindow(level)->GetScreenRect());
        area.Intersect(wxDisplay(0u).GetGeometry());
        Pump();
        const wxImage shot = TerrionTest::ScreenImage(area);
        wxFileName::Mkdir(TERRION_MENUS_ARTEFACTS, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        EXPECT_TRUE(shot.SaveFile(wxString(TERRION_MENUS_ARTEFACTS "/") + name, wxBITMAP_TYPE_PNG));
    }

    const CGridImageList images = Images();
    OwMenu menu;
    wxFrame* frame = nullptr;
    wxUIActionSimulator sim;
};

TEST_F(OwMenuInput, ArrowsAndReturnChooseAndEscapeDismisses)
{
    int selected = -1;
    const unsigned chosen =
        Track(wxPoint(350, 350),
              [&]
              {
                  sim.Char(WXK_DOWN);
                  sim.Char(WXK_DOWN);
                  PumpUntil([] { return Active().GetWindow(0)->GetSelection() == kCollapse; });
                  selected = Active().GetWindow(0)->GetSelection();
                  sim.Char(WXK_RETURN);
              });
    EXPECT_EQ(selected, kCollapse);
    EXPECT_EQ(chosen, 2u);

    const unsigned dismissed = Track(wxPoint(350, 350),
                                     [&]
                                     {
                                         sim.Char(WXK_DOWN);
                                         sim.Char(WXK_ESCAPE);
                                     });
    EXPECT_EQ(dismissed, 0u);
}

TEST_F(OwMenuInput, AMnemonicChoosesItsItem)
{
    EXPECT_EQ(Track(wxPoint(350, 350), [&] { sim.Char('d'); }), 3u);
}

TEST_F(OwMenuInput, AClickChoosesAnItemAndAClickOutsideDismisses)
{
    const unsigned clicked =
        Track(wxPoint(350, 350),
              [&]
              {
                  sim.MouseMove(Centre(0, kExpand));
                  PumpUntil([] { return Active().GetWindow(0)->GetSelection() == kExpand; });
                  sim.MouseClick();
              });
    EXPECT_EQ(clicked, 1u);

    bool stayedOpen = false;
    const unsigned outside = Track(wxPoint(350, 350),
                                   [&]
                                   {
                                       // A click on the disabled item does nothing.
                                       sim.MouseMove(Centre(0, kDisabled));
                                       sim.MouseClick();
                                       for (int i = 0; i < 5; ++i)
                                       {
                                           Pump();
                                           wxMilliSleep(20);
                                       }
                                       stayedOpen = !Active().GetTracking().IsDone();
                                       sim.MouseMove(wxPoint(1000, 900));
                                       sim.MouseClick();
                                   });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(outside, 0u);
}

TEST_F(OwMenuInput, TheSubMenuOpensUnderThePointerAndItsItemIsChosen)
{
    wxRect parent;
    wxRect sub;
    const unsigned chosen = Track(wxPoint(350, 350),
                                  [&]
                                  {
                                      sim.MouseMove(Centre(0, kMore));
                                      if (!Open(2))
                                          return;
                                      parent = Active().GetWindow(0)->GetScreenRect();
                                      sub = Active().GetWindow(1)->GetScreenRect();
                                      sim.MouseMove(Centre(1, 1));
                                      PumpUntil([] { return Active().GetWindow(1)->GetSelection() == 1; });
                                      SaveScreenshot("menu_open.png");
                                      sim.MouseClick();
                                  });
    EXPECT_EQ(chosen, 52u);
    // Beside its item, to the right of the menu.
    EXPECT_EQ(sub.x, parent.GetRight() + 1);
    EXPECT_EQ(OwMenuPopup::GetActive(), nullptr);
}

TEST_F(OwMenuInput, ASubMenuAtTheRightEdgeOpensToTheLeftAndEscapeClosesLevelByLevel)
{
    const wxRect screen = wxDisplay(0u).GetClientArea();
    wxRect parent;
    wxRect sub;
    int levelsAfterEscape = 0;
    // The menu fits with 20 pixels to spare; its sub-menu does not fit beside it.
    const int width = OwMenuWindow::Render(menu, -1, SOwMenuColors{}, SOwMenuMetrics{}).GetWidth();
    const unsigned dismissed = Track(wxPoint(screen.GetRight() + 1 - 20 - width, 350),
                                     [&]
                                     {
                                         sim.Char(WXK_UP); // the last item: the sub-menu
                                         sim.Char(WXK_RIGHT);
                                         if (!Open(2))
                                             return;
                                         parent = Active().GetWindow(0)->GetScreenRect();
                                         sub = Active().GetWindow(1)->GetScreenRect();
                                         SaveScreenshot("menu_open_at_edge.png");
                                         sim.Char(WXK_ESCAPE);
                                         PumpUntil([] { return Active().GetLevelCount() == 1; });
                                         levelsAfterEscape = Active().GetLevelCount();
                                         sim.Char(WXK_ESCAPE);
                                     });
    EXPECT_EQ(dismissed, 0u);
    EXPECT_EQ(levelsAfterEscape, 1);
    EXPECT_TRUE(screen.Contains(parent));
    EXPECT_TRUE(screen.Contains(sub));
    EXPECT_EQ(parent.GetRight() + 1, screen.GetRight() + 1 - 20);
    EXPECT_EQ(sub.GetRight() + 1, parent.x);
}

} // namespace
