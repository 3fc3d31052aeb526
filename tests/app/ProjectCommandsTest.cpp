// The project commands through the menu: the document, the title and the
// enabling they change, and the save question when the window closes.

#include "tests/app/AppTestSupport.h"

#include "app/shell/AppEvents.h"
#include "app/shell/ChildView.h"
#include "app/shell/CommandIds.h"
#include "app/shell/MainFrame.h"
#include "app/shell/TabSheet.h"
#include "app/shell/TerrionLinkApp.h"
#include "data/TerrionData.h"
#include "platform/ClipboardData.h"
#include "tests/platform_wx/XClipboardOwner.h"
#include "tests/support/TempDir.h"
#include "views/wx/TabGrid.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/msgdlg.h>

#include <filesystem>

namespace TerrionTest
{
namespace
{

class CProjectCommandsTest : public CAppTest
{
protected:
    struct SEnabling
    {
        bool save, saveAs, close, restore, exportCsv, print, open, add;
    };

    SEnabling Enabling()
    {
        return {Frame().IsCommandEnabled(AppIds::kProjectSave),
                Frame().IsCommandEnabled(AppIds::kProjectSaveAs),
                Frame().IsCommandEnabled(AppIds::kProjectClose),
                Frame().IsCommandEnabled(AppIds::kRestoreOriginal),
                Frame().IsCommandEnabled(AppIds::kExportCsv),
                Frame().IsCommandEnabled(AppIds::kPrint),
                Frame().IsCommandEnabled(AppIds::kProjectOpen),
                Frame().IsCommandEnabled(AppIds::kProjectAdd)};
    }

    void OpenThroughMenu(const std::wstring& path)
    {
        Prompts().paths.push_back(path);
        Command(AppIds::kProjectOpen);
        Pump();
    }

