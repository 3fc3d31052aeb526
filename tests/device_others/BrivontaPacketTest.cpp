// The USB probe instrument's serial packet.

#include "device/others/Brivonta2Device.h"

#include <gtest/gtest.h>

namespace
{

using Packet = std::array<std::uint8_t, 8>;

TEST(BrivontaPacket, PacksTheThreeNumbers)
{
    Packet packet{};
    ASSERT_TRUE(Device::CBrivonta2Device::BuildSerialPacket(L"BV12-345-6789", packet));
    EXPECT_EQ(packet, (Packet{0x90, 0x0C, 0x00, 0x00, 0x59, 0x15, 0x6A, 0x70}));
}

TEST(BrivontaPacket, AnotherFormIsRefusedAndLeavesZeros)
{
    Packet packet;
    packet.fill(0x77);
    EXPECT_FALSE(Device::CBrivonta2Device::BuildSerialPacket(L"SV12-345-6789", packet));
    EXPECT_EQ(packet, Packet{});
}

} // namespace
