// The settings dialog with its preview and language list, the about box, the
// progress dialog and the wxConfig settings store.

#include "tests/app/AppTestSupport.h"

#include "app/shell/AboutDlg.h"
#include "app/shell/AppSettings.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ProgressDlg.h"
#include "app/shell/TerrionLinkApp.h"
#include "app/shell/WxSettingsStore.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/support/TempDir.h"
#include "views/DateTimeFormat.h"

#include <wx/choice.h>

#include <ctime>
#include <filesystem>

namespace TerrionTest
{
namespace
{

using CDialogsTest = CAppTest;

void Choose(wxChoice* list, int index)
{
    list->SetSelection(index);
    wxCommandEvent event(wxEVT_CHOICE, list->GetId());
    event.SetEventObject(list);
    event.SetInt(index);
    list->HandleWindowEvent(event);
}

wxString ExpectedPreview(const wchar_t* date, const wchar_t* time)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return L"Date/Time format:  " + wxString(CDateTimeFormat::Format(date, local)) + L" " +
           wxString(CDateTimeFormat::Format(time, local));
}

TEST_F(CDialogsTest, ThePreviewFollowsTheChosenPatterns)
{
    CAppSettings dialog(&Frame(), App());
    struct SCase
    {
        int date, time;
        const wchar_t* datePattern;
        const wchar_t* timePattern;
    };
    const SCase cases[] = {
        {3, 3, L"dd.MM.yyyy", L"HH:mm"}, {1, 0, L"dd-MM-yyyy", L"h:mm tt"}, {2, 1, L"dd/MM/yyyy", L"h:mmt"}};
    for (const SCase& c : cases)
    {
        const wxString before = ExpectedPreview(c.datePattern, c.timePattern);
        Choose(dialog.DateList(), c.date);
        Choose(dialog.TimeList(), c.time);
        const wxString after = ExpectedPreview(c.datePattern, c.timePattern);
        const wxString shown = dialog.ShownPreview();
        EXPECT_TRUE(shown == before || shown == after) << shown;
    }
    // The invariant patterns: "h:mm tt" says AM or PM in English.
    Choose(dialog.TimeList(), 0);
    EXPECT_TRUE(dialog.ShownPreview().EndsWith(L" AM") || dialog.ShownPreview().EndsWith(L" PM"));

    dialog.Reset();
    EXPECT_EQ(dialog.DateList()->GetSelection(), 0);
    EXPECT_EQ(dialog.TimeList()->GetSelection(), 0);
    EXPECT_EQ(dialog.LanguageList()->GetSelection(), 0);
}

TEST_F(CDialogsTest, OkStoresTheFormatAndRaisesOnlyTheFormatFlag)
{
    CAppSettings dialog(&Frame(), App());
    Choose(dialog.DateList(), 3);
    Choose(dialog.TimeList(), 3);
    dialog.Apply();
    EXPECT_TRUE(dialog.IsFormatChanged());
    EXPECT_FALSE(dialog.IsLanguageChanged());
    EXPECT_EQ(App().GetDTFormat(), 0x0303u);
    std::uint32_t stored = 0;
    ASSERT_TRUE(CAppEnvironment::Store().ReadNumber(L"Settings", L"DTFormat", stored));
    EXPECT_EQ(stored, 0x0303u);
    EXPECT_EQ(App().GetDateFormatString(), L"dd.MM.yyyy");
    EXPECT_EQ(App().GetTimeFormatString(), L"HH:mm");

    // Nothing changed: no flag, nothing written.
    CAppSettings again(&Frame(), App());
    again.Apply();
    EXPECT_FALSE(again.IsFormatChanged());
    EXPECT_FALSE(again.IsLanguageChanged());
}

TEST_F(CDialogsTest, TheLanguageListOffersTheMatchingLibraryBesideTheProgram)
{
    CAppSettings dialog(&Frame(), App());
    ASSERT_EQ(dialog.LanguageList()->GetCount(), 2u);
    EXPECT_EQ(dialog.LanguageList()->GetString(0), wxString(App().ProgramVersion().GetInternalName()));
    EXPECT_EQ(dialog.LanguageList()->GetString(1), L"Deutsch");
    EXPECT_EQ(dialog.LanguageList()->GetSelection(), 0);

    dialog.LanguageList()->SetSelection(1);
    dialog.Apply();
    EXPECT_TRUE(dialog.IsLanguageChanged());
    EXPECT_FALSE(dialog.IsFormatChanged());
    EXPECT_EQ(App().Settings().LanguageFile(), TestLanguageLibrary());
    EXPECT_EQ(Resources::CStringTable::Text(Resources::Ids::kAppTabSeries), L"Messreihen");

    // Entry 0 while the library is in use stores the program's own path.
    CAppSettings back(&Frame(), App());
    EXPECT_EQ(back.LanguageList()->GetSelection(), 1);
    back.LanguageList()->SetSelection(0);
    back.Apply();
    EXPECT_TRUE(back.IsLanguageChanged());
    EXPECT_EQ(App().Settings().LanguageFile(), App().Settings().ProgramPath());
    EXPECT_EQ(Resources::CStringTable::Text(Resources::Ids::kAppTabSeries), L"Series");
}

TEST_F(CDialogsTest, TheAboutBoxShowsTheProgramsAndTheLanguagesVersions)
{
    {
        CAboutDlg about(&Frame(), App().ProgramVersion(), App().LanguageVersion());
        EXPECT_EQ(about.FieldText(110), L"1.0");
        EXPECT_EQ(about.FieldText(112), L"0");
        EXPECT_EQ(about.FieldText(114), L"UNICODE");
        EXPECT_EQ(about.FieldText(111), L"Copyright (C) Varnel");
        EXPECT_EQ(about.FieldText(120), L"");
    }
    App().SetLanguageFile(TestLanguageLibrary());
    CAboutDlg about(&Frame(), App().ProgramVersion(), App().LanguageVersion());
    EXPECT_EQ(about.FieldText(120), L"TerrionLink test language");
    EXPECT_EQ(about.FieldText(117), L"1.0");
}

TEST_F(CDialogsTest, ProgressBarIsSetTwiceForTheEndAndNotAgainForTheSamePosition)
{
    CProgressDlg& progress = Frame().ProgressDlg();
    const int start = progress.BarSets();
    progress.SetPos(500);
    progress.SetPos(500);
    EXPECT_EQ(progress.BarSets() - start, 1);
    EXPECT_EQ(progress.GetPos(), 500);
    progress.SetPos(1000);
    progress.SetPos(1000);
    EXPECT_EQ(progress.BarSets() - start, 5);
    EXPECT_EQ(progress.GetPos(), 1000);
    progress.SetText(L"Reading");
    EXPECT_EQ(progress.GetText(), L"Reading");
}

TEST_F(CDialogsTest, TheConfigStoreWritesIntoAFolderItCreates)
{
    CTempDir temp;
    const std::wstring file = (temp / "Varnel" / "TerrionLink.conf").wstring();
    {
        CWxSettingsStore store(file);
        EXPECT_TRUE(store.WriteString(L"Settings", L"Pfad", L"/data/terrion"));
        EXPECT_TRUE(store.WriteNumber(L"Settings", L"DTFormat", 0x0302));
        EXPECT_TRUE(store.WriteString(L"ConnWizard", L"Express", L"1"));
        EXPECT_TRUE(store.Flush());
    }
    ASSERT_TRUE(std::filesystem::exists(file));
    CWxSettingsStore store(file);
    std::wstring text;
    std::uint32_t number = 0;
    ASSERT_TRUE(store.ReadString(L"Settings", L"Pfad", text));
    EXPECT_EQ(text, L"/data/terrion");
    ASSERT_TRUE(store.ReadNumber(L"Settings", L"DTFormat", number));
    EXPECT_EQ(number, 0x0302u);
    EXPECT_FALSE(store.ReadNumber(L"Settings", L"Pfad", number)); // a text is not a number
    EXPECT_FALSE(store.ReadString(L"Settings", L"LanguageFile", text));
    EXPECT_TRUE(wxString(CWxSettingsStore::FileOf(L"VnUpgrade")).EndsWith(L"/Varnel/VnUpgrade.conf"));
}

} // namespace
} // namespace TerrionTest
