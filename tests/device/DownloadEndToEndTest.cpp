// Downloads from a simulated Terrion through the driver, decoded field by
// field against the scenario the instrument was built from.

#include "tests/device/TerrionEndToEnd.h"

namespace TerrionTest
{
namespace
{

using Bytes = std::vector<std::uint8_t>;
using TSettings = Device::CTerrionDevice::TMeasSettings;

class DownloadEndToEnd : public CTerrionEndToEnd
{
protected:
    static CTerrionScenario ThreeSeries()
    {
        return CTerrionScenario::Load(std::string(TERRION_TEST_DATA_DIR) + "/device/three_series.scenario");
    }

    /// The three-series scenario exactly as it should come out.
    void ExpectThreeSeries(const std::vector<TObject>& objects)
    {
        TSettings settings{};
        settings.customSpacing = true;
        settings.defaultSpacing = 500;
        settings.spacingWord = 0xFFFF;
        settings.format = 1;
        settings.contactSpacing = 380;
        settings.correctionFactor = 1.25f;
        settings.mode = Device::NMeasurementMode::Bulk;
        settings.shape = Device::NSpecimenShape::Prism;
        settings.correctionKind = Device::NCorrectionKind::Custom;
        settings.length = 1000;
        settings.diameter = 400;
        settings.depth = 250;
        const Device::SDeviceIdent ident =
            Ident(L"Terrion", L"HW 1.1", L"TN12-345-6789", L"0A000001", L"2.0.1");

        ASSERT_EQ(objects.size(), 3u);
        const std::uint16_t numbers[] = {3, 7, 255};
        const std::vector<TMeas> readings[] = {
            {Meas(50.0, 0x10, 10), Meas(12.5, 0x22, 20)},
            {Meas(2047.0, 0x10, 200), Meas(0.0, 0x10, 0), Meas(0.0, 0x10, 0)},
            {Meas(0.1, 0xFE, 50)},
        };
        for (std::size_t i = 0; i < 3; ++i)
        {
            SCOPED_TRACE("object " + std::to_string(i));
            EXPECT_EQ(objects[i].objectNumber, numbers[i]);
            ExpectIdent(objects[i].ident, ident);
            ExpectSettings(objects[i].settings, settings);
            ExpectReadings(objects[i].readings, readings[i]);
        }
    }
};

TEST_F(DownloadEndToEnd, AnEmptyInstrumentGivesNoObjects)
{
    Start();
    Identify();
    m_sim->ClearReceived();
    std::vector<TObject> objects(1); // whatever was there goes
    ASSERT_TRUE(m_device->ReadAllObjects(objects));
    EXPECT_TRUE(objects.empty());
    // Memory-access entry, then three dumps each started at an address and
    // ended: the settings block, the default spacing, the records.
    const std::string expected("\xC1\xD2\x04"
                               "1000s0012n0000n"
                               "021As0002n0000n"
                               "F000s0800n0000n");
    m_sim->WaitReceived(expected.size(), 1000); // the last command has no reply
    EXPECT_EQ(m_sim->ReceivedText(), expected);
    EXPECT_EQ(m_sim->EraseCount(), 0); // nothing to hide, nothing written
}

TEST_F(DownloadEndToEnd, ThreeSeriesComeBackFieldByField)
{
    Start(ThreeSeries());
    Identify();
    std::vector<TObject> objects;
    ASSERT_TRUE(m_device->ReadAllObjects(objects));
    ExpectThreeSeries(objects);
}

TEST_F(DownloadEndToEnd, BusyMarkersInTheDumpAreSkipped)
{
    Start(ThreeSeries());
    m_sim->SetDumpMarkers(true);
    Identify();
    std::vector<TObject> objects;
    ASSERT_TRUE(m_device->ReadAllObjects(objects));
    ExpectThreeSeries(objects);
}

TEST_F(DownloadEndToEnd, ASlowLineStillDeliversEverything)
{
    Start(ThreeSeries());
    Identify();
    m_sim->SetBaud(38400);
    std::vector<TObject> objects;
    ASSERT_TRUE(m_device->ReadAllObjects(objects));
    ExpectThreeSeries(objects);
}

TEST_F(DownloadEndToEnd, ReadingsBeforeAnyHeaderAndHeadersInARow)
{
    STerrionSettings settings;
    settings.contactSpacing = 380;
    CTerrionScenario scenario;
    scenario.SetSettings(settings)
        .AddReading({40, false, 3, 0x31})
        .AddReading({7, true, 6, 0x32})
        .AddSeries(4)
        .AddSeries(5, {{99, false, 4, 0x40}})
        .AddEnd()
        .AddSeries(6, {{1, false, 1, 0x10}}); // after the end marker: never read
    Start(scenario);
    Identify();
    std::vector<TObject> objects;
    ASSERT_TRUE(m_device->ReadAllObjects(objects));
    ASSERT_EQ(objects.size(), 2u);

    // The readings before the first header: an anonymous object.
    TSettings anonymous{};
    anonymous.customSpacing = true;
    EXPECT_EQ(objects[0].objectNumber, 0);
    ExpectIdent(objects[0].ident, Device::SDeviceIdent());
    ExpectSettings(objects[0].settings, anonymous);
    ExpectReadings(objects[0].readings, {Meas(40.0, 0x31, 30), Meas(0.7, 0x32, 200)});

    // Header 4 had no readings: only 5 is delivered.
    EXPECT_EQ(objects[1].objectNumber, 5);
    EXPECT_EQ(objects[1].ident.serialNumber, L"TN12-345-6789");
    EXPECT_EQ(objects[1].settings.contactSpacing, 380);
    ExpectReadings(objects[1].readings, {Meas(99.0, 0x40, 40)});
}

TEST_F(DownloadEndToEnd, AFullRecordAreaIsWalkedToItsLastRecord)
{
    CTerrionScenario scenario;
    scenario.FillRecordArea(9); // 512 records, no end marker
    // The last series ends on the 512th record; give it a distinctive reading.
    Start(scenario);
    Identify();
    std::vector<TObject> objects;
    ASSERT_TRUE(m_device->ReadAllObjects(objects));

    // Decoded here from the record layout: header = bits 8-15 zero, reading
    // value bits 16-26, tenths bit 27, current code bits 29-31.
    static const std::uint16_t kCurrents[8] = {0, 10, 20, 30, 40, 50, 200, 0};
    std::vector<TObject> expected;
    for (std::uint32_t record : scenario.Records())
    {
        const std::uint8_t kind = static_cast<std::uint8_t>(record >> 8);
        ASSERT_NE(kind, 0xFF);
        if (kind == 0x00)
        {
            expected.emplace_back();
            expected.back().objectNumber = static_cast<std::uint16_t>(record & 0xFF);
            continue;
        }
        const std::uint16_t current = kCurrents[record >> 29];
        double value = (record >> 16) & 0x7FF;
        if (record & (1u << 27))
            value /= 10.0;
        expected.back().readings.push_back(Meas(current == 0 ? 0.0 : value, kind, current));
    }
    ASSERT_EQ(objects.size(), expected.size());
    for (std::size_t i = 0; i < objects.size(); ++i)
    {
        SCOPED_TRACE("object " + std::to_string(i));
        EXPECT_EQ(objects[i].objectNumber, expected[i].objectNumber);
        ExpectReadings(objects[i].readings, expected[i].readings);
    }
    EXPECT_EQ(objects.back().readings.size(), 512u - 1u - 10u * (objects.size() - 1));
}

struct SSettingsCase
{
    const char* name;
    CTerrionScenario scenario;
    TSettings expected;
    Bytes blockAfter; ///< the settings block on the instrument after the download
};

TSettings Settings(bool custom, std::uint16_t word, std::uint16_t spacing, float factor, std::uint8_t mode,
                   std::uint8_t shape, std::uint8_t correction, std::uint16_t length, std::uint16_t diameter,
                   std::uint16_t depth)
{
    TSettings s{};
    s.customSpacing = custom;
    s.defaultSpacing = 500;
    s.spacingWord = word;
    s.format = 1;
    s.contactSpacing = spacing;
    s.correctionFactor = factor;
    // the bytes as the instrument stores them
    s.mode = static_cast<Device::NMeasurementMode>(mode);
    s.shape = static_cast<Device::NSpecimenShape>(shape);
    s.correctionKind = static_cast<Device::NCorrectionKind>(correction);
    s.length = length;
    s.diameter = diameter;
    s.depth = depth;
    return s;
}

std::vector<SSettingsCase> SettingsCases()
{
    std::vector<SSettingsCase> cases;
    {
        // An old-format block: only the first word means anything. Reading
        // the default spacing rewrites it, in the current format.
        CTerrionScenario s;
        s.SetOldSettings(0x00C8).AddSeries(1, {{10, false, 1, 0x10}});
        cases.push_back({"old format",
                         s,
                         Settings(true, 0x00C8, 200, 1.0f, 1, 1, 1, 0, 0, 0),
                         {0xC8, 0x00, 0x01, 0xC8, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x01, 0x01, 0x01, 0x00, 0x00,
                          0x00, 0x00, 0x00, 0x00}});
    }
    {
        // The default spacing: nothing hides it, nothing is written.
        CTerrionScenario s;
        s.AddSeries(1, {{10, false, 1, 0x10}});
        cases.push_back({"default spacing",
                         s,
                         Settings(false, 0xFFFF, 0xFFFF, 1.0f, 1, 1, 1, 0, 0, 0),
                         {0xFF, 0xFF, 0x01, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F, 0x01, 0x01, 0x01, 0x00, 0x00,
                          0x00, 0x00, 0x00, 0x00}});
    }
    {
        // A custom spacing whose word hides the default: cleared, read, restored.
        STerrionSettings block;
        block.spacingWord = 0x0190;
        block.contactSpacing = 0x0190;
        block.factor = 0.5f;
        block.mode = 1;
        block.shape = 2;
        block.correction = 1;
        block.length = 1200;
        block.diameter = 1000;
        block.depth = 0;
        CTerrionScenario s;
        s.SetSettings(block).AddSeries(1, {{10, false, 1, 0x10}});
        cases.push_back({"custom spacing, cylinder",
                         s,
                         Settings(true, 0x0190, 400, 0.5f, 1, 2, 1, 1200, 1000, 0),
                         {0x90, 0x01, 0x01, 0x90, 0x01, 0x00, 0x00, 0x00, 0x3F, 0x01, 0x02, 0x01, 0xB0, 0x04,
                          0xE8, 0x03, 0x00, 0x00}});
    }
    return cases;
}

TEST_F(DownloadEndToEnd, SettingsOfEveryKindAreDecodedAndLeftIntact)
{
    for (const SSettingsCase& c : SettingsCases())
    {
        SCOPED_TRACE(c.name);
        TearDown();
        Start(c.scenario);
        Identify();
        std::vector<TObject> objects;
        ASSERT_TRUE(m_device->ReadAllObjects(objects));
        ASSERT_EQ(objects.size(), 1u);
        ExpectSettings(objects[0].settings, c.expected);
        EXPECT_EQ(m_sim->MemoryAt(0x1000, 18), c.blockAfter);
        // The instrument works with the hidden spacing again afterwards.
        if (c.expected.spacingWord != 0xFFFF)
        {
            EXPECT_EQ(m_sim->EraseCount(), 2);
            const std::string sent = m_sim->ReceivedText();
            EXPECT_NE(sent.find("1000sFFFFF000e"), std::string::npos);
        }
    }
}

} // namespace
} // namespace TerrionTest
