// The cover meter's data-file text against texts written out by hand, its
// values, escaping, and the import of what the export writes.

#include "device/others/KindravelText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <vector>

namespace
{

using Device::CKindravelText;
using Device::TKindravelMeas;
using Device::TKindravelObject;

// Dates are local time: pin the zone so the golden texts hold anywhere.
class KindravelText : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* zone = std::getenv("TZ");
        m_hadZone = zone != nullptr;
        if (m_hadZone)
            m_zone = zone;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_hadZone)
            setenv("TZ", m_zone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    static TKindravelObject MetricObject()
    {
        TKindravelObject object;
        object.formatVersion = CVersion(0, 1, 0, 0);
        object.ident.typeName = L"Saltrevane";
        object.ident.serialNumber = L"SV12-345-6789";
        object.ident.firmwareVersion = L"1.2.3";
        object.ident.hardwareRevision = L"B2";
        object.ident.signature = L"06000001";
        object.regional = Device::regionMetric;
        object.storageMode = 1;
        object.rawDefaultBarDiameter = 16;
        object.neighbourCorrection = 0;
        object.comment = L"Wall \"A\"\r\nnorth";
        object.objectName = L"Pier 3";
        object.date = 1709622489; // 5 March 2024, 07:08:09 UTC
        object.objectNumber = 12;
        object.readings = {{1, 35, 16}, {2, 255, 0}, {3, 8, 5}};
        return object;
    }

    static TKindravelObject InchObject()
    {
        TKindravelObject object = MetricObject();
        object.regional = Device::regionAstmInch;
        object.storageMode = 0;
        object.rawDefaultBarDiameter = 25;
        object.neighbourCorrection = 70;
        object.comment.clear();
        object.readings = {{1, 51, 25}, {2, 255, 12}};
        return object;
    }

    bool m_hadZone = false;
    std::string m_zone;
};

const std::wstring kMetricText =
    L"Saltrevane+ Data File Version       ;;;'1.0\r\n"
    L"\r\n"
    L"Instrument Data\r\n"
    L"    Name                            ;;;Saltrevane\r\n"
    L"    Serial Number                   ;;;SV12-345-6789\r\n"
    L"    Software Version                ;;;'1.2.3\r\n"
    L"    Hardware Index                  ;;;B2\r\n"
    L"    Signature                       ;;;'06000001\r\n"
    L"\r\n"
    L"Settings\r\n"
    L"    Regional                        ;;;Metric\r\n"
    L"    Data Storage Mode               ;;;Auto\r\n"
    L"    Raw Default Bar Diameter [mm]   ;;;'16\r\n"
    L"    Default Bar Diameter [mm]       ;;;'16\r\n"
    L"    Neighboring Bar Correction [mm] ;;;'-\r\n"
    L"\r\n"
    L"Comment\r\n"
    L"    \"Wall &quotA&quot&#13north\"\r\n"
    L"\r\n"
    L"\r\n"
    L"\r\n"
    L"Data\r\n"
    L"    Object Number                   ;;;12\r\n"
    L"    Object Name                     ;;;\"Pier 3\"\r\n"
    L"    Date                            ;;;'5.3.2024  7:8:9\r\n"
    L"    # of Measurements               ;;;3\r\n"
    L"\r\n"
    L"\r\n"
    L"Number            ;Cover [mm]        ;Diameter [mm]     ;Raw Diameter [mm] \r\n"
    L"------------------;------------------;------------------;------------------\r\n"
    L" 1                ; 35               ;16                ;16\r\n"
    L" 2                ;n/a               ;n/a               ;n/a\r\n"
    L" 3                ;  8               ; 5                ; 5\r\n";

