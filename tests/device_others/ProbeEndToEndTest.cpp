// The USB probe instrument over the HID probe transport: its commands on the
// control channel and its input reports on the data channel, both on a fake
// HID probe that the simulated instrument stands behind.

#include "device/others/Brivonta2Device.h"
#include "streams/UsbHostProbeControl.h"
#include "streams/UsbHostProbeManager.h"
#include "tests/simulator/OtherInstruments.h"
#include "tests/support/FakeProbe.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

namespace TerrionTest
{
namespace
{

using TReport = std::array<std::uint8_t, Device::CBrivonta2Device::kReportSize>;

class ProbeEndToEnd : public ::testing::Test
{
protected:
    static constexpr const wchar_t* kPath = L"/dev/hidraw-probe";

    ProbeEndToEnd() { CFakeProbe::Install(m_state); }
    ~ProbeEndToEnd() override
    {
        m_device.reset();
        CFakeProbe::Uninstall();
    }

    /// The simulated instrument answers what the host sends on the control channel.
    static void PlayInstrument(CFakeProbe::SState& state, const COtherScenario& scenario)
    {
        std::shared_ptr<CSimInstrument> instrument = MakeOtherInstrument(scenario);
        state.answer = [instrument](const std::string& payload)
        {
            std::vector<std::uint8_t> out;
            bool dropPending = false;
            for (const char byte : payload)
                instrument->Feed(static_cast<std::uint8_t>(byte), out, dropPending);
            return std::string(out.begin(), out.end());
        };
    }

    /// A driver made by the factory on the probe's control channel.
    void Connect(const wchar_t* path = kPath)
    {
        if (!m_device)
            m_device = Device::CreateDevice(Device::typeBrivonta2);
        ASSERT_NE(m_device, nullptr);
        auto control = std::make_unique<StreamIO::CUsbHostProbeControl>();
        ASSERT_TRUE(control->Open(path, StreamIO::ofRead | StreamIO::ofWrite));
        ASSERT_TRUE(m_device->Attach(std::move(control), Device::portUsb));
    }

    Device::CBrivonta2Device& Probe() { return dynamic_cast<Device::CBrivonta2Device&>(*m_device); }

    std::shared_ptr<CFakeProbe::SState> m_state = std::make_shared<CFakeProbe::SState>();
    std::unique_ptr<Device::CVnDevice> m_device;
};

TEST_F(ProbeEndToEnd, IdentifiesOverTheControlChannelAndReadsReportsOnTheSameDevice)
{
    PlayInstrument(*m_state, COtherScenario::For("brivonta"));
    Connect();
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(info.typeName, L"Brivonta 3");
    EXPECT_EQ(info.serialNumber, L"BV12-345-6789");

    // The first read opens the data channel and drops what came before.
    m_state->inputs = {CFakeProbe::InputReport(5, "old")};
    TReport report{};
    int sequence = -1;
    EXPECT_FALSE(Probe().ReadInputReport(report, sequence, 30));
    EXPECT_TRUE(m_state->inputs.empty());

    // A report's seven bytes, its repeat (passed over) and one byte of the next.
    m_state->inputs = {CFakeProbe::InputReport(1, "\x01\x02\x03\x04\x05\x06\x07"),
                       CFakeProbe::InputReport(1, "\x01\x02\x03\x04\x05\x06\x07"),
                       CFakeProbe::InputReport(2, "\x08")};
    ASSERT_TRUE(Probe().ReadInputReport(report, sequence, 200));
    EXPECT_EQ(report, (TReport{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(sequence, 2);
    // The data channel shares the device the control channel opened.
    EXPECT_EQ(m_state->opens, 1);
    EXPECT_EQ(m_state->openedPaths, std::vector<std::string>{"/dev/hidraw-probe"});

    // Later reads reuse the open channel.
    m_state->inputs = {CFakeProbe::InputReport(3, "abcd"), CFakeProbe::InputReport(4, "efgh")};
    ASSERT_TRUE(Probe().ReadInputReport(report, sequence, 200));
    EXPECT_EQ(std::string(report.begin(), report.end()), "abcdefgh");
    EXPECT_EQ(sequence, 4);
    EXPECT_EQ(m_state->opens, 1);

    // The driver lets the device go with both channels.
    m_device.reset();
    EXPECT_EQ(m_state->closes, 1);
}

TEST_F(ProbeEndToEnd, AReadThatTimesOutFailsAndTheNextOneWorks)
{
    Connect();
    TReport report{};
    int sequence = -1;
    // Nothing comes, then only half a report: both fail within the time-out.
    EXPECT_FALSE(Probe().ReadInputReport(report, sequence, 30));
    m_state->inputs = {CFakeProbe::InputReport(5, "wxyz")};
    EXPECT_FALSE(Probe().ReadInputReport(report, sequence, 30));
    EXPECT_EQ(sequence, -1);

    m_state->inputs = {CFakeProbe::InputReport(6, "1234567"), CFakeProbe::InputReport(7, "8")};
    ASSERT_TRUE(Probe().ReadInputReport(report, sequence, 200));
    EXPECT_EQ(std::string(report.begin(), report.end()), "12345678");
    EXPECT_EQ(sequence, 7);
    EXPECT_EQ(m_state->opens, 1);
}

TEST_F(ProbeEndToEnd, AfterADetachReportsComeFromTheProbeAttachedNext)
{
    // Two probes: each device opened gets the next state.
    auto second = std::make_shared<CFakeProbe::SState>();
    StreamIO::CUsbHostProbeManager::Instance().SetTransportFactory(
        [first = m_state, second,
         made = std::make_shared<int>(0)]() -> std::unique_ptr<StreamIO::CHidTransport>
        { return std::make_unique<CFakeProbe>((*made)++ == 0 ? first : second); });

    Connect(L"/dev/hidraw-first");
    TReport report{};
    int sequence = -1;
    EXPECT_FALSE(Probe().ReadInputReport(report, sequence, 30)); // opens the data channel
    m_state->inputs = {CFakeProbe::InputReport(1, "firstAB"), CFakeProbe::InputReport(2, "C")};
    ASSERT_TRUE(Probe().ReadInputReport(report, sequence, 200));
    EXPECT_EQ(std::string(report.begin(), report.end()), "firstABC");

    m_device->Detach().reset();
    EXPECT_EQ(m_state->closes, 1); // neither channel holds the first probe now
    Connect(L"/dev/hidraw-second");
    m_state->inputs = {CFakeProbe::InputReport(3, "stale!!"), CFakeProbe::InputReport(4, "!")};
    EXPECT_FALSE(Probe().ReadInputReport(report, sequence, 30)); // opens on the second probe
    second->inputs = {CFakeProbe::InputReport(1, "second"), CFakeProbe::InputReport(2, "XY")};
    ASSERT_TRUE(Probe().ReadInputReport(report, sequence, 200));
    EXPECT_EQ(std::string(report.begin(), report.end()), "secondXY");
    EXPECT_EQ(second->openedPaths, std::vector<std::string>{"/dev/hidraw-second"});
}

} // namespace
} // namespace TerrionTest
