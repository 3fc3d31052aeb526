// The project document's commands: close and the save question, atomic
// saves, failed opens and adds, the title, the summary and change
// notifications.

#include "FakeDocumentUi.h"
#include "ProjectFixtures.h"

#include "data/DocumentSubscription.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <filesystem>

using namespace TerrionTest;
namespace fs = std::filesystem;

namespace
{

class TerrionDocTest : public ::testing::Test
{
protected:
    TerrionDocTest() { MakeReproducible(doc); }

    std::vector<fs::path> FilesInTemp() const
    {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(temp.Path()))
            files.push_back(entry.path().filename());
        std::sort(files.begin(), files.end());
        return files;
    }

    CTempDir temp;
    CFakeDocumentUi ui;
    CTerrionDoc doc{&ui};
    CRecordingView view;
    CDocumentSubscription subscription{doc, view};
};

TEST_F(TerrionDocTest, CloseAsksOnlyWhenModifiedWithSeries)
{
    doc.SetSummaryComment(L"note"); // modified, but nothing to lose
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.Close());
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_TRUE(view.hints.empty()); // no series: no notification
    EXPECT_FALSE(doc.IsModified());

    doc.AddSeries({ObjectA()}, false);
    ASSERT_TRUE(doc.SaveFile((temp / "a.vnr").wstring()));
    view.hints.clear();
    EXPECT_TRUE(doc.Close()); // unmodified with series: no question, one notification
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(view.hints, std::vector<int>{-1});
    // the summary comment stays for the next project
    EXPECT_EQ(doc.GetSummaryComment(), L"note");
}

TEST_F(TerrionDocTest, CloseWithEachAnswer)
{
    doc.AddSeries({ObjectA()}, false);
    doc.SetInSummary(0, true);

    ui.answers = {CDocumentUi::AnswerCancel};
    EXPECT_FALSE(doc.Close());
    EXPECT_EQ(ui.questions, std::vector<std::wstring>{L"Would you like to save changes in your Project?"});
    EXPECT_EQ(doc.GetSeriesCount(), 1);
    EXPECT_TRUE(doc.IsModified());

    ui.answers = {CDocumentUi::AnswerYes}; // no path: save as, dialog cancelled
    EXPECT_FALSE(doc.Close());
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].defaultExtension, L"vnr");
    EXPECT_EQ(ui.dialogs[0].initialName, L"Unnamed");
    EXPECT_EQ(doc.GetSeriesCount(), 1);

    ui.answers = {CDocumentUi::AnswerYes};
    ui.paths = {(temp / "saved.vnr").wstring()};
    EXPECT_TRUE(doc.Close());
    EXPECT_TRUE(fs::exists(temp / "saved.vnr"));
    EXPECT_FALSE(doc.HasAnySeries());
    EXPECT_EQ(doc.GetSummaryCount(), 0);
    EXPECT_EQ(doc.GetPath(), L"");

    doc.AddSeries({ObjectB()}, false);
    ui.answers = {CDocumentUi::AnswerNo};
    EXPECT_TRUE(doc.Close());
    EXPECT_FALSE(doc.HasAnySeries());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(TerrionDocTest, FailedSaveKeepsTheOldFileAndTheChanges)
{
    const fs::path target = temp / "project.vnr";
    doc.AddSeries({ObjectA()}, false);
    ASSERT_TRUE(doc.SaveFile(target.wstring()));
    const TBytes old = ReadFile(target);

    // a name longer than a stored string can be makes the write fail half-way
    doc.SetName(0, std::wstring(70000, L'x'));
    EXPECT_FALSE(doc.SaveFile(target.wstring()));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_NE(ui.errors[0].find(target.wstring()), std::wstring::npos);
    EXPECT_EQ(ReadFile(target), old);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(FilesInTemp(), std::vector<fs::path>{"project.vnr"}); // no temporary file left

    // Close with Yes: the failed save keeps the project open
    ui.answers = {CDocumentUi::AnswerNo};
    ASSERT_TRUE(doc.Open(target.wstring(), false)); // now the path is set
    doc.SetName(0, std::wstring(70000, L'y'));
    ui.answers = {CDocumentUi::AnswerYes};
    EXPECT_FALSE(doc.Close());
    EXPECT_EQ(doc.GetSeriesCount(), 1);
    EXPECT_EQ(ReadFile(target), old);
}

