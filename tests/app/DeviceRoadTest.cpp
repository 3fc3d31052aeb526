// The main road in the running program: the device commands of the main
// frame against the simulated Terrion, the connection wizard answered
// through its observer, message boxes by the scripted prompts.

#include "app/connection/wx/DevFoundPage.h"
#include "app/connection/wx/DevSelectSheet.h"
#include "app/connection/wx/TerrionConnection.h"
#include "app/shell/ChildView.h"
#include "app/shell/CommandIds.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ProgressDlg.h"
#include "data/TerrionDoc.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/Screenshots.h"
#include "tests/simulator/TerrionSimulator.h"
#include "tests/support/TempDir.h"
#include "tests/views/SeriesPageDriver.h"
#include "views/wx/CommentDlg.h"
#include "views/wx/DateTimeDlg.h"
#include "views/wx/TabGrid.h"

#include <wx/app.h>
#include <wx/datectrl.h>
#include <wx/textctrl.h>
#include <wx/timectrl.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <atomic>
#include <chrono>
#include <set>
#include <thread>

namespace TerrionTest
{
namespace
{

constexpr int kPort = 243;

/// The pixels the X server shows in a rectangle, as one string (read on any thread).
std::string ScreenBytes(Display* display, const wxRect& rect)
{
    XImage* shot =
        XGetImage(display, DefaultRootWindow(display), rect.x, rect.y, static_cast<unsigned>(rect.width),
                  static_cast<unsigned>(rect.height), AllPlanes, ZPixmap);
    if (!shot)
        return {};
    // The raw rows: cheap enough that a loaded machine still takes many shots.
    std::string bytes(shot->data,
                      static_cast<std::size_t>(shot->bytes_per_line) * static_cast<std::size_t>(rect.height));
    XDestroyImage(shot);
    return bytes;
}

class CDeviceRoadTest : public CAppTest
{
protected:
    CDeviceRoadTest() : m_sim(CTerrionScenario::Load(TERRION_TEST_DATA_DIR "/device/three_series.scenario"))
    {
        m_sim.Map(kPort);
        PointTheWizardAt(kPort);
    }
    void TearDown() override
    {
        CCommentDlg::SetTestHook({});
        CDateTimeDlg::SetTestHook({});
        theConnection.Disconnect(); // before the simulator goes
        CAppTest::TearDown();
    }

