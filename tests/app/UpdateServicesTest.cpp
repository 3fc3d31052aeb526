// The update services in the running program against a loopback update
// server named by TERRIONLINK_UPDATE_SERVER: the start-up check brings the
// "New Version available!" menu, connecting the simulated Terrion adds the
// firmware notice, disconnecting stops a hung firmware check within its
// bound, and the failure counters that the check writes from its worker
// reach the settings file intact while the user-interface thread uses the
// same store.

#include "app/connection/wx/TerrionConnection.h"
#include "app/shell/AppFirmwareCheck.h"
#include "app/shell/CommandIds.h"
#include "app/shell/MainFrame.h"
#include "app/shell/WxSettingsStore.h"
#include "data/TerrionDoc.h"
#include "device/VnDevice.h"
#include "platform/LockedSettingsStore.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/Screenshots.h"
#include "tests/simulator/TerrionSimulator.h"
#include "tests/support/TempDir.h"
#include "tests/update/FakeUpdateUi.h"
#include "tests/update/FtpServerFixture.h"
#include "update/AutoFwUpdate.h"
#include "update/FtpClient.h"
#include "update/wizard/UpdateEvents.h"

#include <wx/app.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <set>

namespace TerrionTest
{
namespace
{

constexpr int kPort = 244;
constexpr const wchar_t* kSettings = L"Settings";
using Update::CAutoFwUpdate;

/// The program finds the server the way a user would point it there.
void PointProgramAt(const std::string& hostAndPort)
{
    Update::CFtpClient::SetServer("");
    ::setenv("TERRIONLINK_UPDATE_SERVER", hostAndPort.c_str(), 1);
}

/// A loopback server that takes connections and never says a word.
class CSilentServer
{
public:
    CSilentServer()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        ::listen(m_socket, 8);
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~CSilentServer() { ::close(m_socket); }
    CSilentServer(const CSilentServer&) = delete;
    CSilentServer& operator=(const CSilentServer&) = delete;

    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(m_port); }

private:
    int m_socket = -1;
    int m_port = 0;
};

class CUpdateServicesTest : public CAppTest
{
protected:
    CUpdateServicesTest()
        : m_sim(CTerrionScenario::Load(TERRION_TEST_DATA_DIR "/device/three_series.scenario"))
    {
        m_sim.Map(kPort);
        PointTheWizardAt(kPort);
    }
    void SetUp() override {} // the frame comes up once the server runs
    void StartFrame() { CAppTest::SetUp(); }
    void TearDown() override
    {
        theConnection.Disconnect(); // before the simulator goes
        CAppTest::TearDown();
        ::unsetenv("TERRIONLINK_UPDATE_SERVER");
    }

    bool PumpUntil(const std::function<bool()>& done, int seconds = 20)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (!done())
        {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            Pump();
            wxMilliSleep(10);
        }
        return true;
    }

    std::wstring Stored(const wchar_t* name)
    {
        std::wstring value;
        CAppEnvironment::Store().ReadString(kSettings, name, value);
        return value;
    }

    CAutoFwUpdate* RunningCheck()
    {
        auto* check = dynamic_cast<CAppFirmwareCheck*>(theConnection.FirmwareCheck());
        return check ? &check->Check() : nullptr;
    }

    /// The frame with its "New Version available!" menu opened from the
    /// keyboard (F10 opens the first menu, Left wraps round to the last).
    wxImage ShotWithVersionMenuOpen()
    {
        Frame().SetSize(0, 0, 1000, 700);
        Frame().Raise();
        Frame().SetFocus();
        for (int i = 0; i < 10; ++i)
        {
            Pump();
            wxMilliSleep(20);
        }
        wxUIActionSimulator keys;
        keys.Char(WXK_F10);
        for (int i = 0; i < 10; ++i)
        {
            Pump();
            wxMilliSleep(20);
        }
        keys.Char(WXK_LEFT);
        for (int i = 0; i < 15; ++i)
        {
            Pump();
            wxMilliSleep(20);
        }
        const wxImage shot = ScreenImage(Frame().GetScreenRect());
        keys.Char(WXK_ESCAPE);
        keys.Char(WXK_ESCAPE);
        for (int i = 0; i < 5; ++i)
        {
            Pump();
            wxMilliSleep(20);
        }
        return shot;
    }

    CFtpServerFixture m_server;
    CTerrionSimulator m_sim;
    CWizardAnswers m_wizard;
};

