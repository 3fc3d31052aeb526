#pragma once
// Little-endian integers in byte buffers: the byte order of every format the
// system reads or writes (instrument records, package files, bitmaps, version
// records).

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace StreamIO
{

class CLittleEndian
{
public:
    static std::uint16_t Get16(const std::uint8_t* at)
    {
        return static_cast<std::uint16_t>(at[0] | at[1] << 8);
    }
    static std::uint32_t Get32(const std::uint8_t* at)
    {
        return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
               static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
    }
    static std::uint16_t Get16(std::span<const std::uint8_t> bytes, std::size_t offset)
    {
        return Get16(bytes.data() + offset);
    }
    static std::uint32_t Get32(std::span<const std::uint8_t> bytes, std::size_t offset)
    {
        return Get32(bytes.data() + offset);
    }

    static void Put16(std::uint8_t* at, std::uint32_t value)
    {
        at[0] = static_cast<std::uint8_t>(value);
        at[1] = static_cast<std::uint8_t>(value >> 8);
    }
    static void Put32(std::uint8_t* at, std::uint32_t value)
    {
        Put16(at, value & 0xFFFF);
        Put16(at + 2, value >> 16);
    }
    static void Append16(std::vector<std::uint8_t>& out, std::uint16_t value)
    {
        out.push_back(static_cast<std::uint8_t>(value));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    }
};

} // namespace StreamIO
