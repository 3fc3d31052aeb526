// The connection wizard against the simulated Terrion: its pages, its stored
// choices, the search on the worker thread and a cancel while it runs.

#include "app/connection/wx/DevFoundPage.h"
#include "app/connection/wx/DevSelectPage.h"
#include "app/connection/wx/DeviceInfoPanel.h"
#include "app/connection/wx/PortSelectPage.h"
#include "app/connection/wx/RemoteLoginDlg.h"
#include "app/connection/wx/TerrionConnection.h"
#include "app/connection/wx/WelcomePage.h"
#include "device/DeviceThread.h"
#include "platform/MemorySettingsStore.h"
#include "platform/wx/WxUserPrompts.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/connection/ConnectionTestSupport.h"
#include "tests/simulator/TerrionSimulator.h"
#include "tests/support/NativeWindows.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace
{

using namespace ConnectionTest;
namespace Ids = Resources::Ids;
using Msg = CUserPrompts;

const std::wstring kGroup = L"ConnWizard";

/// Stores a serial search on one port, as a user's last choices would.
void StorePort(Platform::CMemorySettingsStore& store, int port)
{
    store.WriteNumber(kGroup, L"ComPort", static_cast<std::uint32_t>(port));
    store.WriteNumber(kGroup, L"CommPort", 1);
    store.WriteNumber(kGroup, L"Scan", 0);
    store.WriteNumber(kGroup, L"Stop Scan", 0);
}

class CCountingFirmwareCheck : public CConnectionFirmwareCheck
{
public:
    explicit CCountingFirmwareCheck(int& starts) : m_starts(starts) {}
    void Start(Device::CVnDevice&, int, int) override { ++m_starts; }

private:
    int& m_starts;
};

TEST(ConnectionWizard, AFirstRunOffersASerialScanAndStoresTheTerrion)
{
    Platform::CMemorySettingsStore store;
    CScriptedPrompts messages;
    CTerrionConnection connection(messages);
    connection.SetSettingsStore(&store);
    CWizardDriver driver;
    bool checked = false;
    driver.onPage = [&](CDevSelectSheet& sheet)
    {
        CPortSelectPage* page = sheet.GetPortPage();
        EXPECT_EQ(sheet.GetCurrentPage(), page);
        EXPECT_EQ(sheet.GetPageCount(), 2);
        EXPECT_EQ(page->GetInterfaceList()->GetStringSelection(), wxString(L"Serial"));
        EXPECT_TRUE(page->GetScanBox()->GetValue());
        EXPECT_TRUE(page->GetStopBox()->GetValue());
        EXPECT_FALSE(page->GetComEdit()->IsEnabled());
        EXPECT_FALSE(page->GetIpEdit()->IsEnabled());
        EXPECT_FALSE(sheet.IsButtonEnabled(wxID_BACKWARD));
        EXPECT_TRUE(sheet.IsButtonEnabled(wxID_FORWARD));
        SaveScreenshot(&sheet, "wizard_port_page");
        checked = true;
        wxTheApp->CallAfter([&sheet] { sheet.PressButton(wxID_CANCEL); });
        return true;
    };
    EXPECT_FALSE(connection.Connect(false));
    EXPECT_TRUE(checked);
    EXPECT_EQ(connection.GetDevice(), nullptr);
    // Cancelled, the wizard still keeps its settings, now for the Terrion.
    std::uint32_t value = 99;
    ASSERT_TRUE(store.ReadNumber(kGroup, L"Express", value));
    EXPECT_EQ(value, 0u);
    ASSERT_TRUE(store.ReadNumber(kGroup, L"DeviceType", value));
    EXPECT_EQ(value, 7u);
}

TEST(ConnectionWizard, StoredChoicesComeBackAndTheFoundTerrionIsHeld)
{
    constexpr int kPort = 231;
    TerrionTest::CTerrionSimulator sim;
    sim.Map(kPort);
    Platform::CMemorySettingsStore store;
    StorePort(store, kPort);
    CScriptedPrompts messages;
    CTerrionConnection connection(messages);
    connection.SetSettingsStore(&store);
    int checkStarts = 0;
    connection.SetFirmwareCheckFactory([&](wxWindow*)
                                       { return std::make_unique<CCountingFirmwareCheck>(checkStarts); });
    CWizardDriver driver;
    driver.onPage = [&](CDevSelectSheet& sheet)
    {
        if (sheet.GetCurrentPage() == sheet.GetPortPage())
        {
            EXPECT_EQ(sheet.GetPortPage()->GetComEdit()->GetValue(), wxString(L"231"));
            EXPECT_FALSE(sheet.GetPortPage()->GetScanBox()->GetValue());
            EXPECT_TRUE(sheet.GetPortPage()->GetComEdit()->IsEnabled());
            EXPECT_FALSE(sheet.GetPortPage()->GetStopBox()->IsEnabled());
        }
        return false;
    };
    driver.onSearchEnded = [&](CDevSelectSheet& sheet)
    {
        CDevFoundPage* page = sheet.GetFoundPage();
        EXPECT_EQ(page->GetFoundCount(), 1u);
        EXPECT_EQ(page->GetFoundList()->GetString(0), wxString(L"Serial number: TN12-345-6789    @ COM231"));
        EXPECT_EQ(page->GetStatusEdit()->GetValue(), wxString(L"Finished device search, found device(s):"));
        // The information in two columns: every value starts at one x, right of the widest label.
        CDeviceInfoPanel* info = page->GetInfoPanel();
        ASSERT_EQ(info->GetRowCount(), 5u);
        EXPECT_EQ(info->FindValue(wxS("Serial number:")), wxS("TN12-345-6789"));
        EXPECT_EQ(info->FindValue(wxS("Device type:")), wxS("Terrion"));
        const int labelX = info->GetLabel(0)->GetScreenPosition().x;
        const int valueX = info->GetValue(0)->GetScreenPosition().x;
        int labelsEnd = 0;
        int previousY = -1;
        for (std::size_t row = 0; row < info->GetRowCount(); ++row)
        {
            const wxRect label = info->GetLabel(row)->GetScreenRect();
            const wxRect value = info->GetValue(row)->GetScreenRect();
            EXPECT_EQ(label.x, labelX) << row;
            EXPECT_EQ(value.x, valueX) << row;
            EXPECT_GT(label.y, previousY) << row;
            EXPECT_FALSE(info->GetValue(row)->GetLabelText().empty()) << row;
            previousY = label.y;
            labelsEnd = std::max(labelsEnd, label.GetRight());
        }
        EXPECT_GT(valueX, labelsEnd);
        EXPECT_TRUE(sheet.IsButtonEnabled(wxID_BACKWARD));
        SaveScreenshot(&sheet, "wizard_search_page");
    };
    ASSERT_TRUE(connection.Connect(false));
    ASSERT_NE(connection.GetDevice(), nullptr);
    EXPECT_EQ(connection.GetDevice()->GetType(), Device::typeTerrion);
    EXPECT_EQ(checkStarts, 1);
    EXPECT_TRUE(messages.Texts().empty());
    std::uint32_t value = 0;
    ASSERT_TRUE(store.ReadNumber(kGroup, L"ComPort", value));
    EXPECT_EQ(value, static_cast<std::uint32_t>(kPort));
    ASSERT_TRUE(store.ReadNumber(kGroup, L"Scan", value));
    EXPECT_EQ(value, 0u);

    // Held and answering: no wizard, but a fresh identification.
    const int pages = driver.PagesShown();
    sim.ClearReceived();
    EXPECT_TRUE(connection.Connect(false));
    EXPECT_EQ(driver.PagesShown(), pages);
    EXPECT_NE(sim.ReceivedText().find("@ID@"), std::string::npos);
    connection.Disconnect();
    EXPECT_FALSE(connection.HasFirmwareCheck());
}

TEST(ConnectionWizard, ASearchThatFindsNothingAsksToRetry)
{
    constexpr int kPort = 251; // maps to no device at all
    Platform::CMemorySettingsStore store;
    StorePort(store, kPort);
    CScriptedPrompts messages;
    CTerrionConnection connection(messages);
    connection.SetSettingsStore(&store);
    messages.Answer(Msg::answerRetry);
    messages.Answer(Msg::answerCancel);
    CWizardDriver driver;
    const wxWindow* wizard = nullptr;
    driver.onPage = [&](CDevSelectSheet& sheet)
    {
        wizard = &sheet;
        return false;
    };
    driver.onSearchEnded = [&](CDevSelectSheet& sheet)
    {
        EXPECT_EQ(sheet.GetFoundPage()->GetStatusEdit()->GetValue(),
                  wxString(L"Finished device search, no device found."));
        EXPECT_TRUE(sheet.IsButtonEnabled(wxID_BACKWARD));
        EXPECT_FALSE(sheet.IsButtonEnabled(wxID_FORWARD));
    };
    EXPECT_FALSE(connection.Connect(false));
    EXPECT_EQ(messages.Count(Ids::kNoDeviceRetry), 2);
    EXPECT_EQ(driver.SearchesEnded(), 1);
    // Both questions belong to the wizard that asks them.
    ASSERT_NE(wizard, nullptr);
    for (const auto& asked : messages.Asked())
    {
        EXPECT_EQ(asked.owner, wizard);
        EXPECT_EQ(asked.buttons, Msg::buttonsRetryCancel);
        EXPECT_EQ(asked.icon, Msg::iconQuestion);
    }
}

TEST(ConnectionWizard, TheRealRetryQuestionLeavesTheWizardInFrontOfTheMainWindow)
{
    constexpr int kPort = 252; // maps to no device at all
    Platform::CMemorySettingsStore store;
    StorePort(store, kPort);
    // The main window of the program, which the wizard belongs to.
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxS("TerrionLink"), wxPoint(0, 0), wxSize(1000, 760));
    frame->Show();
    RunLoopFor(100);
    CWxUserPrompts prompts;
    CTerrionConnection connection(prompts);
    connection.SetSettingsStore(&store);
    connection.Init(frame, 0, 0);
    TerrionTest::CBoxAnswerer cancel(false);
    CWizardDriver driver;
    WXWidget wizard = nullptr;
    WXWidget wizardTransientFor = nullptr;
    bool active = false;
    bool focused = false;
    bool above = false;
    driver.onPage = [&](CDevSelectSheet& sheet)
    {
        wizard = sheet.GetHandle();
        wizardTransientFor = TerrionTest::TransientParentOf(&sheet);
        return false;
    };
    driver.onSearchEnded = [&](CDevSelectSheet& sheet)
    {
        // The question was answered with Cancel; the wizard runs on.
        active = TerrionTest::WaitUntilActive(&sheet, 3000);
        focused = wxGetActiveWindow() && wxGetTopLevelParent(wxGetActiveWindow()) == &sheet;
        above = TerrionTest::IsAboveOnScreen(&sheet, frame);
        SaveScreenshot(frame, "wizard_after_retry_cancel");
    };
    EXPECT_FALSE(connection.Connect(false));
    ASSERT_EQ(cancel.Owners().size(), 1u);
    EXPECT_EQ(cancel.Owners()[0], wizard) << "the question belongs to the wizard";
    EXPECT_EQ(wizardTransientFor, frame->GetHandle()) << "the wizard is kept above the main window";
    EXPECT_TRUE(active);
    EXPECT_TRUE(focused);
    EXPECT_TRUE(above);
    frame->Destroy();
    RunLoopFor(50);
}