TEST_F(TerrionDocTest, SeriesThatCannotBeWrittenFailTheSaveCleanly)
{
    const fs::path target = temp / "project.vnr";
    doc.AddSeries({ObjectA()}, false);
    ASSERT_TRUE(doc.SaveFile(target.wstring()));
    const TBytes old = ReadFile(target);

    // A series claiming more readings than it holds cannot be written: the
    // save fails like any write error and leaves nothing behind.
    doc.GetSeries(0)->nReadingCount = static_cast<int>(doc.GetSeries(0)->object.readings.size()) + 1;
    EXPECT_FALSE(doc.SaveFile(target.wstring()));
    EXPECT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ReadFile(target), old);
    EXPECT_EQ(FilesInTemp(), std::vector<fs::path>{"project.vnr"});
}

TEST_F(TerrionDocTest, FailedSaveAsKeepsThePath)
{
    doc.AddSeries({ObjectA()}, false);
    ASSERT_TRUE(doc.SaveFile((temp / "a.vnr").wstring()));
    ui.paths = {(temp / "a.vnr").wstring()};
    ASSERT_TRUE(doc.SaveAs());
    fs::create_directory(temp / "folder.vnr"); // a folder cannot be replaced by the file
    doc.SetComment(0, L"changed");
    ui.paths = {(temp / "folder.vnr").wstring()};
    EXPECT_FALSE(doc.SaveAs());
    EXPECT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(doc.GetPath(), (temp / "a.vnr").wstring());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(fs::is_directory(temp / "folder.vnr"));
    EXPECT_EQ(FilesInTemp(), (std::vector<fs::path>{"a.vnr", "folder.vnr"}));
}

TEST_F(TerrionDocTest, SaveReplacesTheFileAndKeepsItsPermissions)
{
    const fs::path target = temp / "p.vnr";
    WriteFile(target, {1, 2, 3});
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    doc.AddSeries({ObjectA()}, false);
    ASSERT_TRUE(doc.SaveFile(target.wstring()));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_GT(fs::file_size(target), 3u);
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // saving through a link replaces the file it names and keeps the link
    fs::create_symlink(target, temp / "link.vnr");
    doc.SetName(0, L"through the link");
    ASSERT_TRUE(doc.SaveFile((temp / "link.vnr").wstring()));
    EXPECT_TRUE(fs::is_symlink(temp / "link.vnr"));
    CTerrionDoc check;
    ASSERT_TRUE(check.Open(target.wstring(), false));
    EXPECT_EQ(check.GetName(0), L"through the link");
    EXPECT_EQ(FilesInTemp(), (std::vector<fs::path>{"link.vnr", "p.vnr"}));
}

TEST_F(TerrionDocTest, FailedAddHalfWayLeavesTheDocumentAsItWas)
{
    doc.AddSeries({ObjectA()}, false);
    ASSERT_TRUE(doc.SaveFile((temp / "a.vnr").wstring()));
    const auto before = SDocSnapshot::Of(doc);
    TBytes bytes = ReadFile(GoldenPath("summary.vnr"));
    bytes.resize(bytes.size() - 40); // the project block breaks off
    WriteFile(temp / "broken.vnr", bytes);
    view.hints.clear();
    EXPECT_FALSE(doc.Open((temp / "broken.vnr").wstring(), true));
    EXPECT_EQ(SDocSnapshot::Of(doc), before);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(TerrionDocTest, OpenDialogAndCancel)
{
    EXPECT_FALSE(doc.Open(L"", false));
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].initialName, L"*.vnr");
    EXPECT_EQ(ui.dialogs[0].filter, L"Terrionlink Project (*.vnr)|*.vnr|All Files (*.*)|*.*||");
    ui.paths = {GoldenPath("one_series.vnr").wstring()};
    EXPECT_TRUE(doc.Open(L"", false));
    EXPECT_EQ(doc.GetSeriesCount(), 1);
}

TEST_F(TerrionDocTest, AddAppendsSortsAndKeepsTheCurrentComment)
{
    ASSERT_TRUE(doc.Open(GoldenPath("one_series.vnr").wstring(), false));
    doc.Sort(SortIdDesc);
    doc.SetSummaryComment(L"my comment");
    ASSERT_TRUE(doc.Open(GoldenPath("summary.vnr").wstring(), true));
    EXPECT_EQ(doc.GetSeriesCount(), 4);
    EXPECT_EQ(doc.GetOriginalData().GetCount(), 4);
    EXPECT_EQ(doc.GetSortOrder(), SortIdDesc);
    EXPECT_EQ(doc.GetObjectId(0), 9);
    EXPECT_EQ(doc.GetSummaryComment(), L"my comment");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPath(), GoldenPath("one_series.vnr").wstring()); // adding keeps the path
    EXPECT_EQ(doc.GetSummaryCount(), 2);

    // an empty comment takes the file's
    doc.SetSummaryComment(L"");
    ASSERT_TRUE(doc.Open(GoldenPath("summary.vnr").wstring(), true));
    EXPECT_EQ(doc.GetSummaryComment(), L"Deck \u03A9 2\u00B5");

    // opening (not adding) replaces it, also after a close kept it
    ui.answers = {CDocumentUi::AnswerNo};
    ASSERT_TRUE(doc.Open(GoldenPath("empty.vnr").wstring(), false));
    EXPECT_EQ(doc.GetSummaryComment(), L"");
}

