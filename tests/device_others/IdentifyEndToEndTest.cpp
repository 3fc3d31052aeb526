// Every driver identifies its simulated instrument over a pseudo-terminal,
// also from the bootloader where the instrument has one.

#include "device/others/FulmetraDevice.h"
#include "device/others/Halvint3SeDevice.h"
#include "device/others/KindravelDevice.h"
#include "device/others/MezzetaDevice.h"
#include "device/others/PlatformDevice.h"
#include "device/others/StreliaDevice.h"
#include "device/others/WexleyLabDevice.h"
#include "tests/device_others/OtherEndToEnd.h"
#include "tests/simulator/FramedInstrument.h"

#include <algorithm>

namespace TerrionTest
{
namespace
{

class OtherIdentify : public COtherEndToEnd
{
};

struct SIdentCase
{
    Device::NTypes type;
    const char* instrument;
    const wchar_t* typeName;
    const wchar_t* firmware;
    const wchar_t* serial;
    std::size_t contents;
};

TEST_F(OtherIdentify, EveryDriverIdentifiesItsInstrument)
{
    const SIdentCase cases[] = {
        {Device::typeHalvint3Se, "halvint3", L"Halvint 3", L"1.4.0", L"HV01-002-0003", 2},
        {Device::typeMezzeta, "mezzeta", L"Halvint Tollery 2", L"1.5.0", L"HM01-002-0003", 2},
        {Device::typeKrastel, "aldermoor", L"Aldermoor", L"2.1.0", L"AM01-002-0003", 2},
        {Device::typeKindravel, "saltrevane", L"Saltrevane", L"1.2.3", L"SV12-345-6789", 1},
        {Device::typeQuenwick, "quenwick", L"Quenwick", L"3.0.1", L"QW01-002-0003", 2},
        {Device::typeBrivonta2, "brivonta", L"Brivonta 3", L"1.0.2", L"BV12-345-6789", 1},
        {Device::typeWexleyLab, "wexley", L"Wexley Lab", L"4.2.0", L"WL01-002-0003", 1},
        {Device::typeFulmetra, "fulmetra", L"Fulmetra", L"1.0.7", L"FM11-222-3333", 1},
        {Device::typeStrelia, "kx7", L"KX-7", L"2.3.4", L"SL11-222-3333", 1},
        {Device::typePlatform, "platform", L"Platform", L"5.0.0", L"PF01-002-0003", 2},
    };
    for (const SIdentCase& c : cases)
    {
        SCOPED_TRACE(c.instrument);
        Start(c.type, COtherScenario::For(c.instrument));
        Device::SDeviceInfo info;
        ASSERT_TRUE(m_device->Identify(info));
        EXPECT_EQ(info.typeName, c.typeName);
        EXPECT_EQ(info.firmwareVersion, c.firmware);
        EXPECT_EQ(info.serialNumber, c.serial);
        EXPECT_EQ(m_device->GetSerialNumber(), c.serial);
        EXPECT_NE(m_device->GetInfoText().find(c.serial), std::wstring::npos);
        Device::CContents contents;
        ASSERT_TRUE(m_device->GetContents(contents));
        EXPECT_EQ(contents.m_entries.size(), c.contents);
        const auto application =
            std::find_if(contents.m_entries.begin(), contents.m_entries.end(),
                         [](const Device::SContentEntry& entry) { return entry.type == 1; });
        ASSERT_NE(application, contents.m_entries.end());
        EXPECT_EQ(application->version, CVersion(c.firmware));
    }
}

TEST_F(OtherIdentify, AnotherFamilysSignatureFails)
{
    const std::pair<Device::NTypes, const char*> cases[] = {
        {Device::typeHalvint3Se, "platform"},  {Device::typeKrastel, "quenwick"},
        {Device::typeKindravel, "wexley"},     {Device::typeFulmetra, "kx7"},
        {Device::typeBrivonta2, "saltrevane"},
    };
    for (const auto& [type, instrument] : cases)
    {
        SCOPED_TRACE(instrument);
        Start(type, COtherScenario::For(instrument));
        Device::SDeviceInfo info;
        EXPECT_FALSE(m_device->Identify(info));
    }
}

TEST_F(OtherIdentify, GetContentsIdentifiesFirst)
{
    Start(Device::typeWexleyLab, COtherScenario::For("wexley"));
    Device::CContents contents;
    ASSERT_TRUE(m_device->GetContents(contents));
    ASSERT_EQ(contents.m_entries.size(), 1u);
    EXPECT_EQ(contents.m_entries[0].type, 1);
    EXPECT_EQ(contents.m_entries[0].version, CVersion(4, 2, 0, 0));
    EXPECT_NE(m_sim->ReceivedText().find("@ID@"), std::string::npos);
}

TEST_F(OtherIdentify, BootloaderFallbackWithTargetTwo)
{
    for (const auto& [type, instrument] :
         {std::pair{Device::typeKindravel, "saltrevane"}, std::pair{Device::typeWexleyLab, "wexley"}})
    {
        SCOPED_TRACE(instrument);
        COtherScenario scenario = COtherScenario::For(instrument);
        scenario.bootloader = true;
        Start(type, scenario);
        Device::SDeviceInfo info;
        ASSERT_TRUE(m_device->Identify(info));
        const std::string sent = m_sim->ReceivedText();
        // "@ID@" goes unanswered; the driver selects target 2, asks and leaves it again.
        const std::size_t enter = sent.find("SC030202F8\r\n");
        const std::size_t ask = sent.find("SI030000FC\r\n");
        const std::size_t leave = sent.find("SC030200FA\r\n");
        ASSERT_NE(enter, std::string::npos);
        ASSERT_NE(ask, std::string::npos);
        ASSERT_NE(leave, std::string::npos);
        EXPECT_LT(enter, ask);
        EXPECT_LT(ask, leave);
        EXPECT_EQ(With<CFramedInstrument>([](CFramedInstrument& sim) { return sim.BootTarget(); }), 0);
    }
    EXPECT_EQ(Device<Device::CWexleyLabDevice>().GetProtocolState(), 3);
    EXPECT_EQ(Device<Device::CWexleyLabDevice>().GetBootTarget(), 0);
}

TEST_F(OtherIdentify, BootloaderFallbackOfTheTerrionLikeInstruments)
{
    for (const auto& [type, instrument] :
         {std::pair{Device::typeFulmetra, "fulmetra"}, std::pair{Device::typeStrelia, "kx7"}})
    {
        SCOPED_TRACE(instrument);
        COtherScenario scenario = COtherScenario::For(instrument);
        scenario.bootloader = true;
        Start(type, scenario);
        Device::SDeviceInfo info;
        ASSERT_TRUE(m_device->Identify(info));
        EXPECT_NE(m_sim->ReceivedText().find("SC030102F9\r\nSI030000FC\r\n"), std::string::npos);
    }
    EXPECT_EQ(Device<Device::CStreliaDevice>().GetProtocolState(), 3);
}

TEST_F(OtherIdentify, KindravelQueryIdSwitchesToTheApplicationState)
{
    Start(Device::typeKindravel, COtherScenario::For("saltrevane"));
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->QueryId(info));
    EXPECT_EQ(info.firmwareVersion, L"1.2.3");
    EXPECT_EQ(Device<Device::CKindravelDevice>().GetBootTarget(), 2);
    EXPECT_EQ(m_device->GetDeviceId(), 0x06000001);
}

TEST_F(OtherIdentify, EmptyFieldsOnePassAgainstRepeatedFilling)
{
    // Three semicolons: the one-pass Saltrevane keeps the second field empty
    // and fails; the KX-7 fills both and takes its placeholder serial.
    COtherScenario cover = COtherScenario::For("saltrevane");
    cover.identification = "Saltrevane;;;06000001;1.2.3";
    Start(Device::typeKindravel, cover);
    Device::SDeviceInfo info;
    EXPECT_FALSE(m_device->Identify(info));

    COtherScenario strelia = COtherScenario::For("kx7");
    strelia.identification = "KX-7;;;0C000001;2.3.4";
    Start(Device::typeStrelia, strelia);
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(info.serialNumber, L"SL00-000-0000");
    EXPECT_EQ(Device<Device::CStreliaDevice>().GetIdent().hardwareRevision, L"-");
}

TEST_F(OtherIdentify, OsInstrumentsNegotiateTheLineEndFirst)
{
    Start(Device::typeHalvint3Se, COtherScenario::For("halvint3"));
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    const std::string sent = m_sim->ReceivedText();
    EXPECT_EQ(sent.rfind("\x10"
                         "EC?\r",
                         0),
              0u);
    Device::SDeviceIdentOs ident;
    ASSERT_TRUE(Device<Device::CHalvint3SeDevice>().GetObjectInfo(ident));
    EXPECT_EQ(ident.osVersion, L"2.3");
    EXPECT_EQ(ident.localization, L"de-DE");
    EXPECT_EQ(ident.timeZoneId, L"110");

    COtherScenario missing = COtherScenario::For("platform");
    missing.identification = "Platform;I1;PF01-002-0003;0D000001;5.0.0;6.1;en-US";
    Start(Device::typePlatform, missing);
    EXPECT_FALSE(m_device->Identify(info));
}

TEST_F(OtherIdentify, MezzetaModelKeysMatchExactly)
{
    for (const auto& [key, name] : {std::pair{"MEZZETA", L"Halvint Mezzeta 1"},
                                    {"Tolle2 ", L"Halvint Tollery 2"},
                                    {"tolle2 ", L"tolle2 "},
                                    {"Tolle2", L"Tolle2"}})
    {
        COtherScenario scenario = COtherScenario::For("mezzeta");
        scenario.identification = std::string(key) + ";D4;HM01-002-0003;04000020;1.5.0";
        Start(Device::typeMezzeta, scenario);
        Device::SDeviceInfo info;
        ASSERT_TRUE(m_device->Identify(info)) << key;
        EXPECT_EQ(info.typeName, name);
        // Without the sixth field the bootloader version is empty and its entry 0.
        Device::CContents contents;
        ASSERT_TRUE(m_device->GetContents(contents));
        EXPECT_TRUE(contents.m_entries[1].version.IsZero());
    }
}

} // namespace
} // namespace TerrionTest

namespace TerrionTest
{
namespace
{

TEST_F(OtherIdentify, InformationTextsNameEveryField)
{
    Start(Device::typeKrastel, COtherScenario::For("aldermoor"));
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(m_device->GetInfoText(), L"Device type:\tAldermoor\r\nSerial number:\tAM01-002-0003\r\n"
                                       L"Application Version:\t2.1.0\r\nHardware revision:\tC1\r\n"
                                       L"Bootloader Version:\t1.0.4\r\nSignature:\t05000010");

    Start(Device::typePlatform, COtherScenario::For("platform"));
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(m_device->GetInfoText(),
              L"Device type:\tPlatform\r\nSerial number:\tPF01-002-0003\r\n"
              L"Application Version:\t5.0.0\r\nHardware revision:\tI1\r\n"
              L"OS Version:\t6.1\r\nBootloader Version:\t\r\nLocalization:\ten-US\r\n"
              L"Timezone ID:\t85\r\nSignature:\t0D000001");
}

} // namespace
} // namespace TerrionTest
