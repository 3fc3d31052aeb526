#pragma once
// The control bytes of the simulated instruments' serial protocols, written
// out here rather than taken from the drivers, so the simulator checks them.
#include <cstdint>

namespace TerrionTest
{

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kLf = 0x0A;
inline constexpr std::uint8_t kCr = 0x0D;
inline constexpr std::uint8_t kDle = 0x10;

} // namespace TerrionTest