TEST_F(TerrionDocTest, PasteKeepsTheCurrentComment)
{
    ui.clipboard[CTerrionDoc::kClipboardFormat] = ReadFile(GoldenPath("clip_b.bin"));
    doc.AddSeries({ObjectA()}, false);
    doc.Sort(SortMeanDesc);
    doc.SetSummaryComment(L"mine");
    ASSERT_TRUE(doc.Paste());
    EXPECT_EQ(doc.GetSummaryComment(), L"mine");
    EXPECT_EQ(doc.GetSeriesCount(), 2);
    EXPECT_EQ(doc.GetObjectId(1), 5);
    EXPECT_EQ(doc.GetSortOrder(), SortMeanDesc);
    EXPECT_EQ(doc.GetOriginalData().GetCount(), 1);

    // a block that carries original data as a project file does: pasted
    // series join the project data only
    TBytes file = ReadFile(GoldenPath("one_series.vnr"));
    const auto length = static_cast<std::uint32_t>(file.size());
    TBytes block{static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8), 0, 0};
    block.insert(block.end(), file.begin(), file.end());
    ui.clipboard[CTerrionDoc::kClipboardFormat] = block;
    ASSERT_TRUE(doc.Paste());
    EXPECT_EQ(doc.GetSeriesCount(), 3);
    EXPECT_EQ(doc.GetOriginalData().GetCount(), 1);

    ui.clipboard.clear();
    const auto before = SDocSnapshot::Of(doc);
    EXPECT_FALSE(doc.CanPaste());
    EXPECT_TRUE(doc.Paste()); // nothing of ours on the clipboard
    EXPECT_EQ(SDocSnapshot::Of(doc), before);
}

TEST_F(TerrionDocTest, TitleDropsOnlyTheFileNamesExtension)
{
    EXPECT_EQ(doc.GetTitle(true), L"");
    doc.AddSeries({ObjectA()}, false);
    EXPECT_EQ(doc.GetTitle(true), L"Unnamed");
    EXPECT_EQ(doc.GetTitle(false), L"Unnamed");

    struct SCase
    {
        const char* folder;
        const char* file;
        const wchar_t* title;
    } cases[] = {
        {"data", "run.vnr", L"run"},
        {"old.data", "project", L"project"},
        {"x", "two.dots.vnr", L"two.dots"},
        {"y", "long.extension", L"long"},
        // a backslash is part of a Linux file name, never a separator
        {"z", "back\\slash.vnr", L"back\\slash"},
        {"c:\\win", "run.vnr", L"run"},
    };
    for (const auto& c : cases)
    {
        fs::create_directories(temp / c.folder);
        const fs::path path = temp / c.folder / c.file;
        ASSERT_TRUE(doc.SaveFile(path.wstring()));
        ui.paths = {path.wstring()};
        ASSERT_TRUE(doc.SaveAs());
        EXPECT_EQ(doc.GetTitle(true), c.title);
        EXPECT_EQ(doc.GetTitle(false), path.wstring());
        ui.paths.clear();
        EXPECT_FALSE(doc.SaveAs());
        EXPECT_EQ(ui.dialogs.back().initialName, c.title) << "the save-as name";
    }
}

TEST_F(TerrionDocTest, SummaryMembershipMarksModified)
{
    doc.AddSeries({ObjectA(), ObjectB(), ObjectC()}, false);
    ASSERT_TRUE(doc.SaveFile((temp / "a.vnr").wstring()));
    view.hints.clear();

    doc.SetInSummary(2, true); // mean 0: cannot join, nothing changes
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.IsInSummary(2));
    EXPECT_EQ(view.hints, std::vector<int>{2});

    doc.SetInSummary(1, true);
    EXPECT_TRUE(doc.IsModified());
    doc.SetInSummary(1, true); // twice: one entry
    EXPECT_EQ(doc.GetSummaryCount(), 1);

    ASSERT_TRUE(doc.SaveFile((temp / "a.vnr").wstring()));
    doc.SetInSummary(1, false);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetSummaryCount(), 0);

    ASSERT_TRUE(doc.SaveFile((temp / "a.vnr").wstring()));
    doc.SetAllInSummary(true);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetSummaryCount(), 2);

    ASSERT_TRUE(doc.SaveFile((temp / "a.vnr").wstring()));
    doc.SetSelected(0, false);
    doc.SetSelected(1, true);
    ASSERT_TRUE(doc.SaveFile((temp / "a.vnr").wstring()));
    doc.SetSelectedInSummary(false);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetSummaryCount(), 1);
    EXPECT_TRUE(doc.IsInSummary(0));
    EXPECT_EQ(view.hints.back(), -1);
}

