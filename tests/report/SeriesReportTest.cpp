// The series report against texts written out by hand, character by character.
#include "views/SeriesReport.h"
#include "tests/report/ReportDocument.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

using TerrionTest::SReportSeries;

// clang-format off
namespace
{
std::wstring Spaces(std::size_t n)
{
    return std::wstring(n, L' ');
}

// Lines 1-9 for the base series with the given comment.
std::wstring Head(const std::wstring& comment)
{
    return L"Instrument Data\r\n"
           L"    Name" + Spaces(28) + L"\t\t\tTerrion\r\n"
           L"    Serial Number" + Spaces(19) + L"\t\t\tT-0042\r\n"
           L"    Software Version" + Spaces(16) + L"\t\t\t'1.23'\r\n"
           L"    Hardware Revision" + Spaces(15) + L"\t\t\t'B'\r\n"
           L"    Signature" + Spaces(23) + L"\t\t\t'07A1'\r\n\r\n"
           L"Comment\r\n"
           L"    \"" + comment + L"\"\r\n\r\n"
           L"Measurement Data\r\n\r\n\r\n";
}

const std::wstring kThreeReadings = L"Measurements:  \t1  \t2  \t3  \t\r\n"
                                    L" \t12.2 k\u2126cm  \t0.0 k\u2126cm  \t16.8 k\u2126cm  \t\r\n"
                                    L" \t100 \u00B5A  \t0 \u00B5A  \t120 \u00B5A  \t\r\n\r\n";

const std::wstring kHeadingBlock =
    L"\t  ID                \tName              \tDate & Time       \tMean Value        \tTotal             "
    L"\tStd. Deviation    \r\n"
    L"\t  ------------------\t------------------\t------------------\t------------------\t------------------"
    L"\t------------------\r\n";

// Line 20 of the base series (mean 14.5, deviation 3.18, three readings).
std::wstring Summary(const std::wstring& dateTime, const std::wstring& name = L"Pier A")
{
    return L"Summary:" + kHeadingBlock + L" \t17  \t" + name + L" \t" + dateTime + L"  \t14.5  \t3  \t3.2  \t\r\n";
}

const std::wstring kBaseDate = L"5.3.2024  7:8:9";

struct SReportCase
{
    const char* what;
    SReportSeries series;
    const char* zone;
    std::wstring expected;
};

SReportSeries With(void (*change)(SReportSeries&))
{
    SReportSeries s = TerrionTest::BaseSeries();
    change(s);
    return s;
}

std::vector<SReportCase> Cases()
{
    std::vector<SReportCase> cases;
    cases.push_back({"surface, default spacing, custom correction", TerrionTest::BaseSeries(), "UTC0",
                     Head(L"first") + L"Measurement Mode:  \t Surface  \t\r\n"
                                      L"Contact Spacing:  \t 50.0mm (default)  \t\r\n"
                                      L"Correction:  \t 1.000  \t\r\n\r\n" +
                         kThreeReadings + Summary(kBaseDate)});
    cases.push_back({"custom spacing, geometric flat",
                     With([](SReportSeries& s) {
                         s.object.settings.customSpacing = true;
                         s.object.settings.contactSpacing = 382;
                         s.object.settings.correctionKind = Device::NCorrectionKind::Geometric;
                         s.object.settings.correctionFactor = 0.5f;
                     }),
                     "UTC0",
                     Head(L"first") + L"Measurement Mode:  \t Surface  \t\r\n"
                                      L"Contact Spacing:  \t 38.2mm  \t\r\n"
                                      L"Specimen Shape:  \t Flat  \t\r\n"
                                      L"Correction:  \t 0.500  \t\r\n\r\n" +
                         kThreeReadings + Summary(kBaseDate)});
    cases.push_back({"bulk, custom correction",
                     With([](SReportSeries& s) {
                         s.object.settings.mode = Device::NMeasurementMode::Bulk;
                         s.object.settings.shape = Device::NSpecimenShape::Prism;
                     }),
                     "UTC0",
                     Head(L"first") + L"Measurement Mode:  \t Bulk  \t\r\n"
                                      L"Correction:  \t 1.000  \t\r\n\r\n" +
                         kThreeReadings + Summary(kBaseDate)});
    cases.push_back({"geometric cylinder",
                     With([](SReportSeries& s) {
                         s.object.settings.mode = Device::NMeasurementMode::Bulk;
                         s.object.settings.correctionKind = Device::NCorrectionKind::Geometric;
                         s.object.settings.shape = Device::NSpecimenShape::Cylinder;
                         s.object.settings.length = 1505;
                         s.object.settings.diameter = 1000;
                         s.object.settings.depth = 77;
                         s.object.settings.correctionFactor = 1.25f;
                     }),
                     "UTC0",
                     Head(L"first") + L"Measurement Mode:  \t Bulk  \t\r\n"
                                      L"Specimen Shape:  \t Cylinder  \t\r\n"
                                      L"Specimen Length:  \t 150.5 mm  \t\r\n"
                                      L"Specimen Diameter:  \t 100.0 mm  \t\r\n"
                                      L"Correction:  \t 1.250  \t\r\n\r\n" +
                         kThreeReadings + Summary(kBaseDate)});
    cases.push_back({"geometric prism",
                     With([](SReportSeries& s) {
                         s.object.settings.correctionKind = Device::NCorrectionKind::Geometric;
                         s.object.settings.shape = Device::NSpecimenShape::Prism;
                         s.object.settings.length = 2000;
                         s.object.settings.diameter = 1500;
                         s.object.settings.depth = 1000;
                     }),
                     "UTC0",
                     Head(L"first") + L"Measurement Mode:  \t Surface  \t\r\n"
                                      L"Contact Spacing:  \t 50.0mm (default)  \t\r\n"
                                      L"Specimen Shape:  \t Prism  \t\r\n"
                                      L"Specimen Length:  \t 200.0 mm  \t\r\n"
                                      L"Specimen Width:  \t 150.0 mm  \t\r\n"
                                      L"Specimen Depth:  \t 100.0 mm  \t\r\n"
                                      L"Correction:  \t 1.000  \t\r\n\r\n" +
                         kThreeReadings + Summary(kBaseDate)});
    cases.push_back({"no readings", With([](SReportSeries& s) { s.object.readings.clear(); }), "UTC0",
                     Head(L"first") + L"Measurement Mode:  \t Surface  \t\r\n"
                                      L"Contact Spacing:  \t 50.0mm (default)  \t\r\n"
                                      L"Correction:  \t 1.000  \t\r\n\r\n"
                                      L"Measurements:  \t\r\n"
                                      L" \t\r\n"
                                      L" \t\r\n\r\n"
                                      L"Summary:" +
                         kHeadingBlock + L" \t17  \tPier A \t" + kBaseDate + L"  \t0.0  \t0  \t0.0  \t\r\n"});
    cases.push_back({"comment with ';', quotes and line breaks",
                     With([](SReportSeries& s) {
                         s.comment = L"wet; \"cold\"\r\nsecond line";
                         s.name = L"a;b";
                     }),
                     "UTC0",
                     Head(L"wet; \"cold\"\r\nsecond line") + L"Measurement Mode:  \t Surface  \t\r\n"
                                                             L"Contact Spacing:  \t 50.0mm (default)  \t\r\n"
                                                             L"Correction:  \t 1.000  \t\r\n\r\n" +
                         kThreeReadings + Summary(kBaseDate, L"a;b")});
    cases.push_back({"local time one hour east, across midnight",
                     With([](SReportSeries& s) { s.time = 1709681400; }), // 2024-03-05 23:30:00 UTC
                     "CET-1",
                     Head(L"first") + L"Measurement Mode:  \t Surface  \t\r\n"
                                      L"Contact Spacing:  \t 50.0mm (default)  \t\r\n"
                                      L"Correction:  \t 1.000  \t\r\n\r\n" +
                         kThreeReadings + Summary(L"6.3.2024  0:30:0")});
    cases.push_back({"time that cannot be converted", With([](SReportSeries& s) { s.time = INT64_MAX; }), "UTC0",
                     Head(L"first") + L"Measurement Mode:  \t Surface  \t\r\n"
                                      L"Contact Spacing:  \t 50.0mm (default)  \t\r\n"
                                      L"Correction:  \t 1.000  \t\r\n\r\n" +
                         kThreeReadings + Summary(L"0.0.0  -1:-1:-1")});
    return cases;
}

// clang-format on
class SeriesReport : public testing::TestWithParam<SReportCase>
{
};
} // namespace

