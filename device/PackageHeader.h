#pragma once
// The head of a firmware package file: header, component list and trailer.
// All values little-endian:
//   header  16 bytes: "@Vn@" (0x406E5640), 32-bit 1, 16-bit 1, 16-bit package
//           version v, 32-bit entry count 1..2000
//   entry   18 bytes each: flags, second byte, 16-bit type (< 8), version
//           major/minor/build (16 bits each), three code characters, size,
//           16-bit first block, 16-bit block count (not 0)
//   trailer 161 bytes: 32-bit block count (not 0), version major/minor/build,
//           2 unused, 32-bit device id, checksum kind (0, 1, 2, 4), two 32-bit
//           values, 16-bit lowest and highest hardware revision, 4 unused,
//           the 128-byte upgrade descriptor
// Block descriptors and blocks follow; the upgrade job reads those.
// The reader never throws; every refusal returns false and keeps what was read.

#include "device/Contents.h"

#include <array>
#include <cstdint>
#include <span>

namespace StreamIO
{
class CIoStream;
}

namespace Device
{

class CPackageHeader
{
public:
    static constexpr int kHeaderSize = 16;
    static constexpr int kEntrySize = 18;
    static constexpr int kTrailerSize = 161;
    static constexpr int kDescriptorSize = 128;
    static constexpr std::uint32_t kMagic = 0x406E5640;
    static constexpr std::uint32_t kMaxEntries = 2000;

    /// Reads header, entries and trailer from a stream at the package's start;
    /// leaves it at the first block descriptor.
    bool Read(StreamIO::CIoStream* stream);
    bool ReadHeader(std::span<const std::uint8_t, kHeaderSize> bytes);
    bool ReadEntry(std::span<const std::uint8_t, kEntrySize> bytes);
    bool ReadTrailer(std::span<const std::uint8_t, kTrailerSize> bytes);

    /// Header, every entry and the trailer have been read.
    bool IsComplete() const { return m_bHeaderRead && m_bEntriesRead && m_bTrailerRead; }

    CContents m_contents;
    std::uint32_t m_nEntryCount = 0;
    std::uint32_t m_nBlockCount = 0;
    CVersion m_version{0, 0, 0, 0};
    std::uint32_t m_nDeviceId = 0;
    std::uint8_t m_nChecksumKind = 0;
    std::array<std::uint8_t, kDescriptorSize> m_descriptor{};
    std::uint16_t m_nMinHardware = 0;
    std::uint16_t m_nMaxHardware = 0; ///< 0 = no limit
    std::uint32_t m_nDeviceCheck = 0; ///< device check value of other instruments
    std::uint32_t m_nReserved = 0;    ///< kept with the package, read by nothing
    bool m_bHeaderRead = false;
    bool m_bEntriesRead = false;
    bool m_bTrailerRead = false;
};

} // namespace Device
