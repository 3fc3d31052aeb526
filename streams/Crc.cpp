#include "streams/Crc.h"

#include <array>

namespace
{

template <typename T> constexpr std::array<T, 256> MakeReflectedTable(T polynomial)
{
    std::array<T, 256> table{};
    for (unsigned i = 0; i < 256; ++i)
    {
        T entry = static_cast<T>(i);
        for (int bit = 0; bit < 8; ++bit)
            entry = (entry & 1) ? static_cast<T>((entry >> 1) ^ polynomial) : static_cast<T>(entry >> 1);
        table[i] = entry;
    }
    return table;
}

constexpr auto kCrc8Table = MakeReflectedTable<std::uint8_t>(0x8C);
constexpr auto kCrc16Table = MakeReflectedTable<std::uint16_t>(0xA001);
constexpr auto kCrc32Table = MakeReflectedTable<std::uint32_t>(0xEDB88320u);

} // namespace

std::uint8_t CalcCrc8(const std::uint8_t* data, int length, std::uint8_t start, const std::uint8_t* table)
{
    if (data == nullptr || length <= 0)
        return 0;
    if (table == nullptr)
        table = kCrc8Table.data();
    std::uint8_t crc = start;
    for (int i = 0; i < length; ++i)
        crc = table[crc ^ data[i]];
    return crc;
}

std::uint16_t CalcCrc16(const std::uint8_t* data, int length, std::uint16_t start, const std::uint16_t* table)
{
    if (data == nullptr || length <= 0)
        return 0;
    if (table == nullptr)
        table = kCrc16Table.data();
    std::uint16_t crc = start;
    for (int i = 0; i < length; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ table[(crc ^ data[i]) & 0xFF]);
    return crc;
}

std::uint32_t CalcCrc32(const std::uint8_t* data, int length, std::uint32_t start, const std::uint32_t* table)
{
    if (data == nullptr || length <= 0)
        return 0;
    if (table == nullptr)
        table = kCrc32Table.data();
    std::uint32_t crc = start;
    for (int i = 0; i < length; ++i)
        crc = (crc >> 8) ^ table[(crc ^ data[i]) & 0xFF];
    return crc;
}