TEST_P(SeriesReport, MatchesTheTextCharacterByCharacter)
{
    const auto& c = GetParam();
    TerrionTest::CTimeZone zone(c.zone);
    CTerrionDoc doc;
    TerrionTest::FillDocument(doc, {c.series});
    std::wstring out = L"before|";
    const int length = CSeriesReport::GetSeriesReport(doc, 0, out);
    EXPECT_EQ(out, L"before|" + c.expected) << c.what;
    EXPECT_EQ(length, static_cast<int>(out.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, SeriesReport, testing::ValuesIn(Cases()));

TEST(SeriesReportPieces, HeadingBlockAndSeparatorLengths)
{
    EXPECT_EQ(CSeriesReport::HeadingBlock(), kHeadingBlock);
    EXPECT_EQ(kHeadingBlock.size(), 236u);
    const std::wstring dashes(143, L'-');
    const std::wstring expected =
        L"\r\n\r\n\r\n" + dashes + L"\r\n" + dashes + L"\r\n" + dashes + L"\r\n\r\n\r\n";
    EXPECT_EQ(CSeriesReport::Separator(), expected);
    EXPECT_EQ(expected.size(), 445u);
}

TEST(SeriesReportPieces, IndexWithoutSeriesAppendsNothing)
{
    CTerrionDoc doc;
    TerrionTest::FillDocument(doc, {TerrionTest::BaseSeries()});
    std::wstring out = L"kept";
    EXPECT_EQ(CSeriesReport::GetSeriesReport(doc, 1, out), 0);
    EXPECT_EQ(CSeriesReport::GetSeriesReport(doc, -1, out), 0);
    EXPECT_EQ(out, L"kept");
}

TEST(SeriesReportPieces, OneDecimalMatchesTheCLocaleFormatting)
{
    for (double v : {0.0, 12.25, 16.75, 0.05, 0.15, 99.95, -3.45, 1e6 + 0.05, 123456.789, 1e300})
    {
        wchar_t expected[400];
        std::swprintf(expected, 400, L"%.1f", v);
        EXPECT_EQ(CSeriesReport::FormatFixed1(v), expected) << v;
    }
}

// A program may switch the C locale to one with a decimal comma; every
// number of the report (readings, statistics, lengths, spacing, correction)
// keeps its point.
TEST(SeriesReportPieces, NumbersIgnoreTheProcessLocale)
{
    TerrionTest::CTimeZone zone("UTC0");
    const char* tmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    const std::string dir = std::string(tmp) + "/terrion-locale-" + std::to_string(getpid());
    const std::string command = "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(("mkdir -p '" + dir + "' && " + command).c_str()) != 0)
        GTEST_SKIP() << "no German locale can be built here";
    CTerrionDoc doc;
    TerrionTest::FillDocument(doc, {TerrionTest::BaseSeries()});
    std::wstring expected;
    CSeriesReport::GetSeriesReport(doc, 0, expected);
    setenv("LOCPATH", dir.c_str(), 1);
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool switched = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    wchar_t probe[32];
    std::swprintf(probe, 32, L"%.1f", 12.5);
    std::wstring out;
    if (switched)
        CSeriesReport::GetSeriesReport(doc, 0, out);
    std::setlocale(LC_ALL, previous.c_str());
    unsetenv("LOCPATH");
    std::system(("rm -rf '" + dir + "'").c_str());
    if (!switched)
        GTEST_SKIP() << "the built locale could not be selected";
    ASSERT_EQ(std::wstring(probe), L"12,5") << "the locale really uses a decimal comma";
    EXPECT_EQ(out, expected);
    EXPECT_NE(out.find(kThreeReadings), std::wstring::npos);
}
