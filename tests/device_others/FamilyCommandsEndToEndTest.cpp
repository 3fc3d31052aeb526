// The family commands of the Krastel, Wexley Lab, Terrion-like, listening,
// OS-based and USB probe drivers against their simulated instruments.

#include "device/others/Brivonta2Device.h"
#include "device/others/FulmetraDevice.h"
#include "device/others/Halvint3SeDevice.h"
#include "device/others/KrastelDevice.h"
#include "device/others/MezzetaDevice.h"
#include "device/others/StreliaDevice.h"
#include "device/others/TarlowendDevice.h"
#include "device/others/WexleyLabDevice.h"
#include "tests/device_others/OtherEndToEnd.h"
#include "tests/simulator/FramedInstrument.h"
#include "tests/simulator/OsInstrument.h"
#include "tests/simulator/WexleyInstrument.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace TerrionTest
{
namespace
{

using TBytes = std::vector<std::uint8_t>;

class FamilyCommands : public COtherEndToEnd
{
protected:
    std::vector<TBytes> Frames()
    {
        return With<CFramedInstrument>([](CFramedInstrument& sim) { return sim.Frames(); });
    }
};

TEST_F(FamilyCommands, KrastelSendsLongCommandsUnframed)
{
    Start(Device::typeKrastel, COtherScenario::For("aldermoor"));
    TBytes data(47, 0x11);
    data[0] = 47; // the simulated long command carries its count first
    EXPECT_EQ(m_device->BinaryCommand(0x5A, 47, data.data(), 1, 1000), 0);
    TBytes expected = {0xC1, 0x5A};
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(m_sim->Received(), expected);

    // 46 bytes still go framed: header 0xEE; the instrument does not know the command.
    m_sim->ClearReceived();
    TBytes shorter(46, 0x22);
    EXPECT_EQ(m_device->BinaryCommand(0x33, 46, shorter.data(), 1, 1000), 0xFF);
    EXPECT_EQ(m_sim->Received().front(), 0xEE);
    EXPECT_EQ(m_device->GetChecksumFlags(), 1);
    EXPECT_EQ(m_device->GetBlockSize(), 0);
}

TEST_F(FamilyCommands, MezzetaGoesUnframedEarlierAndReadsItsBlock)
{
    Start(Device::typeMezzeta, COtherScenario::For("mezzeta"));
    TBytes data(32, 0x11);
    data[0] = 32;
    EXPECT_EQ(m_device->BinaryCommand(0x5A, 32, data.data(), 1, 1000), 0);
    EXPECT_EQ(m_sim->Received()[0], 0xC1);

    TBytes block(129, 0);
    block[0] = '0';
    EXPECT_EQ(m_device->BinaryCommand(0xD0, 1, block.data(), 129, 1000), 129);
    EXPECT_EQ(block, TBytes(129, 0x5A));
    // A buffer that cannot take the whole block is refused before anything is read into it.
    TBytes small(64, 0);
    small[0] = '0';
    EXPECT_EQ(m_device->BinaryCommand(0xD0, 1, small.data(), 64, 1000), 252);
    EXPECT_EQ(small[1], 0);
}

TEST_F(FamilyCommands, KrastelResetSwitchesToModeEight)
{
    Start(Device::typeQuenwick, COtherScenario::For("quenwick"));
    ASSERT_TRUE(m_device->ResetMode());
    EXPECT_EQ(With<CFramedInstrument>([](CFramedInstrument& sim) { return sim.ActiveMode(); }), 8);
    // The stream was closed and opened again around the switch, and still works.
    Device::SDeviceInfo info;
    EXPECT_TRUE(m_device->Identify(info));
}

TEST_F(FamilyCommands, WexleyStatusAndInformationStrings)
{
    COtherScenario scenario = COtherScenario::For("wexley");
    Start(Device::typeWexleyLab, scenario);
    auto& wexley = Device<Device::CWexleyLabDevice>();
    Device::SWexleyStatus status;
    ASSERT_TRUE(wexley.QueryStatus(status));
    EXPECT_EQ(status.value, 0x1234);

    ASSERT_TRUE(wexley.WriteInfoStrings(L"", L"Lab 2", L"x"));
    const auto info = With<CWexleyInstrument>([](CWexleyInstrument& sim) { return sim.InfoStrings(); });
    EXPECT_EQ(info.at(1), "");
    EXPECT_EQ(info.at(3), "Lab 2");
    EXPECT_EQ(info.at(2), "x");
    const std::vector<TBytes> frames = Frames();
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames[0], (TBytes{7, 0xFF}));
    EXPECT_EQ(frames[1], (TBytes{11, 0}));
    EXPECT_EQ(frames[2], (TBytes{11, 1, 0}));
    EXPECT_EQ(frames[3], (TBytes{11, 3, 'L', 'a', 'b', ' ', '2', 0}));
    EXPECT_FALSE(wexley.WriteInfoStrings(L"a", std::wstring(46, L'b'), L"c"));
    EXPECT_TRUE(wexley.SendStatusCommand());
}

TEST_F(FamilyCommands, WexleyStatusReplies)
{
    struct
    {
        TBytes reply;
        const char* type;
        bool ok;
    } const cases[] = {
        {{0xFF, 0, 0, 1, 0, 0, 9}, "Wexley Lab", true},
        {{0xFF, 0, 0, 1, 0, 0, 9}, "WEXLEY LAB+", false},
        {{0xFF, 0, 0, 1, 0, 0, 0, 0}, "Wexley Lab", false},
        {{0xFF, 0, 0, 1, 0, 0}, "Wexley Lab+", true}, // six bytes: byte 6 was never sent
        {{0xFE, 0, 0, 1, 0, 0, 0}, "Wexley Lab", false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.type);
        COtherScenario scenario = COtherScenario::For("wexley");
        scenario.statusReply = c.reply;
        scenario.identification = std::string(c.type) + ";A3;WL01-002-0003;09000001;4.2.0;2.0.1";
        Start(Device::typeWexleyLab, scenario);
        Device::SDeviceInfo info;
        ASSERT_TRUE(m_device->Identify(info));
        Device::SWexleyStatus status;
        EXPECT_EQ(Device<Device::CWexleyLabDevice>().QueryStatus(status), c.ok);
    }
}

TEST_F(FamilyCommands, FulmetraLeavesItsServiceModeBeforeEachIdentification)
{
    Start(Device::typeFulmetra, COtherScenario::For("fulmetra"));
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(m_sim->ReceivedText(), "C0C0i\x10@ID@\r");
    m_sim->ClearReceived();
    m_device.reset();
    for (int i = 0; i < 100 && m_sim->ReceivedText().size() < 5; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(m_sim->ReceivedText(), "C0C0i");
}

TEST_F(FamilyCommands, StreliaLeavesItsServiceModeWhenDestroyed)
{
    Start(Device::typeStrelia, COtherScenario::For("kx7"));
    CShortWaits::Reset();
    m_device.reset();
    for (int i = 0; i < 100 && m_sim->ReceivedText().size() < 5; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(m_sim->ReceivedText(), "C0C0r");
    EXPECT_EQ(CShortWaits::Waits(), (std::vector<int>{2000, 200}));

    // Unattached, nothing is sent.
    auto unattached = Device::CreateDevice(Device::typeStrelia);
    CShortWaits::Reset();
    unattached.reset();
    EXPECT_TRUE(CShortWaits::Waits().empty());
}

TEST_F(FamilyCommands, TarlowendIsIdentifiedByListening)
{
    Start(Device::typeTarlowend, COtherScenario::For("tarlowend"));
    Device::SDeviceInfo info;
    EXPECT_TRUE(m_device->Identify(info));
    EXPECT_TRUE(info.typeName.empty());
    EXPECT_TRUE(m_sim->Received().empty());

    COtherScenario words = COtherScenario::For("tarlowend");
    words.lines = {"12.5", "volts", "1", "2"};
    Start(Device::typeTarlowend, words);
    EXPECT_FALSE(m_device->Identify(info));

    Device::CContents contents;
    EXPECT_FALSE(m_device->GetContents(contents));
    EXPECT_FALSE(m_device->QueryId(info));
    EXPECT_EQ(m_device->GetDeviceId(), 0);
}

TEST_F(FamilyCommands, HalvintReadsAndWritesItsProbe)
{
    COtherScenario scenario = COtherScenario::For("halvint3");
    scenario.probeBlock = {0xF0, 0x55, 0x28, 0x23, 0x10, 0x27, 0xE8, 0x03, 0xD0, 0x07,
                           0xE8, 0x03, 0xB8, 0x0B, 0xDC, 0x05, 0xBC, 0x02, 0x64, 0x19};
    Start(Device::typeHalvint3Se, scenario);
    auto& halvint = Device<Device::CHalvint3SeDevice>();
    Device::SProbeParameters parameters;
    ASSERT_TRUE(halvint.ReadProbeParameters(parameters));
    EXPECT_FLOAT_EQ(parameters.p1, 220.0f);
    EXPECT_EQ(parameters.p9, 11200u);
    EXPECT_TRUE(With<COsInstrument>([](COsInstrument& sim) { return sim.RegistersOn().empty(); }));

    parameters.p1 = 221.5f;
    ASSERT_TRUE(halvint.WriteProbeParameters(parameters));
    const TBytes block = With<COsInstrument>([](COsInstrument& sim) { return sim.ProbeBlock(); });
    EXPECT_EQ(block[0], 0x86); // 22150 = 0x5686
    EXPECT_EQ(block[1], 0x56);
    EXPECT_TRUE(With<COsInstrument>([](COsInstrument& sim) { return sim.Stored(); }));
    EXPECT_TRUE(With<COsInstrument>([](COsInstrument& sim) { return sim.RegistersOn().empty(); }));

    // Out of range: nothing reaches the instrument.
    m_sim->ClearReceived();
    parameters.p1 = 209.99f;
    EXPECT_FALSE(halvint.WriteProbeParameters(parameters));
    EXPECT_TRUE(m_sim->Received().empty());
}

TEST_F(FamilyCommands, AProbeThatNeverAnswersIsSwitchedOffAgain)
{
    COtherScenario scenario = COtherScenario::For("halvint3");
    scenario.probeAnswer = "XX-1";
    Start(Device::typeHalvint3Se, scenario);
    Device::SProbeParameters parameters;
    EXPECT_FALSE(Device<Device::CHalvint3SeDevice>().ReadProbeParameters(parameters));
    EXPECT_TRUE(With<COsInstrument>([](COsInstrument& sim) { return sim.RegistersOn().empty(); }));

    scenario.probeAnswer = "HP-1";
    scenario.failingRegister = 0xF0;
    Start(Device::typeHalvint3Se, scenario);
    EXPECT_FALSE(Device<Device::CHalvint3SeDevice>().ReadProbeParameters(parameters));
    EXPECT_TRUE(With<COsInstrument>([](COsInstrument& sim) { return sim.RegistersOn().empty(); }));
}

TEST_F(FamilyCommands, ANewBrivontaIsNamedAndAnswersFromItsRecord)
{
    COtherScenario scenario = COtherScenario::For("brivonta");
    scenario.identification = ";1.0.0;;08000003";
    Start(Device::typeBrivonta2, scenario);
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(info.typeName, L"New Brivonta 3");
    EXPECT_EQ(info.serialNumber, L"-");
    m_sim->ClearReceived();
    Device::SDeviceInfo again;
    ASSERT_TRUE(m_device->QueryId(again));
    EXPECT_EQ(again.typeName, L"New Brivonta 3");
    EXPECT_TRUE(m_sim->Received().empty());

    scenario.identification = "Brivonta 3;1.0.2;BV12-345-6789;;R1";
    Start(Device::typeBrivonta2, scenario);
    EXPECT_FALSE(m_device->Identify(info));
}

TEST_F(FamilyCommands, BrivontaSerialPacketFromTheShortQuery)
{
    Start(Device::typeBrivonta2, COtherScenario::For("brivonta"));
    std::array<std::uint8_t, 8> packet{};
    ASSERT_TRUE(Device<Device::CBrivonta2Device>().GetSerialPacket(packet));
    EXPECT_EQ(packet, (std::array<std::uint8_t, 8>{0x90, 0x0C, 0x00, 0x00, 0x59, 0x15, 0x6A, 0x70}));
}

} // namespace
} // namespace TerrionTest

namespace TerrionTest
{
namespace
{

// The data side of a HID probe: hands out queued reports.
class CFakeProbeChannel : public Device::CProbeDataChannel
{
public:
    struct SState
    {
        std::vector<std::wstring> opened;
        int purges = 0;
        std::vector<TBytes> reports;
        int sequence = 0;
    };
    explicit CFakeProbeChannel(SState& state) : m_state(state) {}

    bool Open(const std::wstring& devicePath) override
    {
        m_state.opened.push_back(devicePath);
        m_bOpen = true;
        return true;
    }
    bool IsOpen() const override { return m_bOpen; }
    void Close() override { m_bOpen = false; }
    void PurgeInput() override { ++m_state.purges; }
    bool SetTimeouts(int, int) override { return true; }
    int Read(void* buffer, int length) override
    {
        if (m_state.reports.empty())
            return 0;
        TBytes report = m_state.reports.front();
        m_state.reports.erase(m_state.reports.begin());
        const int n = std::min(length, static_cast<int>(report.size()));
        std::copy_n(report.begin(), n, static_cast<std::uint8_t*>(buffer));
        m_state.sequence = (m_state.sequence + 1) % 8;
        return n;
    }
    int GetLastSequence() const override { return m_state.sequence; }

private:
    SState& m_state;
    bool m_bOpen = false;
};

TEST_F(FamilyCommands, BrivontaReadsInputReportsFromItsDataChannel)
{
    Start(Device::typeBrivonta2, COtherScenario::For("brivonta"));
    auto& probe = Device<Device::CBrivonta2Device>();
    std::array<std::uint8_t, 8> report{};
    int sequence = -1;
    probe.SetDataChannel(nullptr);
    EXPECT_FALSE(probe.ReadInputReport(report, sequence, 100));

    CFakeProbeChannel::SState state;
    state.reports = {{1, 2, 3, 4, 5, 6, 7, 8}, {9, 9, 9, 9, 9, 9, 9, 9}, {1, 2, 3}};
    probe.SetDataChannel(std::make_unique<CFakeProbeChannel>(state));
    ASSERT_TRUE(probe.ReadInputReport(report, sequence, 100));
    EXPECT_EQ(report, (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(sequence, 1);
    ASSERT_TRUE(probe.ReadInputReport(report, sequence, 100));
    EXPECT_EQ(sequence, 2);
    // Opened once, on the control stream's device, and purged then.
    EXPECT_EQ(state.opened, std::vector<std::wstring>{m_device->GetPortName()});
    EXPECT_EQ(state.purges, 1);
    // A short report fails.
    EXPECT_FALSE(probe.ReadInputReport(report, sequence, 100));
}

} // namespace
} // namespace TerrionTest
