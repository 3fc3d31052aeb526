// The factory makes a driver for every instrument type, with the type's
// name, ports, family code and serial defaults.

#include "device/VnDevice.h"
#include "device/others/Brivonta2Device.h"
#include "device/others/FulmetraDevice.h"
#include "device/others/Halvint3SeDevice.h"
#include "device/others/KindravelDevice.h"
#include "device/others/KrastelDevice.h"
#include "device/others/MezzetaDevice.h"
#include "device/others/PlatformDevice.h"
#include "device/others/QuenwickDevice.h"
#include "device/others/StreliaDevice.h"
#include "device/others/TarlowendDevice.h"
#include "device/others/WexleyLabDevice.h"
#include "streams/Rs232Settings.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace
{

struct SExpected
{
    int type;
    const wchar_t* name;
    int ports;
    int family;
    std::uint32_t baud;
    std::uint8_t handshake;
    int readMs;
    int writeMs;
};

constexpr SExpected kTable[] = {
    {0, L"Halvint 3", 7, 3, 9600, 0, 500, 10},
    {1, L"Halvint Mezzeta / Halvint Tollery", 1, 4, 38400, StreamIO::hsRtsCts, 1000, 50},
    {2, L"Aldermoor", 1, 5, 38400, StreamIO::hsRtsCts, 1000, 50},
    {3, L"Saltrevane", 1, 6, 19200, 0, 1500, 50},
    {4, L"Quenwick", 1, 7, 38400, StreamIO::hsRtsCts, 1000, 50},
    {5, L"Brivonta 3", 2, 8, 9600, 0, 500, 10},
    {6, L"Wexley Lab", 1, 9, 115200, 0, 1500, 50},
    {7, L"Terrion", 1, 10, 19200, 0, 1500, 50},
    {8, L"Fulmetra", 1, 11, 19200, 0, 1500, 1000},
    {9, L"KX-7", 1, 12, 19200, 0, 1500, 50},
    {10, L"Platform", 7, 13, 9600, 0, 500, 10},
    {11, L"Tarlowend", 1, 0, 9600, 0, 1500, 50},
};

TEST(OtherDeviceFactory, MakesEveryTypeWithItsTableEntry)
{
    for (const SExpected& expected : kTable)
    {
        SCOPED_TRACE(expected.type);
        std::unique_ptr<Device::CVnDevice> device = Device::CreateDevice(expected.type);
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->GetType(), expected.type);
        EXPECT_EQ(device->GetDisplayName(), expected.name);
        EXPECT_EQ(Device::GetTypeName(expected.type), expected.name);
        EXPECT_EQ(device->GetSupportedPorts(), expected.ports);
        EXPECT_EQ(device->GetFamilyCode(), expected.family);
        const StreamIO::SRs232Settings& settings = device->GetSerialSettings();
        EXPECT_EQ(settings.baud, expected.baud);
        EXPECT_EQ(settings.handshake, expected.handshake);
        EXPECT_EQ(settings.readTimeout, expected.readMs);
        EXPECT_EQ(settings.writeTimeout, expected.writeMs);
        EXPECT_EQ(settings.dataBits, 8);
        EXPECT_EQ(settings.receiveQueue, 1024);
        EXPECT_EQ(settings.transmitQueue, 256);

        // A new instance is of the same class, unattached and unidentified.
        std::unique_ptr<Device::CVnDevice> again = device->CreateInstance();
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(typeid(*again), typeid(*device));
        EXPECT_EQ(again->GetStream(), nullptr);
        EXPECT_TRUE(again->GetSerialNumber().empty());
    }
    EXPECT_EQ(Device::CreateDevice(12), nullptr);
    EXPECT_EQ(Device::CreateDevice(-1), nullptr);
}

TEST(OtherDeviceFactory, EachClassNamesItsOwnType)
{
    EXPECT_EQ(Device::CHalvint3SeDevice::TypeName(), Device::GetTypeName(0));
    EXPECT_EQ(Device::CMezzetaDevice::TypeName(), Device::GetTypeName(1));
    EXPECT_EQ(Device::CKrastelDevice::TypeName(), Device::GetTypeName(2));
    EXPECT_EQ(Device::CKindravelDevice::TypeName(), Device::GetTypeName(3));
    EXPECT_EQ(Device::CQuenwickDevice::TypeName(), Device::GetTypeName(4));
    EXPECT_EQ(Device::CBrivonta2Device::TypeName(), Device::GetTypeName(5));
    EXPECT_EQ(Device::CWexleyLabDevice::TypeName(), Device::GetTypeName(6));
    EXPECT_EQ(Device::CFulmetraDevice::TypeName(), Device::GetTypeName(8));
    EXPECT_EQ(Device::CStreliaDevice::TypeName(), Device::GetTypeName(9));
    EXPECT_EQ(Device::CPlatformDevice::TypeName(), Device::GetTypeName(10));
    EXPECT_EQ(Device::CTarlowendDevice::TypeName(), Device::GetTypeName(11));
}

TEST(OtherDeviceFactory, UnattachedDriversFailWithoutTouchingTheLine)
{
    for (int type = 0; type < 12; ++type)
    {
        SCOPED_TRACE(type);
        std::unique_ptr<Device::CVnDevice> device = Device::CreateDevice(type);
        Device::SDeviceInfo info;
        EXPECT_FALSE(device->Identify(info));
        Device::CContents contents;
        contents.m_entries.resize(1);
        // Without an instrument the list stays as it was.
        EXPECT_FALSE(device->GetContents(contents));
        EXPECT_EQ(contents.m_entries.size(), 1u);
    }
}

} // namespace
