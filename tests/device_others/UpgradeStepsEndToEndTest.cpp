// The bootloader steps of the upgrade: the lines each driver sends, the
// states it leaves, and where the instrument ends.

#include "device/BlockDescriptor.h"
#include "device/Callback.h"
#include "device/PackageHeader.h"
#include "device/others/KindravelDevice.h"
#include "device/others/StreliaDevice.h"
#include "device/others/WexleyLabDevice.h"
#include "streams/StreamFactory.h"
#include "tests/device_others/OtherEndToEnd.h"
#include "tests/simulator/FramedInstrument.h"
#include "tests/simulator/KrastelInstrument.h"

namespace TerrionTest
{
namespace
{

class CRecordingCallback : public Device::CCallback
{
public:
    void OnDeviceFound(std::unique_ptr<Device::CVnDevice>) override {}
    void OnStatusText(const std::wstring& text) override { texts.push_back(text); }
    void OnFinished(const std::wstring&, int) override {}
    void OnProgress(int value, int, std::uint32_t) override { progress.push_back(value); }

    std::vector<std::wstring> texts;
    std::vector<int> progress;
};

std::string Repeat(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

std::span<const std::uint8_t, 16> Descriptor(std::array<std::uint8_t, 16>& bytes, std::uint8_t target,
                                             std::uint8_t modeBefore = 0)
{
    bytes.fill(0);
    bytes[10] = modeBefore;
    bytes[13] = target;
    return bytes;
}

class UpgradeSteps : public COtherEndToEnd
{
protected:
    bool SimInBootloader()
    {
        return With<CFramedInstrument>([](CFramedInstrument& sim) { return sim.InBootloader(); });
    }
    CRecordingCallback m_callback;
};

TEST_F(UpgradeSteps, CoverMeterErasesBothTargetsAndLeavesThroughTargetTwo)
{
    Start(Device::typeKindravel, COtherScenario::For("saltrevane"));
    auto& meter = Device<Device::CKindravelDevice>();
    ASSERT_TRUE(meter.SetCallback(&m_callback));
    ASSERT_EQ(meter.PrepareBootloader(), 0);
    EXPECT_EQ(m_sim->ReceivedText(),
              "\xC1\xD2\x01" + Repeat("SC030000FC\r\n", 5) +
                  "SC030102F9\r\nSE030000FC\r\nSC030100FB\r\nSC030202F8\r\nSE030000FC\r\n");
    EXPECT_EQ(m_callback.texts, std::vector<std::wstring>{L"Erase Memory"});
    EXPECT_EQ(m_callback.progress, (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(meter.GetProtocolState(), 3);
    EXPECT_EQ(meter.GetBootTarget(), 2);

    // A block for target 1, then one that keeps the mode, then the end.
    std::array<std::uint8_t, 16> bytes{};
    m_sim->ClearReceived();
    ASSERT_EQ(meter.SelectBlockTarget(Descriptor(bytes, 1)), 0);
    ASSERT_EQ(meter.SelectBlockTarget(Descriptor(bytes, 2, 0x08)), 0);
    EXPECT_EQ(meter.SelectBlockTarget(Descriptor(bytes, 3)), Device::ecNotReady);
    EXPECT_EQ(m_sim->ReceivedText(), "SC030200FA\r\nSC030102F9\r\n");
    m_sim->ClearReceived();
    ASSERT_EQ(meter.LeaveBootloader(), 0);
    EXPECT_EQ(m_sim->ReceivedText(), "SX030000FC\r\nSC030202F8\r\nSX030000FC\r\n");
    EXPECT_FALSE(SimInBootloader());
    meter.RemoveCallback();
}

TEST_F(UpgradeSteps, WexleyEntersWithCommandOneAndLeavesFromTargetTwo)
{
    Start(Device::typeWexleyLab, COtherScenario::For("wexley"));
    auto& wexley = Device<Device::CWexleyLabDevice>();
    // From the application the exit needs the bootloader first.
    EXPECT_EQ(wexley.LeaveBootloader(), Device::ecCommunication);
    m_sim->ClearReceived();
    ASSERT_EQ(wexley.PrepareBootloader(), 0);
    EXPECT_EQ(m_sim->ReceivedText(),
              std::string("\xC0\x01", 2) + Repeat("SC030000FC\r\n", 15) + "SC030202F8\r\nSE030000FC\r\n");
    m_sim->ClearReceived();
    ASSERT_EQ(wexley.LeaveBootloader(), 0);
    EXPECT_EQ(m_sim->ReceivedText(), "SX030000FC\r\n");
    EXPECT_FALSE(SimInBootloader());
}

TEST_F(UpgradeSteps, ATargetThatDoesNotAnswerFailsTheModeChange)
{
    Start(Device::typeWexleyLab, COtherScenario::For("wexley"));
    m_sim->SetFault(CInstrumentSimulator::fStopAfter, 1); // the 0x00, but no 'G'
    EXPECT_EQ(Device<Device::CWexleyLabDevice>().PrepareBootloader(), Device::ecModeChange);
}

TEST_F(UpgradeSteps, StreliaStartsItsApplication)
{
    COtherScenario scenario = COtherScenario::For("kx7");
    scenario.bootloader = true;
    Start(Device::typeStrelia, scenario);
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    ASSERT_EQ(Device<Device::CStreliaDevice>().GetProtocolState(), 3);
    m_sim->ClearReceived();
    ASSERT_EQ(Device<Device::CStreliaDevice>().LeaveBootloader(), 0);
    EXPECT_EQ(m_sim->ReceivedText(), "SC030102F9\r\nSX030000FC\r\n");
    EXPECT_EQ(Device<Device::CStreliaDevice>().GetProtocolState(), 8);
    EXPECT_FALSE(SimInBootloader());
}

} // namespace
} // namespace TerrionTest

namespace TerrionTest
{
namespace
{

class UpgradeJobSteps : public COtherEndToEnd
{
protected:
    CRecordingCallback m_callback;
    Device::CPackageHeader m_package;
};

TEST_F(UpgradeJobSteps, CoverMeterStepsFromPrepareToFinish)
{
    Start(Device::typeKindravel, COtherScenario::For("saltrevane"));
    ASSERT_TRUE(m_device->SetCallback(&m_callback));
    ASSERT_EQ(m_device->PrepareUpgrade(m_package), 0);
    Device::SBlockDescriptor block;
    block.bytes[13] = 1;
    ASSERT_EQ(m_device->BeginBlock(m_package, block), 0);
    EXPECT_EQ(m_device->ProgramBlock(block), 0);
    EXPECT_EQ(m_device->EndBlock(m_package, block), 0);
    m_sim->ClearReceived();
    ASSERT_EQ(m_device->FinishUpgrade(), 0);
    EXPECT_EQ(m_sim->ReceivedText(), "SX030000FC\r\nSC030202F8\r\nSX030000FC\r\n");
    ASSERT_GE(m_callback.texts.size(), 3u);
    EXPECT_EQ(m_callback.texts[1], L"Erase Memory");
    EXPECT_EQ(m_callback.texts.back(), L"Finished the device upgrade successfully.");
    m_device->RemoveCallback();
}

TEST_F(UpgradeJobSteps, KrastelEndBlockSendsTheDescriptorWithoutAModeChange)
{
    Start(Device::typeKrastel, COtherScenario::For("aldermoor"));
    Device::SBlockDescriptor block;
    block.bytes[10] = 0x01;
    block.bytes[11] = 0x01;
    ASSERT_EQ(m_device->EndBlock(m_package, block), 0);
    EXPECT_EQ(With<CKrastelInstrument>([](CKrastelInstrument& sim) { return sim.DescriptorCount(); }), 1);
    const std::vector<std::uint8_t> sent = m_sim->Received();
    ASSERT_EQ(sent.size(), 3u + 128u + 2u); // C1 F8 00, the descriptor, its CRC-16
    EXPECT_EQ(sent[0], 0xC1);
    EXPECT_EQ(sent[1], 0xF8);
}

// The Krastel sends a block whole; the package's descriptor names its size.
TEST_F(UpgradeJobSteps, BlockLongerThanItsPackageFailsWithoutSendingOrHoldingItsSize)
{
    Start(Device::typeKrastel, COtherScenario::For("aldermoor"));
    auto package = StreamIO::CreateStream(L"RAM:ShortPackage", 0x33);
    const std::uint8_t bytes[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_EQ(package->Write(bytes, 10), 10);
    package->SetPosition(0);
    ASSERT_TRUE(m_device->AttachPackage(package.get()));
    Device::SBlockDescriptor block;
    block.bytes[4] = 0xFF; // 2 GB less one byte announced
    block.bytes[5] = 0xFF;
    block.bytes[6] = 0xFF;
    block.bytes[7] = 0x7F;
    m_sim->ClearReceived();
    EXPECT_EQ(m_device->TransferBlock(block), Device::ecUpload);
    EXPECT_TRUE(m_sim->Received().empty());
    m_device->DetachPackage();
}

TEST_F(UpgradeJobSteps, OldHalvintFirmwareLogsInWithoutAsking)
{
    COtherScenario scenario = COtherScenario::For("halvint3");
    scenario.idAnswer = "Halvint 3;0.2.12;HV01-002-0003";
    Start(Device::typeHalvint3Se, scenario);
    Device::SLoginInfo login;
    login.user = L"anna";
    ASSERT_TRUE(m_device->RemoteLogin(login));
    EXPECT_EQ(login.rights, 7);
    EXPECT_EQ(m_device->GetLoginInfo().user, L"anna");
    EXPECT_EQ(m_sim->ReceivedText().find("RLGI"), std::string::npos);

    // A firmware text that does not read is asked for a login, which this instrument refuses.
    scenario.idAnswer = "Halvint 3;beta;HV01-002-0003";
    Start(Device::typeHalvint3Se, scenario);
    Device::SLoginInfo refused;
    EXPECT_FALSE(m_device->RemoteLogin(refused));
    EXPECT_NE(refused.rights, 7);
    EXPECT_NE(m_sim->ReceivedText().find("RLGI"), std::string::npos);
}

TEST_F(UpgradeJobSteps, TarlowendTakesNoUpgrade)
{
    auto device = Device::CreateDevice(Device::typeTarlowend);
    Device::SBlockDescriptor block;
    EXPECT_EQ(device->PrepareUpgrade(m_package), Device::ecNotReady);
    EXPECT_EQ(device->BeginBlock(m_package, block), Device::ecNotReady);
    EXPECT_EQ(device->EndBlock(m_package, block), 0);
}

} // namespace
} // namespace TerrionTest
