#pragma once
// The ten parameters of the Halvint 3's measuring probe and their 20-byte
// block on the wire (ten 16-bit little-endian words w0..w9).

#include <array>
#include <cstdint>
#include <span>

namespace Device
{

struct SProbeParameters
{
    float p1 = 0.0f;      ///< w0 / 100
    float p2 = 0.0f;      ///< w1 / 1000
    float p3 = 0.0f;      ///< w2 / 1000
    std::uint32_t p4 = 0; ///< w3 * 16
    std::uint32_t p5 = 0; ///< p6 * q / (p6 - q), q = w5 * 16; 2 when p6 <= q
    std::uint32_t p6 = 0; ///< w4 * 16
    std::uint32_t p7 = 0; ///< w6 * 16
    std::uint32_t p8 = 0; ///< p7 * r / (p7 - r), r = w7 * 16; 2 when p7 <= r
    std::uint32_t p9 = 0; ///< w8 * 16
    float p10 = 0.0f;     ///< w9 * 0.00001
};

class CProbeParameters
{
public:
    static constexpr std::size_t kBlockSize = 20;

    static SProbeParameters FromWire(std::span<const std::uint8_t, kBlockSize> block);
    /// Converts and checks every value; false (block untouched) when one is
    /// out of its range. Ranges are checked on the full values, before they
    /// are cut to 16-bit words.
    static bool ToWire(const SProbeParameters& parameters, std::array<std::uint8_t, kBlockSize>& block);
};

} // namespace Device
