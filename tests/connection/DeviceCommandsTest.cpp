// The main frame's device commands end to end: the simulated Terrion on a
// pseudo-terminal, the wizard driven through its observer, message boxes and
// the settings dialog answered by the tests.

#include "app/connection/wx/DeviceCommands.h"
#include "app/connection/wx/ContactSpacingDlg.h"
#include "app/connection/wx/ProgressRepaint.h"
#include "data/TerrionDoc.h"
#include "platform/MemorySettingsStore.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/connection/ConnectionTestSupport.h"
#include "tests/simulator/TerrionSimulator.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>

namespace
{

using namespace ConnectionTest;
using namespace TerrionTest;
namespace Ids = Resources::Ids;
using Msg = CUserPrompts;
using Clock = std::chrono::steady_clock;

/// The progress dialog stand-in: a frame with a gauge, repainted on every
/// step as the download runs; it keeps the positions and a snapshot of the
/// gauge's pixels at the first and the last step.
class CGaugeProgress : public CDownloadProgress
{
public:
    CGaugeProgress()
    {
        // Away from where the dialogs of other tests open.
        m_pFrame = new wxFrame(nullptr, wxID_ANY, wxS("Progress"), wxPoint(260, 380), wxSize(360, 80),
                               wxFRAME_TOOL_WINDOW | wxSTAY_ON_TOP);
        auto* panel = new wxPanel(m_pFrame);
        m_pGauge = new wxGauge(panel, wxID_ANY, 1000, wxPoint(10, 10), wxSize(330, 24));
    }
    ~CGaugeProgress() override { m_pFrame->Destroy(); }

    void ShowProgress(bool show) override
    {
        shows.push_back(show);
        m_pFrame->Show(show);
        if (show)
            m_pFrame->Raise();
        CProgressRepaint::Now(m_pFrame);
    }
    void SetProgressPos(int position) override
    {
        positions.push_back(position);
        m_pGauge->SetValue(position);
        CProgressRepaint::Now(m_pFrame);
        if (!m_pFrame->IsShown())
            return;
        wxImage shot = Snapshot();
        if (!first.IsOk())
            first = shot;
        last = shot;
    }

    /// What the X server shows where the gauge is.
    wxImage Snapshot() const { return ScreenImage(m_pGauge->GetScreenRect()); }

    std::vector<int> positions;
    std::vector<bool> shows;
    wxImage first;
    wxImage last;

private:
    wxFrame* m_pFrame;
    wxGauge* m_pGauge;
};

int DifferingPixels(const wxImage& a, const wxImage& b)
{
    if (!a.IsOk() || !b.IsOk() || a.GetSize() != b.GetSize())
        return -1;
    int differing = 0;
    const unsigned char* pa = a.GetData();
    const unsigned char* pb = b.GetData();
    for (int i = 0; i < a.GetWidth() * a.GetHeight(); ++i)
        if (pa[3 * i] != pb[3 * i] || pa[3 * i + 1] != pb[3 * i + 1] || pa[3 * i + 2] != pb[3 * i + 2])
            ++differing;
    return differing;
}

CTerrionScenario ThreeSeries()
{
    CTerrionScenario scenario;
    scenario.SetSettings(STerrionSettings{})
        .AddSeries(3, {{50, false, 1, 0x10}, {125, true, 2, 0x22}})
        .AddSeries(7, {{2047, false, 6, 0x10}, {12, false, 0, 0x10}})
        .AddSeries(255, {{1, true, 5, 0xFE}});
    return scenario;
}

class DeviceCommands : public ::testing::Test
{
protected:
    static constexpr int kPort = 241;

    explicit DeviceCommands(const CTerrionScenario& scenario = ThreeSeries())
        : sim(scenario), connection(messages), commands(nullptr, document, progress, messages, connection)
    {
        sim.Map(kPort);
        store.WriteNumber(L"ConnWizard", L"ComPort", kPort);
        store.WriteNumber(L"ConnWizard", L"CommPort", 1);
        store.WriteNumber(L"ConnWizard", L"Scan", 0);
        connection.SetSettingsStore(&store);
        commands.SetTitleUpdate([this] { ++titleUpdates; });
        RunLoopFor(50); // windows of earlier tests go
    }
    ~DeviceCommands() override { connection.Disconnect(); } // before the simulator goes

