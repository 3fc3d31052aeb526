// The project file against bytes written out by hand (make_golden.py): our
// reader reads every field, our writer reproduces every byte.

#include "FakeDocumentUi.h"
#include "ProjectFixtures.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace TerrionTest;

namespace
{

class GoldenFileTest : public ::testing::Test
{
protected:
    GoldenFileTest() { MakeReproducible(doc); }

    /// Saves the document and returns the bytes written.
    TBytes Saved()
    {
        const auto path = temp / "saved.vnr";
        EXPECT_TRUE(doc.SaveFile(path.wstring()));
        return ReadFile(path);
    }

    bool OpenGolden(const std::string& name) { return doc.Open(GoldenPath(name).wstring(), false); }

    CTempDir temp;
    CFakeDocumentUi ui;
    CTerrionDoc doc{&ui};
};

void ExpectObjectA(const TMeasSeries& s)
{
    EXPECT_EQ(s.object.ident.typeName, L"Terrion");
    EXPECT_EQ(s.object.ident.serialNumber, L"TR-0042");
    EXPECT_EQ(s.object.ident.firmwareVersion, L"1.05");
    EXPECT_EQ(s.object.ident.hardwareRevision, L"B");
    EXPECT_EQ(s.object.ident.signature, L"07A1");
    EXPECT_EQ(s.object.objectNumber, 3);
    EXPECT_EQ(s.object.readings, ObjectA().readings);
    EXPECT_EQ(s.nReadingCount, 4);
    EXPECT_EQ(s.nTime, kFixedTime);
    EXPECT_EQ(s.dMean, 20.0);
    EXPECT_EQ(s.dMax, 30.0);
    EXPECT_EQ(s.dMin, 10.0);
    EXPECT_EQ(s.dStdDev, 10.0);
    EXPECT_FALSE(s.bSelected);
}

TEST_F(GoldenFileTest, EmptyProjectIs96BytesAndReadsEmpty)
{
    ASSERT_TRUE(OpenGolden("empty.vnr"));
    EXPECT_FALSE(doc.HasAnySeries());
    EXPECT_EQ(doc.GetSummaryComment(), L"");
    EXPECT_EQ(CTerrionDoc::GetProjectFormatVersion(), CVersion(2, 0, 0, 0));

    CTerrionDoc fresh(&ui);
    MakeReproducible(fresh);
    const auto path = temp / "fresh.vnr";
    ASSERT_TRUE(fresh.SaveFile(path.wstring()));
    EXPECT_EQ(ReadFile(path), ReadFile(GoldenPath("empty.vnr")));
    EXPECT_EQ(ReadFile(path).size(), 96u);
}

TEST_F(GoldenFileTest, OneSeriesReadsFieldByField)
{
    ASSERT_TRUE(OpenGolden("one_series.vnr"));
    ASSERT_EQ(doc.GetSeriesCount(), 1);
    ASSERT_EQ(doc.GetOriginalData().GetCount(), 1);

    const TMeasSeries& p = *doc.GetSeries(0);
    ExpectObjectA(p);
    EXPECT_EQ(p.guid, GoldenGuid(1));
    EXPECT_EQ(p.strName, L"Wall north");
    EXPECT_EQ(p.strComment, L"dry");
    EXPECT_TRUE(p.bExpanded);
    EXPECT_EQ(p.nDiagramOrder, 1);
    EXPECT_FALSE(p.bInSummary);
    EXPECT_EQ(p.object.settings, ObjectA().settings);

    const TMeasSeries& o = *doc.GetOriginalData().GetSeries(0);
    ExpectObjectA(o);
    EXPECT_EQ(o.guid, GoldenGuid(2));
    EXPECT_EQ(o.strName, L"");
    EXPECT_FALSE(o.bExpanded);
    EXPECT_EQ(o.nDiagramOrder, 0xFFFF);

    EXPECT_EQ(doc.GetPath(), GoldenPath("one_series.vnr").wstring());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(true), L"one_series");
}

