// The "New Version available!" menu on a real menu bar, fed by the version
// events as the main frame gets them.

#include "update/wizard/VersionMenu.h"
#include "update/wizard/UpdateFrameLink.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/frame.h>

namespace
{

using Update::CVersionMenu;

class VersionMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "frame");
        auto* bar = new wxMenuBar();
        bar->Append(new wxMenu(), "&Help");
        m_frame->SetMenuBar(bar);
        m_frame->Bind(WM_NEW_PROGRAM_VERSION,
                      [this](wxThreadEvent& event)
                      {
                          m_menu.SetProgramVersion(Update::VersionOfEvent(event));
                          m_menu.Update(m_frame->GetMenuBar());
                      });
        m_frame->Bind(WM_NEW_FIRMWARE_VERSION,
                      [this](wxThreadEvent& event)
                      {
                          m_menu.SetFirmwareVersion(Update::VersionOfEvent(event));
                          m_menu.Update(m_frame->GetMenuBar());
                      });
    }
    void TearDown() override { delete m_frame; }

    void Post(const wxEventType& type, std::uint32_t wParam, std::uint32_t lParam)
    {
        auto* event = new wxThreadEvent(type);
        event->SetExtraLong(static_cast<long>(wParam));
        event->SetInt(static_cast<int>(lParam));
        wxQueueEvent(m_frame, event);
        wxTheApp->ProcessPendingEvents();
    }

    wxMenuBar* Bar() const { return m_frame->GetMenuBar(); }

    wxFrame* m_frame = nullptr;
    CVersionMenu m_menu;
};

TEST_F(VersionMenuTest, FirmwareEventAddsTheMenuWithItsVersion)
{
    Post(WM_NEW_FIRMWARE_VERSION, (2u << 16) | 1u, (4u << 16) | 3u);
    ASSERT_EQ(Bar()->GetMenuCount(), 2u);
    EXPECT_EQ(Bar()->GetMenuLabelText(1), "New Version available!");
    wxMenu* popup = Bar()->GetMenu(1);
    ASSERT_EQ(popup->GetMenuItemCount(), 1u);
    EXPECT_EQ(popup->FindItemByPosition(0)->GetId(), CVersionMenu::kUpgradeDevice);
    EXPECT_EQ(popup->FindItemByPosition(0)->GetItemLabelText(), "Update Terrion to version 1.2.3");

    Post(WM_NEW_PROGRAM_VERSION, (10u << 16) | 1u, 0);
    ASSERT_EQ(Bar()->GetMenuCount(), 2u); // rebuilt, not added twice
    popup = Bar()->GetMenu(1);
    ASSERT_EQ(popup->GetMenuItemCount(), 2u);
    EXPECT_EQ(popup->FindItemByPosition(0)->GetId(), CVersionMenu::kCheckForUpdates);
    EXPECT_EQ(popup->FindItemByPosition(0)->GetItemLabelText(), "Upate TerrionLink to Version 1.10.0");

    // Both versions 0 again (the upgrade forgets the firmware): no menu.
    m_menu.SetFirmwareVersion(CVersion());
    Post(WM_NEW_PROGRAM_VERSION, 0, 0);
    EXPECT_EQ(Bar()->GetMenuCount(), 1u);
    EXPECT_EQ(m_menu.Popup(), nullptr);
}

TEST_F(VersionMenuTest, ADetachedLinkPostsNothing)
{
    auto link = std::make_unique<Update::CUpdateFrameLink>(m_frame);
    auto relay = link->Relay();
    relay->PostVersion(Update::kNewFirmwareVersionMessage, CVersion(3, 0, 0, 0));
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(m_menu.FirmwareVersion(), CVersion(3, 0, 0, 0));

    link.reset(); // the frame goes; a late check still holds the relay
    relay->PostVersion(Update::kNewFirmwareVersionMessage, CVersion(4, 0, 0, 0));
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(m_menu.FirmwareVersion(), CVersion(3, 0, 0, 0));
}

} // namespace