TEST(ConnectionWizard, CancelDuringASearchReturnsWithinItsBound)
{
    constexpr int kPort = 232;
    TerrionTest::CTerrionSimulator sim;
    sim.SetFault(TerrionTest::sfSilent);
    sim.Map(kPort);
    Platform::CMemorySettingsStore store;
    StorePort(store, kPort);
    CScriptedPrompts messages;
    CTerrionConnection connection(messages);
    connection.SetSettingsStore(&store);
    CWizardDriver driver;
    std::chrono::steady_clock::time_point pressed;
    bool searching = false;
    driver.onSearchPage = [&](CDevSelectSheet& sheet)
    {
        wxTheApp->CallAfter(
            [&]
            {
                searching = sheet.GetFoundPage()->IsSearching();
                EXPECT_FALSE(sheet.IsButtonEnabled(wxID_BACKWARD));
                EXPECT_FALSE(sheet.IsButtonEnabled(wxID_FORWARD));
                // Let the worker get into the silent instrument's time-out.
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                pressed = std::chrono::steady_clock::now();
                sheet.PressButton(wxID_CANCEL);
            });
    };
    EXPECT_FALSE(connection.Connect(false));
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - pressed);
    EXPECT_TRUE(searching);
    EXPECT_LT(waited.count(), Device::kDeviceSearchAbortWaitMs);
    EXPECT_TRUE(messages.Texts().empty()); // no late report reached a page
    RunLoopFor(100);
}

