// The clipboard watch against another X client that owns the clipboard and
// counts the requests it receives: the flag follows each change of owner,
// activation asks again, the program's own write sets it at once, and idle
// time asks nothing.
#include "platform/wx/ClipboardWatch.h"
#include "platform/wx/WxClipboard.h"
#include "tests/platform_wx/XClipboardOwner.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>

namespace TerrionTest
{
namespace
{

using namespace std::chrono_literals;

const std::wstring kFormat = L"TerrionLink-Format";
const std::string kOffersOurs = "TerrionLink-Format UTF8_STRING";
const std::string kOffersText = "UTF8_STRING";

class CClipboardWatchTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(m_owner.Send("count"), "0"); }

    /// Lets the watch hear of the last change and its answer arrive, then
    /// some idle time more; how many requests the owner has had by then.
    int Settle(const CClipboardWatch& watch, bool holds)
    {
        EXPECT_TRUE(PumpEventsUntil([&] { return watch.HoldsFormat() == holds; })) << "waiting for " << holds;
        PumpEventsFor(150ms);
        return m_owner.Requests();
    }

    CXClipboardOwner m_owner{TERRION_X_CLIPBOARD_OWNER};
};

TEST_F(CClipboardWatchTest, FollowsEveryChangeOfOwnerAskingOnceEach)
{
    struct SStep
    {
        const char* offered;
        bool holds;
    };
    const SStep steps[] = {{kOffersOurs.c_str(), true},
                           {kOffersText.c_str(), false},
                           {kOffersOurs.c_str(), true},
                           {"", false},
                           {"TerrionLink-Format", true}};
    CClipboardWatch watch(kFormat, nullptr);
    int requests = Settle(watch, watch.HoldsFormat());
    for (const SStep& step : steps)
    {
        SCOPED_TRACE(step.offered);
        ASSERT_EQ(m_owner.Send(std::string("own ") + step.offered), "owned");
        const int now = Settle(watch, step.holds);
        EXPECT_EQ(now, requests + 1);
        requests = now;
    }
    // Idle time and reading the flag ask nothing.
    for (int i = 0; i < 100; ++i)
        EXPECT_TRUE(watch.HoldsFormat());
    PumpEventsFor(300ms);
    EXPECT_EQ(m_owner.Requests(), requests);
}

TEST_F(CClipboardWatchTest, ActivationOfTheWindowAsksAgain)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, L"watch");
    auto* panel = new wxPanel(frame);
    CClipboardWatch watch(kFormat, panel);
    ASSERT_EQ(m_owner.Send("own " + kOffersOurs), "owned");
    const int requests = Settle(watch, true);

    // New contents without a new owner: nobody says so.
    ASSERT_EQ(m_owner.Send("offer " + kOffersText), "offered");
    PumpEventsFor(200ms);
    EXPECT_TRUE(watch.HoldsFormat());
    EXPECT_EQ(m_owner.Requests(), requests);

    wxActivateEvent leaving(wxEVT_ACTIVATE, false, frame->GetId());
    leaving.SetEventObject(frame);
    frame->HandleWindowEvent(leaving);
    PumpEventsFor(100ms);
    EXPECT_EQ(m_owner.Requests(), requests);

    wxActivateEvent coming(wxEVT_ACTIVATE, true, frame->GetId());
    coming.SetEventObject(frame);
    frame->HandleWindowEvent(coming);
    EXPECT_EQ(Settle(watch, false), requests + 1);
    frame->Destroy();
    PumpEventsFor(50ms);
}

TEST_F(CClipboardWatchTest, OwnWriteSetsTheFlagAtOnce)
{
    CClipboardWatch watch(kFormat, nullptr);
    ASSERT_EQ(m_owner.Send("own " + kOffersText), "owned");
    const int requests = Settle(watch, false);

    struct SWrite
    {
        bool ours;
    };
    for (const SWrite write : {SWrite{true}, SWrite{false}, SWrite{true}})
    {
        SCOPED_TRACE(write.ours);
        Platform::CClipboardData data;
        data.Set(Platform::CClipboardData::kUnicodeText, {'x', 0, 0, 0});
        if (write.ours)
            data.Set(kFormat, {4, 0, 0, 0, 1, 2, 3, 4});
        ASSERT_TRUE(CWxClipboard::Write(data));
        watch.NoteWritten(data);
        EXPECT_EQ(watch.HoldsFormat(), write.ours);
        // The change of owner that follows asks this program, which agrees.
        PumpEventsFor(200ms);
        EXPECT_EQ(watch.HoldsFormat(), write.ours);
    }
    // Those questions went to this program, none to the other client.
    EXPECT_EQ(m_owner.Requests(), requests);
}

TEST_F(CClipboardWatchTest, RequestsWhileOneIsUnderWayAreMadeOnceAfterIt)
{
    CClipboardWatch watch(kFormat, nullptr);
    ASSERT_EQ(m_owner.Send("own " + kOffersOurs), "owned");
    const int requests = Settle(watch, true);
    ASSERT_EQ(m_owner.Send("offer " + kOffersText), "offered");
    watch.Refresh();
    watch.Refresh();
    watch.Refresh();
    EXPECT_EQ(Settle(watch, false), requests + 2);
}

TEST_F(CClipboardWatchTest, AnAnswerArrivingAfterItsWatchIsDropped)
{
    ASSERT_EQ(m_owner.Send("own " + kOffersOurs), "owned");
    PumpEventsFor(100ms);
    const int requests = m_owner.Requests();
    // The other client answers only after the watch has gone.
    auto gone = std::make_unique<CClipboardWatch>(kFormat, nullptr);
    gone.reset();
    EXPECT_TRUE(PumpEventsUntil([&] { return m_owner.Requests() == requests + 1; }));
    PumpEventsFor(100ms);

    CClipboardWatch watch(kFormat, nullptr);
    Settle(watch, true);
}

} // namespace
} // namespace TerrionTest
