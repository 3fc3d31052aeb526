// The cover meter's downloads, settings block, delete-all and sub-commands
// against its simulated instrument.

#include "device/others/KindravelDevice.h"
#include "streams/Rs232Stream.h"
#include "tests/device_others/OtherEndToEnd.h"
#include "tests/simulator/CoverMeterInstrument.h"

#include <cstring>

namespace TerrionTest
{
namespace
{

using TBytes = std::vector<std::uint8_t>;

TBytes Record(std::uint16_t objectNumber, std::uint8_t readings)
{
    TBytes record(262, 0);
    record[0] = 1;
    std::memcpy(&record[2], "Saltrevane", 10);
    std::memcpy(&record[18], "SV12-345-6789", 13);
    std::memcpy(&record[34], "1.2.3", 5);
    std::memcpy(&record[43], "B2", 2);
    std::memcpy(&record[48], "06000001", 8);
    record[58] = 'M';
    record[59] = 16;
    record[61] = static_cast<std::uint8_t>(objectNumber);
    record[62] = static_cast<std::uint8_t>(objectNumber >> 8);
    record[63] = readings;
    for (std::size_t i = 0; i < readings; ++i)
    {
        record[64 + i] = static_cast<std::uint8_t>(20 + i);
        record[163 + i] = 16;
    }
    return record;
}

const std::string kObjectText =
    "Saltrevane+ Data File Version       ;;;'1.0\r\n\r\nInstrument Data\r\n"
    "    Name                            ;;;Saltrevane\r\n"
    "    Serial Number                   ;;;SV12-345-6789\r\n"
    "    Software Version                ;;;'1.2.3\r\n"
    "    Hardware Index                  ;;;B2\r\n"
    "    Signature                       ;;;'06000001\r\n\r\nSettings\r\n"
    "    Regional                        ;;;Metric\r\n"
    "    Data Storage Mode               ;;;Manual\r\n"
    "    Raw Default Bar Diameter [mm]   ;;;'16\r\n"
    "    Default Bar Diameter [mm]       ;;;'16\r\n"
    "    Neighboring Bar Correction [mm] ;;;'-\r\n\r\n"
    "Comment\r\n    \"\"\r\n\r\n\r\n\r\nData\r\n"
    "    Object Number                   ;;;7\r\n"
    "    Object Name                     ;;;\"P\"\r\n"
    "    # of Measurements               ;;;1\r\n\r\n\r\n"
    "Number            ;Cover [mm]        ;Diameter [mm]     ;Raw Diameter [mm] \r\n"
    "------------------;------------------;------------------;------------------\r\n"
    " 1                ; 40               ;16                ;16\r\n";

class KindravelEndToEnd : public COtherEndToEnd
{
protected:
    void Start(const COtherScenario& scenario) { COtherEndToEnd::Start(Device::typeKindravel, scenario); }
    Device::CKindravelDevice& Meter() { return Device<Device::CKindravelDevice>(); }
    std::uint32_t LineRate()
    {
        return dynamic_cast<StreamIO::CRs232Stream&>(*m_device->GetStream()).Settings().baud;
    }
    std::vector<std::uint32_t> Rates()
    {
        return With<CCoverMeterInstrument>([](CCoverMeterInstrument& sim) { return sim.Rates(); });
    }
};

TEST_F(KindravelEndToEnd, BinaryDownloadAtTheFastRateAndBack)
{
    COtherScenario scenario = COtherScenario::For("saltrevane");
    scenario.records = {Record(3, 2), Record(4, 99)};
    Start(scenario);
    Device::TKindravelObjectSet set;
    ASSERT_TRUE(Meter().DownloadObjects(set, 115200, true));
    ASSERT_EQ(set.objects.size(), 2u);
    EXPECT_EQ(set.formatVersion, CVersion(0, 1, 0, 0));
    EXPECT_EQ(set.objects[0].objectNumber, 3);
    EXPECT_EQ(set.objects[0].readings, (std::vector<Device::TKindravelMeas>{{1, 20, 16}, {2, 21, 16}}));
    EXPECT_EQ(set.objects[1].readings.size(), 99u);
    EXPECT_EQ(Rates(), (std::vector<std::uint32_t>{115200, 19200}));
    EXPECT_EQ(LineRate(), 19200u);
    // The instrument takes the new rate at the command's first CR, so the
    // line end's second CR may arrive at the old rate and be lost.
    EXPECT_NE(m_sim->ReceivedText().find("\x10"
                                         "BR 035\r"),
              std::string::npos);
}

TEST_F(KindravelEndToEnd, TextDownload)
{
    COtherScenario scenario = COtherScenario::For("saltrevane");
    scenario.objectTexts = {kObjectText, kObjectText};
    Start(scenario);
    Device::TKindravelObjectSet set;
    ASSERT_TRUE(Meter().DownloadObjects(set, 57600, false));
    ASSERT_EQ(set.objects.size(), 2u);
    EXPECT_EQ(set.objects[1].objectNumber, 7);
    EXPECT_EQ(set.objects[1].objectName, L"P");
    EXPECT_EQ(set.objects[1].readings, (std::vector<Device::TKindravelMeas>{{1, 40, 16}}));
    EXPECT_EQ(LineRate(), 19200u);
}

TEST_F(KindravelEndToEnd, AnEmptyInstrumentGivesNoObjects)
{
    Start(COtherScenario::For("saltrevane"));
    Device::TKindravelObjectSet set;
    set.objects.resize(2);
    ASSERT_TRUE(Meter().DownloadObjects(set, 115200, true));
    EXPECT_TRUE(set.objects.empty());
    EXPECT_TRUE(set.formatVersion.IsZero());
}

TEST_F(KindravelEndToEnd, ARefusedRateDownloadsAtTheOldOne)
{
    COtherScenario scenario = COtherScenario::For("saltrevane");
    scenario.refusesRate = true;
    scenario.records = {Record(1, 1)};
    Start(scenario);
    EXPECT_FALSE(Meter().SetBaudRate(115200));
    EXPECT_EQ(LineRate(), 19200u);
    Device::TKindravelObjectSet set;
    ASSERT_TRUE(Meter().DownloadObjects(set, 115200, true));
    EXPECT_EQ(set.objects.size(), 1u);
    EXPECT_TRUE(Rates().empty());
    // The same rate sends nothing.
    m_sim->ClearReceived();
    EXPECT_TRUE(Meter().SetBaudRate(19200));
    EXPECT_TRUE(m_sim->Received().empty());
}

TEST_F(KindravelEndToEnd, ARecordCountBeyondTheReplyFails)
{
    COtherScenario scenario = COtherScenario::For("saltrevane");
    const TBytes record = Record(5, 2);
    scenario.binaryReply = {1, 0xF4, 0x01, 0x06, 0x01}; // 500 records announced
    scenario.binaryReply.insert(scenario.binaryReply.end(), record.begin(), record.end());
    Start(scenario);
    Device::TKindravelObjectSet set;
    EXPECT_FALSE(Meter().DownloadObjects(set, 19200, true));
    EXPECT_EQ(set.objects.size(), 1u);
}

TEST_F(KindravelEndToEnd, SettingsBlockAndDeleteAll)
{
    COtherScenario scenario = COtherScenario::For("saltrevane");
    for (std::size_t i = 0; i < scenario.settingsBlock.size(); ++i)
        scenario.settingsBlock[i] = static_cast<std::uint8_t>(0xA0 + i);
    scenario.records = {Record(1, 1)};
    Start(scenario);
    std::array<std::uint8_t, 44> block{};
    ASSERT_TRUE(Meter().ReadSettingsBlock(block));
    EXPECT_EQ(TBytes(block.begin(), block.end()), scenario.settingsBlock);
    EXPECT_NE(m_sim->ReceivedText().find("\xC1\xD2\x04"
                                         "1000s002Cn"),
              std::string::npos);

    EXPECT_TRUE(Meter().DeleteAllObjects());
    EXPECT_EQ(With<CCoverMeterInstrument>([](CCoverMeterInstrument& sim) { return sim.DeleteCount(); }), 1);
    Device::TKindravelObjectSet set;
    ASSERT_TRUE(Meter().DownloadObjects(set, 19200, true));
    EXPECT_TRUE(set.objects.empty());
}

TEST_F(KindravelEndToEnd, ADeleteThatStaysBusyFails)
{
    COtherScenario scenario = COtherScenario::For("saltrevane");
    scenario.busyPolls = -1;
    Start(scenario);
    EXPECT_FALSE(Meter().DeleteAllObjects());
    std::size_t polls = 0;
    const std::string sent = m_sim->ReceivedText();
    for (std::size_t at = sent.find("0001n"); at != std::string::npos; at = sent.find("0001n", at + 1))
        ++polls;
    EXPECT_EQ(polls, 100u);
}

TEST_F(KindravelEndToEnd, SilentSettingsReadFails)
{
    Start(COtherScenario::For("saltrevane"));
    m_sim->SetFault(CInstrumentSimulator::fStopAfter, 40);
    std::array<std::uint8_t, 44> block{};
    block.fill(0x77);
    EXPECT_FALSE(Meter().ReadSettingsBlock(block));
    EXPECT_EQ(block[0], 0x77);
}

TEST_F(KindravelEndToEnd, SubCommands)
{
    Start(COtherScenario::For("saltrevane"));
    std::wstring text;
    EXPECT_EQ(Meter().ReadDeviceText(text), L"SALTREVANE+");
    EXPECT_EQ(Meter().QueryStatusByte(), 0x42);
    EXPECT_TRUE(Meter().CheckIdle());
    EXPECT_TRUE(Meter().StartAndWait());
    EXPECT_TRUE(Meter().SendCommand1());
    EXPECT_TRUE(Meter().SetRegister4060(true));
    EXPECT_TRUE(Meter().SendTextPair(L"ab", L"c"));
    EXPECT_FALSE(Meter().SendTextPair(std::wstring(40, L'x'), std::wstring(6, L'y')));
    const auto frames = With<CCoverMeterInstrument>([](CCoverMeterInstrument& sim) { return sim.Frames(); });
    const std::vector<TBytes> expected = {
        {0xD2, '3'},
        {0xD2, 0x13},
        {0xD2, 6},
        {0xD2, 2},
        {0xD2, 5},
        {0xD2, '1'},
        {0xD2, '4', '0', '6', '0', '1', '0', '0', '0', '0'},
        {0xD2, '0', 'a', 'b', ';', 'c'},
    };
    EXPECT_EQ(frames, expected);
}

TEST_F(KindravelEndToEnd, BootTargetsOnlyFromTheBootloader)
{
    COtherScenario scenario = COtherScenario::For("saltrevane");
    scenario.bootloader = true;
    Start(scenario);
    EXPECT_FALSE(Meter().SelectBootTarget1()); // not identified as a bootloader yet
    Device::SDeviceInfo info;
    ASSERT_TRUE(Meter().Identify(info));
    m_sim->ClearReceived();
    ASSERT_TRUE(Meter().SelectBootTarget2());
    ASSERT_TRUE(Meter().SelectBootTarget1());
    EXPECT_EQ(Meter().GetBootTarget(), 1);
    EXPECT_EQ(m_sim->ReceivedText(), "SC030202F8\r\nSC030200FA\r\nSC030102F9\r\n");
}

} // namespace
} // namespace TerrionTest