TEST_F(CUpdateServicesTest, StartUpCheckAndConnectionBringTheNewVersionMenu)
{
    m_server.AddFile("VnUpgrade/TerrionLink/TerrionLink_V_0_9_0_0.exe", 10);
    m_server.AddFile("VnUpgrade/TerrionLink/TerrionLink_V_9_0_1_0.exe", 10);
    // The simulated Terrion is device 0A000001 with firmware 2.0.1 installed.
    for (const char* name : {"Terrion-V2.3.0_FW.lod", "Terrion-V2.1.0_FW.lod", "Terrion-V2.0.1_FW.lod",
                             "Terrion-V1.9.0_FW.lod", "Terrion-V8.0.0_OS.lod"})
        m_server.AddFile(std::string("VnUpgrade/0a000001/") + name, 32);
    ASSERT_TRUE(m_server.Start());
    PointProgramAt("127.0.0.1:" + std::to_string(m_server.Port()));
    CAppEnvironment::Store().WriteString(kSettings, CAutoFwUpdate::kFailCount, L"7");
    CAppEnvironment::Store().WriteString(kSettings, CAutoFwUpdate::kFailCountMax, L"50");

    StartFrame();
    ASSERT_TRUE(PumpUntil([&] { return !Frame().NewerProgramVersion().IsZero(); }));
    EXPECT_EQ(Frame().NewerProgramVersion(), CVersion(9, 0, 1, 0));
    ASSERT_NE(Frame().VersionMenu(), nullptr);
    EXPECT_EQ(Frame().VersionMenu()->GetMenuItemCount(), 1u);
    EXPECT_TRUE(Frame().NewerFirmwareVersion().IsZero());
    EXPECT_FALSE(theConnection.HasFirmwareCheck());

    // The download connects through the wizard, and the connection starts the check.
    Command(AppIds::kDeviceDownload);
    ASSERT_GT(m_wizard.pages, 0);
    ASSERT_EQ(Frame().Document().GetSeriesCount(), 3);
    ASSERT_TRUE(theConnection.HasFirmwareCheck());
    ASSERT_TRUE(PumpUntil([&] { return !Frame().NewerFirmwareVersion().IsZero(); }));
    EXPECT_EQ(Frame().NewerFirmwareVersion(), CVersion(2, 3, 0, 0));
    wxMenu* menu = Frame().VersionMenu();
    ASSERT_NE(menu, nullptr);
    wxMenuBar* bar = Frame().GetMenuBar();
    EXPECT_EQ(bar->GetMenu(bar->GetMenuCount() - 1), menu);
    EXPECT_EQ(bar->GetMenuLabelText(bar->GetMenuCount() - 1), "New Version available!");
    ASSERT_EQ(menu->GetMenuItemCount(), 2u);
    EXPECT_EQ(menu->FindItemByPosition(0)->GetItemLabelText(), "Upate TerrionLink to Version 9.0.1");
    EXPECT_EQ(menu->FindItemByPosition(1)->GetItemLabelText(), "Update Terrion to version 2.3.0");
    EXPECT_EQ(menu->FindItemByPosition(1)->GetId(), AppIds::ToWindowId(AppIds::kDeviceUpgrade));
    // The server was reached: the counters start again.
    ASSERT_TRUE(PumpUntil([&] { return RunningCheck() && !RunningCheck()->IsRunning(); }));
    EXPECT_EQ(Stored(CAutoFwUpdate::kFailCount), L"0");
    EXPECT_EQ(Stored(CAutoFwUpdate::kFailCountMax), L"100");
    EXPECT_TRUE(Prompts().messages.empty());

    EXPECT_TRUE(SaveArtefact(ShotWithVersionMenuOpen(), L"main_window_new_version.png"));

    // Held and answering, the instrument is not connected again: no second check.
    CAutoFwUpdate* first = RunningCheck();
    Command(AppIds::kDeviceAdd);
    EXPECT_EQ(RunningCheck(), first);
}