    /// Runs fn once the settings dialog is up.
    void WithSettingsDialog(std::function<void(CContactSpacingDlg&)> fn)
    {
        wxTheApp->CallAfter(
            [fn]
            {
                for (wxWindow* window : wxTopLevelWindows)
                    if (auto* dialog = dynamic_cast<CContactSpacingDlg*>(window); dialog && dialog->IsModal())
                    {
                        fn(*dialog);
                        return;
                    }
                ADD_FAILURE() << "no settings dialog";
            });
    }

    CTerrionSimulator sim;
    Platform::CMemorySettingsStore store;
    CScriptedPrompts messages;
    CTerrionConnection connection;
    CTerrionDoc document;
    CGaugeProgress progress;
    CDeviceCommands commands;
    CWizardDriver wizard;
    int titleUpdates = 0;
};

TEST_F(DeviceCommands, DownloadThroughTheWizardFillsANewProject)
{
    commands.OnDownloadAll();

    EXPECT_GT(wizard.PagesShown(), 0);
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(titleUpdates, 1);
    ASSERT_EQ(document.GetSeriesCount(), 3);
    EXPECT_TRUE(document.IsModified());
    const struct
    {
        int object;
        std::vector<STerrionReading> readings;
    } expected[] = {{3, {{50, false, 1, 0x10}, {125, true, 2, 0x22}}},
                    {7, {{2047, false, 6, 0x10}, {12, false, 0, 0x10}}},
                    {255, {{1, true, 5, 0xFE}}}};
    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        const auto& series = expected[i];
        EXPECT_EQ(document.GetObjectId(i), series.object);
        EXPECT_EQ(document.GetSerialNumber(i), L"TN12-345-6789");
        EXPECT_EQ(document.GetMeasurementMode(i), Device::NMeasurementMode::Surface);
        ASSERT_EQ(document.GetReadingCount(i), static_cast<int>(series.readings.size()));
        for (int r = 0; r < document.GetReadingCount(i); ++r)
        {
            EXPECT_DOUBLE_EQ(document.GetReading(i, r), series.readings[r].ExpectedValue());
            EXPECT_EQ(document.GetCurrent(i, r), series.readings[r].ExpectedCurrent());
        }
    }
    EXPECT_EQ(document.GetOriginalData().GetCount(), 3);

    // The bar ran from 50 to 1000 in steps, one per block read, and was drawn each time.
    ASSERT_GE(progress.positions.size(), 10u);
    EXPECT_EQ(progress.positions.front(), 50);
    EXPECT_EQ(progress.positions.back(), 1000);
    EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
    EXPECT_EQ(progress.shows, (std::vector<bool>{true, false}));
    progress.first.SaveFile(wxS(TERRION_TEST_OUTPUT_DIR "/download_progress_start.png"), wxBITMAP_TYPE_PNG);
    EXPECT_GT(DifferingPixels(progress.first, progress.last), 50);
    progress.last.SaveFile(wxS(TERRION_TEST_OUTPUT_DIR "/download_progress_end.png"), wxBITMAP_TYPE_PNG);
    ASSERT_NE(connection.GetDevice(), nullptr);
    EXPECT_EQ(connection.GetDevice()->GetCallback(), nullptr);
}

TEST_F(DeviceCommands, AddAppendsToTheOpenProjectWithTheHeldInstrument)
{
    commands.OnDownloadAll();
    ASSERT_EQ(document.GetSeriesCount(), 3);
    const int pages = wizard.PagesShown();
    sim.ClearReceived();
    commands.OnAddFromDevice();
    EXPECT_EQ(wizard.PagesShown(), pages);
    const std::string sent = sim.ReceivedText();
    EXPECT_LT(sent.find("@ID@"), sent.find("F000s")); // re-identified before the download
    ASSERT_EQ(document.GetSeriesCount(), 6);
    EXPECT_EQ(document.GetObjectId(3), 3);
    EXPECT_EQ(document.GetObjectId(5), 255);
}

TEST_F(DeviceCommands, AnUnsavedProjectWhoseSaveQuestionIsCancelledStaysUntouched)
{
    commands.OnDownloadAll();
    ASSERT_TRUE(document.IsModified());
    sim.ClearReceived();
    const int pages = wizard.PagesShown();
    commands.OnDownloadAll(); // no user interface: the save question is cancelled
    EXPECT_EQ(document.GetSeriesCount(), 3);
    EXPECT_EQ(wizard.PagesShown(), pages);
    EXPECT_TRUE(sim.Received().empty());
}

