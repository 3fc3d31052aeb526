// Typed names and the keyboard on the series page, through real keys and
// clicks in the main window: a name still being typed reaches the project
// however the program is left or the page refilled, saving stores it, and
// the keys go on working in the grid after the commands.

#include "tests/app/AppTestSupport.h"

#include "app/connection/wx/TerrionConnection.h"
#include "app/shell/ChildView.h"
#include "app/shell/CommandIds.h"
#include "app/shell/MainFrame.h"
#include "app/shell/TerrionLinkApp.h"
#include "app/shell/ToolBarExt.h"
#include "data/TerrionDoc.h"
#include "export/wx/ExportDialogBase.h"
#include "grid/GridCtrl.h"
#include "grid/InPlaceEdit.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/grid/GridGuiPump.h"
#include "tests/simulator/TerrionSimulator.h"
#include "tests/support/NativeWindows.h"
#include "tests/support/TempDir.h"
#include "views/wx/TabGrid.h"

#include <wx/dcmemory.h>
#include <wx/uiaction.h>

#include <functional>

namespace TerrionTest
{
namespace
{

/// The graphic export dialog's tiles.
constexpr int kGraphicAll = 3, kGraphicClipboard = 7;

class CSeriesPageKeyboardTest : public CAppTest
{
protected:
    void SetUp() override
    {
        CAppTest::SetUp();
        Frame().SetSize(0, 0, 1000, 700);
        Frame().Raise();
        for (int i = 0; i < 10; ++i)
        {
            ::Pump();
            wxMilliSleep(20);
        }
        // The project lies in a folder of the test's own, so saving may write it.
        m_path = (m_temp / "walls.vnr").wstring();
        CTerrionDoc doc;
        CTerrionData::TObjects objects;
        for (int i = 0; i < 3; ++i)
        {
            Device::TTerrionObject object;
            object.ident.serialNumber = L"TN12-345-6789";
            object.objectNumber = static_cast<std::uint16_t>(20 + i);
            for (int r = 0; r < 4; ++r)
                object.readings.push_back({10.0 + 7.5 * i + r, 0x10, 12});
            objects.push_back(object);
        }
        doc.AddSeries(objects, false);
        for (int i = 0; i < 3; ++i)
            doc.SetName(i, L"Wall " + std::to_wstring(i + 1));
        ASSERT_TRUE(doc.SaveFile(m_path));
        Prompts().paths.push_back(m_path);
        Command(AppIds::kProjectOpen);
        Pump();
        ASSERT_EQ(Frame().Document().GetSeriesCount(), 3);
        ASSERT_FALSE(Frame().Document().IsModified());
    }

    void TearDown() override
    {
        CExportDialogBase::SetTestHooks({});
        CAppTest::TearDown();
    }

    CGridCtrl& Grid() { return Frame().ChildView()->GridPage()->Grid(); }

    /// The open in-place edit, or null.
    CInPlaceEdit* Edit()
    {
        for (wxWindow* child : Grid().GetChildren())
            if (auto* edit = dynamic_cast<CInPlaceEdit*>(child); edit && edit->IsShown())
                return edit;
        return nullptr;
    }

    /// The keyboard into the grid, the pointer over it (the display's keys go
    /// to the window under the pointer).
    bool FocusGrid()
    {
        Frame().Raise();
        m_sim.MouseMove(Grid().ClientToScreen(wxPoint(300, 300)));
        Grid().SetFocus();
        ::Pump();
        return PumpUntil([this] { return wxWindow::FindFocus() == &Grid(); });
    }

    /// Types a new name (small letters) over the first series' name with real keys and leaves the edit open.
    void TypeName(const wxString& name)
    {
        const std::wstring before = Frame().Document().GetName(0);
        Grid().SetFocusCell(CTabGrid::SeriesRow(0), CTabGrid::colName);
        ASSERT_TRUE(FocusGrid());
        m_sim.Char(name[0]);
        ASSERT_TRUE(PumpUntil([this] { return Edit() && wxWindow::FindFocus() == Edit(); }));
        m_sim.Text(name.Mid(1).utf8_str());
        ASSERT_TRUE(PumpUntil([&] { return Edit() && Edit()->GetValue() == name; }))
            << (Edit() ? Edit()->GetValue() : wxString("no edit"));
        EXPECT_EQ(Frame().Document().GetName(0), before) << "typed, not yet confirmed";
    }

    /// The name of the first series as the project file holds it.
    std::wstring SavedName()
    {
        CTerrionDoc doc;
        if (!doc.Open(m_path, false))
            return L"(not readable)";
        return doc.GetName(0);
    }

    /// A real click in the middle of a toolbar button.
    bool ClickTool(int command)
    {
        const wxRect tool = ToolScreenRect(Frame().ToolBar(), command);
        if (tool.IsEmpty())
            return false;
        m_sim.MouseMove(tool.GetLeft() + tool.GetWidth() / 2, tool.GetTop() + tool.GetHeight() / 2);
        ::Pump();
        m_sim.MouseClick();
        return true;
    }

