#include "device/FrameCodec.h"

#include "streams/Crc.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace Device
{
namespace
{
constexpr int kDefaultBytesPerSecond = 16000;
}

std::vector<std::uint8_t> CFrameCodec::BuildFrame(std::uint8_t command, std::span<const std::uint8_t> data)
{
    std::vector<std::uint8_t> frame;
    frame.reserve(data.size() + 2);
    frame.push_back(static_cast<std::uint8_t>(kHeaderBase + data.size()));
    frame.push_back(command);
    frame.insert(frame.end(), data.begin(), data.end());
    return frame;
}

CFrameCodec::NReplyKind CFrameCodec::ClassifyReply(std::uint8_t replyByte)
{
    if (replyByte == 0)
        return rkDone;
    if (replyByte >= kFirstStatus)
        return rkStatus;
    if (replyByte == kExtendedReply)
        return rkExtended;
    return rkCounted;
}

CFrameCodec::SExtendedHeader
CFrameCodec::ParseExtendedHeader(std::span<const std::uint8_t, kExtendedHeaderSize> header)
{
    SExtendedHeader result;
    result.checksumKind = header[0];
    result.checksumLength = ChecksumLength(header[0]);
    result.dataLength = static_cast<std::uint32_t>(header[1]) | static_cast<std::uint32_t>(header[2]) << 8 |
                        static_cast<std::uint32_t>(header[3]) << 16;
    return result;
}

int CFrameCodec::ChecksumLength(std::uint8_t kind)
{
    return (kind == 1 || kind == 2 || kind == 4) ? kind : 0;
}

std::vector<std::uint8_t> CFrameCodec::ComputeChecksum(std::uint8_t kind, std::span<const std::uint8_t> data)
{
    // The CRC routines take an int length; a reply is at most 24 bits long.
    const int length = static_cast<int>(data.size());
    switch (kind)
    {
    case 1:
        return {CalcCrc8(data.data(), length, 0)};
    case 2:
    {
        const std::uint16_t crc = CalcCrc16(data.data(), length, 0);
        return {static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8)};
    }
    case 4:
    {
        // Inverted as the instrument does, also for no data (CalcCrc32 gives 0 then).
        const std::uint32_t crc = ~CalcCrc32(data.data(), length, 0xFFFFFFFFu);
        return {static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8),
                static_cast<std::uint8_t>(crc >> 16), static_cast<std::uint8_t>(crc >> 24)};
    }
    default:
        return {};
    }
}

bool CFrameCodec::VerifyChecksum(std::uint8_t kind, std::span<const std::uint8_t> data,
                                 std::span<const std::uint8_t> checksum)
{
    const std::vector<std::uint8_t> expected = ComputeChecksum(kind, data);
    return expected.size() <= checksum.size() &&
           std::equal(expected.begin(), expected.end(), checksum.begin());
}

std::uint8_t CFrameCodec::KeepAliveSeconds(int keepAliveMs)
{
    const std::int64_t ms = std::max(keepAliveMs, 0);
    return static_cast<std::uint8_t>(((ms + 999) / 1000) % 255);
}

std::uint32_t CFrameCodec::ParseDuration(std::span<const std::uint8_t, 3> bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16;
}

std::string CFrameCodec::BuildBootLine(char letter, std::uint8_t byte1, std::uint8_t byte2)
{
    const unsigned checksum = 0xFFu - ((3u + byte1 + byte2) % 256u);
    char line[16];
    std::snprintf(line, sizeof line, "S%c03%02X%02X%02X\r\n", letter, byte1, byte2, checksum);
    return line;
}

int CFrameCodec::TransferTimeout(std::int64_t bytes, int factor, int bytesPerSecond)
{
    const std::int64_t rate = bytesPerSecond > 0 ? bytesPerSecond : kDefaultBytesPerSecond;
    const std::int64_t safeBytes = std::clamp<std::int64_t>(bytes, 0, INT_MAX);
    const std::int64_t safeFactor = std::clamp(factor, 0, 1 << 20);
    const std::int64_t ms = safeBytes * safeFactor * 1000 / rate + 200;
    return static_cast<int>(std::clamp<std::int64_t>(ms, 2000, INT_MAX));
}

int CFrameCodec::StatusBlockTimeout(int bytesPerSecond)
{
    const std::int64_t rate = bytesPerSecond > 0 ? bytesPerSecond : kDefaultBytesPerSecond;
    const std::int64_t quotient = 160000000 / rate;
    return quotient >= 1800 ? static_cast<int>(std::min<std::int64_t>(quotient + 200, INT_MAX)) : 2000;
}

} // namespace Device
