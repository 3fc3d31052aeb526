// Settings written to and read from a simulated Terrion, and delete-all:
// the bytes that reach the instrument and what lands in its memory.

#include "tests/device/TerrionEndToEnd.h"

namespace TerrionTest
{
namespace
{

using Bytes = std::vector<std::uint8_t>;

class SettingsEndToEnd : public CTerrionEndToEnd
{
protected:
    static TSettings Bulk()
    {
        TSettings s{};
        s.customSpacing = true;
        s.spacingWord = 0x0190;
        s.format = 1;
        s.contactSpacing = 0x0190;
        s.correctionFactor = 1.5f;
        s.mode = Device::NMeasurementMode::Bulk;
        s.shape = Device::NSpecimenShape::Cylinder;
        s.correctionKind = Device::NCorrectionKind::Geometric;
        s.length = 1000;
        s.diameter = 500;
        s.depth = 0;
        return s;
    }
};

TEST_F(SettingsEndToEnd, WritingSendsTheBlockByteByByteAfterAnErase)
{
    STerrionSettings old;
    old.contactSpacing = 380;
    old.mode = 1;
    old.shape = 3;
    Start(CTerrionScenario().SetSettings(old));
    TSettings settings = Bulk();
    settings.format = 0; // the block always goes out in the current format
    ASSERT_TRUE(m_device->WriteSettings(settings));

    EXPECT_EQ(m_sim->MemoryAt(0x1000, 18), Bytes({0x90, 0x01, 0x01, 0x90, 0x01, 0x00, 0x00, 0xC0, 0x3F, 0x02,
                                                  0x02, 0x01, 0xE8, 0x03, 0xF4, 0x01, 0x00, 0x00}));
    EXPECT_EQ(m_sim->EraseCount(), 1);
    // Entry into memory access, the erase at 0x1000, the address once, then
    // data and checksum (address high + address low + data) for each byte.
    EXPECT_EQ(m_sim->ReceivedText(), std::string("\xC1\xD2\x04"
                                                 "1000sFFFFF000e"
                                                 "1000s"
                                                 "90A0w0112w0113w90A3w0115w0015w0016wC0D7w3F57w"
                                                 "021Bw021Cw011CwE804w0320wF412w0120w0020w0021w"));
}

TEST_F(SettingsEndToEnd, WhatWasWrittenReadsBack)
{
    Start(CTerrionScenario().SetDefaultSpacing(450));
    ASSERT_TRUE(m_device->WriteSettings(Bulk()));
    TSettings read{};
    ASSERT_TRUE(m_device->ReadSettings(read));
    TSettings expected = Bulk();
    expected.defaultSpacing = 450;
    ExpectSettings(read, expected);
    // Reading the hidden default leaves the block as it was written.
    EXPECT_EQ(m_sim->MemoryAt(0x1000, 18), Bulk().ToBlock());
}

TEST_F(SettingsEndToEnd, TheDriverReleasesMemoryAccessWhenItGoes)
{
    Start();
    TSettings settings{};
    ASSERT_TRUE(m_device->ReadSettings(settings));
    m_sim->ClearReceived();
    m_device.reset();
    ASSERT_TRUE(m_sim->WaitReceived(5, 1000));
    EXPECT_EQ(m_sim->ReceivedText(), "C0C0i");
    EXPECT_EQ(m_sim->State(), tsApplication);
}

TEST_F(SettingsEndToEnd, DeleteAllClearsTheRecordArea)
{
    Start(CTerrionScenario().AddSeries(1, {{10, false, 1, 0x10}, {20, false, 2, 0x10}}).AddSeries(2, {{5}}));
    ASSERT_TRUE(m_device->DeleteAllSeries());
    std::vector<TObject> objects;
    ASSERT_TRUE(m_device->ReadAllObjects(objects));
    EXPECT_TRUE(objects.empty());
    EXPECT_EQ(m_sim->DeleteAllCount(), 1);
    EXPECT_EQ(m_sim->MemoryAt(0xF000, 2048), Bytes(2048, 0xFF));
    EXPECT_EQ(m_sim->ReceivedText().substr(0, 8), "\xC1\xD2\x04"
                                                  "A5A5t");
}

} // namespace
} // namespace TerrionTest
