// The update wizard driven through its buttons under Xvfb, against a real
// FTP server; and the start-up check's event reaching its frame.

#include "platform/wx/WxUserPrompts.h"
#include "tests/support/NativeWindows.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/update/FtpServerFixture.h"
#include "update/wizard/AutoUpdate.h"
#include "update/wizard/PageDownload.h"
#include "update/wizard/PageSearch.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <chrono>
#include <fstream>
#include <iterator>

// The desktop libraries keep caches for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libdbus\nleak:libglib\nleak:libgobject\nleak:libgtk\nleak:libgdk\n"
           "leak:libpango\nleak:libcairo\nleak:libatk\n";
}

wxDEFINE_EVENT(TEST_NEW_PROGRAM_VERSION, wxCommandEvent);

namespace
{

using Update::CAutoUpdate;

class CWxEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "update_wizard_tests";
        static char* argv[] = {name, nullptr};
        wxApp::SetInstance(new wxApp());
        ASSERT_TRUE(wxEntryStart(argc, argv));
        ASSERT_TRUE(wxTheApp->CallOnInit());
    }
    void TearDown() override { wxEntryCleanup(); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new CWxEnvironment);

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class UpdateWizardTest : public ::testing::Test
{
protected:
    static constexpr const char* kFolder = "VnUpgrade/TerrionLink/";

    void SetUp() override
    {
        m_wizard = new CAutoUpdate(nullptr, TEST_NEW_PROGRAM_VERSION, m_prompts);
        m_wizard->SetProgramFolder(m_local.Path());
        m_wizard->SetLauncher(
            [this](const std::filesystem::path& path)
            {
                m_launched.push_back(path);
                return m_bLaunchWorks;
            });
    }
    void TearDown() override
    {
        if (m_wizard->GetHandle()) // a test with a wizard of its own leaves this one uncreated
            m_wizard->Hide();
        delete m_wizard; // not later: a lingering window would cover the next test's screenshots
    }

    /// Runs the wizard while step is called every 50 ms from its modal loop
    /// until it returns true; a wizard still open after 20 s is cancelled.
    bool Run(const std::function<bool(CAutoUpdate&)>& step, bool showMessages = false)
    {
        return RunWizard(*m_wizard, step, showMessages);
    }

    static bool RunWizard(CAutoUpdate& wizard, const std::function<bool(CAutoUpdate&)>& step,
                          bool showMessages)
    {
        wxTimer timer;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        bool done = false;
        timer.Bind(wxEVT_TIMER,
                   [&](wxTimerEvent&)
                   {
                       if (!wizard.IsModal())
                           return;
                       if (!done)
                           done = step(wizard);
                       if (!done && std::chrono::steady_clock::now() > deadline)
                       {
                           wxButton* forward = Button(wizard, wxID_FORWARD);
                           ADD_FAILURE() << "wizard step timed out; forward '" << forward->GetLabel() << "' "
                                         << forward->IsEnabled() << " status '"
                                         << wizard.PageSearch()->StatusLine()->GetLabel() << "'";
                           done = true;
                           wizard.EndModal(wxID_CANCEL);
                       }
                   });
        timer.Start(50);
        bool result = wizard.RunWizard(false, showMessages);
        timer.Stop();
        return result;
    }

    static wxButton* Button(CAutoUpdate& wizard, int id)
    {
        return wxDynamicCast(wizard.FindWindow(id), wxButton);
    }

    static void Click(CAutoUpdate& wizard, int id)
    {
        wxButton* button = Button(wizard, id);
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(event);
    }

    static bool ForwardReady(CAutoUpdate& wizard, const wxString& label)
    {
        wxButton* forward = Button(wizard, wxID_FORWARD);
        return forward->IsEnabled() && forward->GetLabel() == label;
    }

    /// Saves what the wizard shows, for a person to look at.
    static void Screenshot(CAutoUpdate& wizard, const std::string& name)
    {
        wizard.Refresh();
        for (int i = 0; i < 10; ++i) // let the X server catch up with the repaint
        {
            wxYield();
            wxMilliSleep(20);
        }
        // GTK cannot read a window back through a DC; the X server's picture can.
        std::filesystem::create_directories(TERRION_TEST_ARTEFACT_DIR);
        wxRect rect = wizard.GetScreenRect();
        wxExecute(wxString::Format("/usr/bin/import -window root -crop %dx%d+%d+%d +repage %s/%s.png",
                                   rect.width, rect.height, rect.x, rect.y, TERRION_TEST_ARTEFACT_DIR, name),
                  wxEXEC_SYNC | wxEXEC_NODISABLE);
    }

    TerrionTest::CScriptedPrompts m_prompts;
    TerrionTest::CFtpServerFixture m_server;
    TerrionTest::CTempDir m_local;
    CAutoUpdate* m_wizard = nullptr;
    std::vector<std::filesystem::path> m_launched;
    bool m_bLaunchWorks = true;
};

