// Downloading an installer: byte-identical copies, and every way a transfer
// can go wrong ends in a reported failure with nothing left on disk.

#include "update/InstallerDownload.h"
#include "tests/update/FakeUpdateUi.h"
#include "tests/update/FtpServerFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>

namespace
{

using Update::CFtpClient;
using Update::CInstallerDownload;
using Update::NDownloadResult;
using Update::SInstaller;

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class InstallerDownloadTest : public ::testing::Test
{
protected:
    static constexpr const char* kFolder = "VnUpgrade/TerrionLink/";

    /// Files in the local folder (the target and any temporary file).
    std::size_t LocalFileCount() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_local.Path()),
                                                      std::filesystem::directory_iterator()));
    }

    NDownloadResult Download(const SInstaller& installer, std::wstring* text = nullptr)
    {
        auto ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
        auto client = std::make_shared<CFtpClient>();
        CInstallerDownload download(client, L"TerrionLink", ui);
        EXPECT_TRUE(download.Open(m_local / std::string(installer.name.begin(), installer.name.end())));
        EXPECT_TRUE(download.Start(installer));
        EXPECT_TRUE(ui->WaitFor([](auto& u) { return !u.m_results.empty(); }, 30000));
        EXPECT_TRUE(download.Wait(5000));
        EXPECT_EQ(ui->m_results.size(), 1u);
        if (text != nullptr)
            *text = ui->m_finishTexts.at(0);
        return ui->m_results.at(0);
    }

    TerrionTest::CFtpServerFixture m_server;
    TerrionTest::CTempDir m_local;
};

TEST_F(InstallerDownloadTest, CopiesInstallersByteForByte)
{
    for (std::size_t size : {std::size_t{1}, std::size_t{9999}, std::size_t{3 * 1024 * 1024 + 17}})
        m_server.AddFile(std::string(kFolder) + "TerrionLink_V_1_" + std::to_string(size) + "_0_0.exe", size);
    ASSERT_TRUE(m_server.Start());
    for (std::size_t size : {std::size_t{1}, std::size_t{9999}, std::size_t{3 * 1024 * 1024 + 17}})
    {
        std::string name = "TerrionLink_V_1_" + std::to_string(size) + "_0_0.exe";
        SInstaller installer{std::wstring(name.begin(), name.end()), size, CVersion()};
        ASSERT_EQ(Download(installer), NDownloadResult::Done) << size;
        EXPECT_EQ(ReadFile(m_local / name), TerrionTest::CFtpServerFixture::Pattern(size)) << size;
    }
    EXPECT_EQ(LocalFileCount(), 3u); // no temporary file left behind
}

TEST_F(InstallerDownloadTest, EmptyTruncatedVanishedOrMissingInstallersFailAndLeaveNothing)
{
    m_server.AddFile(std::string(kFolder) + "Empty_V_2_0_0_0.exe", 0);
    m_server.AddFile(std::string(kFolder) + "Short_V_2_0_0_0.exe", 5000);
    m_server.AddFile(std::string(kFolder) + "Gone_V_2_0_0_0.exe", 5000);
    ASSERT_TRUE(m_server.Start({"--lie", "Short_V_2_0_0_0.exe=20000"}));
    std::filesystem::remove(m_server.Root() / kFolder / "Gone_V_2_0_0_0.exe"); // vanished after the listing

    struct SCase
    {
        const wchar_t* name;
        std::uint64_t listedSize;
    };
    for (const SCase& c : {SCase{L"Empty_V_2_0_0_0.exe", 0}, SCase{L"Short_V_2_0_0_0.exe", 20000},
                           SCase{L"Gone_V_2_0_0_0.exe", 5000}, SCase{L"Short_V_2_0_0_0.exe", 100}})
    {
        std::wstring text;
        EXPECT_EQ(Download(SInstaller{c.name, c.listedSize, CVersion()}, &text), NDownloadResult::Failed);
        EXPECT_EQ(text, L"Unknown error while downloading.");
        EXPECT_EQ(LocalFileCount(), 0u);
    }
}

TEST_F(InstallerDownloadTest, ServerDownReportsTheConnectionError)
{
    m_server.Start();
    m_server.Stop();
    std::wstring text;
    EXPECT_EQ(Download(SInstaller{L"TerrionLink_V_2_0_0_0.exe", 10, CVersion()}, &text),
              NDownloadResult::Failed);
    EXPECT_NE(text.find(L"(Error 7)"), std::wstring::npos);
    EXPECT_EQ(LocalFileCount(), 0u);
}

TEST_F(InstallerDownloadTest, CancelMidDownloadReturnsWithinTheBoundAndDeletesThePartialFile)
{
    const std::size_t size = 4 * 1024 * 1024;
    m_server.AddFile(std::string(kFolder) + "TerrionLink_V_2_0_0_0.exe", size);
    ASSERT_TRUE(m_server.Start({"--throttle", "65536"}));

    auto ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
    auto client = std::make_shared<CFtpClient>();
    CInstallerDownload download(client, L"TerrionLink", ui);
    ASSERT_TRUE(download.Open(m_local / "TerrionLink_V_2_0_0_0.exe"));
    ASSERT_TRUE(download.Start(SInstaller{L"TerrionLink_V_2_0_0_0.exe", size, CVersion()}));
    ASSERT_TRUE(ui->WaitFor([](auto& u) { return u.m_lastProgress > 0; }));
    EXPECT_EQ(LocalFileCount(), 1u); // the temporary file, not the target
    EXPECT_FALSE(std::filesystem::exists(m_local / "TerrionLink_V_2_0_0_0.exe"));

    auto start = std::chrono::steady_clock::now();
    download.Cancel();
    EXPECT_TRUE(download.Wait(CInstallerDownload::kStopWaitMs));
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(CInstallerDownload::kStopWaitMs));
    ASSERT_EQ(ui->m_results.size(), 1u);
    EXPECT_EQ(ui->m_results[0], NDownloadResult::Cancelled);
    EXPECT_EQ(LocalFileCount(), 0u);
}

TEST_F(InstallerDownloadTest, RefusesNamesThatLeadOutOfTheFolderAndUnwritableFolders)
{
    auto client = std::make_shared<CFtpClient>();
    CInstallerDownload download(client, L"TerrionLink", nullptr);
    ASSERT_TRUE(download.Open(m_local / "x.exe"));
    EXPECT_FALSE(download.Start(SInstaller{L"../TerrionLink_V_2_0_0_0.exe", 10, CVersion()}));
    EXPECT_FALSE(download.Start(SInstaller{L"a\\TerrionLink_V_2_0_0_0.exe", 10, CVersion()}));
    EXPECT_FALSE(download.Open(m_local / "no-such-folder" / "x.exe"));
}

} // namespace
