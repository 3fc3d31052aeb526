// The Terrion's record area and settings block, decoded from literal bytes.

#include "device/TerrionRecords.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

namespace TerrionTest
{
namespace
{

using Device::CTerrionRecords;
using TBytes = std::vector<std::uint8_t>;
using TMeasSettings = Device::TMeasSettings;

// Records written out byte by byte, little-endian.
const TBytes kHeader3 = {0x03, 0x00, 0x00, 0x00};
const TBytes kHeader4 = {0x04, 0x00, 0x00, 0x00};
const TBytes kHeader5 = {0x05, 0x00, 0x77, 0x77}; // bits 16-31 of a header are not used
const TBytes kEnd = {0x00, 0xFF, 0x00, 0x00};
// Record byte 0x10, value 50 (bits 16-26 = 0x032), current code 1 (bits 29-31).
const TBytes kReading50 = {0x00, 0x10, 0x32, 0x20};
// The same with bit 27 set: 5.0.
const TBytes kReading5 = {0x00, 0x10, 0x32, 0x28};
// Value 2047 in tenths (204.7), code 6 = 200 µA, record byte 0x42, unused bits 0-7 and 28 set.
const TBytes kReading2047 = {0xAB, 0x42, 0xFF, 0xDF};

TBytes Join(std::initializer_list<TBytes> parts)
{
    TBytes all;
    for (const TBytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Device::SDeviceIdent Ident()
{
    Device::SDeviceIdent ident;
    ident.typeName = L"Terrion";
    ident.firmwareVersion = L"1.02";
    ident.serialNumber = L"TN01-234-5678";
    ident.hardwareRevision = L"B";
    ident.signature = L"0A000001";
    return ident;
}

TMeasSettings CustomSettings()
{
    TMeasSettings settings{};
    settings.customSpacing = true;
    settings.contactSpacing = 380;
    settings.spacingWord = 380;
    settings.format = 1;
    return settings;
}

TEST(TerrionRecordsTest, ReadingValuesAndCurrents)
{
    struct SCase
    {
        TBytes record;
        double value;
        std::uint16_t current;
        std::uint8_t recordByte;
    };
    const SCase cases[] = {
        {kReading50, 50.0, 10, 0x10},
        {kReading5, 5.0, 10, 0x10},
        {{0x00, 0x10, 0x32, 0xE0}, 0.0, 0, 0x10},   // code 7: invalid
        {{0x00, 0x10, 0x32, 0x00}, 0.0, 0, 0x10},   // code 0: invalid
        {{0x00, 0x10, 0x32, 0xA0}, 50.0, 50, 0x10}, // code 5
        {kReading2047, 204.7, 200, 0x42},
    };
    for (const SCase& c : cases)
    {
        std::uint32_t record = 0;
        std::memcpy(&record, c.record.data(), 4);
        const Device::TMeas reading = CTerrionRecords::DecodeReading(record);
        EXPECT_DOUBLE_EQ(c.value, reading.value);
        EXPECT_EQ(c.current, reading.current);
        EXPECT_EQ(c.recordByte, reading.recordByte);
    }
}

TEST(TerrionRecordsTest, HeadersInARowKeepOnlyTheLastNumber)
{
    const TBytes area =
        Join({kHeader3, kReading50, kReading5, kHeader4, kHeader5, kReading2047, kEnd, kHeader3, kReading50});
    const TMeasSettings settings = CustomSettings();
    const auto objects = CTerrionRecords::Decode(area, Ident(), settings);
    ASSERT_EQ(2u, objects.size());
    EXPECT_EQ(3, objects[0].objectNumber);
    ASSERT_EQ(2u, objects[0].readings.size());
    EXPECT_DOUBLE_EQ(50.0, objects[0].readings[0].value);
    EXPECT_DOUBLE_EQ(5.0, objects[0].readings[1].value);
    EXPECT_EQ(5, objects[1].objectNumber);
    ASSERT_EQ(1u, objects[1].readings.size());
    EXPECT_EQ(L"TN01-234-5678", objects[1].ident.serialNumber);
    EXPECT_EQ(L"0A000001", objects[1].ident.signature);
    EXPECT_EQ(settings, objects[1].settings);
}

TEST(TerrionRecordsTest, ReadingsBeforeAnyHeaderFormAnAnonymousObject)
{
    const TBytes area = Join({kReading50, kReading5, kHeader4, kReading50, kEnd});
    const auto objects = CTerrionRecords::Decode(area, Ident(), CustomSettings());
    ASSERT_EQ(2u, objects.size());
    EXPECT_EQ(0, objects[0].objectNumber);
    EXPECT_TRUE(objects[0].ident.typeName.empty());
    EXPECT_TRUE(objects[0].ident.signature.empty());
    TMeasSettings expected{};
    expected.customSpacing = true; // the only field a reading sets
    EXPECT_EQ(expected, objects[0].settings);
    EXPECT_EQ(2u, objects[0].readings.size());
    EXPECT_EQ(4, objects[1].objectNumber);
}

TEST(TerrionRecordsTest, AreaWithoutEndMarkerIsWalkedToTheLastRecord)
{
    TBytes area = kHeader3;
    while (area.size() < 2048)
        area.insert(area.end(), kReading5.begin(), kReading5.end());
    const auto objects = CTerrionRecords::Decode(area, Ident(), CustomSettings());
    ASSERT_EQ(1u, objects.size());
    EXPECT_EQ(511u, objects[0].readings.size());
}

TEST(TerrionRecordsTest, EmptyAreaAndHeadersAloneGiveNoObjects)
{
    EXPECT_TRUE(CTerrionRecords::Decode(kEnd, Ident(), CustomSettings()).empty());
    EXPECT_TRUE(CTerrionRecords::Decode(Join({kHeader3, kHeader4, kEnd}), Ident(), CustomSettings()).empty());
    EXPECT_TRUE(CTerrionRecords::Decode({}, Ident(), CustomSettings()).empty());
}

TEST(TerrionSettingsTest, OldFormatBlock)
{
    // First word 0x00C8, format 0xFF, the rest as the instrument left it.
    const std::uint8_t block[18] = {0xC8, 0x00, 0xFF, 0x12, 0x34, 0x11, 0x22, 0x33, 0x44,
                                    0x02, 0x03, 0x02, 0x10, 0x00, 0x20, 0x00, 0x30, 0x00};
    TMeasSettings settings{};
    settings.defaultSpacing = 777;
    settings.SetFromBlock(block);
    EXPECT_TRUE(settings.customSpacing);
    EXPECT_EQ(200, settings.contactSpacing);
    EXPECT_EQ(0x00C8, settings.spacingWord);
    EXPECT_EQ(1, settings.format);
    EXPECT_FLOAT_EQ(1.0f, settings.correctionFactor);
    EXPECT_EQ(Device::NMeasurementMode::Surface, settings.mode);
    EXPECT_EQ(Device::NSpecimenShape::Flat, settings.shape);
    EXPECT_EQ(Device::NCorrectionKind::Geometric, settings.correctionKind);
    EXPECT_EQ(0, settings.length);
    EXPECT_EQ(0, settings.diameter);
    EXPECT_EQ(0, settings.depth);
    EXPECT_EQ(777, settings.defaultSpacing); // left as it was
}

TEST(TerrionSettingsTest, CurrentFormatBlockAndItsEncoding)
{
    // Word 0x0190, format 1, spacing 0x017C (38.0 mm), k = 1.25f (0x3FA00000),
    // bulk, prism, custom correction, 100.0 x 50.0 x 25.0 mm.
    const std::vector<std::uint8_t> block = {0x90, 0x01, 0x01, 0x7C, 0x01, 0x00, 0x00, 0xA0, 0x3F,
                                             0x02, 0x03, 0x02, 0xE8, 0x03, 0xF4, 0x01, 0xFA, 0x00};
    TMeasSettings settings{};
    settings.SetFromBlock(std::span<const std::uint8_t, 18>(block.data(), 18));
    EXPECT_TRUE(settings.customSpacing);
    EXPECT_EQ(0x0190, settings.spacingWord);
    EXPECT_EQ(1, settings.format);
    EXPECT_EQ(380, settings.contactSpacing);
    EXPECT_FLOAT_EQ(1.25f, settings.correctionFactor);
    EXPECT_EQ(Device::NMeasurementMode::Bulk, settings.mode);
    EXPECT_EQ(Device::NSpecimenShape::Prism, settings.shape);
    EXPECT_EQ(Device::NCorrectionKind::Custom, settings.correctionKind);
    EXPECT_EQ(1000, settings.length);
    EXPECT_EQ(500, settings.diameter);
    EXPECT_EQ(250, settings.depth);
    EXPECT_EQ(block, settings.ToBlock());
}

TEST(TerrionSettingsTest, DefaultSpacingClearsTheCustomFlagAndEncodingWritesFormatOne)
{
    const std::uint8_t block[18] = {0xFF, 0xFF, 0x01, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F,
                                    0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    TMeasSettings settings{};
    settings.SetFromBlock(block);
    EXPECT_FALSE(settings.customSpacing);
    EXPECT_EQ(0xFFFF, settings.contactSpacing);
    settings.format = 7;
    const std::vector<std::uint8_t> encoded = settings.ToBlock();
    ASSERT_EQ(18u, encoded.size());
    EXPECT_EQ(0x01, encoded[2]);
}

} // namespace
} // namespace TerrionTest
