// Start-up, the main frame's own commands, messages and the screenshot.

#include "tests/app/AppTestSupport.h"
#include "tests/app/Screenshots.h"
#include "tests/support/NativeWindows.h"

#include "app/shell/AppDeviceThreadHost.h"
#include "app/shell/AppEvents.h"
#include "app/shell/ChildView.h"
#include "app/shell/CommandIds.h"
#include "app/shell/Logo.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ProgramSettings.h"
#include "app/shell/TabSheet.h"
#include "app/shell/TerrionLinkApp.h"
#include "app/shell/ToolBarExt.h"
#include "app/shell/ToolBarImages.h"
#include "resources/StringIds.h"

#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <thread>

namespace TerrionTest
{
namespace
{

using CStartupTest = CAppTest;

TEST_F(CStartupTest, FirstStartWritesTheFiveDefaults)
{
    // The process started with an empty store: start-up wrote every value.
    auto& store = CAppEnvironment::Store();
    const std::wstring program = CProgramSettings::RunningProgramPath();
    std::wstring text;
    std::uint32_t number = 99;
    ASSERT_TRUE(store.ReadString(L"Settings", L"LanguageFile", text));
    EXPECT_EQ(text, program);
    ASSERT_TRUE(store.ReadString(L"Settings", L"DataFolder", text));
    EXPECT_EQ(text, L"");
    ASSERT_TRUE(store.ReadNumber(L"Settings", L"GridCheck", number));
    EXPECT_EQ(number, 0u);
    ASSERT_TRUE(store.ReadNumber(L"Settings", L"DTFormat", number));
    EXPECT_EQ(number, 0u);
    ASSERT_TRUE(store.ReadString(L"Settings", L"Pfad", text));
    EXPECT_EQ(text, ProgramFolder());
}

TEST_F(CStartupTest, StoredSettingsAreKeptAndAMissingFolderIsReported)
{
    Platform::CMemorySettingsStore store;
    store.WriteString(L"Settings", L"LanguageFile", L"/opt/x/TerrionLink_DEU.so");
    store.WriteNumber(L"Settings", L"DTFormat", 0x0302);
    store.WriteString(L"Settings", L"Pfad", L"/no/such/folder");
    store.WriteString(L"Settings", L"DataFolder", std::wstring(5000, L'x')); // too long: missing
    std::vector<unsigned> reports;
    CProgramSettings settings(store, L"/opt/x/TerrionLink", [&](unsigned id) { reports.push_back(id); });
    settings.Read();
    EXPECT_EQ(settings.LanguageFile(), L"/opt/x/TerrionLink_DEU.so");
    EXPECT_EQ(settings.DtFormat(), 0x0302u);
    EXPECT_EQ(settings.DataFolder(), L"");
    EXPECT_EQ(reports, std::vector<unsigned>{Resources::Ids::kAppDataFolderIncorrect});
    EXPECT_EQ(settings.GetLanguageFile(false), L"TerrionLink_DEU.so");
}

TEST_F(CStartupTest, UpgradeToolSettingsNameThePfadFolder)
{
    App().WriteUpgradeToolSettings();
    std::wstring text;
    ASSERT_TRUE(CAppEnvironment::UpgradeStore().ReadString(L"Settings", L"Pfad", text));
    EXPECT_EQ(text, ProgramFolder());
    ASSERT_TRUE(CAppEnvironment::UpgradeStore().ReadString(L"Settings", L"LanguageFile", text));
    EXPECT_EQ(text, ProgramFolder() + L"/VnUpgrade_ENU.so");
}

TEST_F(CStartupTest, ReportMessageCaptionButtonsAndRequestByKind)
{
    struct SCase
    {
        unsigned kind;
        const wchar_t* caption;
        CUserPrompts::NButtons buttons;
        CUserPrompts::NIcon icon;
        bool request;
    };
    const SCase cases[] = {
        {0, L"Information", CUserPrompts::buttonsOkCancel, CUserPrompts::iconInformation, false},
        {1, L"Warning", CUserPrompts::buttonsOkCancel, CUserPrompts::iconExclamation, false},
        {2, L"Error", CUserPrompts::buttonsOkCancel, CUserPrompts::iconError, true},
        {3, L"Fatal Error", CUserPrompts::buttonsOk, CUserPrompts::iconError, true},
        {7, L"Error", CUserPrompts::buttonsOk, CUserPrompts::iconError, false},
    };
    for (const SCase& c : cases)
    {
        Prompts().messages.clear();
        App().ReportMessage(c.kind, L"Body", 0, "TerrionLink", 1);
        ASSERT_EQ(Prompts().messages.size(), 1u) << c.kind;
        const auto& shown = Prompts().messages[0];
        EXPECT_EQ(shown.caption, c.caption) << c.kind;
        EXPECT_EQ(shown.buttons, c.buttons) << c.kind;
        EXPECT_EQ(shown.icon, c.icon) << c.kind;
        EXPECT_EQ(shown.owner, &Frame()) << c.kind;
        EXPECT_TRUE(shown.text.StartsWith(L"Body")) << c.kind;
        EXPECT_EQ(shown.text.Contains(L"Please send the log file"), c.request) << c.kind;
    }
}

TEST_F(CStartupTest, AReportWhileAModalWindowIsOpenBelongsToThatWindow)
{
    // Owned by the frame, the box would leave the modal window underneath it.
    wxDialog dialog(&Frame(), wxID_ANY, L"Modal");
    wxTheApp->CallAfter(
        [&]
        {
            App().ReportMessage(1, L"Body", 0, "TerrionLink", 1);
            dialog.EndModal(wxID_OK);
        });
    dialog.ShowModal();
    ASSERT_EQ(Prompts().messages.size(), 1u);
    EXPECT_EQ(Prompts().messages[0].owner, &dialog);
}

TEST_F(CStartupTest, ACommandThatThrowsIsReportedAndTheProgramGoesOn)
{
    Frame().Bind(
        wxEVT_MENU, [](wxCommandEvent&) { throw std::runtime_error("disk on fire"); }, 9999);
    Command(9999);
    ASSERT_EQ(Prompts().messages.size(), 1u);
    EXPECT_TRUE(Prompts().messages[0].text.Contains(L"disk on fire"));
    EXPECT_EQ(Prompts().messages[0].caption, L"Error");
    EXPECT_TRUE(Frame().IsShown());
}

TEST_F(CStartupTest, CommandLineWithOneProjectOpensItAndShowsItInTheTitle)
{
    const std::wstring path = ProjectFile("one_series.vnr");
    Frame().OpenFromCommandLine(wxArrayString{2, std::array<wxString, 2>{L"TerrionLink", path}.data()});
    EXPECT_TRUE(Frame().Document().HasProjectSeries());
    EXPECT_EQ(Title(), L"VARNEL TerrionLink - " + wxString(path));
}

TEST_F(CStartupTest, CommandLineWithTwoArgumentsOpensNothing)
{
    const std::wstring path = ProjectFile("one_series.vnr");
    Frame().OpenFromCommandLine(wxArrayString{3, std::array<wxString, 3>{L"TerrionLink", path, path}.data()});
    EXPECT_FALSE(Frame().Document().HasAnySeries());
    EXPECT_EQ(Title(), L"VARNEL TerrionLink");
}

TEST_F(CStartupTest, OnlyAFirstDroppedFileEndingInVnrOpens)
{
    const std::string folder = std::string(TERRION_TEST_DATA_DIR) + "/project/";
    const std::filesystem::path upper = std::filesystem::temp_directory_path() / "i12_DROPPED.VNR";
    std::filesystem::copy_file(folder + "one_series.vnr", upper,
                               std::filesystem::copy_options::overwrite_existing);
    struct SCase
    {
        std::vector<wxString> files;
        bool opens;
    };
    const SCase cases[] = {
        {{wxString(upper.string())}, true},
        {{wxString(folder + "make_golden.py"), wxString(folder + "one_series.vnr")}, false},
        {{wxString(folder + "clip_b.bin")}, false},
    };
    for (const SCase& c : cases)
    {
        Frame().Document().Close();
        wxArrayString files;
        for (const wxString& file : c.files)
            files.Add(file);
        Frame().OpenDroppedFiles(files);
        EXPECT_EQ(Frame().Document().HasProjectSeries(), c.opens) << c.files[0];
    }
    std::filesystem::remove(upper);
    EXPECT_TRUE(Prompts().messages.empty());
}

TEST_F(CStartupTest, DeviceCommandsKeepTheirPlacesAndAreEnabled)
{
    wxMenuBar* bar = Frame().GetMenuBar();
    for (int command : CMainFrame::kDeviceCommands)
    {
        EXPECT_NE(bar->FindItem(command), nullptr) << command;
        EXPECT_TRUE(Frame().IsCommandEnabled(command)) << command;
    }
    EXPECT_NE(Frame().ToolBar()->FindById(AppIds::kDeviceDownload), nullptr);
    EXPECT_NE(Frame().ToolBar()->FindById(AppIds::kDeviceUpgrade), nullptr);
}

TEST_F(CStartupTest, VersionReportsBuildTheNewVersionMenu)
{
    EXPECT_EQ(Frame().VersionMenu(), nullptr);
    wxCommandEvent report(WM_NEW_FIRMWARE_VERSION);
    report.SetInt(1 | (2 << 16));
    report.SetExtraLong(3 | (4 << 16));
    wxQueueEvent(&Frame(), report.Clone());
    Pump();
    ASSERT_NE(Frame().VersionMenu(), nullptr);
    wxMenuBar* bar = Frame().GetMenuBar();
    EXPECT_EQ(bar->GetMenuLabel(bar->GetMenuCount() - 1), L"New Version available!");
    ASSERT_EQ(Frame().VersionMenu()->GetMenuItemCount(), 1u);
    EXPECT_EQ(Frame().VersionMenu()->FindItemByPosition(0)->GetItemLabel(),
              L"Update Terrion to version 1.2.3");
    EXPECT_EQ(Frame().VersionMenu()->FindItemByPosition(0)->GetId(), AppIds::kDeviceUpgrade);

    const std::size_t menus = bar->GetMenuCount();
    report.SetInt(0);
    report.SetExtraLong(0);
    wxQueueEvent(&Frame(), report.Clone());
    Pump();
    EXPECT_EQ(Frame().VersionMenu(), nullptr);
    EXPECT_EQ(bar->GetMenuCount(), menus - 1);
}

TEST_F(CStartupTest, TheLogoOpensTheHomePageAndLeavingItEmptiesTheStatusPane)
{
    EXPECT_EQ(Frame().Logo()->GetToolTipText(), L"www.varnel.com");
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetEventObject(Frame().Logo());
    Frame().Logo()->HandleWindowEvent(down);
    ASSERT_EQ(Shell().urls.size(), 1u);
    EXPECT_TRUE(Shell().urls[0].Contains(L"varnel"));

    Frame().SetStatusText(L"something", 0);
    wxMouseEvent leave(wxEVT_LEAVE_WINDOW);
    leave.SetEventObject(Frame().Logo());
    Frame().Logo()->HandleWindowEvent(leave);
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), L"");
}