TEST_F(TerrionDocTest, RemovingASeriesRemovesOnlyItsOwnEntry)
{
    doc.AddSeries({ObjectA(), ObjectB()}, false);
    doc.GetSeries(1)->guid = doc.GetSeries(0)->guid; // as a copied file may have it
    doc.SetAllInSummary(true);
    ASSERT_EQ(doc.GetSummaryCount(), 2);
    doc.RemoveSeries(1);
    ASSERT_EQ(doc.GetSummaryCount(), 1);
    EXPECT_EQ(doc.GetSummary().GetEntries()[0].dMean, 20.0); // A's entry stays
    doc.SetInSummary(0, false);
    EXPECT_EQ(doc.GetSummaryCount(), 0);
}

TEST_F(TerrionDocTest, SummaryStatisticsFollowTheFlags)
{
    doc.AddSeries({ObjectA(), ObjectC()}, false);
    double mean, sd, min, max;
    doc.ComputeSummaryStatistics();
    doc.GetSummaryStatistics(&mean, &sd, &min, &max);
    EXPECT_EQ(mean, 0.0);
    EXPECT_EQ(sd, 0.0);
    EXPECT_EQ(min, DBL_MAX);
    EXPECT_EQ(max, 0.0);
    doc.SetInSummary(0, true);
    doc.ComputeSummaryStatistics();
    doc.GetSummaryStatistics(&mean, &sd, &min, &max);
    EXPECT_EQ(mean, 20.0);
    EXPECT_EQ(sd, 0.0);
    EXPECT_EQ(min, 20.0);
    EXPECT_EQ(max, 20.0);

    ASSERT_TRUE(doc.SaveFile((temp / "a.vnr").wstring()));
    doc.SetSummaryComment(L"");
    EXPECT_FALSE(doc.IsModified()); // the same text
    doc.SetSummaryOrder(1);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TerrionDocTest, NotificationsSkipTheSenderAndEndWithTheSubscription)
{
    CRecordingView other;
    {
        CDocumentSubscription second(doc, other);
        doc.NotifyViews(&view, 4);
        EXPECT_TRUE(view.hints.empty());
        EXPECT_EQ(other.hints, std::vector<int>{4});
    }
    doc.NotifyViews(nullptr, -1);
    EXPECT_EQ(other.hints.size(), 1u);
    EXPECT_EQ(view.hints, std::vector<int>{-1});
    EXPECT_FALSE(doc.RemoveView(&other));
}

TEST_F(TerrionDocTest, RestoreBringsBackTheOriginalSeries)
{
    doc.AddSeries({ObjectA(), ObjectB()}, false);
    doc.SetName(0, L"renamed");
    doc.SetInSummary(1, true);
    doc.RemoveSeries(0);
    ASSERT_TRUE(doc.SaveFile((temp / "a.vnr").wstring()));
    ASSERT_TRUE(doc.RestoreOriginalData());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(doc.GetSeriesCount(), 2);
    EXPECT_EQ(doc.GetName(0), L"");
    EXPECT_EQ(doc.GetSeries(0)->guid, doc.GetOriginalData().GetGuid(0));
    EXPECT_EQ(doc.GetSummaryCount(), 0); // the originals were never in the summary
}

TEST_F(TerrionDocTest, SettingsTexts)
{
    doc.AddSeries({ObjectA(), ObjectB()}, false);
    EXPECT_EQ(doc.FormatMeasurementMode(0), L"Surface");
    EXPECT_EQ(doc.FormatMeasurementMode(1), L"Bulk");
    EXPECT_EQ(doc.FormatSpecimenShape(0), L"Cylinder");
    EXPECT_EQ(doc.FormatSpecimenShape(1), L"Prism");
    EXPECT_EQ(doc.FormatLength(0), L"200.0 mm");
    EXPECT_EQ(doc.FormatDiameter(1), L"70.0 mm");
    EXPECT_EQ(doc.FormatDepth(1), L"30.0 mm");
    EXPECT_EQ(doc.FormatCorrection(0), L"1.250");
    EXPECT_FALSE(doc.IsDefaultContactSpacing(0));
    EXPECT_TRUE(doc.IsDefaultContactSpacing(1));
    EXPECT_TRUE(doc.IsDefaultContactSpacing(5));
    EXPECT_EQ(doc.FormatMeasurementMode(5), L"--");
    EXPECT_EQ(doc.FormatLength(5), L"");
    EXPECT_EQ(CTerrionDoc::GetCurrentUnit(), L"\u00B5A");
}

} // namespace