TEST_F(CUpdateServicesTest, DisconnectStopsAHungFirmwareCheckWithinItsBound)
{
    CSilentServer silent;
    PointProgramAt(silent.HostAndPort());
    StartFrame();
    Command(AppIds::kDeviceDownload);
    ASSERT_EQ(Frame().Document().GetSeriesCount(), 3);
    ASSERT_NE(RunningCheck(), nullptr);
    EXPECT_TRUE(RunningCheck()->IsRunning());
    // Earlier cases in the same program may have counted already.
    const std::wstring failures = Stored(CAutoFwUpdate::kFailCount);

    const auto start = std::chrono::steady_clock::now();
    theConnection.Disconnect();
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(CAutoFwUpdate::kStopWaitMs));
    EXPECT_FALSE(theConnection.HasFirmwareCheck());
    // A check that was stopped is no failure to reach the server, and reports nothing.
    for (int i = 0; i < 20; ++i)
    {
        Pump();
        wxMilliSleep(10);
    }
    EXPECT_TRUE(Frame().NewerFirmwareVersion().IsZero());
    EXPECT_EQ(Stored(CAutoFwUpdate::kFailCount), failures);
    EXPECT_TRUE(Prompts().messages.empty());
}

/// An instrument that identifies at once: device 0A000001 with firmware 2.0.1.
class CAnsweringDevice : public Device::CVnDevice
{
public:
    CAnsweringDevice() : CVnDevice(Device::typeTerrion, L"Terrion", 1, 0x0A) {}
    std::unique_ptr<CVnDevice> CreateInstance() const override
    {
        return std::make_unique<CAnsweringDevice>();
    }
    bool Identify(Device::SDeviceInfo& info) override
    {
        info.typeName = L"Terrion";
        info.firmwareVersion = L"2.0.1";
        return true;
    }
    std::wstring GetInfoText() override { return L""; }
    std::wstring GetSerialNumber() const override { return L"TN1"; }
    bool GetContents(Device::CContents& contents) override
    {
        contents.m_entries.assign(1, Device::SContentEntry{});
        contents.m_entries[0].type = 1;
        contents.m_entries[0].version = CVersion(2, 0, 1, 0);
        return true;
    }
    std::int32_t GetDeviceId() override { return 0x0A000001; }
};

TEST(FirmwareCheckCounters, WrittenFromTheWorkerWhileTheInterfaceUsesTheSameStore)
{
    CTempDir folder;
    const std::wstring file = (folder / "TerrionLink.conf").wstring();
    auto store = std::make_shared<Platform::CLockedSettingsStore>(std::make_unique<CWxSettingsStore>(file));
    store->WriteString(kSettings, CAutoFwUpdate::kFailCount, L"98");
    store->WriteString(kSettings, CAutoFwUpdate::kFailCountMax, L"100");
    ASSERT_TRUE(store->Flush());
    PointProgramAt("127.0.0.1:" + std::to_string(CFtpServerFixture::ClosedPort()));

    auto receiver = std::make_shared<CFakeUpdateUi>();
    CAnsweringDevice device;
    int writes = 0;
    for (int check = 0; check < 20; ++check)
    {
        CAppFirmwareCheck firmware(receiver, store);
        firmware.Start(device, static_cast<int>(Update::kNewFirmwareVersionMessage), 0);
        // Meanwhile the interface reads and writes its own values in the same file.
        do
        {
            std::wstring text;
            store->ReadString(kSettings, L"DataFolder", text);
            store->WriteString(kSettings, L"Busy" + std::to_wstring(writes % 40), std::to_wstring(writes));
            if (++writes % 8 == 0)
                store->Flush();
        } while (firmware.Check().IsRunning());
        EXPECT_EQ(firmware.Check().ExitCode(),
                  check == 2 ? CAutoFwUpdate::kExitReminded : CAutoFwUpdate::kExitFailed)
            << check;
    }
    ::unsetenv("TERRIONLINK_UPDATE_SERVER");
    ASSERT_TRUE(store->Flush());

    // 98 -> 99 -> 100 -> the reminder (0 of 50) -> 17 more failures.
    CWxSettingsStore reread(file);
    std::wstring count;
    std::wstring max;
    ASSERT_TRUE(reread.ReadString(kSettings, CAutoFwUpdate::kFailCount, count));
    ASSERT_TRUE(reread.ReadString(kSettings, CAutoFwUpdate::kFailCountMax, max));
    EXPECT_EQ(count, L"17");
    EXPECT_EQ(max, L"50");
    EXPECT_EQ(receiver->Messages().size(), 1u);
    EXPECT_TRUE(receiver->Posts().empty());
    for (int i = 0; i < std::min(writes, 40); ++i)
        EXPECT_TRUE(reread.ReadString(kSettings, L"Busy" + std::to_wstring(i), count)) << i;
}

} // namespace
} // namespace TerrionTest
