// Framed and text exchanges of the command layer, byte for byte over a
// pseudo-terminal. The test plays the instrument.

#include "device/VnCommands.h"
#include "device/Callback.h"
#include "device/FrameCodec.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace TerrionTest
{
namespace
{

using Device::CVnCommands;

class VnCommandsTest : public CLineFixture
{
protected:
    void SetUp() override
    {
        CLineFixture::SetUp();
        m_commands = std::make_unique<CVnCommands>(OpenPort());
        m_commands->SetLineEnd(false, false);
    }
    void TearDown() override
    {
        m_commands.reset();
        CLineFixture::TearDown();
    }

    std::unique_ptr<CVnCommands> m_commands;
};

TBytes Le16(std::uint16_t v)
{
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
}

TBytes Le32(std::uint32_t v)
{
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

// An extended reply: 0xEF, kind, 24-bit length, data, checksum.
TBytes Extended(std::uint8_t kind, const TBytes& data, const TBytes& checksum)
{
    TBytes reply = {0xEF, kind, static_cast<std::uint8_t>(data.size()),
                    static_cast<std::uint8_t>(data.size() >> 8),
                    static_cast<std::uint8_t>(data.size() >> 16)};
    return Cat(Cat(reply, data), checksum);
}

const TBytes kData10 = {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30};

struct SBinaryCase
{
    const char* name;
    TBytes reply;
    int capacity;
    int result;
    TBytes buffer; ///< expected head of the buffer
};

TEST_F(VnCommandsTest, BinaryCommandRepliesAndChecksums)
{
    const TBytes crc8 = {BitCrc8(kData10)};
    const TBytes crc16 = Le16(BitCrc16(kData10));
    const TBytes crc32 = Le32(BitCrc32(kData10));
    const TBytes badCrc16 = Le16(static_cast<std::uint16_t>(BitCrc16(kData10) ^ 0x0100));
    const std::vector<SBinaryCase> cases = {
        {"done", {0x00}, 16, 0, {}},
        {"status", {0xF3}, 16, 0xF3, {}},
        {"counted", Cat({0x03}, {0xAA, 0xBB, 0xCC}), 16, 3, {0xAA, 0xBB, 0xCC}},
        {"counted longer than the buffer", Cat({0x0A}, kData10), 4, 10, {0x31, 0x32, 0x33, 0x34}},
        {"extended CRC-8", Extended(1, kData10, crc8), 32, 10, kData10},
        {"extended CRC-16", Extended(2, kData10, crc16), 32, 10, kData10},
        {"extended CRC-32", Extended(4, kData10, crc32), 32, 10, kData10},
        {"extended without checksum", Extended(0, kData10, {}), 32, 10, kData10},
        {"kind 3 carries no checksum", Extended(3, kData10, {}), 32, 10, kData10},
        {"checksum mismatch", Extended(2, kData10, badCrc16), 32, 250, {}},
        {"extended longer than the buffer", Extended(2, kData10, crc16), 4, 4, {0x31, 0x32, 0x33, 0x34}},
        {"extended of no data", Extended(0, {}, {}), 32, 0, {}},
    };
    for (const SBinaryCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        // Each command is followed by a second one: it must find a clean line.
        m_line->Play({{{0xC2, 0x41, 0x01, 0x02}, c.reply}, {{0xC0, 0x42}, {0x00}}});
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::max(c.capacity, 2)), 0);
        buffer[0] = 0x01;
        buffer[1] = 0x02;
        EXPECT_EQ(c.result, m_commands->BinaryCommand(0x41, 2, buffer.data(), c.capacity, 500));
        EXPECT_TRUE(std::equal(c.buffer.begin(), c.buffer.end(), buffer.begin()));
        std::uint8_t second[1] = {};
        EXPECT_EQ(0, m_commands->BinaryCommand(0x42, 0, second, 1, 500));
        EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
        m_commands.reset();
        m_stream.reset();
        m_line.reset(); // unmaps the port before the next line maps it
        m_line = std::make_unique<CScriptedLine>(kPort);
        m_commands = std::make_unique<CVnCommands>(OpenPort());
        m_commands->SetLineEnd(false, false);
    }
}

TEST_F(VnCommandsTest, BinaryCommandReportsTheFullLengthWhenTheDroppedTailFallsShort)
{
    // Counted reply of 10 and extended reply of 10 + CRC-16 into 4 bytes, each
    // cut off after 6 bytes: what fits arrived, so the lengths come back as usual.
    m_line->Play({{{0xC0, 0x41}, Cat({0x0A}, {1, 2, 3, 4, 5, 6})},
                  {{0xC0, 0x41}, Cat({0xEF, 0x02, 0x0A, 0x00, 0x00}, {1, 2, 3, 4, 5, 6})}});
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(10, m_commands->BinaryCommand(0x41, 0, buffer, 4, 100));
    EXPECT_EQ((TBytes{1, 2, 3, 4}), TBytes(buffer, buffer + 4));
    EXPECT_EQ(4, m_commands->BinaryCommand(0x41, 0, buffer, 4, 100));
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, BinaryCommandRefusesBadArgumentsWithoutWriting)
{
    std::uint8_t buffer[64] = {};
    EXPECT_EQ(254, m_commands->BinaryCommand(0x41, 48, buffer, 64, 500));
    EXPECT_EQ(254, m_commands->BinaryCommand(0x41, 1, buffer, 64, -1));
    m_line->Finish();
    EXPECT_TRUE(m_line->Received().empty());
}

TEST_F(VnCommandsTest, BinaryCommandWithoutReplyIsAnIoFailure)
{
    m_line->Play({{{0xC0, 0x41}, {}}});
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(252, m_commands->BinaryCommand(0x41, 0, buffer, 4, 50));
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, ShortCommandSendOnlyAndBadCounts)
{
    std::uint8_t data[4] = {0x02, 0x05};
    m_line->Play({{{0xC2, 0xF4, 0x02, 0x05}, {}},
                  {{0xC2, 0xF4, 0x00, 0x05}, {0xF0}},
                  {{0xC1, 0xF1, 0x07}, {0x02, 1, 2}}});
    EXPECT_EQ(0, m_commands->ShortCommand(0xF4, 2, data, 0, 500));
    data[0] = 0x00;
    EXPECT_EQ(-1, m_commands->ShortCommand(0xF4, 2, data, 1, 500)); // a status is a failure here
    data[0] = 0x07;
    EXPECT_EQ(-1, m_commands->ShortCommand(0xF1, 1, data, 1, 500)); // two bytes where one was expected
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
    EXPECT_EQ(-1, m_commands->ShortCommand(0xF4, 31, data, 1, 500));
    EXPECT_EQ(-1, m_commands->ShortCommand(0xF4, 1, data, 240, 500));
}

TEST_F(VnCommandsTest, ShortCommandRestoresTheTimeouts)
{
    ASSERT_TRUE(m_stream->SetTimeouts(1234, 567));
    m_line->Play({{{0xC0, 0xF1}, {0x04, 0x78, 0x56, 0x34, 0x12}}});
    EXPECT_EQ(0x12345678, m_commands->GetDeviceId());
    int readMs = 0;
    int writeMs = 0;
    ASSERT_TRUE(m_stream->GetTimeouts(&readMs, &writeMs));
    EXPECT_EQ(1234, readMs);
    EXPECT_EQ(567, writeMs);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

class CProgressLog : public Device::CCallback
{
public:
    void OnDeviceFound(std::unique_ptr<Device::CVnDevice>) override {}
    void OnStatusText(const std::wstring&) override {}
    void OnFinished(const std::wstring&, int) override {}
    void OnProgress(int value, int bar, std::uint32_t durationMs) override
    {
        values.push_back(value);
        bars.push_back(bar);
        durations.push_back(durationMs);
    }
    std::vector<int> values;
    std::vector<int> bars;
    std::vector<std::uint32_t> durations;
};

TEST_F(VnCommandsTest, BulkCommandResults)
{
    const TBytes crc32 = Le32(BitCrc32(kData10));
    m_line->Play({{{0xC1, 0x50, 0x09}, Extended(4, kData10, crc32)},
                  {{0xC1, 0x50, 0x09}, Extended(4, kData10, Le32(BitCrc32(kData10) + 1))},
                  {{0xC1, 0x50, 0x09}, {0xF5}},
                  {{0xC1, 0x50, 0x09}, Extended(1, kData10, {BitCrc8(kData10)})},
                  {{0xC1, 0x50, 0x09}, {0x00}}});
    CProgressLog progress;
    progress.SetDetailedProgress(true);
    std::uint8_t buffer[32] = {0x09};
    int count = -1;
    EXPECT_EQ(0, m_commands->BulkCommand(0x50, buffer, 1, &count, 32, 500, 5000, &progress));
    EXPECT_EQ(14, count);
    EXPECT_EQ(0, std::memcmp(buffer, kData10.data(), kData10.size()));
    ASSERT_FALSE(progress.values.empty());
    EXPECT_EQ(100, progress.values.back());
    buffer[0] = 0x09;
    EXPECT_EQ(13, m_commands->BulkCommand(0x50, buffer, 1, &count, 32, 500, -1, nullptr));
    buffer[0] = 0x09;
    EXPECT_EQ(6, m_commands->BulkCommand(0x50, buffer, 1, &count, 32, 500, -1, nullptr));
    EXPECT_EQ(0xF5, buffer[0]);
    buffer[0] = 0x09;
    EXPECT_EQ(12, m_commands->BulkCommand(0x50, buffer, 1, &count, 4, 500, -1, nullptr));
    EXPECT_EQ(11, count); // the full length, checksum included
    buffer[0] = 0x09;
    EXPECT_EQ(0, m_commands->BulkCommand(0x50, buffer, 1, &count, 4, 500, -1,
                                         nullptr)); // clean line after the drop
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
    EXPECT_EQ(1, m_commands->BulkCommand(0x50, nullptr, 1, &count, 4, 500, -1, nullptr));
}

TEST_F(VnCommandsTest, SyncSendsThePatternAndWaitsForF0)
{
    const TBytes frame = {0xC8, 0xF7, 0x00, 0x05, 0x55, 0x5A, 0xAA, 0xAF, 0xFF, 0xF0};
    m_line->Play({{frame, {0x00, 0xF0}}});
    EXPECT_TRUE(m_commands->Sync());
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, ChangeModeAlreadyActiveSendsOnlyTheTwoQuestions)
{
    m_line->Play({{{0xC2, 0xF4, 0x00, 0x0C}, {0x01, 0x01}}, {{0xC2, 0xF4, 0x01, 0x0C}, {0x01, 0x01}}});
    bool changed = true;
    EXPECT_TRUE(m_commands->ChangeMode(12, &changed, nullptr, 0));
    EXPECT_FALSE(changed);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
    EXPECT_EQ((TBytes{0xC2, 0xF4, 0x00, 0x0C, 0xC2, 0xF4, 0x01, 0x0C}), m_line->Received());
}

TEST_F(VnCommandsTest, ChangeModeSwitchesAndWaitsTheAnnouncedTime)
{
    // Duration 0x000BB8 = 3000 ms, scaled by the factor of 50 %.
    m_line->Play({{{0xC2, 0xF4, 0x00, 0x03}, {0x01, 0x01}},
                  {{0xC2, 0xF4, 0x01, 0x03}, {0x01, 0x00}},
                  {{0xC2, 0xF4, 0x03, 0x03}, {0x03, 0xB8, 0x0B, 0x00}},
                  {{0xC2, 0xF4, 0x02, 0x03}, {}},
                  {{0xC2, 0xF4, 0x01, 0x03}, {0x01, 0x01}}});
    CProgressLog progress;
    progress.SetDetailedProgress(true);
    bool changed = false;
    EXPECT_TRUE(m_commands->ChangeMode(3, &changed, &progress, 50));
    EXPECT_TRUE(changed);
    EXPECT_EQ(std::vector<int>{1500}, CWaitRecorder::Waits());
    ASSERT_EQ(1u, progress.durations.size());
    EXPECT_EQ(3100u, progress.durations[0]);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, ChangeModeRefusedWhenTheModeIsUnsupported)
{
    m_line->Play({{{0xC2, 0xF4, 0x00, 0x05}, {0x01, 0x00}}});
    bool changed = true;
    EXPECT_FALSE(m_commands->ChangeMode(5, &changed, nullptr, 0));
    EXPECT_FALSE(changed);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, ConnectionNoticeAndControlCode)
{
    m_line->Play({{{0xC2, 0xF4, 0x10, 0x03}, {0x01, 0x00}},
                  {{0xC2, 0xF4, 0x11, 0x00}, {0x01, 0x00}},
                  {{0xC2, 0xF4, 0x12, 0xD0}, {0x01, 0x00}}});
    EXPECT_TRUE(m_commands->SetConnected(true, 2500)); // 2.5 s rounds up to 3
    EXPECT_TRUE(m_commands->SetConnected(false, 0));
    EXPECT_TRUE(m_commands->SendControlD0());
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, QueryRefusalFailsWhileTextCommandReturnsTheLength)
{
    m_line->Play(
        {{{0x10}, {0x06}}, {Ascii("XY\r"), Ascii("E?\r")}, {{0x10}, {0x06}}, {Ascii("XY\r"), Ascii("E?\r")}});
    EXPECT_FALSE(m_commands->Query("XY", 500));
    char dest[16] = {};
    EXPECT_EQ(2, m_commands->TextCommand("XY", dest, sizeof dest, 500));
    EXPECT_STREQ("E?", dest);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, QueryAnswersInBothLineModes)
{
    // CR only: the whole line is the answer.
    m_line->Play({{{0x10}, {0x00}},
                  {Ascii("AB\r"), Ascii("OK\r")},
                  {{0x10}, {0x00}},
                  {Ascii("@ID@\r"), Ascii("@ID@ Terrion;1.0\r\n")}});
    EXPECT_TRUE(m_commands->Query("AB", 500));
    EXPECT_EQ("OK", m_commands->GetReply());
    // CR LF: the instrument echoes the command before a blank.
    m_commands->SetLineEnd(true, false);
    std::wstring identity;
    EXPECT_TRUE(m_commands->QueryIdentity(identity));
    EXPECT_EQ(L"Terrion;1.0", identity);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, TextCommandNeverWritesPastTheCallersBuffer)
{
    const std::string longAnswer(100, 'Z');
    m_line->Play({{{0x10}, {0x06}}, {Ascii("LONG\r"), Ascii(longAnswer + "\r")}});
    // A heap block of exactly the capacity, so the sanitizer sees any overrun.
    auto dest = std::make_unique<char[]>(8);
    // The line is read only as far as capacity + 19 bytes; the rest is dropped with the next purge.
    EXPECT_EQ(26, m_commands->TextCommand("LONG", dest.get(), 8, 500));
    EXPECT_STREQ("ZZZZZZZ", dest.get());
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

// A line that acknowledges everything but cannot take time-outs.
class CNoTimeoutStream : public StreamIO::CIoStream
{
public:
    bool SetTimeouts(int, int) override { return false; }
    void Close() override {}
    bool IsOpen() const override { return true; }
    int Read(void* buffer, int length) override
    {
        std::memset(buffer, 0x06, static_cast<std::size_t>(length));
        return length;
    }
    int Write(const void*, int length) override { return length; }
    bool Open(const std::wstring&, std::uint32_t) override { return true; }
};

TEST(VnCommandsTextTest, RefusedTimeoutsFailQueryAndGiveZeroFromTextCommand)
{
    CNoTimeoutStream stream;
    CVnCommands commands(&stream);
    EXPECT_FALSE(commands.Query("XY", 500));
    char dest[16] = {};
    EXPECT_EQ(0, commands.TextCommand("XY", dest, sizeof dest, 500));
    EXPECT_STREQ("", dest);
}

TEST_F(VnCommandsTest, TextCommandWithEmptyTextAnswersQuestionMark)
{
    m_line->Play({{{0x10}, {0x06}}, {{0x0D}, Ascii("anything\r")}});
    char dest[4] = {};
    EXPECT_EQ(1, m_commands->TextCommand("", dest, sizeof dest, 500));
    EXPECT_STREQ("?", dest);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, QueryIdSplitsTheAnswer)
{
    m_line->Play({{{0x10}, {0x06}}, {Ascii("ID\r"), Ascii("Terrion;;1.2.3;;TN12-345-6789\r")}});
    Device::SDeviceInfo info;
    EXPECT_TRUE(m_commands->QueryId(info));
    EXPECT_EQ(L"Terrion", info.typeName);
    EXPECT_EQ(L"1.2.3", info.firmwareVersion);
    EXPECT_EQ(L"TN12-345-6789", info.serialNumber);
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, SetLineEndNegotiatesCrLf)
{
    // The instrument answers EC? in CR-only mode, so CR LF must be asked for.
    m_line->Play({{{0x10}, {0x06}},
                  {Ascii("EC?\r"), Ascii("0\r")},
                  {{0x10}, {0x06}},
                  {Ascii("EC1\r"), Ascii("EC1 OK\r\n")}});
    EXPECT_TRUE(m_commands->SetLineEnd(true, true));
    EXPECT_TRUE(m_commands->IsCrLf());
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, ReadStatusBlock)
{
    m_line->Play({{{0x10}, {0x06}},
                  {Ascii("SS\r"), Cat(Cat(Ascii("SS"), {0x07, 0x00, 0x00}), Cat(Le32(3), {9, 8, 7}))}});
    std::uint8_t buffer[16] = {};
    int length = sizeof buffer;
    EXPECT_TRUE(m_commands->ReadStatusBlock(buffer, &length));
    EXPECT_EQ(3, length);
    EXPECT_EQ((TBytes{9, 8, 7}), TBytes(buffer, buffer + 3));
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST_F(VnCommandsTest, SendBootCommandChecksTheReplyCharacter)
{
    m_line->Play({{Ascii("SC030102F9\r\n"), Ascii("G")}, {Ascii("SC030102F9\r\n"), Ascii("N")}});
    EXPECT_TRUE(m_commands->SendBootCommand("SC030102F9\r\n", 12, 'G'));
    EXPECT_FALSE(m_commands->SendBootCommand("SC030102F9\r\n", 12, 'G'));
    EXPECT_TRUE(m_line->Finish()) << m_line->Failure();
}

TEST(FrameCodecTest, BootLinesCarryTheirChecksum)
{
    EXPECT_EQ("SC030102F9\r\n", Device::CFrameCodec::BuildBootLine('C', 0x01, 0x02));
    EXPECT_EQ("SI030000FC\r\n", Device::CFrameCodec::BuildBootLine('I', 0x00, 0x00));
}

TEST(FrameCodecTest, TransferTimeoutsDoNotOverflow)
{
    using Device::CFrameCodec;
    EXPECT_EQ(2000, CFrameCodec::TransferTimeout(100, 1, 1920));
    // 10 MB at factor 3 over 1920 bytes/s: 3 * 10^10 ms would wrap in 32 bits.
    EXPECT_EQ(15625200, CFrameCodec::TransferTimeout(10'000'000, 3, 1920));
    EXPECT_EQ(2147483647, CFrameCodec::TransferTimeout(2'000'000'000, 1000, 1));
    EXPECT_EQ(200 + 10'000'000 * 1000LL / 16000, CFrameCodec::TransferTimeout(10'000'000, 1, 0));
    EXPECT_EQ(2000, CFrameCodec::StatusBlockTimeout(100000));
    EXPECT_EQ(160000000 / 1920 + 200, CFrameCodec::StatusBlockTimeout(1920));
}

TEST_F(VnCommandsTest, SetTransferTimeoutsUsesTheLineRate)
{
    ASSERT_TRUE(m_commands->SetTransferTimeouts(3'000'000'000LL / 1000, 1000));
    int readMs = 0;
    ASSERT_TRUE(m_stream->GetTimeouts(&readMs, nullptr));
    EXPECT_GT(readMs, 2000); // no wrap into a small or negative value
}

} // namespace
} // namespace TerrionTest