/// The box of a picture's white letters.
wxRect WhiteInk(const wxImage& image)
{
    wxRect box;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if ((!image.HasAlpha() || image.GetAlpha(x, y) > 128) && image.GetRed(x, y) > 230 &&
                image.GetGreen(x, y) > 230 && image.GetBlue(x, y) > 230)
                box = box.IsEmpty() ? wxRect(x, y, 1, 1) : box.Union(wxRect(x, y, 1, 1));
    return box;
}

TEST(CToolBarImagesTest, PicturesKeepTheirLettersAtALargerTextScale)
{
    // The logo's name and the icon's "T" are pictures: at 150 % desktop text
    // they keep their size and stay inside their shapes.
    const auto letters = []
    {
        return std::array<wxRect, 2>{WhiteInk(CToolBarImages::Logo(false).ConvertToImage()),
                                     WhiteInk(CToolBarImages::AppIcon().ConvertToImage())};
    };
    const std::array<wxRect, 2> normal = letters();
    const double before = SetTextResolution(144);
    const std::array<wxRect, 2> larger = letters();
    SetTextResolution(before);
    for (std::size_t i = 0; i < normal.size(); ++i)
    {
        ASSERT_FALSE(normal[i].IsEmpty()) << i;
        EXPECT_NEAR(larger[i].GetWidth(), normal[i].GetWidth(), 3) << "picture " << i;
        EXPECT_NEAR(larger[i].GetHeight(), normal[i].GetHeight(), 3) << "picture " << i;
    }
}