const std::wstring kInchText =
    L"Saltrevane+ Data File Version       ;;;'1.0\r\n"
    L"\r\n"
    L"Instrument Data\r\n"
    L"    Name                            ;;;Saltrevane\r\n"
    L"    Serial Number                   ;;;SV12-345-6789\r\n"
    L"    Software Version                ;;;'1.2.3\r\n"
    L"    Hardware Index                  ;;;B2\r\n"
    L"    Signature                       ;;;'06000001\r\n"
    L"\r\n"
    L"Settings\r\n"
    L"    Regional                        ;;;ASTM inch\r\n"
    L"    Data Storage Mode               ;;;Manual\r\n"
    L"    Raw Default Bar Diameter [mm]   ;;;'25\r\n"
    L"    Default Bar Diameter            ;;;'#8\r\n"
    L"    Neighboring Bar Correction [in] ;;;'2.8\r\n"
    L"\r\n"
    L"Comment\r\n"
    L"    \"\"\r\n"
    L"\r\n"
    L"\r\n"
    L"\r\n"
    L"Data\r\n"
    L"    Object Number                   ;;;12\r\n"
    L"    Object Name                     ;;;\"Pier 3\"\r\n"
    L"    Date                            ;;;'5.3.2024  7:8:9\r\n"
    L"    # of Measurements               ;;;2\r\n"
    L"\r\n"
    L"\r\n"
    L"Number            ;Cover [in]        ;Diameter          ;Raw Diameter [mm] \r\n"
    L"------------------;------------------;------------------;------------------\r\n"
    L" 1                ;2.01              ;#8                ;25\r\n"
    L" 2                ;n/a               ;#4                ;12\r\n";

TEST_F(KindravelText, ExportWritesTheGoldenTexts)
{
    EXPECT_EQ(CKindravelText::ExportObjectText(MetricObject()), kMetricText);
    EXPECT_EQ(CKindravelText::ExportObjectText(InchObject()), kInchText);
}

TEST_F(KindravelText, ExportNeverWritesPastItsBuffer)
{
    // One character short: nothing is reported written and the guard stays.
    std::vector<wchar_t> buffer(kMetricText.size() + 1, L'#');
    const std::span<wchar_t> shortDest(buffer.data(), kMetricText.size() - 1);
    EXPECT_EQ(CKindravelText::ExportObjectText(MetricObject(), shortDest), 0);
    EXPECT_EQ(buffer[kMetricText.size() - 1], L'#');
    EXPECT_EQ(buffer[kMetricText.size()], L'#');

    const std::span<wchar_t> exact(buffer.data(), kMetricText.size());
    EXPECT_EQ(CKindravelText::ExportObjectText(MetricObject(), exact), static_cast<int>(kMetricText.size()));
    EXPECT_EQ(std::wstring(buffer.data(), kMetricText.size()), kMetricText);
    EXPECT_EQ(buffer[kMetricText.size()], L'#');
}

TEST_F(KindravelText, ExportRefusesUnknownRegionalOrStorageMode)
{
    TKindravelObject object = MetricObject();
    object.regional = 4;
    EXPECT_TRUE(CKindravelText::ExportObjectText(object).empty());
    object = MetricObject();
    object.storageMode = -1;
    EXPECT_TRUE(CKindravelText::ExportObjectText(object).empty());
}

TEST_F(KindravelText, ImportReadsTheGoldenTexts)
{
    TKindravelObject object;
    ASSERT_TRUE(CKindravelText::ImportObjectText(object, kMetricText));
    const TKindravelObject expected = MetricObject();
    EXPECT_EQ(object.formatVersion, expected.formatVersion);
    EXPECT_EQ(object.ident.typeName, L"Saltrevane");
    EXPECT_EQ(object.ident.serialNumber, L"SV12-345-6789");
    EXPECT_EQ(object.ident.firmwareVersion, L"1.2.3");
    EXPECT_EQ(object.ident.hardwareRevision, L"B2");
    EXPECT_EQ(object.ident.signature, L"06000001");
    EXPECT_EQ(object.regional, Device::regionMetric);
    EXPECT_EQ(object.storageMode, 1);
    EXPECT_EQ(object.rawDefaultBarDiameter, 16);
    EXPECT_EQ(object.neighbourCorrection, 0);
    EXPECT_EQ(object.comment, expected.comment);
    EXPECT_EQ(object.objectName, L"Pier 3");
    EXPECT_EQ(object.date, expected.date);
    EXPECT_EQ(object.objectNumber, 12);
    EXPECT_EQ(object.readings, expected.readings);

    TKindravelObject inch;
    ASSERT_TRUE(CKindravelText::ImportObjectText(inch, kInchText));
    EXPECT_EQ(inch.regional, Device::regionAstmInch);
    EXPECT_EQ(inch.storageMode, 0);
    // 2.8 in comes back through the truncation as 69 mm; 2.01 in as 51 mm.
    EXPECT_EQ(inch.neighbourCorrection, 69);
    EXPECT_EQ(inch.readings, (std::vector<TKindravelMeas>{{1, 51, 25}, {2, 255, 12}}));
}

