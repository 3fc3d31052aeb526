#pragma once
// Decodes the EXIF block of a JPEG file's APP1 section into an SExifInfo.
// The block comes from a file a user opens: every offset, count and length in
// it is checked against the block before it is used, and directories that
// link back to one already read are refused.

#include "export/ExifInfo.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CExifDecoder
{
public:
    explicit CExifDecoder(SExifInfo& info) : m_info(info) {}

    /// block: the APP1 section's bytes after its length field, "Exif" first.
    /// False with GetLastError() when the block is malformed; fields read
    /// before the fault stay in the record.
    bool Decode(std::span<const std::uint8_t> block);

    /// The reason of a refusal, or a remark on a block that was still read
    /// ("Undefined rotation value"); null when there is none.
    const char* GetLastError() const { return m_error; }
    /// True for Motorola (big-endian) byte order.
    bool IsMotorola() const { return m_motorola; }
    /// The larger of the EXIF pixel dimensions.
    int GetExifImageWidth() const { return m_exifImageWidth; }

private:
    bool Directory(std::uint64_t start, int depth);
    bool Entry(std::uint64_t at, int depth, std::uint32_t& thumbnailOffset, std::uint32_t& thumbnailSize);
    bool FollowLink(std::uint32_t offset, int depth);
    bool Fail(const char* text);

    std::uint16_t Get16(std::uint64_t offset) const;
    std::uint32_t Get32(std::uint64_t offset) const;
    /// A value of the given format (1-12) as a number; value holds at least one.
    double Number(std::span<const std::uint8_t> value, int format) const;

    SExifInfo& m_info;
    /// The block from its first byte-order byte: all offsets count from here.
    std::span<const std::uint8_t> m_base;
    bool m_motorola = false;
    int m_exifImageWidth = 0;
    std::vector<std::uint64_t> m_visited;
    const char* m_error = nullptr;
};
