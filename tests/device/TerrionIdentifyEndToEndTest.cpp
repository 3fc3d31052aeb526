// Identification of a simulated Terrion through the driver, in application
// and in bootloader state, with the bytes the driver put on the line.

#include "tests/device/TerrionEndToEnd.h"

namespace TerrionTest
{
namespace
{

class TerrionIdentifyEndToEnd : public CTerrionEndToEnd
{
};

TEST_F(TerrionIdentifyEndToEnd, IdentifiesAnApplicationWithTheTextQuery)
{
    Start(CTerrionScenario().SetIdentification("Terrion;HW 1.1;TN12-345-6789;0A000001;2.0.1"));
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(info.typeName, L"Terrion");
    EXPECT_EQ(info.firmwareVersion, L"2.0.1");
    EXPECT_EQ(info.serialNumber, L"TN12-345-6789");
    Device::SDeviceIdent ident;
    ASSERT_TRUE(m_device->GetObjectInfo(ident));
    ExpectIdent(ident, Ident(L"Terrion", L"HW 1.1", L"TN12-345-6789", L"0A000001", L"2.0.1"));
    EXPECT_EQ(m_device->GetProtocolState(), 8);
    // DLE, the query and CR; nothing else reached the instrument.
    EXPECT_EQ(m_sim->ReceivedText(), "\x10@ID@\r");
}

TEST_F(TerrionIdentifyEndToEnd, EmptyFieldsAndTheDashSerialSurvive)
{
    Start(CTerrionScenario().SetIdentification("Terrion;;-;0A0000FF;1.0"));
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(info.serialNumber, L"TN00-000-0000");
    Device::SDeviceIdent ident;
    m_device->GetObjectInfo(ident);
    EXPECT_EQ(ident.hardwareRevision, L"-");
}

TEST_F(TerrionIdentifyEndToEnd, RefusesAnotherFamilyOrTooFewFields)
{
    for (const char* text : {"Terrion;HW 1;TN1;0B000001;1.0", "Terrion;HW 1;TN1;0A000001"})
    {
        SCOPED_TRACE(text);
        TearDown();
        Start(CTerrionScenario().SetIdentification(text));
        Device::SDeviceInfo info;
        EXPECT_FALSE(m_device->Identify(info));
    }
}

TEST_F(TerrionIdentifyEndToEnd, IdentifiesABootloaderWithItsLines)
{
    Start(CTerrionScenario().SetBootloader(true).SetIdentification(
        "Terrion;HW 1.1;TN12-345-6789;0A000001;0.9"));
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(m_device->GetProtocolState(), 3);
    EXPECT_EQ(info.typeName, L"Terrion");
    EXPECT_EQ(info.firmwareVersion, L"0.9");
    EXPECT_EQ(info.serialNumber, L"TN12-345-6789");
    // The text query went unanswered; then the two bootloader lines.
    EXPECT_EQ(m_sim->ReceivedText(), "\x10SC030102F9\r\nSI030000FC\r\n");
}

TEST_F(TerrionIdentifyEndToEnd, QueriesTheShortIdAndTheDeviceId)
{
    Start(CTerrionScenario().SetIdentification("Terrion;HW 1.1;TN12-345-6789;0A00002A;2.0.1"));
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->QueryId(info));
    EXPECT_EQ(info.typeName, L"Terrion");
    EXPECT_EQ(info.firmwareVersion, L"2.0.1");
    EXPECT_EQ(info.serialNumber, L"TN12-345-6789");
    EXPECT_EQ(m_device->GetDeviceId(), 0x0A00002A);
}

TEST_F(TerrionIdentifyEndToEnd, LeavesMemoryAccessBeforeIdentifying)
{
    Start();
    TSettings settings{};
    ASSERT_TRUE(m_device->ReadSettings(settings));
    EXPECT_EQ(m_sim->State(), tsMemoryAccess);
    m_sim->ClearReceived();
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(m_sim->ReceivedText(), "C0C0i\x10@ID@\r");
    EXPECT_EQ(m_sim->State(), tsApplication);
}

} // namespace
} // namespace TerrionTest
