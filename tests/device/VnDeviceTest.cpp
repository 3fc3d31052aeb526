// The instrument base class and the factory.

#include "device/VnDevice.h"
#include "device/DeviceFactoryTable.h"
#include "device/DeviceThread.h"
#include "device/TerrionDevice.h"
#include "streams/FileStream.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace TerrionTest
{
namespace
{

using namespace Device;

TEST(DeviceFactoryTest, MakesTheTerrionAndNothingForOtherValues)
{
    std::unique_ptr<CVnDevice> device = CreateDevice(typeTerrion);
    ASSERT_NE(nullptr, device);
    EXPECT_NE(nullptr, dynamic_cast<CTerrionDevice*>(device.get()));
    EXPECT_EQ(typeTerrion, device->GetType());
    EXPECT_EQ(L"Terrion", device->GetDisplayName());
    EXPECT_EQ(portSerial, device->GetSupportedPorts());
    EXPECT_EQ(10, device->GetFamilyCode());
    EXPECT_EQ(19200u, device->GetSerialSettings().baud);
    EXPECT_EQ(1500, device->GetSerialSettings().readTimeout);
    EXPECT_EQ(50, device->GetSerialSettings().writeTimeout);
    EXPECT_EQ(nullptr, CreateDevice(typeNone));
    EXPECT_EQ(nullptr, CreateDevice(-1));
    EXPECT_EQ(nullptr, CreateDevice(42));
    EXPECT_NE(nullptr, dynamic_cast<CTerrionDevice*>(device->CreateInstance().get()));
}

TEST(DeviceFactoryTest, TypeNames)
{
    EXPECT_EQ(L"Terrion", GetTypeName(7));
    EXPECT_EQ(L"Halvint Mezzeta / Halvint Tollery", GetTypeName(1));
    EXPECT_EQ(L"Tarlowend", GetTypeName(11));
    EXPECT_EQ(L"", GetTypeName(12));
}

TEST(DeviceFactoryTest, RegisteredDriversAreMadeByType)
{
    ASSERT_NE(nullptr, CreateDevice(typeFulmetra));
    ASSERT_TRUE(
        RegisterDeviceFactory(typeFulmetra, [] { return std::unique_ptr<CVnDevice>(new CTerrionDevice); }));
    EXPECT_EQ(typeTerrion, CreateDevice(typeFulmetra)->GetType());
    ASSERT_TRUE(RegisterDeviceFactory(typeFulmetra, nullptr));
    EXPECT_EQ(nullptr, CreateDevice(typeFulmetra));
    EXPECT_FALSE(RegisterDeviceFactory(typeNone, nullptr));
    for (const SDeviceFactoryEntry& entry : GetBuiltInDeviceFactories())
        if (entry.type == typeFulmetra)
            RegisterDeviceFactory(entry.type, entry.factory);
    EXPECT_EQ(typeFulmetra, CreateDevice(typeFulmetra)->GetType());
}

TEST(VnDeviceTest, ErrorTexts)
{
    CTerrionDevice device;
    const std::wstring restart =
        L"\r\nPlease restart the device and this Application and retry the Upgrade.\r\n"
        L"In case the error persists, contact a Varnel service centre.";
    EXPECT_EQ(L"An error occurred during file read.", device.GetErrorText(ecFileRead));
    EXPECT_EQ(L"An error (1) occurred during the device Upgrade." + restart, device.GetErrorText(ecNotReady));
    EXPECT_EQ(L"An error (12) occurred during the device Upgrade." + restart, device.GetErrorText(12));
    EXPECT_EQ(L"A communication error occurred during the device Upgrade." + restart,
              device.GetErrorText(ecCommunication));
    EXPECT_EQ(L"The process was aborted by the user.", device.GetErrorText(ecAborted));
}

class VnDeviceLineTest : public CLineFixture
{
};

TEST_F(VnDeviceLineTest, AttachRefusesBadPortTypesClosedStreamsAndASecondStream)
{
    CTerrionDevice device;
    StreamIO::CIoStream* stream = OpenPort();
    EXPECT_FALSE(device.Attach(stream, static_cast<NPorts>(3)));
    EXPECT_EQ(nullptr, device.GetStream());
    EXPECT_FALSE(device.Attach(nullptr, portSerial));

    CTempDir dir;
    StreamIO::CFileStream closed((dir.Path() / "closed.bin").wstring(),
                                 StreamIO::ofRead | StreamIO::ofWrite | StreamIO::ofCreateAlways);
    closed.Close();
    EXPECT_FALSE(device.Attach(&closed, portSerial));
    EXPECT_EQ(nullptr, device.GetCommands());

    ASSERT_TRUE(device.Attach(Release().release(), portSerial));
    EXPECT_EQ(portSerial, device.GetPortType());
    EXPECT_EQ(L"\\\\.\\COM201", device.GetPortName());
    ASSERT_NE(nullptr, device.GetCommands());
    EXPECT_FALSE(device.GetCommands()->IsCrLf());
    // The abort poll is there without a device worker running.
    ASSERT_FALSE(IsDeviceThreadRunning());
    EXPECT_FALSE(device.GetCommands()->IsAbortRequested());
    AbortDeviceJobs(0);
    EXPECT_TRUE(device.GetCommands()->IsAbortRequested());
    ClearDeviceAbort();
    EXPECT_FALSE(device.GetCommands()->IsAbortRequested());

    StreamIO::CFileStream other((dir.Path() / "other.bin").wstring(),
                                StreamIO::ofRead | StreamIO::ofWrite | StreamIO::ofCreateAlways);
    EXPECT_FALSE(device.Attach(&other, portSerial));

    std::unique_ptr<StreamIO::CIoStream> back = device.Detach();
    EXPECT_EQ(stream, back.get());
    EXPECT_EQ(nullptr, device.GetCommands());
    EXPECT_EQ(portNone, device.GetPortType());
    EXPECT_TRUE(device.Attach(back.release(), portSerial));
}

TEST_F(VnDeviceLineTest, BinaryCommandWithNoRoomSendsNothingAnEmptyTextGoesOut)
{
    CTerrionDevice device;
    ASSERT_TRUE(device.Attach(OpenPort(), portSerial));
    Release().release();
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(0, device.BinaryCommand(0x41, 0, buffer, 0, 100));
    EXPECT_TRUE(m_line->Received().empty());
    // An empty text is a command like any other: DLE, CR, and "?" stored.
    m_line->Play({{{0x10}, {0x06}}, {{0x0D}, Ascii("\r")}});
    char text[4] = {};
    EXPECT_EQ(1, device.TextCommand("", text, sizeof text, 500));
    EXPECT_STREQ("?", text);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST(VnDeviceTest, UnattachedDriverFailsCleanly)
{
    CTerrionDevice device;
    SDeviceInfo info;
    CContents contents;
    std::uint8_t buffer[8] = {};
    char text[8] = {};
    int count = 0;
    CTerrionDevice::TMeasSettings settings{};
    std::vector<CTerrionDevice::TTerrionObject> objects(1);
    std::vector<std::uint8_t> bytes;
    const std::uint8_t block[2] = {1, 2};

    EXPECT_FALSE(device.Identify(info));
    EXPECT_FALSE(device.QueryId(info));
    EXPECT_EQ(0, device.GetDeviceId());
    EXPECT_FALSE(device.GetContents(contents));
    EXPECT_FALSE(device.SetConnected(true, 1000));
    EXPECT_FALSE(device.SendControlD0());
    EXPECT_FALSE(device.ResetMode());
    EXPECT_EQ(0, device.BinaryCommand(0x41, 0, buffer, 8, 100));
    EXPECT_EQ(0, device.TextCommand("ID", text, 8, 100));
    EXPECT_EQ(1, device.BulkCommand(0x41, buffer, 0, &count, 8, 100, -1));
    EXPECT_EQ(-1, device.ReadMemory(bytes, 0x1000, 2));
    EXPECT_FALSE(device.WriteMemory(0x1000, block));
    EXPECT_FALSE(device.WriteMemoryByte(0x1000, 1));
    EXPECT_FALSE(device.EraseMemory(0x1000));
    EXPECT_FALSE(device.SetMemoryAddress(0x1000));
    EXPECT_FALSE(device.StartMemoryRead(0x1000, 2));
    EXPECT_FALSE(device.EndMemoryRead());
    EXPECT_TRUE(device.LeaveMemoryMode(false)); // not in the mode: nothing to do
    EXPECT_FALSE(device.ReadSettings(settings));
    EXPECT_FALSE(device.WriteSettings(settings));
    EXPECT_FALSE(device.DeleteAllSeries());
    EXPECT_FALSE(device.ReadAllObjects(objects));
    EXPECT_EQ(1u, objects.size()); // untouched
    EXPECT_EQ(nullptr, device.Detach());
}

TEST(VnDeviceTest, CallbackAndPackageAreHeldOnce)
{
    class CNull : public CCallback
    {
        void OnDeviceFound(std::unique_ptr<CVnDevice>) override {}
        void OnStatusText(const std::wstring&) override {}
        void OnFinished(const std::wstring&, int) override {}
        void OnProgress(int, int, std::uint32_t) override {}
    } first, second;
    CTerrionDevice device;
    EXPECT_FALSE(device.SetCallback(nullptr));
    EXPECT_TRUE(device.SetCallback(&first));
    EXPECT_FALSE(device.SetCallback(&second));
    EXPECT_EQ(&first, device.RemoveCallback());
    EXPECT_EQ(nullptr, device.RemoveCallback());
    EXPECT_FALSE(first.IsDetailedProgress());

    SLoginInfo login;
    EXPECT_TRUE(device.RemoteLogin(login));
    EXPECT_EQ(L"No remote login implemented.", login.user);
    EXPECT_EQ(6, login.rights);
    EXPECT_TRUE(device.RemoteLogout());
    EXPECT_EQ(0, device.GetLoginInfo().rights);
}

} // namespace
} // namespace TerrionTest
