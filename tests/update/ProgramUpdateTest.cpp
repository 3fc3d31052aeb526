// The program update: choosing the installer by the version in its name, and
// the start-up check thread against a real server.

#include "update/ProgramUpdate.h"
#include "tests/support/TempDir.h"
#include "tests/update/FakeUpdateUi.h"
#include "tests/update/FtpServerFixture.h"
#include "update/InstallerDownload.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace
{

using Update::CProgramUpdate;
using Update::SFtpEntry;
using Update::SInstaller;
using Update::SPackedVersion;

constexpr unsigned kNewProgramVersion = 0x410;

TEST(ProgramUpdateFindNewest, TakesTheGreatestVersionAboveTheRunningOne)
{
    struct SCase
    {
        std::vector<SFtpEntry> entries;
        CVersion own;
        bool found;
        std::wstring name;
    };
    const CVersion own(1, 2, 2, 0);
    const SCase cases[] = {
        {{{L"TerrionLink_V_1_2_2_0.exe", 1},
          {L"TerrionLink_V_1_3_0_0.exe", 2},
          {L"TerrionLink_V_1_10_0_0.exe", 3}},
         own,
         true,
         L"TerrionLink_V_1_10_0_0.exe"},
        // Upper-case extension ignored; a version written with points keeps only its first number.
        {{{L"TerrionLink_V_1_3_0_0.EXE", 1}, {L"Setup_V_2.0.0.0.exe", 2}}, own, false, L""},
        // Among equal versions the first listed wins.
        {{{L"A_V_1_4_0_0.exe", 1}, {L"B_V_1_4_0_0.exe", 2}}, own, true, L"A_V_1_4_0_0.exe"},
        {{{L"TerrionLink_V_1_2_2_0.exe", 1}}, own, false, L""},
        {{}, own, false, L""},
    };
    for (const SCase& c : cases)
    {
        SInstaller installer;
        EXPECT_EQ(CProgramUpdate::FindNewest(c.entries, c.own, installer), c.found);
        EXPECT_EQ(installer.name, c.name);
    }
    SInstaller installer;
    ASSERT_TRUE(CProgramUpdate::FindNewest(cases[0].entries, own, installer));
    EXPECT_EQ(installer.size, 3u);
    SPackedVersion packed = SPackedVersion::Pack(installer.version);
    EXPECT_EQ(packed.wParam, (10u << 16) | 1u);
    EXPECT_EQ(packed.lParam, 0u);
    EXPECT_EQ(packed.Unpack(), installer.version);
}

class ProgramUpdateCheckTest : public ::testing::Test
{
protected:
    void AddInstallers()
    {
        for (const char* name : {"TerrionLink_V_1_2_2_0.exe", "TerrionLink_V_1_3_0_0.exe",
                                 "TerrionLink_V_1_10_0_0.exe", "TerrionLink_V_1_3_0_0.EXE"})
            m_server.AddFile(std::string("VnUpgrade/TerrionLink/") + name, 100);
    }

    /// Runs one check to its end; the posts it made.
    std::vector<TerrionTest::CFakeUpdateUi::SPost> RunCheck(const CVersion& own)
    {
        auto ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
        CProgramUpdate update(L"TerrionLink", own);
        EXPECT_TRUE(update.StartCheckThread(kNewProgramVersion, ui));
        EXPECT_TRUE(TerrionTest::PollUntil([&] { return !update.IsCheckRunning(); }));
        EXPECT_TRUE(update.StopCheckThread());
        return ui->Posts();
    }

    TerrionTest::CFtpServerFixture m_server;
};

TEST_F(ProgramUpdateCheckTest, AnnouncesTheNewestInstallerOnce)
{
    AddInstallers();
    ASSERT_TRUE(m_server.Start());
    auto posts = RunCheck(CVersion(1, 2, 2, 0));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].messageId, kNewProgramVersion);
    EXPECT_EQ(posts[0].version, CVersion(1, 10, 0, 0));
}

TEST_F(ProgramUpdateCheckTest, NoNewerVersionPostsZeroOnce)
{
    AddInstallers();
    ASSERT_TRUE(m_server.Start());
    auto posts = RunCheck(CVersion(1, 10, 0, 0));
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_TRUE(posts[0].version.IsZero());
}

TEST_F(ProgramUpdateCheckTest, MissingFolderOrServerDownPostsNothing)
{
    m_server.AddFile("VnUpgrade/Other/Other_V_9_0_0_0.exe", 10);
    ASSERT_TRUE(m_server.Start());
    EXPECT_TRUE(RunCheck(CVersion(1, 0, 0, 0)).empty());

    m_server.Stop();
    EXPECT_TRUE(RunCheck(CVersion(1, 0, 0, 0)).empty());
}

