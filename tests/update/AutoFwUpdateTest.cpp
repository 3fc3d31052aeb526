// The firmware check: versions in firmware file names, the newest firmware on
// the server for the simulated Terrion, and the schedule of the reminder
// after repeated failures to reach the server.

#include "update/AutoFwUpdate.h"
#include "device/TerrionDevice.h"
#include "platform/MemorySettingsStore.h"
#include "streams/Rs232Stream.h"
#include "tests/simulator/TerrionSimulator.h"
#include "tests/update/FakeUpdateUi.h"
#include "tests/update/FtpServerFixture.h"
#include "update/FtpClient.h"

#include <gtest/gtest.h>

namespace
{

using Update::CAutoFwUpdate;

constexpr unsigned kNewFirmwareVersion = 0x411;
constexpr unsigned kNewOsVersion = 0x412;

TEST(AutoFwUpdateFileVersion, ReadsTheVersionForTheContentType)
{
    struct SCase
    {
        const wchar_t* name;
        int type;
        CVersion expected;
    };
    const SCase cases[] = {
        {L"Terrion-V1.2.3_FW.lod", 1, CVersion(1, 2, 3, 0)},
        {L"Terrion-V1.2.3_APP.lod", 1, CVersion(1, 2, 3, 0)},
        {L"Terrion-V2_0_1.OS.lod", 2, CVersion(2, 0, 1, 0)},
        {L"Terrion-V2_0_1.OS.lod", 1, CVersion()},
        {L"Terrion-V1.2.3_FW.lod", 2, CVersion()},
        {L"Terrion-V1.2.3.lod", 1, CVersion(1, 2, 3, 0)},
        {L"Terrion-V1.2.3.lod", 2, CVersion(1, 2, 3, 0)},
        {L"Terrion-VFW_1.2.3.lod", 1, CVersion()},
        {L"Terrion-V1.2.3_FW.LOD", 1, CVersion()},
        {L"Terrion-v1.2.3_FW.lod", 1, CVersion()},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(CAutoFwUpdate::GetFileVersion(c.name, c.type), c.expected)
            << std::string(c.name, c.name + wcslen(c.name)) << " type " << c.type;
}

TEST(AutoFwUpdateFindNewest, TheHighestNewerVersionWinsWhateverTheListingOrder)
{
    Device::CContents contents;
    contents.m_entries.resize(2);
    contents.m_entries[0].type = 1;
    contents.m_entries[0].version = CVersion(1, 2, 0, 0);
    contents.m_entries[1].type = 2;
    contents.m_entries[1].version = CVersion(3, 0, 0, 0);
    const std::vector<Update::SFtpEntry> files = {
        {L"T-V1.3.0_FW.lod", 1}, {L"T-V1.2.5_FW.lod", 1}, {L"T-V1.1.0_APP.lod", 1},
        {L"T-V3.1.0_OS.lod", 1}, {L"T-V2.9.0.lod", 1},    {L"T-V1.2.0_FW.lod", 1},
    };
    EXPECT_EQ(CAutoFwUpdate::FindNewest(contents, files, 1), CVersion(2, 9, 0, 0));
    EXPECT_EQ(CAutoFwUpdate::FindNewest(contents, files, 2), CVersion(3, 1, 0, 0));
    EXPECT_EQ(CAutoFwUpdate::FindNewest(contents, {files[1], files[0]}, 1), CVersion(1, 3, 0, 0));
    EXPECT_TRUE(CAutoFwUpdate::FindNewest(contents, {files[2], files[5]}, 1).IsZero());
}

/// An instrument that identifies at once with fixed contents.
class CFakeDevice : public Device::CVnDevice
{
public:
    CFakeDevice() : CVnDevice(Device::typeTerrion, L"Terrion", 1, 0x0A) {}
    std::unique_ptr<CVnDevice> CreateInstance() const override { return std::make_unique<CFakeDevice>(); }
    bool Identify(Device::SDeviceInfo& info) override
    {
        info.typeName = L"Terrion";
        info.firmwareVersion = L"2.0.1";
        return m_bAnswers;
    }
    std::wstring GetInfoText() override { return L""; }
    std::wstring GetSerialNumber() const override { return L"TN1"; }
    bool GetContents(Device::CContents& contents) override
    {
        contents.m_entries.assign(1, Device::SContentEntry{});
        contents.m_entries[0].type = 1;
        contents.m_entries[0].version = CVersion(2, 0, 1, 0);
        return m_bAnswers;
    }
    std::int32_t GetDeviceId() override { return 0x0A000001; }

    bool m_bAnswers = true;
};

class AutoFwUpdateTest : public ::testing::Test
{
protected:
    static constexpr const wchar_t* kGroup = L"Settings";

    void StoreCounters(int count, int max)
    {
        m_settings->WriteString(kGroup, CAutoFwUpdate::kFailCount, std::to_wstring(count));
        m_settings->WriteString(kGroup, CAutoFwUpdate::kFailCountMax, std::to_wstring(max));
    }
    std::pair<int, int> StoredCounters() const
    {
        std::wstring count;
        std::wstring max;
        EXPECT_TRUE(m_settings->ReadString(kGroup, CAutoFwUpdate::kFailCount, count));
        EXPECT_TRUE(m_settings->ReadString(kGroup, CAutoFwUpdate::kFailCountMax, max));
        return {std::stoi(count), std::stoi(max)};
    }
    /// One check of the fake instrument to its end; its exit code.
    int RunCheck(Device::CVnDevice& device)
    {
        CAutoFwUpdate check(m_ui, m_settings, L"");
        EXPECT_TRUE(check.Start(&device, kNewFirmwareVersion, 0));
        EXPECT_TRUE(TerrionTest::PollUntil([&] { return !check.IsRunning(); }));
        EXPECT_TRUE(check.Stop());
        return check.ExitCode();
    }
    void ServerDown()
    {
        Update::CFtpClient::SetServer("127.0.0.1:" +
                                      std::to_string(TerrionTest::CFtpServerFixture::ClosedPort()));
    }

    TerrionTest::CFtpServerFixture m_server;
    std::shared_ptr<TerrionTest::CFakeUpdateUi> m_ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
    std::shared_ptr<Platform::CMemorySettingsStore> m_settings =
        std::make_shared<Platform::CMemorySettingsStore>();
};

TEST_F(AutoFwUpdateTest, AnnouncesTheHighestNewerFirmwareOfTheSimulatedTerrion)
{
    for (const char* name :
         {"Terrion-V2.0.5_FW.lod", "Terrion-V2.3.0_APP.lod", "Terrion-V2.2.0.lod", "Terrion-V9.0.0_OS.lod",
          "Terrion-V3.0.0_FW.LOD", "Terrion-v4.0.0_FW.lod", "Terrion-V2.0.1_FW.lod", "Terrion-V5.0.0_FW.txt"})
        m_server.AddFile(std::string("VnUpgrade/0a000001/") + name, 16);
    m_server.AddFile("VnUpgrade/0a000002/Terrion-V7.0.0_FW.lod", 16);
    ASSERT_TRUE(m_server.Start());
    StoreCounters(7, 50);

    TerrionTest::CTerrionSimulator simulator;
    simulator.Map(212);
    Device::CTerrionDevice device;
    auto stream = std::make_unique<StreamIO::CRs232Stream>(212, StreamIO::ofRead | StreamIO::ofWrite,
                                                           &device.GetSerialSettings());
    ASSERT_TRUE(stream->IsOpen());
    ASSERT_TRUE(device.Attach(stream.get(), Device::portSerial));
    stream.release();

    CAutoFwUpdate check(m_ui, m_settings, L"");
    ASSERT_TRUE(check.Start(&device, kNewFirmwareVersion, kNewOsVersion));
    ASSERT_TRUE(TerrionTest::PollUntil([&] { return !check.IsRunning(); }));
    ASSERT_TRUE(check.Stop());
    EXPECT_EQ(check.ExitCode(), CAutoFwUpdate::kExitChecked);
    auto posts = m_ui->Posts();
    ASSERT_EQ(posts.size(), 2u);
    EXPECT_EQ(posts[0].messageId, kNewOsVersion);
    EXPECT_TRUE(posts[0].version.IsZero()); // the Terrion has no operating-system entry
    EXPECT_EQ(posts[1].messageId, kNewFirmwareVersion);
    EXPECT_EQ(posts[1].version, CVersion(2, 3, 0, 0));
    EXPECT_EQ(StoredCounters(), std::make_pair(0, 100));
}

TEST_F(AutoFwUpdateTest, MissingFolderIsNoFailureToReachTheServer)
{
    m_server.AddFile("VnUpgrade/TerrionLink/TerrionLink_V_1_0_0_0.exe", 1);
    ASSERT_TRUE(m_server.Start());
    StoreCounters(5, 20);
    CFakeDevice device;
    EXPECT_EQ(RunCheck(device), CAutoFwUpdate::kExitChecked);
    EXPECT_EQ(StoredCounters(), std::make_pair(0, 100));
    auto posts = m_ui->Posts();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_TRUE(posts[0].version.IsZero());
}

TEST_F(AutoFwUpdateTest, NoThreadWhenTheInstrumentDoesNotAnswer)
{
    CFakeDevice device;
    device.m_bAnswers = false;
    CAutoFwUpdate check(m_ui, m_settings, L"");
    EXPECT_FALSE(check.Start(&device, kNewFirmwareVersion, 0));
    EXPECT_FALSE(check.IsRunning());
    EXPECT_FALSE(m_settings->Contains(kGroup, CAutoFwUpdate::kFailCount));
}

TEST_F(AutoFwUpdateTest, FailureCountersFollowTheReminderSchedule)
{
    ServerDown();
    CFakeDevice device;

    struct SStep
    {
        int count;
        int max; // -1: nothing stored
        int expectedCount;
        int expectedMax;
        bool reminded;
    };
    const SStep steps[] = {
        {0, -1, 1, 100, false},
        {99, 100, 100, 100, false},
        {100, 100, 0, 50, true},
        {49, 50, 50, 50, false},
        {51, 50, 0, 25, true},
        {6, 6, 0, 10, true},
        {10, 10, 0, 5, true},
        {5, 5, 0, 10, true},
        // Stored values beyond any schedule are clamped when read, never counted past the int.
        {2147483647, 100, 0, 50, true},
        {5, 2147483647, 6, 100000, false},
        {-3, 100, 1, 100, false},
    };
    for (const SStep& step : steps)
    {
        m_settings = std::make_shared<Platform::CMemorySettingsStore>();
        m_ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
        if (step.max >= 0)
            StoreCounters(step.count, step.max);
        int exit = RunCheck(device);
        EXPECT_EQ(StoredCounters(), std::make_pair(step.expectedCount, step.expectedMax)) << step.count;
        EXPECT_EQ(exit, step.reminded ? CAutoFwUpdate::kExitReminded : CAutoFwUpdate::kExitFailed);
        auto messages = m_ui->Messages();
        EXPECT_EQ(messages.size(), step.reminded ? 1u : 0u);
        if (step.reminded && !messages.empty())
        {
            EXPECT_EQ(messages[0].rfind(L"Repeatedly it was not possible to connect the PC to the Internet "
                                        L"to check for newer firmware or OS for the Terrion device.\n",
                                        0),
                      0u);
            EXPECT_EQ(m_ui->m_kinds[0], Resources::NMessageKind::Information);
        }
        EXPECT_TRUE(m_ui->Posts().empty());
    }

    // From a fresh store the reminders come at the 101st and then 51 failures later.
    m_settings = std::make_shared<Platform::CMemorySettingsStore>();
    m_ui = std::make_shared<TerrionTest::CFakeUpdateUi>();
    std::vector<int> reminders;
    for (int failure = 1; failure <= 160; ++failure)
        if (RunCheck(device) == CAutoFwUpdate::kExitReminded)
            reminders.push_back(failure);
    EXPECT_EQ(reminders, (std::vector<int>{101, 152}));
}

TEST_F(AutoFwUpdateTest, NoConfiguredServerIsNotCountedAsNoInternet)
{
    Update::CFtpClient::SetServer(""); // and no TERRIONLINK_UPDATE_SERVER (the fixture cleared it)
    StoreCounters(100, 100);
    CFakeDevice device;
    EXPECT_EQ(RunCheck(device), CAutoFwUpdate::kExitFailed);
    EXPECT_EQ(StoredCounters(), std::make_pair(100, 100));
    EXPECT_TRUE(m_ui->Messages().empty());
    EXPECT_TRUE(m_ui->Posts().empty());
}

TEST_F(AutoFwUpdateTest, ReachingTheServerResetsTheCounters)
{
    m_server.AddFile("VnUpgrade/0a000001/Terrion-V2.0.0_FW.lod", 1);
    ASSERT_TRUE(m_server.Start());
    StoreCounters(42, 12);
    CFakeDevice device;
    EXPECT_EQ(RunCheck(device), CAutoFwUpdate::kExitChecked);
    EXPECT_EQ(StoredCounters(), std::make_pair(0, 100));
    ASSERT_EQ(m_ui->Posts().size(), 1u);
    EXPECT_TRUE(m_ui->Posts()[0].version.IsZero()); // 2.0.0 is older than the installed 2.0.1
}

} // namespace