TEST_F(GoldenFileTest, WriterReproducesOneSeries)
{
    doc.AddSeries({ObjectA()}, false);
    doc.SetName(0, L"Wall north");
    doc.SetComment(0, L"dry");
    doc.SetExpanded(0, true);
    doc.SetDiagramOrder(0, DiagramOrderValue);
    EXPECT_EQ(Saved(), ReadFile(GoldenPath("one_series.vnr")));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(GoldenFileTest, SummaryProjectReadsFieldByField)
{
    ASSERT_TRUE(OpenGolden("summary.vnr"));
    ASSERT_EQ(doc.GetSeriesCount(), 3);
    EXPECT_EQ(doc.GetSortOrder(), SortMeanAsc);
    EXPECT_EQ(doc.GetSummaryComment(), L"Deck \u03A9 2\u00B5");
    EXPECT_EQ(doc.GetObjectId(0), 9);
    EXPECT_EQ(doc.GetObjectId(1), 5);
    EXPECT_EQ(doc.GetObjectId(2), 3);

    const TMeasSeries& c = *doc.GetSeries(0);
    EXPECT_EQ(c.nReadingCount, 0);
    EXPECT_TRUE(c.object.readings.empty());
    EXPECT_FALSE(c.bInSummary);
    const TMeasSeries& b = *doc.GetSeries(1);
    EXPECT_EQ(b.guid, GoldenGuid(2));
    EXPECT_EQ(b.dMean, 6.0);
    EXPECT_EQ(b.dStdDev, std::sqrt(0.5));
    EXPECT_EQ(b.object.settings, ObjectB().settings);
    EXPECT_TRUE(b.bInSummary);
    EXPECT_TRUE(doc.IsInSummary(2));

    // the entries are rebuilt from the flags, in project order
    ASSERT_EQ(doc.GetSummaryCount(), 2);
    EXPECT_EQ(doc.GetSummary().GetEntries()[0].guid, GoldenGuid(2));
    EXPECT_EQ(doc.GetSummary().GetEntries()[1].guid, GoldenGuid(1));
    double mean, sd, min, max;
    doc.GetMeanRange(&min, &max);
    EXPECT_EQ(min, 0.0);
    EXPECT_EQ(max, 20.0);
    doc.ComputeSummaryStatistics();
    doc.GetSummaryStatistics(&mean, &sd, &min, &max);
    EXPECT_EQ(mean, 13.0);
    EXPECT_EQ(min, 6.0);
    EXPECT_EQ(max, 20.0);
    EXPECT_DOUBLE_EQ(sd, std::sqrt(98.0));

    EXPECT_EQ(doc.GetOriginalData().GetSortOrder(), SortNone);
    EXPECT_EQ(doc.GetOriginalData().GetGuid(2), GoldenGuid(6));
}

TEST_F(GoldenFileTest, WriterReproducesSummaryProject)
{
    doc.AddSeries({ObjectA(), ObjectB(), ObjectC()}, false);
    doc.SetInSummary(0, true);
    doc.SetInSummary(1, true);
    doc.SetInSummary(2, true); // no valid readings: stays out
    doc.Sort(SortMeanAsc);
    doc.SetSummaryComment(L"Deck \u03A9 2\u00B5");
    EXPECT_EQ(Saved(), ReadFile(GoldenPath("summary.vnr")));
}

TEST_F(GoldenFileTest, ReadThenWriteReproducesEveryFile)
{
    for (const char* name : {"empty.vnr", "one_series.vnr", "summary.vnr"})
    {
        SCOPED_TRACE(name);
        ASSERT_TRUE(OpenGolden(name));
        EXPECT_EQ(Saved(), ReadFile(GoldenPath(name)));
    }
}

TEST_F(GoldenFileTest, FormatOneReadsWithDefaultsAndSavesAsFormatTwo)
{
    ASSERT_TRUE(OpenGolden("format1.vnr"));
    EXPECT_EQ(CTerrionDoc::GetProjectFormatVersion(), CVersion(1, 0, 0, 0));
    ASSERT_EQ(doc.GetSeriesCount(), 1);
    const auto& set = doc.GetSeries(0)->object.settings;
    EXPECT_EQ(set.defaultSpacing, 0);
    EXPECT_EQ(set.spacingWord, 380); // the contact spacing
    EXPECT_EQ(set.correctionFactor, 1.0f);
    EXPECT_EQ(set.correctionKind, Device::NCorrectionKind::Custom);
    EXPECT_EQ(set.mode, Device::NMeasurementMode::Surface);
    EXPECT_EQ(set.shape, Device::NSpecimenShape::Flat);
    EXPECT_EQ(set.format, 1);
    EXPECT_EQ(set.length, 0);
    EXPECT_EQ(set.diameter, 0);
    EXPECT_EQ(set.depth, 0);
    EXPECT_TRUE(set.customSpacing);
    EXPECT_EQ(doc.GetName(0), L"old");
    EXPECT_EQ(doc.GetSummaryComment(), L"v1");
    EXPECT_EQ(Saved(), ReadFile(GoldenPath("format1_resaved.vnr")));
}

TEST_F(GoldenFileTest, CopyWritesTheClipboardBlockAndPasteReadsIt)
{
    ASSERT_TRUE(OpenGolden("summary.vnr"));
    ASSERT_TRUE(doc.CopyToClipboard({0, 1, 0}));
    EXPECT_EQ(ui.clipboard.at(CTerrionDoc::kClipboardFormat), ReadFile(GoldenPath("clip_b.bin")));

    // the page's text rides in the same clipboard object: one write keeps both formats
    Platform::CClipboardData withText;
    withText.Set(Platform::CClipboardData::kUnicodeText, {'x', 0, 0, 0});
    ASSERT_TRUE(doc.CopyToClipboard({0, 1, 0}, withText));
    EXPECT_EQ(ui.clipboardWrites, 2);
    EXPECT_EQ(ui.clipboard.at(CTerrionDoc::kClipboardFormat), ReadFile(GoldenPath("clip_b.bin")));
    EXPECT_EQ(ui.clipboard.at(Platform::CClipboardData::kUnicodeText), (TBytes{'x', 0, 0, 0}));

    CFakeDocumentUi other;
    other.clipboard[CTerrionDoc::kClipboardFormat] = ReadFile(GoldenPath("clip_b.bin"));
    CTerrionDoc target(&other);
    EXPECT_TRUE(target.CanPaste());
    ASSERT_TRUE(target.Paste());
    ASSERT_EQ(target.GetSeriesCount(), 1);
    EXPECT_FALSE(target.HasOriginalSeries()); // the clipboard carries no original data
    EXPECT_EQ(target.GetSeries(0)->guid, GoldenGuid(2));
    EXPECT_EQ(target.GetSeries(0)->object.readings, ObjectB().readings);
    EXPECT_EQ(target.GetSummaryCount(), 1);
    EXPECT_EQ(target.GetSummaryComment(), L"Deck \u03A9 2\u00B5");
    EXPECT_TRUE(target.IsModified());
}

TEST_F(GoldenFileTest, MagicDifferingInCaseIsRejected)
{
    TBytes bytes = ReadFile(GoldenPath("empty.vnr"));
    bytes[3 + 2 * 7] = 't'; // "Terrionlink" -> "terrionlink"
    const auto path = temp / "case.vnr";
    WriteFile(path, bytes);
    EXPECT_FALSE(doc.Open(path.wstring(), false));
    ASSERT_EQ(ui.errors.size(), 1u);
    EXPECT_EQ(ui.errors[0], L"This is not a TerrionLink project file or there was an error while reading.");
}

} // namespace