TEST_F(UpdateWizardTest, FindsDownloadsAndStartsTheNewerInstaller)
{
    const std::size_t size = 300000;
    m_server.AddFile(std::string(kFolder) + "TerrionLink_V_9_1_0_0.exe", size);
    m_server.AddFile(std::string(kFolder) + "TerrionLink_V_0_9_0_0.exe", 10);
    ASSERT_TRUE(m_server.Start());

    wxString result;
    bool clicked = false;
    bool started = Run(
        [&](CAutoUpdate& wizard)
        {
            if (!clicked && ForwardReady(wizard, "Next >"))
            {
                result = wizard.PageSearch()->ResultText()->GetLabel();
                Screenshot(wizard, "update_wizard_found");
                clicked = true;
                Click(wizard, wxID_FORWARD);
            }
            return false; // the download page ends the wizard itself
        });
    EXPECT_TRUE(started);
    EXPECT_TRUE(
        result.StartsWith("Found a newer version of TerrionLink on the server. \n Server version: 9.1.0 \n"))
        << result;
    ASSERT_EQ(m_launched.size(), 1u);
    EXPECT_EQ(m_launched[0], m_local.Path() / "TerrionLink_V_9_1_0_0.exe");
    EXPECT_EQ(ReadFile(m_launched[0]), TerrionTest::CFtpServerFixture::Pattern(size));
}

TEST_F(UpdateWizardTest, NoNewerVersionOffersFinishOnly)
{
    m_server.AddFile(std::string(kFolder) + "TerrionLink_V_0_9_0_0.exe", 10);
    ASSERT_TRUE(m_server.Start());
    wxString result;
    bool started = Run(
        [&](CAutoUpdate& wizard)
        {
            if (!ForwardReady(wizard, "Finish"))
                return false;
            result = wizard.PageSearch()->ResultText()->GetLabel();
            Screenshot(wizard, "update_wizard_no_update");
            Click(wizard, wxID_FORWARD);
            return true;
        });
    EXPECT_FALSE(started);
    EXPECT_EQ(
        result,
        "There is no update available. \nYou are already using the most recent version of TerrionLink.");
    EXPECT_TRUE(m_launched.empty());
}

TEST_F(UpdateWizardTest, ServerDownShowsTheConnectionError)
{
    Update::CFtpClient::SetServer("127.0.0.1:" +
                                  std::to_string(TerrionTest::CFtpServerFixture::ClosedPort()));
    wxString status;
    bool started = Run(
        [&](CAutoUpdate& wizard)
        {
            if (!ForwardReady(wizard, "Finish"))
                return false;
            status = wizard.PageSearch()->StatusLine()->GetLabel();
            Click(wizard, wxID_FORWARD);
            return true;
        });
    EXPECT_FALSE(started);
    EXPECT_TRUE(status.EndsWith("(Error 7)")) << status;
}