    wxUIActionSimulator m_sim;
    CTempDir m_temp;
    std::wstring m_path;
};

struct SLeaveCase
{
    const char* name;
    std::function<void(CMainFrame& frame, wxUIActionSimulator& sim)> leave;
};

void PrintTo(const SLeaveCase& c, std::ostream* os)
{
    *os << c.name;
}

class CLeaveWithTypedNameTest : public CSeriesPageKeyboardTest,
                                public ::testing::WithParamInterface<SLeaveCase>
{
};

TEST_P(CLeaveWithTypedNameTest, TheSaveQuestionComesAndYesStoresTheName)
{
    TypeName(L"ridge");
    Prompts().answers = {CUserPrompts::answerYes};
    GetParam().leave(Frame(), m_sim);
    ASSERT_TRUE(PumpUntil([this] { return !Prompts().messages.empty(); })) << "no save question";
    EXPECT_EQ(Prompts().messages[0].text,
              wxString(Resources::CStringTable::Text(Resources::Ids::kProjectSaveQuestion)));
    ASSERT_TRUE(PumpUntil([this] { return App().MainFrame() == nullptr; }));
    EXPECT_EQ(SavedName(), L"ridge");
}

INSTANTIATE_TEST_SUITE_P(Ways, CLeaveWithTypedNameTest,
                         ::testing::Values(SLeaveCase{"CtrlQ", [](CMainFrame&, wxUIActionSimulator& sim)
                                                      { sim.Char('q', wxMOD_CONTROL); }},
                                           SLeaveCase{"FileExit",
                                                      [](CMainFrame& frame, wxUIActionSimulator&)
                                                      {
                                                          wxCommandEvent event(wxEVT_MENU, wxID_EXIT);
                                                          event.SetEventObject(&frame);
                                                          frame.HandleWindowEvent(event);
                                                      }},
                                           SLeaveCase{"CloseBox", [](CMainFrame& frame, wxUIActionSimulator&)
                                                      { frame.Close(); }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CSeriesPageKeyboardTest, TheToolbarsSaveStoresATypedName)
{
    TypeName(L"ridge");
    Frame().UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(Frame().IsCommandEnabled(AppIds::kProjectSave)) << "the open edit is a change";
    EXPECT_TRUE(Frame().IsCommandEnabled(AppIds::kProjectSaveAs));
    ASSERT_TRUE(PumpUntil([this] { return Frame().ToolBar()->GetToolEnabled(AppIds::kProjectSave); }));
    ASSERT_TRUE(ClickTool(AppIds::kProjectSave));
    ASSERT_TRUE(PumpUntil([this] { return SavedName() == L"ridge"; })) << SavedName();
    EXPECT_EQ(Edit(), nullptr);
    EXPECT_FALSE(Frame().Document().IsModified());
    EXPECT_TRUE(Prompts().messages.empty());
}

TEST_F(CSeriesPageKeyboardTest, ACommandOrARefillEndsTheEditAsEnterWouldAndEscapeStillCancels)
{
    const struct
    {
        const char* name;
        std::function<void()> act;
        bool kept;
    } cases[] = {
        {"select all", [this] { Command(AppIds::kSelectAllRows); }, true},
        {"copy", [this] { Command(AppIds::kCopyRows); }, true},
        {"all-series notification", [this] { Frame().Document().NotifyViews(nullptr, -1); }, true},
        {"escape", [this] { m_sim.Char(WXK_ESCAPE); }, false},
    };
    int round = 0;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const wxString name = wxString::Format("ridge %d", ++round);
        const std::wstring before = Frame().Document().GetName(0);
        TypeName(name);
        c.act();
        ASSERT_TRUE(PumpUntil([this] { return Edit() == nullptr; }));
        Pump();
        EXPECT_EQ(Frame().Document().GetName(0), c.kept ? name.ToStdWstring() : before);
        EXPECT_EQ(Grid().GetItemText(CTabGrid::SeriesRow(0), CTabGrid::colName),
                  Frame().Document().GetName(0));
        EXPECT_EQ(Frame().Document().IsModified(), c.kept || round > 1);
        EXPECT_TRUE(PumpUntil([this] { return wxWindow::FindFocus() == &Grid(); }))
            << "the keys stay in the grid";
    }
}

TEST_F(CSeriesPageKeyboardTest, ANameTypedBeforeADropStaysWithItsOwnProject)
{
    const std::wstring other = (m_temp / "other.vnr").wstring();
    {
        CTerrionDoc doc;
        ASSERT_TRUE(doc.Open(m_path, false));
        doc.SetName(0, L"Pier");
        ASSERT_TRUE(doc.SaveFile(other));
    }
    TypeName(L"ridge");
    Prompts().answers = {CUserPrompts::answerNo};
    wxArrayString dropped;
    dropped.Add(wxString(other));
    Frame().OpenDroppedFiles(dropped);
    Pump();
    EXPECT_EQ(Prompts().messages.size(), 1u) << "the typed name made the project modified";
    ASSERT_EQ(Frame().Document().GetSeriesCount(), 3);
    EXPECT_EQ(Frame().Document().GetName(0), L"Pier");
    EXPECT_FALSE(Frame().Document().IsModified());
}

TEST_F(CSeriesPageKeyboardTest, AfterPasteAKeyMovesTheFocusRow)
{
    Grid().SetFocusCell(CTabGrid::SeriesRow(0), CTabGrid::colTotal);
    Command(AppIds::kCopyRows);
    Pump();
    Command(AppIds::kPasteRows);
    ASSERT_TRUE(PumpUntil([this] { return Grid().GetRowCount() == 9; })) << "the copied series pasted";
    ASSERT_TRUE(PumpUntil([this] { return wxWindow::FindFocus() == &Grid(); }));
    const int row = Grid().GetFocusCell().row;
    ASSERT_GE(row, 1) << "the refill dropped the focus";
    Frame().Raise();
    m_sim.MouseMove(Grid().ClientToScreen(wxPoint(300, 300)));
    m_sim.Char(WXK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return Grid().GetFocusCell().row == row + 2; })) << Grid().GetFocusCell().row;
}

TEST_F(CSeriesPageKeyboardTest, AfterAGraphicExportTheKeysAreTheGridsAgain)
{
    // To the clipboard: the dialog asks for no file.
    CExportDialogBase::STestHooks hooks;
    hooks.modal = [](CExportDialogBase& dialog)
    {
        const wxSize size = dialog.GetClientSize();
        wxBitmap bitmap(size.x, size.y, 24);
        {
            wxMemoryDC dc(bitmap);
            dialog.Render(dc);
        }
        for (const int tile : {kGraphicAll, kGraphicClipboard})
            dialog.PressAt(dialog.TileCentre(tile));
        dialog.Export();
        return dialog.GetReturnCode();
    };
    CExportDialogBase::SetTestHooks(hooks);
    Grid().SetFocusCell(CTabGrid::SeriesRow(0), CTabGrid::colTotal);
    ASSERT_TRUE(FocusGrid());
    Command(AppIds::kExportGraphic);
    Pump();
    EXPECT_TRUE(PumpUntil([this] { return wxWindow::FindFocus() == &Grid(); }));
    m_sim.Char(WXK_DOWN);
    EXPECT_TRUE(PumpUntil([this] { return Grid().GetFocusCell().row == CTabGrid::SeriesRow(1); }))
        << Grid().GetFocusCell().row;
}

/// The page beside the simulated Terrion.
class CSeriesPageDeviceTest : public CSeriesPageKeyboardTest
{
protected:
    static constexpr int kPort = 243;