    CTempDir m_temp;
};

TEST_F(CProjectCommandsTest, WithoutAProjectOnlyOpenAndAddAreEnabled)
{
    const SEnabling e = Enabling();
    EXPECT_FALSE(e.save);
    EXPECT_FALSE(e.saveAs);
    EXPECT_FALSE(e.close);
    EXPECT_FALSE(e.restore);
    EXPECT_FALSE(e.exportCsv);
    EXPECT_FALSE(e.print);
    EXPECT_FALSE(Frame().IsCommandEnabled(AppIds::kCopyRows));
    EXPECT_FALSE(Frame().IsCommandEnabled(AppIds::kDeleteRows));
    EXPECT_FALSE(Frame().IsCommandEnabled(AppIds::kSelectAllRows));
    EXPECT_TRUE(e.open);
    EXPECT_TRUE(e.add);
}

TEST_F(CProjectCommandsTest, OpenSaveAsAndCloseChangeDocumentTitleAndEnabling)
{
    const std::wstring source = ProjectFile("one_series.vnr");
    OpenThroughMenu(source);
    ASSERT_EQ(Prompts().requests.size(), 1u);
    EXPECT_FALSE(Prompts().requests[0].save);
    EXPECT_TRUE(Frame().Document().HasProjectSeries());
    EXPECT_EQ(Title(), L"VARNEL TerrionLink - " + wxString(source));
    SEnabling e = Enabling();
    EXPECT_FALSE(e.save); // nothing changed yet
    EXPECT_TRUE(e.saveAs);
    EXPECT_TRUE(e.close);
    EXPECT_TRUE(e.exportCsv);
    EXPECT_TRUE(e.print);

    // Adding the same file again doubles the series and marks the project modified.
    const int before = Frame().Document().GetSeriesCount();
    Prompts().paths.push_back(source);
    Command(AppIds::kProjectAdd);
    Pump();
    EXPECT_EQ(Frame().Document().GetSeriesCount(), 2 * before);
    EXPECT_TRUE(Enabling().save);

    const std::wstring target = (m_temp / "saved.vnr").wstring();
    Prompts().paths.push_back(target);
    Command(AppIds::kProjectSaveAs);
    Pump();
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(Title(), L"VARNEL TerrionLink - " + wxString(target));
    EXPECT_FALSE(Enabling().save);

    Command(AppIds::kProjectClose);
    Pump();
    EXPECT_FALSE(Frame().Document().HasAnySeries());
    EXPECT_EQ(Title(), L"VARNEL TerrionLink");
    e = Enabling();
    EXPECT_FALSE(e.close);
    EXPECT_FALSE(e.saveAs);
}

TEST_F(CProjectCommandsTest, RestoreAsksFirstAndNoLeavesTheProject)
{
    OpenThroughMenu(ProjectFile("one_series.vnr"));
    ASSERT_TRUE(Enabling().restore);
    Frame().Document().SetName(0, L"renamed");

    Prompts().answers.push_back(CUserPrompts::answerNo);
    Command(AppIds::kRestoreOriginal);
    ASSERT_EQ(Prompts().messages.size(), 1u);
    EXPECT_EQ(Prompts().messages[0].buttons, CUserPrompts::buttonsYesNo);
    EXPECT_EQ(Prompts().messages[0].icon, CUserPrompts::iconQuestion);
    EXPECT_EQ(Prompts().messages[0].owner, &Frame());
    EXPECT_EQ(Frame().Document().GetName(0), L"renamed");

    Prompts().answers.push_back(CUserPrompts::answerYes);
    Command(AppIds::kRestoreOriginal);
    EXPECT_NE(Frame().Document().GetName(0), L"renamed");
}

TEST_F(CProjectCommandsTest, WithTheSummaryPageActiveTheGridCommandsAreDisabled)
{
    OpenThroughMenu(ProjectFile("one_series.vnr"));
    EXPECT_TRUE(Frame().IsCommandEnabled(AppIds::kCopyRows));
    Frame().ChildView()->TabSheet()->SetSelection(1);
    for (int command : {AppIds::kCopyRows, AppIds::kPasteRows, AppIds::kDeleteRows, AppIds::kSelectAllRows,
                        AppIds::kExportCsv, AppIds::kExportGraphic})
        EXPECT_FALSE(Frame().IsCommandEnabled(command)) << command;
    EXPECT_EQ(Frame().IsCommandEnabled(AppIds::kPrint), Frame().Document().GetSummaryCount() > 0);
}

TEST_F(CProjectCommandsTest, PrintReachesTheActivePageOnly)
{
    int gridPrints = 0;
    int summaryPrints = 0;
    CChildView* view = Frame().ChildView();
    view->GridPage()->Bind(WM_PAGE_PRINT, [&](wxCommandEvent&) { ++gridPrints; });
    view->SummaryPage()->Bind(WM_PAGE_PRINT, [&](wxCommandEvent&) { ++summaryPrints; });
    OpenThroughMenu(ProjectFile("one_series.vnr"));
    Command(AppIds::kPrint);
    view->TabSheet()->SetSelection(1);
    Command(AppIds::kPrint);
    EXPECT_EQ(gridPrints, 1);
    EXPECT_EQ(summaryPrints, 1);
}

TEST_F(CProjectCommandsTest, CopiedSeriesAndTheirTextShareTheClipboardAndEnablePaste)
{
    OpenThroughMenu(ProjectFile("one_series.vnr"));
    wxTheClipboard->Clear();
    // Paste follows once the emptied clipboard's change of owner has arrived.
    EXPECT_TRUE(PumpEventsUntil([&] { return !Frame().IsCommandEnabled(AppIds::kPasteRows); }));

    Platform::CClipboardData data;
    data.Set(Platform::CClipboardData::kUnicodeText, {'S', 0, 'e', 0, 'r', 0, 0, 0});
    const int count = Frame().Document().GetSeriesCount();
    ASSERT_TRUE(Frame().Document().CopyToClipboard(
        CTerrionData::TSelection(static_cast<std::size_t>(count), 1), data));
    EXPECT_TRUE(Frame().IsCommandEnabled(AppIds::kPasteRows));
    {
        wxClipboardLocker lock;
        wxTextDataObject text;
        ASSERT_TRUE(wxTheClipboard->GetData(text));
        EXPECT_EQ(text.GetText(), L"Ser");
    }

    ASSERT_TRUE(Frame().Document().Paste());
    EXPECT_EQ(Frame().Document().GetSeriesCount(), 2 * count);
    wxTheClipboard->Clear();
}

// Another X client takes the clipboard with and without the project format:
// Paste follows, and enabling the commands never asks the clipboard's owner.
TEST_F(CProjectCommandsTest, PasteFollowsTheClipboardsOwnerWithoutAskingAtUpdates)
{
    using namespace std::chrono_literals;
    OpenThroughMenu(ProjectFile("one_series.vnr"));
    CXClipboardOwner owner(TERRION_X_CLIPBOARD_OWNER);
    const auto paste = [this] { return Frame().IsCommandEnabled(AppIds::kPasteRows); };
    for (const bool ours : {true, false, true})
    {
        SCOPED_TRACE(ours);
        ASSERT_EQ(owner.Send(ours ? "own TerrionLink-Format UTF8_STRING" : "own UTF8_STRING"), "owned");
        EXPECT_TRUE(PumpEventsUntil([&] { return paste() == ours; }));
        PumpEventsFor(200ms);
        const int requests = owner.Requests();
        for (int i = 0; i < 50; ++i)
        {
            Frame().UpdateWindowUI(wxUPDATE_UI_RECURSE);
            EXPECT_EQ(paste(), ours);
            wxTheApp->ProcessIdle();
        }
        PumpEventsFor(100ms);
        EXPECT_EQ(owner.Requests(), requests);
    }
    // The summary page takes no paste, whatever the clipboard holds.
    Frame().ChildView()->TabSheet()->SetSelection(1);
    EXPECT_FALSE(paste());
}

struct SCloseCase
{
    const char* name;
    CUserPrompts::NAnswer answer;
    bool closes;
};

class CCloseQuestionTest : public CProjectCommandsTest, public ::testing::WithParamInterface<SCloseCase>
{
};

TEST_P(CCloseQuestionTest, ClosingWithUnsavedChangesAsksFirst)
{
    const SCloseCase& c = GetParam();
    // The project gets a path of its own, so that Yes saves there.
    OpenThroughMenu(ProjectFile("one_series.vnr"));
    const std::wstring target = (m_temp / "closing.vnr").wstring();
    Prompts().paths.push_back(target);
    Command(AppIds::kProjectSaveAs);
    const auto savedSize = std::filesystem::file_size(target);
    Frame().Document().SetName(0, L"a name long enough to make the file grow");
    Prompts().messages.clear();

    Prompts().answers.push_back(c.answer);
    Frame().Close();
    ASSERT_EQ(Prompts().messages.size(), 1u);
    EXPECT_EQ(Prompts().messages[0].text, L"Would you like to save changes in your Project?");
    EXPECT_EQ(Prompts().messages[0].buttons, CUserPrompts::buttonsYesNoCancel);
    EXPECT_EQ(Prompts().messages[0].icon, CUserPrompts::iconQuestion);
    EXPECT_EQ(std::filesystem::file_size(target) != savedSize, c.answer == CUserPrompts::answerYes);
    if (!c.closes)
    {
        EXPECT_TRUE(Frame().Document().IsModified());
    }
    Pump();
    EXPECT_EQ(App().MainFrame() == nullptr, c.closes);
}

INSTANTIATE_TEST_SUITE_P(Answers, CCloseQuestionTest,
                         ::testing::Values(SCloseCase{"Cancel", CUserPrompts::answerCancel, false},
                                           SCloseCase{"No", CUserPrompts::answerNo, true},
                                           SCloseCase{"Yes", CUserPrompts::answerYes, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace TerrionTest