TEST_F(UpdateWizardTest, TheConnectionFailureMessageBelongsToTheWizard)
{
    Update::CFtpClient::SetServer("127.0.0.1:" +
                                  std::to_string(TerrionTest::CFtpServerFixture::ClosedPort()));
    auto* frame = new wxFrame(nullptr, wxID_ANY, "TerrionLink", wxPoint(0, 0), wxSize(1000, 760));
    frame->Show();
    wxString status;
    {
        // The wizard of a main window, as "Check for updates..." makes it.
        CAutoUpdate wizard(frame, TEST_NEW_PROGRAM_VERSION, m_prompts);
        const bool started = RunWizard(
            wizard,
            [&](CAutoUpdate& shown)
            {
                if (!ForwardReady(shown, "Finish") || m_prompts.Asked().empty())
                    return false;
                EXPECT_EQ(m_prompts.Asked()[0].owner, &shown);
                status = shown.PageSearch()->StatusLine()->GetLabel();
                Click(shown, wxID_FORWARD);
                return true;
            },
            true);
        EXPECT_FALSE(started);
    }
    frame->Destroy();
    ASSERT_EQ(m_prompts.Asked().size(), 1u);
    const auto& asked = m_prompts.Asked()[0];
    EXPECT_EQ(asked.buttons, CUserPrompts::buttonsOk);
    EXPECT_EQ(asked.icon, CUserPrompts::iconError);
    EXPECT_EQ(wxString(asked.text), status);
}

TEST_F(UpdateWizardTest, TruncatedInstallerEndsInTheErrorDisplayAndLeavesNothing)
{
    m_server.AddFile(std::string(kFolder) + "TerrionLink_V_9_1_0_0.exe", 40000);
    ASSERT_TRUE(m_server.Start({"--lie", "TerrionLink_V_9_1_0_0.exe=80000"}));
    wxString status;
    bool progressShown = true;
    bool clicked = false;
    bool started = Run(
        [&](CAutoUpdate& wizard)
        {
            if (!clicked && ForwardReady(wizard, "Next >"))
            {
                clicked = true;
                Click(wizard, wxID_FORWARD);
                return false;
            }
            if (!clicked || !wizard.PageDownload()->IsFinishedWithError() || !ForwardReady(wizard, "Finish"))
                return false;
            status = wizard.PageDownload()->StatusLine()->GetLabel();
            progressShown = wizard.PageDownload()->Progress()->IsShown();
            Screenshot(wizard, "update_wizard_download_error");
            Click(wizard, wxID_FORWARD);
            return true;
        });
    EXPECT_FALSE(started);
    EXPECT_EQ(status, "Unknown error while downloading.");
    EXPECT_FALSE(progressShown);
    EXPECT_TRUE(m_launched.empty());
    EXPECT_TRUE(std::filesystem::is_empty(m_local.Path()));
}

TEST_F(UpdateWizardTest, FailedLaunchIsReportedAndKeepsTheProgramRunning)
{
    m_server.AddFile(std::string(kFolder) + "TerrionLink_V_9_1_0_0.exe", 5000);
    ASSERT_TRUE(m_server.Start());
    m_bLaunchWorks = false;
    wxString status;
    bool clicked = false;
    bool started = Run(
        [&](CAutoUpdate& wizard)
        {
            if (!clicked && ForwardReady(wizard, "Next >"))
            {
                clicked = true;
                Click(wizard, wxID_FORWARD);
                return false;
            }
            if (!clicked || !wizard.PageDownload()->IsFinishedWithError())
                return false;
            status = wizard.PageDownload()->StatusLine()->GetLabel();
            Click(wizard, wxID_FORWARD);
            return true;
        });
    EXPECT_FALSE(started);
    EXPECT_EQ(m_launched.size(), 1u);
    EXPECT_TRUE(status.StartsWith("The downloaded installer ")) << status;
    EXPECT_TRUE(std::filesystem::exists(m_local.Path() / "TerrionLink_V_9_1_0_0.exe"));
}