    CSeriesPageDeviceTest()
        : m_terrion(CTerrionScenario::Load(TERRION_TEST_DATA_DIR "/device/three_series.scenario"))
    {
        m_terrion.Map(kPort);
        PointTheWizardAt(kPort);
    }
    void TearDown() override
    {
        theConnection.Disconnect(); // before the simulator goes
        CSeriesPageKeyboardTest::TearDown();
    }

    CTerrionSimulator m_terrion;
    CWizardAnswers m_wizard;
};

TEST_F(CSeriesPageDeviceTest, ADownloadAsksAboutATypedNameAndTheKeysFollowAnAdd)
{
    TypeName(L"ridge");
    Prompts().answers = {CUserPrompts::answerCancel};
    Command(AppIds::kDeviceDownload);
    Pump();
    ASSERT_EQ(Prompts().messages.size(), 1u) << "the typed name is a change";
    EXPECT_EQ(Prompts().messages[0].text,
              wxString(Resources::CStringTable::Text(Resources::Ids::kProjectSaveQuestion)));
    EXPECT_EQ(Frame().Document().GetSeriesCount(), 3);
    EXPECT_EQ(Frame().Document().GetName(0), L"ridge");
    EXPECT_EQ(m_wizard.pages, 0);

    // The add shows the progress window and refills the page.
    Grid().SetFocusCell(CTabGrid::SeriesRow(0), CTabGrid::colTotal);
    ASSERT_TRUE(FocusGrid());
    Command(AppIds::kDeviceAdd);
    Pump();
    ASSERT_EQ(Frame().Document().GetSeriesCount(), 6);
    ASSERT_TRUE(PumpUntil([this] { return Grid().GetRowCount() == 13; }));
    EXPECT_TRUE(PumpUntil([this] { return wxWindow::FindFocus() == &Grid(); }));
    Frame().Raise();
    m_sim.MouseMove(Grid().ClientToScreen(wxPoint(300, 300)));
    m_sim.Char(WXK_DOWN);
    EXPECT_TRUE(PumpUntil([this] { return Grid().GetFocusCell().row == CTabGrid::SeriesRow(1); }))
        << Grid().GetFocusCell().row;
}

} // namespace
} // namespace TerrionTest
