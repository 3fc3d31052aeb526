// The fixed commands of the command layer against the simulated Terrion:
// synchronisation and mode check, connection notices, the negotiated line
// end and plain text commands, with the bytes they put on the line.

#include "tests/device/TerrionEndToEnd.h"

namespace TerrionTest
{
namespace
{

using Bytes = std::vector<std::uint8_t>;

class CommandsEndToEnd : public CTerrionEndToEnd
{
};

TEST_F(CommandsEndToEnd, ResetModeSyncsAndFindsTheNormalModeActive)
{
    Start();
    ASSERT_TRUE(m_device->ResetMode());
    EXPECT_EQ(m_sim->Received(), Bytes({0xC8, 0xF7, 0x00, 0x05, 0x55, 0x5A, 0xAA, 0xAF, 0xFF, 0xF0, // sync
                                        0xC2, 0xF4, 0x00, 0x0C,    // supported?
                                        0xC2, 0xF4, 0x01, 0x0C})); // active?
}

TEST_F(CommandsEndToEnd, ConnectionNoticesCarryTheKeepAliveInSeconds)
{
    Start();
    EXPECT_TRUE(m_device->SetConnected(true, 5500));
    EXPECT_TRUE(m_device->SetConnected(false, 0));
    EXPECT_EQ(m_sim->Received(), Bytes({0xC2, 0xF4, 0x10, 0x06, 0xC2, 0xF4, 0x11, 0x00}));
}

TEST_F(CommandsEndToEnd, NegotiatedLineEndsAreUnderstoodBothWays)
{
    Start();
    Device::CVnCommands* commands = m_device->GetCommands();
    ASSERT_NE(commands, nullptr);
    ASSERT_TRUE(commands->SetLineEnd(true, true));
    EXPECT_TRUE(commands->IsCrLf());

    // The instrument now echoes the command before its answer.
    Device::SDeviceInfo info;
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(info.serialNumber, L"TN12-345-6789");
    Device::SDeviceIdent ident;
    m_device->GetObjectInfo(ident);
    EXPECT_EQ(ident.hardwareRevision, L"HW 1.1");

    ASSERT_TRUE(commands->SetLineEnd(false, true));
    EXPECT_FALSE(commands->IsCrLf());
    ASSERT_TRUE(m_device->Identify(info));
    EXPECT_EQ(m_sim->ReceivedText(), "\x10"
                                     "EC?\r\x10"
                                     "EC1\r\x10@ID@\r\x10"
                                     "EC?\r\x10"
                                     "EC0\r\x10@ID@\r");
}

TEST_F(CommandsEndToEnd, TextCommandsReturnTheAnswerAndItsLength)
{
    Start();
    char answer[64] = {};
    EXPECT_EQ(m_device->TextCommand("ID", answer, sizeof answer, -1), 27);
    EXPECT_STREQ(answer, "Terrion;2.0.1;TN12-345-6789");
    // A refusal is still an answer to a text command.
    EXPECT_EQ(m_device->TextCommand("XX", answer, sizeof answer, -1), 1);
    EXPECT_STREQ(answer, "?");
}

} // namespace
} // namespace TerrionTest