TEST_F(ProgramUpdateCheckTest, StoppingAHungCheckReturnsWithinTheBoundAndPostsNothing)
{
    // A server that accepts the connection and never says a word.
    int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    Update::CFtpClient::SetServer("127.0.0.1:" + std::to_string(ntohs(address.sin_port)));

    auto ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
    {
        CProgramUpdate update(L"TerrionLink", CVersion(1, 0, 0, 0));
        ASSERT_TRUE(update.StartCheckThread(kNewProgramVersion, ui));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_TRUE(update.IsCheckRunning());
        auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(update.StopCheckThread());
        EXPECT_LT(std::chrono::steady_clock::now() - start,
                  std::chrono::milliseconds(CProgramUpdate::kStopWaitMs));
    }
    EXPECT_TRUE(ui->Posts().empty());
    ::close(listener);
}

TEST_F(ProgramUpdateCheckTest, WizardSearchReportsConnectionAndInstaller)
{
    AddInstallers();
    ASSERT_TRUE(m_server.Start());
    auto ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
    CProgramUpdate update(L"TerrionLink", CVersion(1, 2, 2, 0));
    ASSERT_TRUE(update.StartSearch(ui));
    ASSERT_TRUE(ui->WaitFor([](auto& u) { return !u.m_searches.empty(); }));
    EXPECT_EQ(ui->m_connected, std::vector<bool>{true});
    EXPECT_TRUE(ui->m_searches[0]);
    EXPECT_TRUE(ui->m_found);
    EXPECT_EQ(ui->m_installer.name, L"TerrionLink_V_1_10_0_0.exe");
    EXPECT_EQ(ui->m_installer.size, 100u);
    EXPECT_TRUE(update.StopSearch());
}

TEST_F(ProgramUpdateCheckTest, WithoutAServerTheCheckSaysSoAndTouchesNothing)
{
    Update::CFtpClient::SetServer(""); // and no TERRIONLINK_UPDATE_SERVER (the fixture cleared it)
    const std::wstring noServer = L"No update server is configured.";

    // The wizard's road: connecting says so, as a message and as the error text.
    auto ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
    CProgramUpdate update(L"TerrionLink", CVersion(1, 2, 2, 0));
    update.SetShowMessages(true, ui);
    std::wstring error = L"stale";
    EXPECT_FALSE(update.Connect(&error));
    EXPECT_EQ(error, noServer);
    EXPECT_EQ(update.Client()->GetLastFailure(), Update::NFtpFailure::NoServer);
    EXPECT_FALSE(update.Client()->IsConnected());
    ASSERT_EQ(ui->Messages(), std::vector<std::wstring>{noServer});
    EXPECT_EQ(ui->m_kinds[0], Resources::NMessageKind::Information) << "nothing failed";

    // The wizard's search reports it and lists nothing.
    auto search = std::make_shared<TerrionTest::CFakeUpdateUi>();
    ASSERT_TRUE(update.StartSearch(search));
    ASSERT_TRUE(search->WaitFor([](auto& u) { return !u.m_connected.empty(); }));
    EXPECT_TRUE(update.StopSearch());
    EXPECT_EQ(search->m_connected, std::vector<bool>{false});
    EXPECT_EQ(search->m_connectErrors, std::vector<std::wstring>{noServer});
    EXPECT_TRUE(search->m_searches.empty());

    // The start-up check stays silent.
    EXPECT_TRUE(RunCheck(CVersion(1, 0, 0, 0)).empty());

    // A download leaves no file behind and says why.
    TerrionTest::CTempDir folder;
    auto downloadUi = std::make_shared<TerrionTest::CFakeUpdateUi>();
    {
        Update::CInstallerDownload download(update.Client(), L"TerrionLink", downloadUi);
        ASSERT_TRUE(download.Open(folder / "TerrionLink_V_2_0_0_0.exe"));
        ASSERT_TRUE(
            download.Start(Update::SInstaller{L"TerrionLink_V_2_0_0_0.exe", 100, CVersion(2, 0, 0, 0)}));
        ASSERT_TRUE(downloadUi->WaitFor([](auto& u) { return !u.m_results.empty(); }));
        EXPECT_TRUE(download.Wait(CProgramUpdate::kStopWaitMs));
    }
    EXPECT_EQ(downloadUi->m_results[0], Update::NDownloadResult::Failed);
    EXPECT_EQ(downloadUi->m_finishTexts[0], noServer);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

} // namespace
