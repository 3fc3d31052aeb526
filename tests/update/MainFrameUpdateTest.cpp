// The update services in the running program: the start-up check and the
// firmware receiver feed the "New Version available!" menu, closing stops a
// hung check within its bound, and "Check for updates..." downloads and
// starts an installer, after which the program closes.

#include "app/shell/MainFrame.h"
#include "app/shell/TerrionLinkApp.h"
#include "tests/app/AppTestSupport.h"
#include "tests/update/FtpServerFixture.h"
#include "update/wizard/AutoUpdate.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/menu.h>
#include <wx/timer.h>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

class MainFrameUpdateTest : public TerrionTest::CAppTest
{
protected:
    void SetUp() override {}

    /// The frame comes up after the server, as the program would find it.
    void StartFrame() { CAppTest::SetUp(); }

    bool PumpUntil(const std::function<bool()>& done, int seconds = 15)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!done())
        {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            Pump();
            wxMilliSleep(10);
        }
        return true;
    }

    TerrionTest::CFtpServerFixture m_server;
};

TEST_F(MainFrameUpdateTest, StartUpCheckAndFirmwareReportBuildTheVersionMenu)
{
    m_server.AddFile("VnUpgrade/TerrionLink/TerrionLink_V_9_0_1_0.exe", 10);
    ASSERT_TRUE(m_server.Start());
    StartFrame();
    ASSERT_TRUE(PumpUntil([&] { return !Frame().NewerProgramVersion().IsZero(); }));
    EXPECT_EQ(Frame().NewerProgramVersion(), CVersion(9, 0, 1, 0));
    ASSERT_NE(Frame().VersionMenu(), nullptr);
    EXPECT_EQ(Frame().VersionMenu()->FindItemByPosition(0)->GetItemLabel(),
              "Upate TerrionLink to Version 9.0.1");

    Frame().UpdateReceiver()->PostVersion(0x411, CVersion(1, 2, 3, 4));
    Pump();
    EXPECT_EQ(Frame().NewerFirmwareVersion(), CVersion(1, 2, 3, 4));
    ASSERT_EQ(Frame().VersionMenu()->GetMenuItemCount(), 2u);
    EXPECT_EQ(Frame().VersionMenu()->FindItemByPosition(1)->GetItemLabel(),
              "Update Terrion to version 1.2.3");
}

TEST_F(MainFrameUpdateTest, ClosingStopsAHungCheckWithinTheBound)
{
    int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    Update::CFtpClient::SetServer("127.0.0.1:" + std::to_string(ntohs(address.sin_port)));

    StartFrame();
    EXPECT_TRUE(Frame().IsUpdateCheckRunning());
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(Frame().Close());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(3000));
    EXPECT_FALSE(Frame().IsUpdateCheckRunning());
    ::close(listener);
}

TEST_F(MainFrameUpdateTest, CheckForUpdatesDownloadsStartsTheInstallerAndCloses)
{
    m_server.AddFile("VnUpgrade/TerrionLink/TerrionLink_V_9_0_1_0.exe", 70000);
    ASSERT_TRUE(m_server.Start());
    StartFrame();
    std::filesystem::path folder = TerrionTest::ProgramFolder();
    std::filesystem::remove(folder / "TerrionLink_V_9_0_1_0.exe");

    // The wizard runs modally inside the command: a timer clicks it through.
    wxTimer timer;
    bool clicked = false;
    timer.Bind(wxEVT_TIMER,
               [&](wxTimerEvent&)
               {
                   for (wxWindow* window : wxTopLevelWindows)
                   {
                       auto* wizard = dynamic_cast<Update::CAutoUpdate*>(window);
                       if (wizard == nullptr || !wizard->IsModal() || clicked)
                           continue;
                       auto* next = wxDynamicCast(wizard->FindWindow(wxID_FORWARD), wxButton);
                       if (next->IsEnabled() && next->GetLabel() == "Next >")
                       {
                           clicked = true;
                           wxCommandEvent event(wxEVT_BUTTON, wxID_FORWARD);
                           event.SetEventObject(next);
                           next->GetEventHandler()->ProcessEvent(event);
                       }
                   }
               });
    timer.Start(50);
    Command(2065);
    timer.Stop();
    EXPECT_TRUE(clicked);
    ASSERT_EQ(Shell().documents.size(), 1u);
    EXPECT_EQ(std::filesystem::path(Shell().documents[0].utf8_string()),
              folder / "TerrionLink_V_9_0_1_0.exe");
    EXPECT_EQ(std::filesystem::file_size(folder / "TerrionLink_V_9_0_1_0.exe"), 70000u);
    EXPECT_TRUE(wxPendingDelete.Member(m_frame)); // the program makes way for the installer
    std::filesystem::remove(folder / "TerrionLink_V_9_0_1_0.exe");
}

} // namespace
