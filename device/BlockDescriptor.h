#pragma once
// One 16-byte block descriptor of a firmware package, as the upgrade reads it:
//   offset 4   32-bit data size of the block
//   offset 10  mode byte before the block: low 4 bits the operation mode,
//              bit 4 reopen the stream around the change, bit 0 send the
//              upgrade descriptor
//   offset 11  mode byte after the block: the same, and bit 6 program the
//              block after the transfer
//   offset 12  high 4 bits: kind of the block's data (4 = S-record text)

#include <array>
#include <cstdint>

namespace Device
{

struct SBlockDescriptor
{
    static constexpr int kSize = 16;
    static constexpr std::uint8_t kKindSRecords = 4;

    std::array<std::uint8_t, kSize> bytes{};

    std::uint32_t DataSize() const
    {
        return static_cast<std::uint32_t>(bytes[4]) | static_cast<std::uint32_t>(bytes[5]) << 8 |
               static_cast<std::uint32_t>(bytes[6]) << 16 | static_cast<std::uint32_t>(bytes[7]) << 24;
    }
    std::uint8_t ModeBefore() const { return bytes[10]; }
    std::uint8_t ModeAfter() const { return bytes[11]; }
    std::uint8_t DataKind() const { return static_cast<std::uint8_t>(bytes[12] >> 4); }
    bool ProgramAfter() const { return (bytes[11] & 0x40) != 0; }
};

} // namespace Device