TEST_F(DeviceCommands, AnInstrumentThatFailsHalfwayLeavesTheProjectAsItWas)
{
    commands.OnDownloadAll();
    ASSERT_EQ(document.GetSeriesCount(), 3);
    // Identification and settings pass; the record dump stops after a few blocks.
    sim.SetFault(sfStopAfter, 1200);
    progress.positions.clear();
    commands.OnAddFromDevice();
    EXPECT_EQ(document.GetSeriesCount(), 3);
    EXPECT_EQ(document.GetOriginalData().GetCount(), 3);
    EXPECT_TRUE(messages.Saw(Ids::kAppDownloadFailed));
    EXPECT_EQ(progress.shows.back(), false);
    ASSERT_NE(connection.GetDevice(), nullptr);
    EXPECT_EQ(connection.GetDevice()->GetCallback(), nullptr);
}

TEST_F(DeviceCommands, AHeldInstrumentThatStoppedAnsweringBringsTheWizardBack)
{
    commands.OnDownloadAll();
    ASSERT_NE(connection.GetDevice(), nullptr);
    const int pages = wizard.PagesShown();
    sim.SetFault(sfSilent);
    messages.Answer(Msg::answerCancel); // "No device found ... Retry?"
    commands.OnAddFromDevice();
    EXPECT_GT(wizard.PagesShown(), pages);
    EXPECT_EQ(connection.GetDevice(), nullptr);
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_TRUE(messages.Saw(Ids::kNoDeviceRetry));
    EXPECT_EQ(document.GetSeriesCount(), 3);
    EXPECT_EQ(titleUpdates, 2);
}

struct SLineCut
{
    const char* name;
    NSimFault fault;
    bool droppedAtOnce; ///< the held instrument goes with the failed download
};

class ADownloadCutOffMidway : public DeviceCommands, public ::testing::WithParamInterface<SLineCut>
{
};