TEST_F(KindravelText, RoundTripKeepsEverythingButTheDocumentedLosses)
{
    TKindravelObject object = MetricObject();
    object.objectNumber = 600;
    object.rawDefaultBarDiameter = 150;
    object.objectName = L"north;south \"x\"";
    object.comment = L"a;;b";
    TKindravelObject back;
    ASSERT_TRUE(CKindravelText::ImportObjectText(back, CKindravelText::ExportObjectText(object)));
    EXPECT_EQ(back.objectNumber, TKindravelObject::kInvalidObjectNumber);
    EXPECT_EQ(back.rawDefaultBarDiameter, 0);
    EXPECT_EQ(back.objectName, L"north");
    EXPECT_EQ(back.comment, L"a;b");
    EXPECT_EQ(back.readings, object.readings);

    object = MetricObject();
    object.neighbourCorrection = 151;
    EXPECT_FALSE(CKindravelText::ImportObjectText(back, CKindravelText::ExportObjectText(object)));
}

TEST_F(KindravelText, ImportChecksHeaderVersionAndCovers)
{
    for (const auto& [version, ok] :
         {std::pair{L"1.0", true}, {L"1.7", true}, {L"2.0", false}, {L"0.1", false}})
    {
        std::wstring text = kMetricText;
        text.replace(text.find(L"'1.0"), 4, std::wstring(L"'") + version);
        TKindravelObject object;
        EXPECT_EQ(CKindravelText::ImportObjectText(object, text), ok) << version;
    }
    // A cover that reads neither as a number nor as n/a fails the import.
    std::wstring badCover = kMetricText;
    badCover.replace(badCover.find(L" 35 "), 4, L" xx ");
    TKindravelObject object;
    EXPECT_FALSE(CKindravelText::ImportObjectText(object, badCover));
    // A raw diameter above 60 ends the table there.
    std::wstring bigRaw = kMetricText;
    bigRaw.replace(bigRaw.rfind(L"; 5\r\n"), 5, L";61\r\n");
    ASSERT_TRUE(CKindravelText::ImportObjectText(object, bigRaw));
    EXPECT_EQ(object.readings.size(), 2u);
}

TEST_F(KindravelText, DateLineOutOfRangeOrUnreadableGivesNoDate)
{
    struct SCase
    {
        const wchar_t* date;
        std::int64_t expected;
    };
    const SCase cases[] = {
        {L"5.3.2024  7:8:9", 1709622489},
        {L"5.3.2024 7:8:9", 1709622489}, // blanks between date and time are optional, as for %d
        {L"1.1.1970  0:0:0", 0},
        {L"31.12.9999  23:59:60", 253402300800},
        {L"5.3.-2147483648  7:8:9", 0},
        {L"-2147483648.3.2024  7:8:9", 0},
        {L"5.-2147483648.2024  7:8:9", 0},
        {L"5.3.2147483648  7:8:9", 0},
        {L"5.3.99999999999999999999  7:8:9", 0},
        {L"5.13.2024  7:8:9", 0},
        {L"0.3.2024  7:8:9", 0},
        {L"5.3.2024  24:8:9", 0},
        {L"5.3.1899  7:8:9", 0},
        {L"5.3.2024  7:8", 0},
        {L"5.3.2024  7-8-9", 0},
        {L"5/3/2024  7:8:9", 0},
        {L"", 0},
    };
    for (const SCase& c : cases)
    {
        std::wstring text = kMetricText;
        const std::wstring golden = L"5.3.2024  7:8:9";
        text.replace(text.find(golden), golden.size(), c.date);
        TKindravelObject object;
        object.date = 42; // an unreadable date does not keep what was there
        ASSERT_TRUE(CKindravelText::ImportObjectText(object, text)) << c.date;
        EXPECT_EQ(object.date, c.expected) << c.date;
    }
}