    CTerrionSimulator m_sim;
    CWizardAnswers m_wizard;
};

TEST_F(CDeviceRoadTest, DownloadSaveAndReopenTheProject)
{
    // While the download holds the main loop, another connection to the X
    // server watches the progress dialog: the bar must be drawn as it moves.
    Frame().ProgressDlg().Move(100, 100);
    const wxRect dialogRect = Frame().ProgressDlg().GetScreenRect();
    std::atomic<bool> watching{true};
    std::set<std::string> looks;
    std::thread watcher(
        [&]
        {
            Display* display = XOpenDisplay(nullptr);
            if (!display)
                return;
            while (watching)
            {
                looks.insert(ScreenBytes(display, dialogRect));
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            XCloseDisplay(display);
        });
    // At the Terrion's own line rate the download takes about two seconds, so
    // the bar stays at each length long enough to be seen on a loaded machine.
    m_sim.SetBaud(19200);
    Command(AppIds::kDeviceDownload);
    watching = false;
    watcher.join();
    m_sim.SetBaud(0);
    // Dialog and wizard apart, the bar showed several lengths.
    EXPECT_GE(looks.size(), 5u);
    ASSERT_GT(m_wizard.pages, 0);
    CTerrionDoc& doc = Frame().Document();
    ASSERT_EQ(doc.GetSeriesCount(), 3);
    EXPECT_EQ(doc.GetObjectId(0), 3);
    EXPECT_EQ(doc.GetObjectId(1), 7);
    EXPECT_EQ(doc.GetObjectId(2), 255);
    EXPECT_EQ(doc.GetReadingCount(1), 3);
    EXPECT_TRUE(Prompts().messages.empty()) << Prompts().messages.front().text;
    EXPECT_FALSE(Frame().ProgressDlg().IsShown());
    EXPECT_EQ(Frame().ProgressDlg().GetPos(), 1000);
    EXPECT_TRUE(Title().Contains(L"Unnamed")) << Title();
    EXPECT_EQ(CAppEnvironment::UpgradeStore().Contains(L"ConnWizard", L"DeviceType"), true);

    // Saved and opened again, the project holds the same series.
    CTempDir folder;
    const std::wstring path = (folder / "downloaded.vnr").wstring();
    ASSERT_TRUE(doc.SaveFile(path));
    ASSERT_TRUE(doc.Close());
    ASSERT_EQ(doc.GetSeriesCount(), 0);
    ASSERT_TRUE(doc.Open(path, false));
    ASSERT_EQ(doc.GetSeriesCount(), 3);
    EXPECT_EQ(doc.GetObjectId(2), 255);
    EXPECT_DOUBLE_EQ(doc.GetReading(0, 1), 12.5);

    // Add: the held instrument, no wizard, the series appended.
    const int pages = m_wizard.pages;
    Command(AppIds::kDeviceAdd);
    EXPECT_EQ(m_wizard.pages, pages);
    EXPECT_EQ(doc.GetSeriesCount(), 6);

    Frame().SetSize(0, 0, 1000, 700);
    Frame().Raise();
    for (int i = 0; i < 10; ++i)
    {
        Pump();
        wxMilliSleep(20);
    }
    EXPECT_TRUE(SaveArtefact(ScreenImage(Frame().GetScreenRect()), L"main_window_downloaded.png"));
}

TEST_F(CDeviceRoadTest, TheDownloadedSeriesAreWorkedOnInTheSeriesPageAndComeBackAsLeft)
{
    Frame().SetSize(0, 0, 1000, 800);
    Command(AppIds::kDeviceDownload);
    Pump();
    CTerrionDoc& doc = Frame().Document();
    ASSERT_EQ(doc.GetSeriesCount(), 3);
    CTabGrid& page = *Frame().ChildView()->GridPage();
    CGridCtrl& grid = page.Grid();
    const CSeriesPageDriver driver(page);
    ASSERT_EQ(grid.GetRowCount(), 7);
    const wchar_t* ids[] = {L"3", L"7", L"255"};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(grid.GetItemText(CTabGrid::SeriesRow(i), CTabGrid::colId), ids[i]);
        EXPECT_NE(driver.Gripper(i), nullptr) << i;
        EXPECT_NE(driver.Bar(i), nullptr) << i;
        EXPECT_NE(driver.Report(i), nullptr) << i;
    }

    // Expand the first, rename the second, move the third to another day,
    // comment on the first and put the second into the summary or out of it.
    driver.ClickAt(driver.GripperToggle(0, false));
    ASSERT_TRUE(driver.WaitForReport(0));
    grid.OnEndEditCell(CTabGrid::SeriesRow(1), CTabGrid::colName, L"North pier");
    CDateTimeDlg::SetTestHook(
        [](CDateTimeDlg& dialog)
        {
            dialog.DatePicker()->SetValue(wxDateTime(5, wxDateTime::Mar, 2024));
            dialog.TimePicker()->SetValue(wxDateTime(1, wxDateTime::Jan, 2024, 14, 30, 0));
            return wxID_OK;
        });
    driver.RightClickAt(driver.Centre(CTabGrid::SeriesRow(2), CTabGrid::colDateTime));
    const std::wstring dateShown = grid.GetItemText(CTabGrid::SeriesRow(2), CTabGrid::colDateTime);
    EXPECT_NE(dateShown.find(L"2024"), std::wstring::npos) << dateShown;
    const std::int64_t moved = doc.GetTime(2);
    const std::optional<wxPoint> comment = driver.ReportArea(0, SeriesAreaComment);
    ASSERT_TRUE(comment);
    CCommentDlg::SetTestHook(
        [](CCommentDlg& dialog)
        {
            dialog.Edit()->SetValue(L"Downloaded on site");
            return wxID_OK;
        });
    driver.ClickAt(*comment);
    const bool inSummary = !doc.IsInSummary(1);
    driver.ClickAt(driver.GripperToggle(1, true));
    ASSERT_EQ(doc.IsInSummary(1), inSummary);

    // Saved, closed and opened again: all as it was left.
    CTempDir folder;
    const std::wstring path = (folder / "worked.vnr").wstring();
    Prompts().paths.push_back(path);
    Command(AppIds::kProjectSave);
    Pump();
    ASSERT_FALSE(doc.IsModified());
    Command(AppIds::kProjectClose);
    Pump();
    ASSERT_EQ(grid.GetRowCount(), 1);
    Prompts().paths.push_back(path);
    Command(AppIds::kProjectOpen);
    Pump();
    ASSERT_EQ(doc.GetSeriesCount(), 3);
    EXPECT_TRUE(doc.IsExpanded(0));
    EXPECT_EQ(doc.GetName(1), L"North pier");
    EXPECT_EQ(doc.GetTime(2), moved);
    EXPECT_EQ(doc.GetComment(0), L"Downloaded on site");
    EXPECT_EQ(doc.IsInSummary(1), inSummary);
    const CSeriesPageDriver reopened(page);
    EXPECT_TRUE(reopened.Gripper(0)->IsExpanded());
    EXPECT_GT(grid.GetRowHeight(CTabGrid::DetailRow(0)), 0);
    EXPECT_EQ(reopened.Gripper(1)->IsInSummary(), inSummary);
    EXPECT_EQ(grid.GetItemText(CTabGrid::SeriesRow(1), CTabGrid::colName), L"North pier");
    EXPECT_EQ(grid.GetItemText(CTabGrid::SeriesRow(2), CTabGrid::colDateTime), dateShown);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(reopened.WaitForReport(0));
    EXPECT_TRUE(SaveArtefact(ScreenImage(Frame().GetScreenRect()), L"series_page_downloaded.png"));
}

TEST_F(CDeviceRoadTest, WithTheInstrumentOffTheWizardAsksToRetryAsTheFramesOwnWindow)
{
    CAppEnvironment::UpgradeStore().WriteNumber(L"ConnWizard", L"ComPort", kPort + 1); // nothing there
    Command(AppIds::kDeviceDownload);
    EXPECT_EQ(theConnection.GetDevice(), nullptr);
    ASSERT_EQ(Prompts().messages.size(), 1u);
    const auto& asked = Prompts().messages[0];
    EXPECT_EQ(asked.text, wxString(Resources::CStringTable::Text(Resources::Ids::kNoDeviceRetry)));
    EXPECT_EQ(asked.buttons, CUserPrompts::buttonsRetryCancel);
    // The wizard asks, and the wizard belongs to the main frame.
    EXPECT_NE(asked.owner, &Frame());
    EXPECT_EQ(asked.ownerTitle, wxString(Resources::CStringTable::Text(Resources::Ids::kConnWizardCaption)));
    EXPECT_EQ(asked.ownerParent, &Frame());
}

TEST_F(CDeviceRoadTest, AfterTheLineHungUpMidDownloadTheNextDownloadOpensTheWizard)
{
    Command(AppIds::kDeviceDownload);
    ASSERT_EQ(Frame().Document().GetSeriesCount(), 3);
    const int pages = m_wizard.pages;

    // The adapter is pulled out in the middle of the records.
    m_sim.SetFault(sfHangUpAfter, 1200);
    Prompts().messages.clear();
    Prompts().answers = {CUserPrompts::answerNo}; // keep the downloaded project? No
    Command(AppIds::kDeviceDownload);
    ASSERT_EQ(Prompts().messages.size(), 2u);
    EXPECT_EQ(Prompts().messages[1].text,
              wxString(Resources::CStringTable::Text(Resources::Ids::kAppDownloadFailed)));
    EXPECT_EQ(m_wizard.pages, pages);
    EXPECT_EQ(Frame().Document().GetSeriesCount(), 0);
    EXPECT_EQ(theConnection.GetDevice(), nullptr) << "the dead line is let go at once";

    // Plugged in again on the same port: the very next command opens the wizard, which finds it.
    CTerrionSimulator back(CTerrionScenario::Load(TERRION_TEST_DATA_DIR "/device/three_series.scenario"));
    back.Map(kPort);
    Prompts().messages.clear();
    Command(AppIds::kDeviceDownload);
    EXPECT_GT(m_wizard.pages, pages);
    EXPECT_TRUE(Prompts().messages.empty()) << Prompts().messages.front().text;
    EXPECT_EQ(Frame().Document().GetSeriesCount(), 3);
    theConnection.Disconnect(); // before this simulator goes
}

TEST_F(CDeviceRoadTest, DeleteAllAndTheMeasurementSettingsOfTheInstrument)
{
    Prompts().answers = {CUserPrompts::answerYes,
                         CUserPrompts::answerOk}; // "Do you really ...?", "... succeeded."
    Command(AppIds::kDeviceDeleteAll);
    ASSERT_EQ(Prompts().messages.size(), 2u);
    EXPECT_EQ(Prompts().messages[1].text,
              wxString(Resources::CStringTable::Text(Resources::Ids::kAppDeleteAllSucceeded)));
    for (int i = 0; i < 200 && m_sim.DeleteAllCount() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(m_sim.DeleteAllCount(), 1);

    // An empty instrument now: the download says so and the project stays empty.
    Prompts().messages.clear();
    Command(AppIds::kDeviceAdd);
    ASSERT_EQ(Prompts().messages.size(), 1u);
    EXPECT_EQ(Prompts().messages[0].text,
              wxString(Resources::CStringTable::Text(Resources::Ids::kAppNoMeasurementsFound)));
    EXPECT_EQ(Frame().Document().GetSeriesCount(), 0);
}

TEST_F(CDeviceRoadTest, UpgradeFreesThePortAndRunsTheTool)
{
    Command(AppIds::kDeviceAdd);
    ASSERT_NE(theConnection.GetDevice(), nullptr);
    Prompts().messages.clear();
    Prompts().answers = {CUserPrompts::answerYes, CUserPrompts::answerOk};
    Command(AppIds::kDeviceUpgrade);
    EXPECT_EQ(theConnection.GetDevice(), nullptr);
    // No tool lies beside the test program: that is said.
    ASSERT_EQ(Prompts().messages.size(), 2u);
    EXPECT_TRUE(Prompts().messages[1].text.StartsWith(L"The firmware-upgrade tool could not be started:"));
}

} // namespace
} // namespace TerrionTest