TEST_P(ADownloadCutOffMidway, TheNextDownloadOpensTheWizard)
{
    const SLineCut& cut = GetParam();
    commands.OnDownloadAll();
    ASSERT_EQ(document.GetSeriesCount(), 3);
    const int pages = wizard.PagesShown();
    // Identification and settings pass; the line goes in the middle of the records.
    sim.SetFault(cut.fault, 1200);
    commands.OnAddFromDevice();
    EXPECT_TRUE(messages.Saw(Ids::kAppDownloadFailed));
    EXPECT_EQ(wizard.PagesShown(), pages);
    EXPECT_EQ(connection.GetDevice() == nullptr, cut.droppedAtOnce);

    messages.Answer(Msg::answerCancel); // "No device found ... Retry?"
    commands.OnAddFromDevice();
    EXPECT_GT(wizard.PagesShown(), pages);
    EXPECT_TRUE(messages.Saw(Ids::kNoDeviceRetry));
    EXPECT_EQ(messages.Count(Ids::kAppDownloadFailed), 1) << "the dead line was tried as if it lived";
    EXPECT_EQ(connection.GetDevice(), nullptr);
    EXPECT_EQ(document.GetSeriesCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(Line, ADownloadCutOffMidway,
                         ::testing::Values(SLineCut{"HungUp", sfHangUpAfter, true},
                                           SLineCut{"FellSilent", sfStopAfter, false}),
                         [](const ::testing::TestParamInfo<SLineCut>& info)
                         { return std::string(info.param.name); });

TEST_F(DeviceCommands, AnAdapterPulledOutAndPluggedInAgainIsFoundByTheWizard)
{
    commands.OnDownloadAll();
    ASSERT_NE(connection.GetDevice(), nullptr);
    const int pages = wizard.PagesShown();
    sim.SetFault(sfHangUpAfter, 1200);
    commands.OnAddFromDevice();
    ASSERT_TRUE(messages.Saw(Ids::kAppDownloadFailed));
    // Back on the same port: the wizard finds it and the download goes through.
    CTerrionSimulator back(ThreeSeries());
    back.Map(kPort);
    commands.OnAddFromDevice();
    EXPECT_GT(wizard.PagesShown(), pages);
    EXPECT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(document.GetSeriesCount(), 6);
    connection.Disconnect(); // before this simulator goes
}

class EmptyInstrument : public DeviceCommands
{
protected:
    EmptyInstrument() : DeviceCommands(CTerrionScenario()) {}
};

TEST_F(EmptyInstrument, SaysThereAreNoMeasurements)
{
    commands.OnAddFromDevice();
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_TRUE(messages.Saw(Ids::kAppNoMeasurementsFound));
    EXPECT_EQ(document.GetSeriesCount(), 0);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DeviceCommands, DeleteAllEmptiesTheInstrumentAfterTheQuestion)
{
    messages.Answer(Msg::answerNo);
    EXPECT_FALSE(commands.DeleteAllOnDevice(true));
    EXPECT_EQ(sim.DeleteAllCount(), 0);

    messages.Answer(Msg::answerYes);
    EXPECT_TRUE(commands.DeleteAllOnDevice(true));
    // The command has no answer: the simulator takes it in its own time.
    for (int i = 0; i < 200 && sim.DeleteAllCount() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(sim.DeleteAllCount(), 1);
    EXPECT_TRUE(messages.Saw(Ids::kAppDeleteAllSucceeded));
    EXPECT_EQ(sim.MemoryAt(0xF000, 2048), std::vector<std::uint8_t>(2048, 0xFF));
    EXPECT_NE(sim.ReceivedText().find("A5A5t"), std::string::npos);
}

TEST_F(DeviceCommands, CommandsWithoutAnInstrumentSayNotConnected)
{
    sim.SetFault(sfSilent);
    messages.Answer(Msg::answerCancel); // retry question of the wizard
    EXPECT_FALSE(commands.DeleteAllOnDevice(true));
    EXPECT_TRUE(messages.Saw(Ids::kAppNotConnected));
    messages.Answer(Msg::answerCancel);
    commands.EditMeasurementSettings();
    EXPECT_EQ(messages.Count(Ids::kAppNotConnected), 2);
    EXPECT_EQ(sim.DeleteAllCount(), 0);
}

TEST_F(DeviceCommands, SettingsAreWrittenAfterTheDeletionAndItsPause)
{
    commands.OnAddFromDevice(); // connect
    ASSERT_NE(connection.GetDevice(), nullptr);
    std::atomic<bool> watching{true};
    std::atomic<std::int64_t> firstEraseMs{-1};
    const Clock::time_point start = Clock::now();
    std::thread watcher(
        [&]
        {
            while (watching)
            {
                if (firstEraseMs < 0 && sim.EraseCount() > 0)
                    firstEraseMs =
                        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    std::int64_t deleteAnsweredMs = -1;
    messages.Answer(Msg::answerYes);      // 2119 inside the dialog
    messages.Answer(Msg::answerYes, [&] { // 59518
        deleteAnsweredMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    });
    WithSettingsDialog(
        [](CContactSpacingDlg& dialog)
        {
            dialog.OnModeChanged(false);
            dialog.ShapeList()->SetSelection(1);
            dialog.OnShapeChanged();
            dialog.LengthEdit()->SetValue(wxS("100"));
            dialog.DiameterEdit()->SetValue(wxS("50"));
            dialog.DepthEdit()->SetValue(wxS("200"));
            wxCommandEvent click(wxEVT_BUTTON, dialog.OkButton()->GetId());
            click.SetEventObject(dialog.OkButton());
            dialog.OkButton()->GetEventHandler()->ProcessEvent(click);
        });
    commands.EditMeasurementSettings();
    watching = false;
    watcher.join();

    EXPECT_TRUE(messages.Saw(Ids::kAppSettingsChanged));
    EXPECT_EQ(sim.DeleteAllCount(), 1);
    ASSERT_GE(deleteAnsweredMs, 0);
    ASSERT_GE(firstEraseMs, 0);
    EXPECT_GE(firstEraseMs - deleteAnsweredMs, 2000);
    // The block by hand: word 159, format 1, contact spacing as it was
    // (0xFFFF), k = 10.0f, bulk, prism, geometric, 100.0 x 50.0 x 200.0 mm.
    const std::vector<std::uint8_t> block = {0x9F, 0x00, 0x01, 0xFF, 0xFF, 0x00, 0x00, 0x20, 0x41,
                                             0x02, 0x03, 0x01, 0xE8, 0x03, 0xF4, 0x01, 0xD0, 0x07};
    EXPECT_EQ(sim.MemoryAt(0x1000, 18), block);
}

TEST_F(DeviceCommands, NoAtTheDeletionQuestionWritesNothing)
{
    commands.OnAddFromDevice();
    const auto before = sim.MemoryAt(0x1000, 18);
    messages.Answer(Msg::answerYes); // 2119
    messages.Answer(Msg::answerNo);  // 59518
    WithSettingsDialog(
        [](CContactSpacingDlg& dialog)
        {
            wxCommandEvent click(wxEVT_BUTTON, dialog.OkButton()->GetId());
            click.SetEventObject(dialog.OkButton());
            dialog.OkButton()->GetEventHandler()->ProcessEvent(click);
        });
    commands.EditMeasurementSettings();
    EXPECT_TRUE(messages.Saw(Ids::kAppSettingsNotChanged));
    EXPECT_EQ(sim.EraseCount(), 0);
    EXPECT_EQ(sim.MemoryAt(0x1000, 18), before);
}

TEST_F(DeviceCommands, AFailedDeletionWritesNoSettings)
{
    commands.OnAddFromDevice();
    commands.SetSettingsWritePauseMs(10);
    const auto before = sim.MemoryAt(0x1000, 18);
    messages.Answer(Msg::answerYes);                                      // 2119
    messages.Answer(Msg::answerYes, [this] { sim.SetFault(sfGarbage); }); // 59518: the line goes bad
    messages.Answer(Msg::answerOk, [this] { sim.SetFault(sfNone); });     // 59403: and recovers
    WithSettingsDialog(
        [](CContactSpacingDlg& dialog)
        {
            wxCommandEvent click(wxEVT_BUTTON, dialog.OkButton()->GetId());
            click.SetEventObject(dialog.OkButton());
            dialog.OkButton()->GetEventHandler()->ProcessEvent(click);
        });
    commands.EditMeasurementSettings();
    EXPECT_TRUE(messages.Saw(Ids::kAppDeleteAllFailed));
    EXPECT_TRUE(messages.Saw(Ids::kAppSettingsNotChanged));
    EXPECT_FALSE(messages.Saw(Ids::kAppSettingsChanged));
    EXPECT_FALSE(messages.Saw(Ids::kAppSettingsChangeFailed));
    EXPECT_EQ(sim.EraseCount(), 0);
    EXPECT_EQ(sim.MemoryAt(0x1000, 18), before);
}

TEST_F(DeviceCommands, TheUpgradeToolRunsWithThePortFreeAndIsWaitedFor)
{
    commands.OnAddFromDevice();
    ASSERT_NE(connection.GetDevice(), nullptr);
    CTempDir temp;
    // Blanks and quotes in the folder: the path reaches the tool as one argument.
    const std::filesystem::path folder = temp.Path() / "tools with \"blanks\" 'and' quotes";
    std::filesystem::create_directories(folder);
    const std::string tool = (folder / "VnUpgrade").string();
    {
        std::ofstream script(tool);
        script << "#!/bin/sh\nsleep 0.3\ntouch \"$(dirname \"$0\")/ran\"\n";
    }
    ::chmod(tool.c_str(), 0755);
    commands.SetUpgradeTool(CUpgradeTool(wxString(folder.string())));
    EXPECT_EQ(commands.GetUpgradeTool().GetPath(), wxString(tool));
    int before = 0;
    commands.SetBeforeUpgrade(
        [&]
        {
            ++before;
            EXPECT_EQ(connection.GetDevice(), nullptr);
        });

    messages.Answer(Msg::answerNo);
    commands.UpgradeDevice();
    EXPECT_EQ(before, 0);
    EXPECT_NE(connection.GetDevice(), nullptr);

    messages.Answer(Msg::answerYes);
    commands.UpgradeDevice();
    EXPECT_EQ(before, 1);
    EXPECT_TRUE(std::filesystem::exists(folder / "ran"));
    EXPECT_EQ(connection.GetDevice(), nullptr);
    EXPECT_EQ(messages.Texts().size(), 2u) << "the two questions, no failure";

    // Missing: the message names the path where the tool was looked for.
    const std::filesystem::path empty = temp.Path() / "empty";
    std::filesystem::create_directories(empty);
    commands.SetUpgradeTool(CUpgradeTool(wxString(empty.string())));
    messages.Answer(Msg::answerYes);
    commands.UpgradeDevice();
    EXPECT_EQ(before, 2);
    ASSERT_EQ(messages.Texts().size(), 4u);
    EXPECT_EQ(messages.Texts().back(),
              L"The firmware-upgrade tool could not be started:\n" + (empty / "VnUpgrade").wstring());
}

} // namespace
