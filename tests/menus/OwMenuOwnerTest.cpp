// A tracked menu whose owner window goes while the menu is open: the frame
// closed, or the owner destroyed by a notification another thread queued.
// Tracking ends with no choice and nothing touches the windows that went.
#include <functional>
#include <thread>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/weakref.h>

#include "menus/wx/OwMenuPopup.h"
#include "menus/wx/OwMenuWindow.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/menus/MenuSample.h"

namespace
{

using namespace menu_sample;

enum class NGone
{
    PanelDestroyedByAThreadsNotification,
    FrameClosed,
    FrameDestroyedByAThreadsNotification,
};

struct SOwnerCase
{
    const char* name;
    NGone gone;
    int levels; ///< menus open when the owner goes
};

class OwMenuOwnerGone : public ::testing::TestWithParam<SOwnerCase>
{
protected:
    void SetUp() override
    {
        Fill(menu, images);
        frame = new wxFrame(nullptr, wxID_ANY, "menu owner test", wxPoint(300, 300), wxSize(400, 300));
        panel = new wxPanel(frame);
        frame->Show();
        Pump();
    }
    void TearDown() override
    {
        if (frame)
            frame->Destroy();
        Pump();
    }

    /// A key pressed while the menu is open: the menu takes every key the program receives.
    static void PressChar(wxWindow* window, wchar_t ch)
    {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = static_cast<int>(wxToupper(ch));
        key.m_uniChar = ch;
        key.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(key);
    }

    /// Queues the owner's end from a worker thread, as a notification arrives.
    static void FromAThread(std::function<void()> work)
    {
        std::thread worker([work = std::move(work)]() mutable { wxTheApp->CallAfter(std::move(work)); });
        worker.join();
    }

    OwMenu menu;
    CGridImageList images = Images();
    wxWeakRef<wxFrame> frame;
    wxWeakRef<wxPanel> panel;
};

TEST_P(OwMenuOwnerGone, EndsTrackingWithoutAChoice)
{
    const SOwnerCase& c = GetParam();
    wxWindow* owner = c.gone == NGone::PanelDestroyedByAThreadsNotification
                          ? static_cast<wxWindow*>(panel.get())
                          : static_cast<wxWindow*>(frame.get());
    std::vector<wxWeakRef<OwMenuWindow>> opened;
    bool ownerWent = false;
    // Queued on the application: the script goes on after the frame it closes has gone.
    wxTheApp->CallAfter(
        [&]
        {
            if (!PumpUntil([] { return OwMenuPopup::GetActive() != nullptr; }))
                return;
            if (c.levels > 1)
            {
                PressChar(frame, L'm'); // "&More" opens its sub-menu
                PumpUntil([&] { return OwMenuPopup::GetActive()->GetLevelCount() == c.levels; });
            }
            OwMenuPopup* active = OwMenuPopup::GetActive();
            for (int level = 0; level < active->GetLevelCount(); ++level)
                opened.emplace_back(active->GetWindow(level));
            ASSERT_EQ(static_cast<int>(opened.size()), c.levels);
            switch (c.gone)
            {
            case NGone::PanelDestroyedByAThreadsNotification:
                FromAThread([this] { panel->Destroy(); });
                break;
            case NGone::FrameClosed:
                frame->Close(true);
                break;
            case NGone::FrameDestroyedByAThreadsNotification:
                FromAThread([this] { delete frame.get(); });
                break;
            }
            // Tracking must end by itself (the loop ends once this script returns);
            // dismissed as a last resort so that a failure does not hang.
            ownerWent = PumpUntil(
                []
                {
                    const OwMenuPopup* active = OwMenuPopup::GetActive();
                    return active == nullptr ||
                           (active->GetTracking().IsDone() && active->GetLevelCount() == 0);
                });
            if (!ownerWent && OwMenuPopup::GetActive())
                OwMenuPopup::GetActive()->Dismiss();
        });
    const unsigned command = OwMenuPopup::Track(menu, owner, wxPoint(350, 350));

    EXPECT_TRUE(ownerWent);
    EXPECT_EQ(command, 0u);
    EXPECT_EQ(OwMenuPopup::GetActive(), nullptr);
    Pump();
    for (const auto& window : opened)
        EXPECT_EQ(window.get(), nullptr);
    if (c.gone == NGone::PanelDestroyedByAThreadsNotification)
    {
        ASSERT_TRUE(frame);
        EXPECT_EQ(panel.get(), nullptr);
    }
    else
    {
        EXPECT_EQ(frame.get(), nullptr);
    }

    // A menu tracked afterwards opens and closes as ever.
    wxFrame* next =
        frame ? frame.get() : new wxFrame(nullptr, wxID_ANY, "next", wxPoint(300, 300), wxSize(200, 100));
    next->Show();
    wxTheApp->CallAfter(
        []
        {
            if (PumpUntil([] { return OwMenuPopup::GetActive() != nullptr; }))
                OwMenuPopup::GetActive()->Dismiss();
        });
    EXPECT_EQ(OwMenuPopup::Track(menu, next, wxPoint(350, 350)), 0u);
    if (next != frame.get())
        next->Destroy();
}

INSTANTIATE_TEST_SUITE_P(
    Owner, OwMenuOwnerGone,
    ::testing::Values(
        SOwnerCase{"PanelDestroyedByAThreadsNotification", NGone::PanelDestroyedByAThreadsNotification, 1},
        SOwnerCase{"PanelDestroyedWithTheSubMenuOpen", NGone::PanelDestroyedByAThreadsNotification, 2},
        SOwnerCase{"FrameClosed", NGone::FrameClosed, 1},
        SOwnerCase{"FrameClosedWithTheSubMenuOpen", NGone::FrameClosed, 2},
        SOwnerCase{"FrameDestroyedByAThreadsNotification", NGone::FrameDestroyedByAThreadsNotification, 2}),
    [](const ::testing::TestParamInfo<SOwnerCase>& info) { return std::string(info.param.name); });

} // namespace
