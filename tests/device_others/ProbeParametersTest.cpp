// The probe parameter block: words to values and back, with every range.

#include "device/others/ProbeParameters.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

using Device::CProbeParameters;
using Device::SProbeParameters;
using TBlock = std::array<std::uint8_t, 20>;

// w0 22000, w1 9000, w2 10000, w3 1000, w4 2000, w5 1000, w6 3000, w7 1500, w8 700, w9 6500
const TBlock kBlock = {0xF0, 0x55, 0x28, 0x23, 0x10, 0x27, 0xE8, 0x03, 0xD0, 0x07,
                       0xE8, 0x03, 0xB8, 0x0B, 0xDC, 0x05, 0xBC, 0x02, 0x64, 0x19};

SProbeParameters Valid()
{
    return CProbeParameters::FromWire(kBlock);
}

TEST(ProbeParameters, WordsBecomeValues)
{
    const SProbeParameters p = Valid();
    EXPECT_FLOAT_EQ(p.p1, 220.0f);
    EXPECT_FLOAT_EQ(p.p2, 9.0f);
    EXPECT_FLOAT_EQ(p.p3, 10.0f);
    EXPECT_EQ(p.p4, 16000u);
    EXPECT_EQ(p.p6, 32000u);
    EXPECT_EQ(p.p5, 32000u); // 32000 * 16000 / (32000 - 16000)
    EXPECT_EQ(p.p7, 48000u);
    EXPECT_EQ(p.p8, 48000u); // 48000 * 24000 / 24000
    EXPECT_EQ(p.p9, 11200u);
    EXPECT_NEAR(p.p10, 0.065f, 1e-7);

    TBlock parallelTooHigh = kBlock;
    parallelTooHigh[10] = 0xD0; // w5 = w4
    parallelTooHigh[11] = 0x07;
    EXPECT_EQ(CProbeParameters::FromWire(parallelTooHigh).p5, 2u);
}

TEST(ProbeParameters, ValuesGoBackToTheSameWords)
{
    TBlock block{};
    ASSERT_TRUE(CProbeParameters::ToWire(Valid(), block));
    EXPECT_EQ(block, kBlock);
}

TEST(ProbeParameters, OutOfRangeValuesAreRefused)
{
    std::vector<SProbeParameters> refused;
    auto with = [&refused](auto change)
    {
        SProbeParameters p = Valid();
        change(p);
        refused.push_back(p);
    };
    with([](SProbeParameters& p) { p.p1 = 209.99f; });
    // 876 * 100 = 87600 would pass as its low 16 bits (22064).
    with([](SProbeParameters& p) { p.p1 = 876.0f; });
    with([](SProbeParameters& p) { p.p2 = 13.001f; });
    with([](SProbeParameters& p) { p.p3 = 9.5f; }); // less than 0.0008 above p2 / 1000
    with([](SProbeParameters& p) { p.p4 = 9000; });
    with([](SProbeParameters& p) { p.p4 = 1048576 + 16000; }); // a word above 16 bits
    with([](SProbeParameters& p) { p.p9 = 600000; });
    with([](SProbeParameters& p) { p.p10 = 0.0801f; });
    for (std::size_t i = 0; i < refused.size(); ++i)
    {
        TBlock block{};
        block.fill(0xAA);
        EXPECT_FALSE(CProbeParameters::ToWire(refused[i], block)) << i;
        EXPECT_EQ(block[0], 0xAA) << i;
    }
}

TEST(ProbeParameters, ZeroResistancesPassWithoutDividingByZero)
{
    SProbeParameters p = Valid();
    p.p4 = 0;
    p.p5 = 0;
    p.p6 = 0;
    TBlock block{};
    ASSERT_TRUE(CProbeParameters::ToWire(p, block));
    EXPECT_EQ(block[6], 0);
    EXPECT_EQ(block[8], 0);
    EXPECT_EQ(block[10], 0);
}

} // namespace
