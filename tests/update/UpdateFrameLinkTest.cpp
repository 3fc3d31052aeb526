// The link from the update checks to a frame: version results arrive as the
// frame's own event types with the version packed as the messages pack it,
// and nothing arrives once the link is gone.

#include "update/wizard/UpdateFrameLink.h"
#include "tests/support/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/frame.h>

wxDEFINE_EVENT(LINK_NEW_PROGRAM_VERSION, wxCommandEvent);
wxDEFINE_EVENT(LINK_NEW_FIRMWARE_VERSION, wxCommandEvent);

namespace
{

TEST(UpdateFrameLink, DeliversVersionsAsTheFramesEventsUntilDetached)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "frame");
    std::vector<std::pair<wxEventType, wxCommandEvent>> received;
    auto record = [&](wxCommandEvent& event) { received.emplace_back(event.GetEventType(), event); };
    frame->Bind(LINK_NEW_PROGRAM_VERSION, record);
    frame->Bind(LINK_NEW_FIRMWARE_VERSION, record);

    TerrionTest::CScriptedPrompts prompts;
    auto link = std::make_unique<Update::CUpdateFrameLink>(frame, LINK_NEW_PROGRAM_VERSION,
                                                           LINK_NEW_FIRMWARE_VERSION, prompts);
    auto relay = link->Relay();
    relay->PostVersion(Update::kNewFirmwareVersionMessage, CVersion(1, 2, 3, 4));
    relay->PostVersion(Update::kNewProgramVersionMessage, CVersion(1, 10, 0, 0));
    relay->PostVersion(0x412, CVersion(9, 0, 0, 0)); // no event type for it: dropped
    wxTheApp->ProcessPendingEvents();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].first, LINK_NEW_FIRMWARE_VERSION);
    EXPECT_EQ(received[0].second.GetInt(), (2 << 16) | 1);
    EXPECT_EQ(received[0].second.GetExtraLong(), (4 << 16) | 3);
    EXPECT_EQ(Update::VersionOfEvent(received[0].second), CVersion(1, 2, 3, 4));
    EXPECT_EQ(received[1].first, LINK_NEW_PROGRAM_VERSION);
    EXPECT_EQ(Update::VersionOfEvent(received[1].second), CVersion(1, 10, 0, 0));

    // The firmware reminder is the frame's box.
    relay->ShowMessage(L"New firmware", Resources::NMessageKind::Information);
    wxTheApp->ProcessPendingEvents();
    ASSERT_EQ(prompts.Asked().size(), 1u);
    EXPECT_EQ(prompts.Asked()[0].owner, frame);
    EXPECT_EQ(prompts.Asked()[0].text, L"New firmware");
    EXPECT_EQ(prompts.Asked()[0].icon, CUserPrompts::iconInformation);

    link.reset(); // the frame goes; a late check still holds the relay
    relay->PostVersion(Update::kNewFirmwareVersionMessage, CVersion(4, 0, 0, 0));
    relay->ShowMessage(L"late", Resources::NMessageKind::Error);
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(received.size(), 2u);
    EXPECT_EQ(prompts.Asked().size(), 1u);
    frame->Destroy();
}

} // namespace