TEST_F(KindravelText, ImportRefusesTextsLongerThanAnObjectCanBe)
{
    std::wstring text = kMetricText;
    text.append(CKindravelText::kMaxObjectText - text.size(), L' ');
    TKindravelObject object;
    EXPECT_TRUE(CKindravelText::ImportObjectText(object, text));
    EXPECT_EQ(object.readings.size(), 3u);
    text.push_back(L' ');
    EXPECT_FALSE(CKindravelText::ImportObjectText(object, text));
}

TEST(KindravelValues, BarDiametersCorrectionsAndCovers)
{
    EXPECT_EQ(CKindravelText::FormatBarDiameter(0, 48), L"50");
    EXPECT_EQ(CKindravelText::FormatBarDiameter(0, 60), L"50");
    EXPECT_EQ(CKindravelText::FormatBarDiameter(1, 60), L"18");
    EXPECT_EQ(CKindravelText::FormatBarDiameter(2, 24), L"8");
    EXPECT_EQ(CKindravelText::FormatBarDiameter(3, 30), L"29");
    EXPECT_EQ(CKindravelText::FormatBarDiameter(3, 61), L"0");
    EXPECT_EQ(CKindravelText::FormatBarDiameter(7, 20), L"0");

    EXPECT_EQ(CKindravelText::FormatCorrection(0, 0), L"-");
    EXPECT_EQ(CKindravelText::FormatCorrection(0, 42), L"42");
    EXPECT_EQ(CKindravelText::FormatCorrection(1, 70), L"2.8");
    EXPECT_EQ(CKindravelText::FormatCorrection(1, 200), L"0.0");

    EXPECT_EQ(CKindravelText::ParseCoverText(1, L"2.01"), 51);
    EXPECT_EQ(CKindravelText::ParseCoverText(1, L"10.04"), 255);
    EXPECT_EQ(CKindravelText::ParseCoverText(1, L"10.05"), -1);
    EXPECT_EQ(CKindravelText::ParseCoverText(0, L" n/a "), 255);
    EXPECT_EQ(CKindravelText::ParseCoverText(0, L"256"), -1);
    EXPECT_EQ(CKindravelText::ParseCoverText(0, L"-3"), -1);

    EXPECT_EQ(CKindravelText::ParseCorrectionText(1, L"2.8"), 69);
    EXPECT_EQ(CKindravelText::ParseCorrectionText(1, L"1.9"), 0);
    EXPECT_EQ(CKindravelText::ParseCorrectionText(1, L"5.3"), -1);
    EXPECT_EQ(CKindravelText::ParseCorrectionText(0, L"-"), 0);
    EXPECT_EQ(CKindravelText::ParseCorrectionText(0, L"150"), 150);
    EXPECT_EQ(CKindravelText::ParseCorrectionText(0, L"151"), -1);
}

TEST(KindravelValues, EscapingTakesEntitiesWithoutSemicolons)
{
    EXPECT_EQ(CKindravelText::EscapeText(L"a&b\r\nc\nd\"e\tf", true), L"a&ampb&#13c&#13d&quote&#9f");
    EXPECT_EQ(CKindravelText::EscapeText(L"a&ampb&#13c&quote&#9f", false), L"a&b\r\nc\"e\tf");
}

} // namespace
