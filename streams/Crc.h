#pragma once
// Table-driven reflected CRCs. None applies a final XOR; callers do.
// With start 0 CalcCrc8 is CRC-8/MAXIM-DOW and CalcCrc16 is CRC-16/ARC;
// CalcCrc32 with start 0xFFFFFFFF, inverted by the caller, is CRC-32.
// A null data pointer or a length of 0 gives 0, whatever the start.

#include <cstdint>

std::uint8_t CalcCrc8(const std::uint8_t* data, int length, std::uint8_t start = 0,
                      const std::uint8_t* table = nullptr);
std::uint16_t CalcCrc16(const std::uint8_t* data, int length, std::uint16_t start = 0,
                        const std::uint16_t* table = nullptr);
std::uint32_t CalcCrc32(const std::uint8_t* data, int length, std::uint32_t start = 0xFFFFFFFFu,
                        const std::uint32_t* table = nullptr);