TEST_F(CStartupTest, AMissingHelpFileIsReported)
{
    Command(AppIds::ToWindowId(AppIds::kHelp));
    ASSERT_EQ(Prompts().messages.size(), 1u);
    EXPECT_TRUE(Prompts().messages[0].text.Contains(L"TerrionLink_ENU.pdf"));
    EXPECT_TRUE(Shell().documents.empty());
}

TEST_F(CStartupTest, AnExistingHelpFileIsOpenedFromThePfadFolder)
{
    const std::filesystem::path help =
        std::filesystem::path(wxString(ProgramFolder()).ToStdString()) / "VnUpgrade_ENU.html";
    {
        std::FILE* f = std::fopen(help.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    Command(AppIds::kHelpUpgrade);
    std::filesystem::remove(help);
    EXPECT_TRUE(Prompts().messages.empty());
    ASSERT_EQ(Shell().documents.size(), 1u);
    EXPECT_EQ(Shell().documents[0], wxString(help.string()));
}

TEST_F(CStartupTest, TheUpgradeCommandRunsTheToolFromTheProgramsFolderAndSaysWhenItIsMissing)
{
    const std::filesystem::path folder = std::filesystem::path(wxString(ProgramFolder()).ToStdString());
    const std::filesystem::path tool = folder / "VnUpgrade";
    const std::filesystem::path ran = folder / "VnUpgrade.ran";
    struct SCleanUp
    {
        std::filesystem::path tool, ran;
        ~SCleanUp()
        {
            std::filesystem::remove(tool);
            std::filesystem::remove(ran);
        }
    } cleanUp{tool, ran};
    std::filesystem::remove(tool);
    std::filesystem::remove(ran);
    auto& upgradeStore = CAppEnvironment::UpgradeStore();

    // A newer firmware is announced; the upgrade forgets it.
    wxCommandEvent report(WM_NEW_FIRMWARE_VERSION);
    report.SetInt(1 | (2 << 16));
    wxQueueEvent(&Frame(), report.Clone());
    Pump();
    ASSERT_NE(Frame().VersionMenu(), nullptr);

    upgradeStore.WriteString(L"Settings", L"Pfad", L"stale");
    Prompts().answers = {CUserPrompts::answerYes};
    Command(AppIds::kDeviceUpgrade);
    ASSERT_EQ(Prompts().messages.size(), 2u);
    EXPECT_TRUE(Prompts().messages[0].text.Contains(L"delete all measurements currently stored"));
    EXPECT_EQ(Prompts().messages[1].text,
              L"The firmware-upgrade tool could not be started:\n" + wxString(tool.string()));
    EXPECT_EQ(Prompts().messages[1].icon, CUserPrompts::iconExclamation);
    EXPECT_EQ(Frame().VersionMenu(), nullptr);
    std::wstring written;
    ASSERT_TRUE(upgradeStore.ReadString(L"Settings", L"Pfad", written));
    EXPECT_EQ(written, ProgramFolder()) << "written before the tool starts, present or not";

    // Present: it runs, and the command returns only once it has ended.
    {
        std::ofstream script(tool);
        script << "#!/bin/sh\nsleep 0.3\ntouch \"$0.ran\"\n";
    }
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    Prompts().messages.clear();
    Prompts().answers = {CUserPrompts::answerYes};
    Command(AppIds::kDeviceUpgrade);
    ASSERT_EQ(Prompts().messages.size(), 1u) << "only the question";
    EXPECT_TRUE(std::filesystem::exists(ran));

    // Answering No: nothing runs.
    std::filesystem::remove(ran);
    Prompts().messages.clear();
    Prompts().answers = {CUserPrompts::answerNo};
    Command(AppIds::kDeviceUpgrade);
    EXPECT_EQ(Prompts().messages.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(ran));
}

TEST_F(CStartupTest, AWorkerThreadsReportIsShownOnTheUserInterfaceThread)
{
    const auto uiThread = std::this_thread::get_id();
    std::thread::id shownOn;
    CAppDeviceThreadHost host(
        [&](unsigned kind, const std::wstring& text, const std::string& source, int line)
        {
            shownOn = std::this_thread::get_id();
            App().ReportMessage(kind, text, 0, source.c_str(), line);
        });
    std::thread worker(
        [&]
        {
            host.ReportMessage(Resources::NMessageKind::FatalError, L"Unhandled exception in Device Thread.",
                               "DeviceThread", 1109);
        });
    worker.join();
    EXPECT_TRUE(Prompts().messages.empty()); // nothing shown from the worker itself
    Pump();
    ASSERT_EQ(Prompts().messages.size(), 1u);
    EXPECT_EQ(shownOn, uiThread);
    EXPECT_EQ(Prompts().messages[0].caption, L"Fatal Error");

    // A report after the application detached is dropped.
    host.Detach();
    std::thread late([&] { host.ReportMessage(Resources::NMessageKind::Error, L"late", "DeviceThread", 1); });
    late.join();
    Pump();
    EXPECT_EQ(Prompts().messages.size(), 1u);
}

TEST_F(CStartupTest, ScreenshotOfTheMainWindowWithAProject)
{
    Frame().SetSize(0, 0, 1000, 700);
    // The page fits its columns to the size it has when the project opens.
    for (int i = 0; i < 5; ++i)
    {
        Pump();
        wxMilliSleep(20);
    }
    Frame().Document().Open(ProjectFile("summary.vnr"), false);
    Frame().ChildView()->UpdateTitle();
    Frame().Raise();
    for (int i = 0; i < 10; ++i)
    {
        Pump();
        wxMilliSleep(20);
    }
    const wxImage image = ScreenImage(Frame().GetScreenRect());
    ASSERT_TRUE(SaveArtefact(image, L"main_window.png"));
    // Not a blank grab: the toolbar's images and the tabs put several colours in.
    std::set<unsigned long> colours;
    for (int y = 0; y < image.GetHeight(); y += 3)
        for (int x = 0; x < image.GetWidth(); x += 3)
            colours.insert((static_cast<unsigned long>(image.GetRed(x, y)) << 16) |
                           (static_cast<unsigned long>(image.GetGreen(x, y)) << 8) | image.GetBlue(x, y));
    EXPECT_GT(colours.size(), 8u);
}

} // namespace
} // namespace TerrionTest
