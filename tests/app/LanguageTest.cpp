// Language libraries: a matching one relabels the running program, a text it
// lacks falls back to the built-in one, and one of another version is ignored.

#include "tests/app/AppTestSupport.h"

#include "app/shell/ChildView.h"
#include "app/shell/CommandIds.h"
#include "app/shell/MainFrame.h"
#include "app/shell/TabSheet.h"
#include "app/shell/TerrionLinkApp.h"
#include "app/shell/ToolBarExt.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "tests/support/TempDir.h"

#include <wx/menu.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace TerrionTest
{
namespace
{

class CLanguageTest : public CAppTest
{
protected:
    void ExpectEnglish()
    {
        Pump();
        EXPECT_EQ(Frame().GetMenuBar()->GetMenuLabel(0), L"&File");
        EXPECT_EQ(Frame().ToolBar()->GetToolShortHelp(AppIds::kProjectOpen), L"Open project");
        EXPECT_EQ(Frame().ChildView()->TabSheet()->GetPageText(0), L"Series");
        EXPECT_EQ(Frame().ChildView()->TabSheet()->GetPageText(1), L"Summary");
    }

    /// A copy of the test library whose product version is changed by
    /// (majorStep, minorStep), written into the temporary folder as name.
    std::wstring CopyWithVersion(const std::string& name, int majorStep, int minorStep)
    {
        std::ifstream in(std::filesystem::path(wxString(TestLanguageLibrary()).ToStdString()),
                         std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const char magic[] = {0x7F, 'T', 'R', 'N', '-', 'V', 'E', 'R',
                              'S',  'I', 'O', 'N', '-', 'R', 'E', 'C'};
        const auto at = std::search(bytes.begin(), bytes.end(), std::begin(magic), std::end(magic));
        EXPECT_NE(at, bytes.end());
        // The fixed block follows magic, size and format; the product version
        // word (major << 16 | minor) is its fifth word.
        const std::size_t word = static_cast<std::size_t>(at - bytes.begin()) + 16 + 8 + 4 * 4;
        auto* minor = reinterpret_cast<unsigned char*>(&bytes[word]);
        auto* major = minor + 2;
        minor[0] = static_cast<unsigned char>(minor[0] + minorStep);
        major[0] = static_cast<unsigned char>(major[0] + majorStep);
        const auto path = m_temp / name;
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.wstring();
    }

    CTempDir m_temp;
};

TEST_F(CLanguageTest, AMatchingLibraryRelabelsMenuToolbarTabsAndTitleWhileRunning)
{
    ExpectEnglish();
    App().SetLanguageFile(TestLanguageLibrary());
    Frame().ApplySettingsChange(true, false);
    Pump();
    wxMenuBar* bar = Frame().GetMenuBar();
    EXPECT_EQ(bar->GetMenuLabel(0), L"&Datei");
    EXPECT_EQ(bar->GetMenuLabel(1), L"Gerät");
    EXPECT_EQ(Frame().ToolBar()->GetToolShortHelp(AppIds::kProjectOpen), L"Projekt öffnen");
    EXPECT_EQ(Frame().ToolBar()->GetToolLongHelp(AppIds::kProjectSave), L"Das Projekt speichern");
    EXPECT_EQ(Frame().ChildView()->TabSheet()->GetPageText(0), L"Messreihen");
    EXPECT_EQ(Frame().ChildView()->TabSheet()->GetPageText(1), L"Übersicht");
    EXPECT_EQ(Title(), L"VARNEL TerrionLink (Deutsch)");
    // A text the library lacks comes from the built-in table.
    EXPECT_EQ(bar->GetMenu(0)->FindItem(AppIds::kProjectClose)->GetItemLabel(), L"Close project");
    EXPECT_EQ(App().LanguageVersion().GetInternalName(), L"Deutsch");

    // The program's own path brings the built-in texts back.
    App().SetLanguageFile(App().Settings().ProgramPath());
    Frame().ApplySettingsChange(true, false);
    ExpectEnglish();
    EXPECT_EQ(App().LanguageVersion().GetInternalName(), App().ProgramVersion().GetInternalName());
}

TEST_F(CLanguageTest, ALibraryOfAnotherMajorOrMinorVersionIsIgnored)
{
    for (const auto& [name, major, minor] :
         {std::tuple{"TerrionLink_MIN.so", 0, 1}, std::tuple{"TerrionLink_MAJ.so", 1, 0}})
    {
        const std::wstring copy = CopyWithVersion(name, major, minor);
        App().SetLanguageFile(copy);
        EXPECT_EQ(App().Settings().LanguageFile(), copy);
        Frame().ApplySettingsChange(true, false);
        ExpectEnglish();
    }
    // The same bytes with the program's version are taken: the patch is the only difference.
    App().SetLanguageFile(CopyWithVersion("TerrionLink_SAME.so", 0, 0));
    EXPECT_EQ(Resources::CStringTable::Text(Resources::Ids::kAppTabSeries), L"Messreihen");
}

TEST_F(CLanguageTest, AProgramInAFolderNamedLikeALibraryBringsTheBuiltInTextsBack)
{
    App().SetLanguageFile(TestLanguageLibrary());
    Frame().ApplySettingsChange(true, false);
    Pump();
    ASSERT_EQ(Frame().GetMenuBar()->GetMenuLabel(0), L"&Datei");
    // The program's own path, as it would read from a folder such as "tools.so.d".
    const std::filesystem::path folder = m_temp.Path() / "tools.so.d";
    std::filesystem::create_directories(folder);
    App().SetLanguageFile((folder / "TerrionLink").wstring());
    Frame().ApplySettingsChange(true, false);
    ExpectEnglish();
    EXPECT_EQ(App().LanguageVersion().GetInternalName(), App().ProgramVersion().GetInternalName());
}

} // namespace
} // namespace TerrionTest
