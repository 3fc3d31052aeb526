#include "device/others/ProbeParameters.h"

#include <cmath>
#include <limits>

namespace Device
{
namespace
{

std::uint32_t Word(std::span<const std::uint8_t, CProbeParameters::kBlockSize> block, std::size_t index)
{
    return block[2 * index] | static_cast<std::uint32_t>(block[2 * index + 1]) << 8;
}

std::uint32_t Series(std::uint32_t total, std::uint32_t parallel)
{
    if (total <= parallel)
        return 2;
    const std::uint64_t value = static_cast<std::uint64_t>(total) * parallel / (total - parallel);
    return value > std::numeric_limits<std::uint32_t>::max() ? std::numeric_limits<std::uint32_t>::max()
                                                             : static_cast<std::uint32_t>(value);
}

// Integer part of value * scale + 0.5, or -1 for a value that is not a number.
long long Scaled(float value, double scale)
{
    const double scaled = static_cast<double>(value) * scale + 0.5;
    if (!std::isfinite(scaled) || scaled < 0.0 || scaled > 1e12)
        return -1;
    return static_cast<long long>(scaled);
}

// Integer part of (value + 8) / 16.
long long Sixteenths(double value)
{
    if (!std::isfinite(value) || value < 0.0 || value > 1e12)
        return -1;
    return static_cast<long long>((value + 8.0) / 16.0);
}

// The parallel value of a and b, in single precision; 0 when both are 0.
double Parallel(std::uint32_t a, std::uint32_t b)
{
    const float fa = static_cast<float>(a);
    const float fb = static_cast<float>(b);
    if (fa + fb == 0.0f)
        return 0.0;
    return static_cast<double>(fa * fb / (fa + fb));
}

bool ResistanceWord(long long word)
{
    const long long value = word * 16;
    return word >= 0 && (value == 0 || (value >= 9800 && value <= 500000));
}

} // namespace

SProbeParameters CProbeParameters::FromWire(std::span<const std::uint8_t, kBlockSize> block)
{
    SProbeParameters p;
    p.p1 = static_cast<float>(Word(block, 0)) / 100.0f;
    p.p2 = static_cast<float>(Word(block, 1)) / 1000.0f;
    p.p3 = static_cast<float>(Word(block, 2)) / 1000.0f;
    p.p4 = Word(block, 3) * 16;
    p.p6 = Word(block, 4) * 16;
    p.p5 = Series(p.p6, Word(block, 5) * 16);
    p.p7 = Word(block, 6) * 16;
    p.p8 = Series(p.p7, Word(block, 7) * 16);
    p.p9 = Word(block, 8) * 16;
    p.p10 = static_cast<float>(Word(block, 9) * 0.00001);
    return p;
}

bool CProbeParameters::ToWire(const SProbeParameters& p, std::array<std::uint8_t, kBlockSize>& block)
{
    const long long w[10] = {
        Scaled(p.p1, 100.0),
        Scaled(p.p2, 1000.0),
        Scaled(p.p3, 1000.0),
        Sixteenths(static_cast<double>(p.p4)),
        Sixteenths(static_cast<double>(p.p6)),
        Sixteenths(Parallel(p.p5, p.p6)),
        Sixteenths(static_cast<double>(p.p7)),
        Sixteenths(Parallel(p.p8, p.p7)),
        Sixteenths(static_cast<double>(p.p9)),
        Scaled(p.p10, 100000.0),
    };
    if (w[0] < 21000 || w[0] > 23000 || w[1] < 7000 || w[1] > 13000 || w[2] < 8000 || w[2] > 15000)
        return false;
    const float high = static_cast<float>(static_cast<double>(w[2]) * 0.000001);
    const float low = static_cast<float>(static_cast<double>(w[1]) * 0.000001);
    if (!(static_cast<double>(high - low) >= 0.0008))
        return false;
    for (int i = 3; i <= 8; ++i)
        if (!ResistanceWord(w[i]))
            return false;
    if (w[9] < 5000 || w[9] > 8000)
        return false;
    for (std::size_t i = 0; i < 10; ++i)
    {
        block[2 * i] = static_cast<std::uint8_t>(w[i] & 0xFF);
        block[2 * i + 1] = static_cast<std::uint8_t>(w[i] >> 8 & 0xFF);
    }
    return true;
}

} // namespace Device
