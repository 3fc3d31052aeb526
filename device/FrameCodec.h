#pragma once
// The framed binary protocol as pure functions over bytes: building frames,
// classifying reply bytes, extended-reply headers, checksums, bootloader
// lines and the time-outs derived from a line's rate. CVnCommands only
// pumps bytes between the stream and these.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace Device
{

class CFrameCodec
{
public:
    static constexpr std::uint8_t kHeaderBase = 0xC0;
    static constexpr int kMaxDataBytes = 47;
    static constexpr std::uint8_t kExtendedReply = 0xEF;
    static constexpr std::uint8_t kFirstStatus = 0xF0;
    static constexpr std::uint8_t kLastCount = 238;
    static constexpr int kExtendedHeaderSize = 4;

    enum NReplyKind : int
    {
        rkDone = 0,     ///< reply byte 0: nothing follows
        rkCounted = 1,  ///< 1..238: that many bytes follow (239 is read as a count too)
        rkExtended = 2, ///< 0xEF: an extended reply follows
        rkStatus = 3,   ///< 0xF0..0xFF: a status, nothing follows
    };

    struct SExtendedHeader
    {
        std::uint8_t checksumKind = 0;
        int checksumLength = 0;       ///< 1, 2 or 4; 0 for any other kind
        std::uint32_t dataLength = 0; ///< 24 bits
        /// Data and checksum together.
        std::int64_t Total() const { return static_cast<std::int64_t>(dataLength) + checksumLength; }
    };

    /// Header 0xC0 + n, command, data (n = data.size(), at most 47).
    static std::vector<std::uint8_t> BuildFrame(std::uint8_t command, std::span<const std::uint8_t> data);
    static NReplyKind ClassifyReply(std::uint8_t replyByte);
    static SExtendedHeader ParseExtendedHeader(std::span<const std::uint8_t, kExtendedHeaderSize> header);
    /// 1, 2 or 4 bytes for kinds 1, 2 and 4; 0 for any other kind.
    static int ChecksumLength(std::uint8_t kind);
    /// The checksum of data for a kind, little-endian, ChecksumLength(kind) bytes:
    /// 1 CRC-8/MAXIM-DOW, 2 CRC-16/ARC, 4 CRC-32.
    static std::vector<std::uint8_t> ComputeChecksum(std::uint8_t kind, std::span<const std::uint8_t> data);
    /// True when checksum equals the checksum of data (always for a kind without one).
    static bool VerifyChecksum(std::uint8_t kind, std::span<const std::uint8_t> data,
                               std::span<const std::uint8_t> checksum);

    /// The keep-alive byte of the connection notice: ceil(ms / 1000) mod 255.
    static std::uint8_t KeepAliveSeconds(int keepAliveMs);
    /// 24-bit little-endian switch duration of a mode change.
    static std::uint32_t ParseDuration(std::span<const std::uint8_t, 3> bytes);

    /// A bootloader line: 'S', letter, "03", the two bytes and the checksum
    /// 0xFF - ((3 + b1 + b2) mod 256) in upper-case hex, CR LF.
    static std::string BuildBootLine(char letter, std::uint8_t byte1, std::uint8_t byte2);

    /// Both time-outs of a transfer: bytes * factor * 1000 / bytesPerSecond +
    /// 200 ms, at least 2000 ms (16,000 bytes a second when the line reports
    /// none). Computed in 64 bits and clamped to the largest int.
    static int TransferTimeout(std::int64_t bytes, int factor, int bytesPerSecond);
    /// The time-out of a status-block read: 160,000,000 / bytesPerSecond +
    /// 200 ms when the quotient is at least 1800, else 2000 ms.
    static int StatusBlockTimeout(int bytesPerSecond);
};

} // namespace Device
