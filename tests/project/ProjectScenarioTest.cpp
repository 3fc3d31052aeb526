// The whole road without a screen: series downloaded from the simulated
// Terrion through the driver, into the document, saved, reopened, a second
// file added, copied, pasted, restored and closed with each answer to the
// save question.

#include "FakeDocumentUi.h"
#include "ProjectFixtures.h"

#include "device/TerrionDevice.h"
#include "streams/Rs232Stream.h"
#include "tests/simulator/TerrionSimulator.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

using namespace TerrionTest;

namespace
{

constexpr int kPort = 219;

const char* const kInstrument = R"(
identification Terrion;HW 1.1;TN12-345-6789;0A000001;2.0.1
default-spacing 500
settings word=none spacing=380 factor=1.25 mode=surface shape=flat correction=geometric
series 3
reading 50 code=1
reading 30 code=2
reading 12 code=0
series 7
reading 2047 code=6
series 8
reading 12 code=7
)";

std::vector<TObject> Download()
{
    CTerrionSimulator sim(CTerrionScenario::Parse(kInstrument));
    sim.Map(kPort);
    Device::CTerrionDevice device;
    auto stream = std::make_unique<StreamIO::CRs232Stream>(kPort, StreamIO::ofRead | StreamIO::ofWrite,
                                                           &device.GetSerialSettings());
    EXPECT_TRUE(stream->IsOpen());
    EXPECT_TRUE(device.Attach(stream.release(), Device::portSerial));
    Device::SDeviceInfo info;
    EXPECT_TRUE(device.Identify(info));
    std::vector<TObject> objects;
    EXPECT_TRUE(device.ReadAllObjects(objects));
    return objects;
}

TEST(ProjectScenario, DownloadSaveReopenAddCopyPasteRestoreClose)
{
    const auto objects = Download();
    ASSERT_EQ(objects.size(), 3u);

    CTempDir temp;
    CFakeDocumentUi ui;
    CTerrionDoc doc(&ui);
    CRecordingView view;
    doc.AddView(&view);

    // download into the new project
    ASSERT_TRUE(doc.Close());
    ASSERT_TRUE(doc.AddSeries(objects, false));
    ASSERT_EQ(doc.GetSeriesCount(), 3);
    EXPECT_EQ(view.hints, std::vector<int>{-1});
    EXPECT_EQ(doc.GetSerialNumber(0), L"TN12-345-6789");
    EXPECT_EQ(doc.GetObjectId(1), 7);
    EXPECT_EQ(doc.GetMean(0), 40.0); // 50 and 30; the reading without current does not count
    EXPECT_EQ(doc.GetValidReadingCount(0), 2);
    EXPECT_EQ(doc.GetMean(1), 2047.0);
    EXPECT_EQ(doc.GetMean(2), 0.0);
    EXPECT_EQ(doc.FormatContactSpacing(0), L"38.0mm");
    EXPECT_EQ(doc.GetTitle(true), L"Unnamed");

    doc.SetName(0, L"Slab A");
    doc.SetAllInSummary(true);
    EXPECT_EQ(doc.GetSummaryCount(), 2);
    doc.SetSummaryComment(L"site visit");

    // save as, then reopen
    const auto first = temp / "site.vnr";
    ui.paths = {first.wstring()};
    ASSERT_TRUE(doc.Save());
    EXPECT_EQ(doc.GetTitle(true), L"site");
    auto saved = SDocSnapshot::Of(doc);
    saved.projectSelected.assign(3, false); // selections are not stored
    ASSERT_TRUE(doc.Close());               // nothing unsaved: no question
    EXPECT_TRUE(ui.questions.empty());
    ASSERT_TRUE(doc.Open(first.wstring(), false));
    EXPECT_EQ(SDocSnapshot::Of(doc), saved);
    EXPECT_EQ(doc.GetSeries(0)->object.readings, objects[0].readings);
    EXPECT_EQ(doc.GetSeries(1)->object.settings, objects[1].settings);

    // add a second file
    ASSERT_TRUE(doc.Open(GoldenPath("one_series.vnr").wstring(), true));
    ASSERT_EQ(doc.GetSeriesCount(), 4);
    EXPECT_EQ(doc.GetName(3), L"Wall north");
    EXPECT_EQ(doc.GetSummaryComment(), L"site visit");

    // copy two series and paste them back
    ASSERT_TRUE(doc.CopyToClipboard({1, 0, 0, 1}));
    EXPECT_TRUE(doc.CanPaste());
    ASSERT_TRUE(doc.Paste());
    ASSERT_EQ(doc.GetSeriesCount(), 6);
    EXPECT_EQ(doc.GetName(4), L"Slab A");
    EXPECT_EQ(doc.GetName(5), L"Wall north");
    EXPECT_EQ(doc.GetSeries(4)->guid, doc.GetSeries(0)->guid);
    EXPECT_EQ(doc.GetSummaryCount(), 3); // the pasted copy of Slab A is in the summary too
    EXPECT_EQ(doc.GetOriginalData().GetCount(), 4);

    // restore the original data
    ASSERT_TRUE(doc.RestoreOriginalData());
    ASSERT_EQ(doc.GetSeriesCount(), 4);
    EXPECT_EQ(doc.GetName(0), L"");
    EXPECT_EQ(doc.GetSummaryCount(), 0);
    EXPECT_TRUE(doc.IsModified());

    // close: cancel keeps everything, no discards, yes saves
    const auto onDisk = ReadFile(first);
    ui.answers = {CDocumentUi::AnswerCancel};
    EXPECT_FALSE(doc.Close());
    EXPECT_EQ(doc.GetSeriesCount(), 4);
    ui.answers = {CDocumentUi::AnswerNo};
    EXPECT_TRUE(doc.Close());
    EXPECT_FALSE(doc.HasAnySeries());
    EXPECT_EQ(ReadFile(first), onDisk);

    ASSERT_TRUE(doc.Open(first.wstring(), false));
    doc.SetName(2, L"renamed");
    ui.answers = {CDocumentUi::AnswerYes};
    EXPECT_TRUE(doc.Close());
    EXPECT_EQ(ui.questions.size(), 3u);
    ASSERT_TRUE(doc.Open(first.wstring(), false));
    EXPECT_EQ(doc.GetName(2), L"renamed");
    EXPECT_TRUE(ui.errors.empty());
    doc.RemoveView(&view);
}

} // namespace
