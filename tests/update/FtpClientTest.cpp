// The FTP client against a real server: the folder layout, listings, and the
// texts its failures leave.

#include "update/FtpClient.h"
#include "tests/update/FakeUpdateUi.h"
#include "tests/update/FtpServerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

using Update::CFtpClient;
using Update::NFtpFailure;
using Update::SFtpEntry;

class FtpClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_server.AddFile("VnUpgrade/TerrionLink/TerrionLink_V_1_3_0_0.exe", 1234);
        m_server.AddFile("VnUpgrade/TerrionLink/readme.txt", 10);
        m_server.AddFile("VnUpgrade/0a000001/Terrion-V2.1.0_FW.lod", 77);
        ASSERT_TRUE(m_server.Start());
    }

    TerrionTest::CFtpServerFixture m_server;
};

TEST_F(FtpClientTest, ConnectsToTheProductFolderAndListsItsFilesWithSizes)
{
    CFtpClient client;
    ASSERT_TRUE(client.ConnectUpgradeFolder(L"TerrionLink"))
        << std::string(client.GetLastErrorText().begin(), client.GetLastErrorText().end());
    EXPECT_TRUE(client.IsConnected());
    std::vector<SFtpEntry> entries;
    ASSERT_TRUE(client.List(L"*", entries));
    std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, L"TerrionLink_V_1_3_0_0.exe");
    EXPECT_EQ(entries[0].size, 1234u);
    EXPECT_EQ(entries[1].name, L"readme.txt");

    ASSERT_TRUE(client.List(L"*.lod", entries));
    EXPECT_TRUE(entries.empty());

    // A second connect replaces the first and lands in the other folder.
    ASSERT_TRUE(client.ConnectUpgradeFolder(L"0a000001"));
    ASSERT_TRUE(client.List(L"*.lod", entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, L"Terrion-V2.1.0_FW.lod");

    client.Disconnect();
    EXPECT_FALSE(client.IsConnected());
}

TEST_F(FtpClientTest, MissingFolderNamesTheWholePathAndShowsABoxOnlyWhenAsked)
{
    auto ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
    CFtpClient client;
    client.SetMessageSink(ui);
    client.SetShowMessages(false);
    EXPECT_FALSE(client.ConnectUpgradeFolder(L"xyz"));
    EXPECT_EQ(client.GetLastFailure(), NFtpFailure::Folder);
    EXPECT_EQ(client.GetLastErrorText(), L"Directory (./VnUpgrade/xyz/) not found on the FTP server!");
    EXPECT_FALSE(client.IsConnected());
    EXPECT_TRUE(ui->Messages().empty());

    client.SetShowMessages(true);
    EXPECT_FALSE(client.ConnectUpgradeFolder(L"xyz"));
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0], L"Directory (./VnUpgrade/xyz/) not found on the FTP server!");
}

TEST_F(FtpClientTest, ServerDownAndNoServerConfiguredFailWithAText)
{
    CFtpClient client;
    m_server.Stop();
    CFtpClient::SetServer("127.0.0.1:" + std::to_string(TerrionTest::CFtpServerFixture::ClosedPort()));
    EXPECT_FALSE(client.ConnectUpgradeFolder(L"TerrionLink"));
    EXPECT_EQ(client.GetLastFailure(), NFtpFailure::Server);
    std::wstring text = client.GetLastErrorText();
    EXPECT_NE(text.find(L"(Error 7)"), std::wstring::npos) << std::string(text.begin(), text.end());

    CFtpClient::SetServer("");
    EXPECT_FALSE(client.ConnectUpgradeFolder(L"TerrionLink"));
    EXPECT_EQ(client.GetLastFailure(), NFtpFailure::NoServer);
    EXPECT_EQ(client.GetLastErrorText(), L"No update server is configured.");
}

TEST_F(FtpClientTest, ListingLeavesOutNamesThatLeadOutOfTheFolder)
{
    m_server.AddFile("VnUpgrade/TerrionLink/..\\TerrionLink_V_9_0_0_0.exe", 5);
    m_server.AddFile("VnUpgrade/TerrionLink/a\\b_V_9_0_0_0.exe", 5);
    CFtpClient client;
    ASSERT_TRUE(client.ConnectUpgradeFolder(L"TerrionLink"));
    std::vector<SFtpEntry> entries;
    ASSERT_TRUE(client.List(L"*", entries));
    EXPECT_EQ(entries.size(), 2u);
    for (const auto& entry : entries)
        EXPECT_EQ(entry.name.find(L'\\'), std::wstring::npos);

    struct SCase
    {
        const wchar_t* name;
        bool safe;
    };
    for (const SCase& c : {SCase{L"TerrionLink_V_1_0_0_0.exe", true}, SCase{L"../x.exe", false},
                           SCase{L"a/b.exe", false}, SCase{L"a\\b.exe", false}, SCase{L"..", false},
                           SCase{L"x..exe", false}, SCase{L"", false}, SCase{L"a\nb", false}})
        EXPECT_EQ(CFtpClient::IsSafeFileName(c.name), c.safe) << std::string(c.name, c.name + wcslen(c.name));
}

TEST(FtpClientListing, ServerWithoutMachineListingsIsReadFromItsPlainListing)
{
    TerrionTest::CFtpServerFixture server;
    server.AddFile("VnUpgrade/TerrionLink/TerrionLink_V_1_3_0_0.exe", 1234);
    server.AddFile("VnUpgrade/TerrionLink/Setup with blanks_V_2_0_0_0.exe", 7);
    ASSERT_TRUE(server.Start({"--no-mlsd"}));
    auto ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
    CFtpClient client;
    client.SetMessageSink(ui);
    ASSERT_TRUE(client.ConnectUpgradeFolder(L"TerrionLink"));
    std::vector<SFtpEntry> entries;
    ASSERT_TRUE(client.List(L"*.exe", entries));
    std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, L"Setup with blanks_V_2_0_0_0.exe");
    EXPECT_EQ(entries[0].size, 7u);
    EXPECT_EQ(entries[1].name, L"TerrionLink_V_1_3_0_0.exe");
    EXPECT_EQ(entries[1].size, 1234u);
    EXPECT_TRUE(ui->Messages().empty());
}

TEST_F(FtpClientTest, CancelEndsTheNextCallAtOnce)
{
    CFtpClient client;
    client.Cancel();
    EXPECT_FALSE(client.ConnectUpgradeFolder(L"TerrionLink"));
    EXPECT_EQ(client.GetLastFailure(), NFtpFailure::Cancelled);
    client.ResetCancel();
    EXPECT_TRUE(client.ConnectUpgradeFolder(L"TerrionLink"));
}

} // namespace