TEST(ConnectionWizard, PortTextsOfTheFoundList)
{
    EXPECT_EQ(CDevFoundPage::PortText(L"\\\\.\\COM5"), L"@ COM5");
    EXPECT_EQ(CDevFoundPage::PortText(L"IP:10.0.0.2:3728"), L"@ IP:10.0.0.2");
    EXPECT_EQ(CDevFoundPage::PortText(L"COM7:"), L"@ COM7:");
    EXPECT_EQ(CDevFoundPage::PortText(L"/dev/ttyUSB0"), L"");
}

TEST(ConnectionWizard, StartModeZeroShowsWelcomeAndTypePages)
{
    CScriptedPrompts messages;
    CWizardDriver driver;
    std::vector<wxWizardPage*> shown;
    driver.onPage = [&](CDevSelectSheet& sheet)
    {
        shown.push_back(sheet.GetCurrentPage());
        if (shown.size() == 2)
        {
            CDevSelectPage* page = sheet.GetTypePage();
            EXPECT_EQ(page->GetTypeList()->GetCount(), 12u);
            EXPECT_EQ(page->GetTypeList()->GetSelection(), 7);
            EXPECT_TRUE(sheet.IsButtonEnabled(wxID_BACKWARD));
            wxTheApp->CallAfter([&sheet] { sheet.PressButton(wxID_BACKWARD); });
            return true;
        }
        if (shown.size() == 3)
        {
            wxTheApp->CallAfter([&sheet] { sheet.PressButton(wxID_CANCEL); });
            return true;
        }
        return false; // welcome: Next
    };
    CDevSelectSheet sheet(Ids::kConnWizardCaption, nullptr, 0, 0, messages);
    sheet.Settings().deviceType = Device::typeTerrion;
    EXPECT_EQ(sheet.DoModal(), CDevSelectSheet::kWizardCancel);
    EXPECT_EQ(sheet.GetPageCount(), 4);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], sheet.GetWelcomePage());
    EXPECT_EQ(shown[1], sheet.GetTypePage());
    EXPECT_EQ(shown[2], sheet.GetWelcomePage());
}