TEST_F(UpdateWizardTest, CancelDuringTheDownloadEndsWithinTheBound)
{
    m_server.AddFile(std::string(kFolder) + "TerrionLink_V_9_1_0_0.exe", 4 * 1024 * 1024);
    ASSERT_TRUE(m_server.Start({"--throttle", "65536"}));
    bool clicked = false;
    std::chrono::steady_clock::time_point cancelled;
    bool started = Run(
        [&](CAutoUpdate& wizard)
        {
            if (!clicked && ForwardReady(wizard, "Next >"))
            {
                clicked = true;
                Click(wizard, wxID_FORWARD);
                return false;
            }
            if (!clicked || wizard.PageDownload()->Progress()->GetValue() < 1)
                return false;
            Screenshot(wizard, "update_wizard_downloading");
            cancelled = std::chrono::steady_clock::now();
            Click(wizard, wxID_CANCEL);
            return true;
        });
    EXPECT_FALSE(started);
    EXPECT_LT(std::chrono::steady_clock::now() - cancelled, std::chrono::milliseconds(3000));
    EXPECT_TRUE(m_launched.empty());
    EXPECT_TRUE(std::filesystem::is_empty(m_local.Path()));
}

TEST_F(UpdateWizardTest, TheRealFailureBoxLeavesTheWizardInFrontOfTheMainWindow)
{
    Update::CFtpClient::SetServer("127.0.0.1:" +
                                  std::to_string(TerrionTest::CFtpServerFixture::ClosedPort()));
    // The main window of the program, which the wizard belongs to.
    auto* frame = new wxFrame(nullptr, wxID_ANY, "TerrionLink", wxPoint(0, 0), wxSize(1000, 760));
    frame->Show();
    for (int i = 0; i < 10; ++i)
    {
        wxYield();
        wxMilliSleep(10);
    }
    CWxUserPrompts prompts;
    TerrionTest::CBoxAnswerer ok(true);
    WXWidget wizardHandle = nullptr;
    bool active = false;
    bool focused = false;
    bool above = false;
    {
        CAutoUpdate wizard(frame, TEST_NEW_PROGRAM_VERSION, prompts);
        const bool started = RunWizard(
            wizard,
            [&](CAutoUpdate& shown)
            {
                if (ok.Owners().empty())
                    return false;
                // The box was answered; the wizard runs on.
                wizardHandle = shown.GetHandle();
                active = TerrionTest::WaitUntilActive(&shown, 3000);
                focused = wxGetActiveWindow() && wxGetTopLevelParent(wxGetActiveWindow()) == &shown;
                above = TerrionTest::IsAboveOnScreen(&shown, frame);
                shown.EndModal(wxID_CANCEL);
                return true;
            },
            true);
        EXPECT_FALSE(started);
    }
    ASSERT_EQ(ok.Owners().size(), 1u);
    EXPECT_EQ(ok.Owners()[0], wizardHandle) << "the message belongs to the wizard";
    EXPECT_TRUE(active);
    EXPECT_TRUE(focused);
    EXPECT_TRUE(above);
    frame->Destroy();
    wxYield();
}

TEST(UpdateCheckEvent, TheStartUpCheckPostsTheNewerVersionToItsFrame)
{
    TerrionTest::CFtpServerFixture server;
    server.AddFile("VnUpgrade/TerrionLink/TerrionLink_V_9_2_3_0.exe", 10);
    ASSERT_TRUE(server.Start());

    auto* frame = new wxFrame(nullptr, wxID_ANY, "frame");
    TerrionTest::CScriptedPrompts prompts;
    CVersion received;
    int events = 0;
    frame->Bind(TEST_NEW_PROGRAM_VERSION,
                [&](wxCommandEvent& event)
                {
                    received = Update::VersionOfEvent(event);
                    ++events;
                });
    {
        CAutoUpdate update(frame, TEST_NEW_PROGRAM_VERSION, prompts);
        ASSERT_TRUE(update.StartCheckThread(Update::kNewProgramVersionMessage));
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (events == 0 && std::chrono::steady_clock::now() < deadline)
        {
            wxTheApp->ProcessPendingEvents();
            wxMilliSleep(20);
        }
    }
    EXPECT_EQ(events, 1);
    EXPECT_EQ(received, CVersion(9, 2, 3, 0));
    frame->Destroy();
}

} // namespace