/// An instrument that refuses the first login.
class CLoginDevice : public Device::CVnDevice
{
public:
    CLoginDevice() : CVnDevice(Device::typeTerrion, L"Terrion", Device::portSerial, 10) {}
    std::unique_ptr<CVnDevice> CreateInstance() const override { return std::make_unique<CLoginDevice>(); }
    bool Identify(Device::SDeviceInfo&) override { return true; }
    std::wstring GetInfoText() override { return {}; }
    std::wstring GetSerialNumber() const override { return {}; }
    bool GetContents(Device::CContents&) override { return false; }
    bool RemoteLogin(Device::SLoginInfo& info) override
    {
        attempts.push_back(info.user + L"/" + info.password);
        return attempts.size() > 1;
    }
    std::vector<std::wstring> attempts;
};

TEST(RemoteLoginDialog, AFailedLoginOffersRetryWithTheValuesKept)
{
    CScriptedPrompts messages;
    messages.Answer(Msg::answerRetry);
    CLoginDevice device;
    CRemoteLoginDlg dialog(nullptr, &device, messages);
    const auto pressOk = [&dialog]
    {
        wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
        click.SetEventObject(dialog.FindWindow(wxID_OK));
        dialog.GetEventHandler()->ProcessEvent(click);
    };
    wxTheApp->CallAfter(
        [&]
        {
            dialog.GetUserEdit()->SetValue(wxS("admin"));
            dialog.GetPasswordEdit()->SetValue(wxS("secret"));
            pressOk();
            EXPECT_EQ(dialog.GetUserEdit()->GetValue(), wxString(wxS("admin")));
            pressOk();
        });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    EXPECT_EQ(device.attempts, (std::vector<std::wstring>{L"admin/secret", L"admin/secret"}));
    EXPECT_EQ(messages.Count(Ids::kLoginFailed), 1);

    CRemoteLoginDlg without(nullptr, nullptr, messages);
    EXPECT_EQ(without.ShowModal(), wxID_CANCEL);
}

} // namespace
